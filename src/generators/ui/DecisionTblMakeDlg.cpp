#include "generators/ui/DecisionTblMakeDlg.h"

#include "generators/ui/GeneratorCommands.h"
#include "logic/ui/CheckThreadDialog.h"
#include "model/DocumentData.h"
#include "model/FileUtilities.h"
#include "platform/ui/DropEdit.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A group of two or three choices stacked in a box.
QGroupBox* ChoiceBox(const QString& title, std::initializer_list<QWidget*> choices) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* choice : choices)
        layout->addWidget(choice);
    return box;
}

// The four layouts as a small text picture.
const char* const kSamples[] = {"", "●Q | A | B\nq   | a | b", "A | B | ●Q\na | b | q", "●Q | q\nA  | a\nB  | b",
                                "A  | a\nB  | b\n●Q | q"};

} // namespace

CDecisionTblMakeDlg::CDecisionTblMakeDlg(CGeneratorCommandHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    const CDocumentData& data = host.GeneratedDocument();
    const DecisionTableDialogChoice choice = StoredDecisionTableChoice(data, host.DecisionTableChoices());
    setWindowTitle(Msg::DecisionTableWindowTitle(context));

    m_defaultFileName = MakeFileNameWithExtension(host.GeneratedDocumentPath(), LoadString(StringId::CsvExtension),
                                                  LoadString(StringId::DecisionTableObject));
    m_fileName = new CDropEdit(choice.fileName.isEmpty() ? m_defaultFileName : choice.fileName);
    auto* browse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(browse, &QPushButton::clicked, this, &CDecisionTblMakeDlg::OnBrowse);

    m_scope[1] = new QRadioButton(Msg::AllFunctionsLabel(context));
    m_scope[2] = new QRadioButton(Msg::CurrentFunctionAndDescendantsLabel(context));
    m_scope[0] = new QRadioButton(Msg::CurrentFunctionLabel(context));
    m_scope[choice.scope]->setChecked(true);
    m_omitRedundancy = new QCheckBox(Msg::OmitRedundancy(context));
    m_omitRedundancy->setChecked(choice.omitRedundancy);
    m_traceability = new QCheckBox(LoadString(StringId::DecisionTableTraceabilityOption));
    m_traceability->setChecked(choice.session.traceabilityRows != 0);
    auto* consequentsAsWritten = new QRadioButton(LoadString(StringId::DecisionTableConsequentsAsWritten));
    m_consequentsByCode = new QRadioButton(LoadString(StringId::DecisionTableConsequentsByCode));
    (choice.session.consequentsByCharacterCode == 1 ? m_consequentsByCode : consequentsAsWritten)->setChecked(true);
    auto* antecedentsAsWritten = new QRadioButton(LoadString(StringId::DecisionTableAntecedentsAsWritten));
    m_antecedentsByCode = new QRadioButton(LoadString(StringId::DecisionTableAntecedentsByCode));
    (choice.session.antecedentsByCharacterCode == 1 ? m_antecedentsByCode : antecedentsAsWritten)->setChecked(true);
    m_rows = new QRadioButton(Msg::Row(context));
    auto* columns = new QRadioButton(Msg::Column(context));
    (choice.rows ? m_rows : columns)->setChecked(true);
    m_first = new QRadioButton(Msg::First(context));
    auto* last = new QRadioButton(Msg::Last(context));
    (choice.conclusionFirst ? m_first : last)->setChecked(true);
    m_sample = new QLabel;
    for (QRadioButton* button : {m_rows, columns, m_first, last})
        connect(button, &QRadioButton::toggled, this, &CDecisionTblMakeDlg::UpdateSamplePicture);

    auto* options = new QGroupBox(Msg::Options(context));
    auto* optionLayout = new QVBoxLayout(options);
    optionLayout->addWidget(m_omitRedundancy);
    optionLayout->addWidget(m_traceability);
    optionLayout->addWidget(
        ChoiceBox(LoadString(StringId::DecisionTableConclusionOrder), {consequentsAsWritten, m_consequentsByCode}));
    optionLayout->addWidget(
        ChoiceBox(LoadString(StringId::DecisionTableConditionOrder), {antecedentsAsWritten, m_antecedentsByCode}));

    auto* format = new QGroupBox(Msg::DecisionTableFormat(context));
    auto* formatLayout = new QGridLayout(format);
    auto* direction = new QWidget;
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_rows);
    directionLayout->addWidget(columns);
    auto* position = new QWidget;
    auto* positionLayout = new QHBoxLayout(position);
    positionLayout->addWidget(m_first);
    positionLayout->addWidget(last);
    formatLayout->addWidget(new QLabel(Msg::Direction(context)), 0, 0);
    formatLayout->addWidget(direction, 0, 1);
    formatLayout->addWidget(new QLabel(Msg::PositionOfConclusion(context)), 1, 0);
    formatLayout->addWidget(position, 1, 1);
    formatLayout->addWidget(m_sample, 0, 2, 2, 1);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(Msg::FileName(context)));
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDecisionTblMakeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDecisionTblMakeDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(ChoiceBox(Msg::Range(context), {m_scope[1], m_scope[2], m_scope[0]}));
    layout->addWidget(options);
    layout->addWidget(format);
    layout->addWidget(buttons);
    UpdateSamplePicture();
}

int CDecisionTblMakeDlg::SampleIndex() const {
    return (m_rows->isChecked() ? 1 : 3) + (m_first->isChecked() ? 0 : 1);
}

void CDecisionTblMakeDlg::UpdateSamplePicture() {
    m_sample->setText(QString::fromUtf8(kSamples[SampleIndex()]));
}

void CDecisionTblMakeDlg::OnBrowse() {
    const QString typed = m_fileName->text();
    const QString chosen =
        PromptGeneratorFileName(this, typed.isEmpty() ? m_defaultFileName : typed, LoadString(StringId::CsvFileFilter),
                                LoadString(StringId::CsvExtension));
    if (!chosen.isEmpty())
        m_fileName->setText(chosen);
}

void CDecisionTblMakeDlg::accept() {
    DecisionTableDialogChoice choice;
    choice.fileName = m_fileName->text();
    choice.scope = m_scope[1]->isChecked() ? 1 : m_scope[2]->isChecked() ? 2 : 0;
    choice.omitRedundancy = m_omitRedundancy->isChecked();
    choice.rows = m_rows->isChecked();
    choice.conclusionFirst = m_first->isChecked();
    choice.session.consequentsByCharacterCode = m_consequentsByCode->isChecked() ? 1 : 0;
    choice.session.antecedentsByCharacterCode = m_antecedentsByCode->isChecked() ? 1 : 0;
    choice.session.traceabilityRows = m_traceability->isChecked() ? 1 : 0;
    // The table is made on the worker behind the progress dialog, which takes the input meanwhile; the window is
    // painted and Cancel answers.
    const DecisionTableJobRunner onWorker = [this](const std::function<void(CInspectionProgress&)>& job) {
        m_host.SetInspectionWorkerRunning(true);
        const bool ran =
            CCheckThreadDialog::RunJob(this, m_host.InspectionRunner(),
                                       LoadString(StringId::DecisionTableRunningCaption), DecisionTablePhaseCount, job);
        m_host.SetInspectionWorkerRunning(false);
        return ran;
    };
    bool stored = false;
    const GeneratorOkResult result = AcceptDecisionTableDialog(
        m_host.GeneratedDocument(), m_host.DecisionTableChoices(), choice, m_host.ActiveFunction(), stored, onWorker);
    if (stored)
        m_host.SetGeneratedDocumentModified();
    if (result != GeneratorOkResult::KeepOpen)
        QDialog::accept();
}
