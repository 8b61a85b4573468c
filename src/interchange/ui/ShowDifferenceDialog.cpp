#include "interchange/ui/ShowDifferenceDialog.h"

#include "interchange/DocumentComparison.h"
#include "interchange/ui/VersionCommands.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CShowDifferenceDialog::CShowDifferenceDialog(CVersionCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_versions(new QComboBox(this)), m_file(new QLineEdit(this)) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Text(context, Msg::Id::DifferencesPlural));
    for (const StoredVersion& version : host.VersionedDocument().versionHistory)
        m_versions->addItem(QStringLiteral("%1  %2  %3").arg(version.label, version.time, version.author));
    m_versions->setCurrentIndex(m_versions->count() - 1);

    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(Msg::Text(context, Msg::Id::VersionDifferencesExplanation), this));
    form->addRow(Msg::Text(context, Msg::Id::SavedVersionOfNuvDocumentVersionAbstract), m_versions);
    form->addRow(LoadString(StringId::ComparedDocument), MakeOtherDocumentRow(*m_file, host.VersionedDocumentPath()));
    form->addRow(MakeOkCancelButtons(*this));
    resize(520, height());
}

void CShowDifferenceDialog::accept() {
    CDocumentData& data = m_host.VersionedDocument();
    const ModelOptions options = data.GetModelOptions();
    // A file named is compared; else the stored version chosen.
    const QString path = m_file->text().trimmed();
    const int version = m_versions->currentIndex();
    if (path.isEmpty() && version < 0)
        return;
    CUnitFunctionRegistry older;
    std::optional<LoadResult> result;
    if (!path.isEmpty())
        result = CDocumentComparison::ReadFile(path, older, options);
    else
        result = CDocumentComparison::ReadStoredVersion(data.versionHistory.at(static_cast<size_t>(version)), older,
                                                        options);
    if (result != LoadResult::Loaded) {
        platform::ShowMessageBox(LoadString(StringId::CannotReadOtherDocument)
                                     .arg(path.isEmpty() ? m_versions->currentText().trimmed() : path),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return;
    }
    CInspectionView& pane = m_host.InspectionPane();
    pane.ClearMessages();
    for (const ComparisonLine& line : CDocumentComparison::Compare(older, data.registry, options, data.SyntaxSymbols))
        pane.AddLine(line.text, data.registry.FindByInternalID(line.internalID), line.lineIndex);
    m_host.ShowInspectionPane();
    QDialog::accept();
}
