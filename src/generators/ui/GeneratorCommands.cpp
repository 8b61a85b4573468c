#include "generators/ui/GeneratorCommands.h"

#include "generators/NaturalSentence.h"
#include "generators/ui/DecisionTblMakeDlg.h"
#include "generators/ui/FlowchartPage.h"
#include "generators/ui/NaturalSentencePage.h"
#include "generators/ui/OutputSourceCodeWindow.h"
#include "generators/ui/TestSpecificationsDlg.h"
#include "generators/ui/TraceabilityPage.h"
#include "model/DocumentData.h"

#include <QFileDialog>

namespace {

template <typename Dialog> void RunDialog(CGeneratorCommandHost& host) {
    Dialog dialog(host, host.DialogParent());
    dialog.exec();
}

// The words dialog, then the active tab's logic lines as sentences in place of its content selection. The
// sentences before a line the conversion stops at are put in all the same.
void ConvertToNaturalSentences(CGeneratorCommandHost& host) {
    const CUnitFunction* function = host.ActiveFunction();
    if (!function)
        return;
    CDocumentData& data = host.GeneratedDocument();
    CNaturalSentencePage page(data.naturalSentenceWords, host.MessageContext(), host.DialogParent());
    if (page.exec() != QDialog::Accepted)
        return;
    host.SetGeneratedDocumentModified();
    QStringList sentences;
    CNaturalSentence(data.naturalSentenceWords, data.quantifiers).Convert(function->logicLines, sentences);
    if (!sentences.isEmpty())
        host.ReplaceActiveContentSelection(sentences.join(QString()));
}

} // namespace

void AddGeneratorCommands(CCommandRegistry& registry, CGeneratorCommandHost& host) {
    using enum CommandRule;
    registry.Add({CommandDecisionTable, [&host](int) { RunDialog<CDecisionTblMakeDlg>(host); }, DocumentOpen,
                  CommandDecisionTable, "", CommandIcon::None});
    registry.Add({CommandTestSpecification, [&host](int) { RunTestSpecificationCommand(host); }, DocumentOpen,
                  CommandTestSpecification, "", CommandIcon::None});
    registry.Add({CommandNaturalSentences, [&host](int) { ConvertToNaturalSentences(host); }, None,
                  CommandNaturalSentences, "Ctrl+Shift+N", CommandIcon::None});
    registry.Add({CommandTraceability, [&host](int) { RunDialog<CTraceabilityPage>(host); }, None, CommandTraceability,
                  "", CommandIcon::None});
    registry.Add({CommandProcessMatrix, [&host](int) { RunDialog<CFlowchartPage>(host); }, None, CommandProcessMatrix,
                  "", CommandIcon::None});
    registry.Add({CommandCommentSource, [&host](int) { RunDialog<COutputSourceCodeWindow>(host); }, None,
                  CommandCommentSource, "", CommandIcon::None});
}

QString PromptGeneratorFileName(QWidget* parent, const QString& name, const QString& filter, const QString& extension) {
    QFileDialog dialog(parent, QString(), name, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The generator asks about an existing file itself, with the name it will write.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(name);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}
