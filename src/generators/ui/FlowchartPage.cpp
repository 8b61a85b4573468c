#include "generators/ui/FlowchartPage.h"

#include "generators/TraceabilityMatrix.h"
#include "generators/ui/GeneratorCommands.h"
#include "model/DocumentData.h"
#include "model/FileUtilities.h"
#include "platform/ui/DropEdit.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFlowchartPage::CFlowchartPage(CGeneratorCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_names(host.GeneratedDocument().FlowchartName) {
    const CMessageContext& context = host.MessageContext();
    const FileNameSettings& names = host.GeneratedDocument().fileNames;
    setWindowTitle(Msg::ProcessMatrix(context));
    m_fileName =
        new CDropEdit(names.flowchartFileName.isEmpty()
                          ? MakeFileNameWithExtension(host.GeneratedDocumentPath(), LoadString(StringId::CsvExtension),
                                                      LoadString(StringId::ProcessMatrixObject))
                          : names.flowchartFileName);
    auto* browse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = PromptGeneratorFileName(this, m_fileName->text(), LoadString(StringId::CsvFileFilter),
                                                       LoadString(StringId::CsvExtension));
        if (!chosen.isEmpty())
            m_fileName->setText(chosen);
    });
    m_list = new QListWidget;
    m_name = new QLineEdit;
    m_name->setMaxLength(MaxFlowchartNameLength);
    auto* defaults = new QPushButton(LoadString(StringId::DefaultButton));
    connect(defaults, &QPushButton::clicked, this, [this] {
        ResetProcessNames(m_names);
        ShowNames();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &CFlowchartPage::OnSelection);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int row = m_list->currentRow();
        if (row < 0)
            return;
        m_names[static_cast<size_t>(row)] = text.left(MaxFlowchartNameLength);
        m_list->item(row)->setText(FormatProcessEntry(row + 1, m_names[static_cast<size_t>(row)]));
    });
    m_kind[ProcessRowsBoth] = new QRadioButton(Msg::FunctionAndRequirement(context));
    m_kind[ProcessRowsRequirements] = new QRadioButton(Msg::RequirementPlural(context));
    m_kind[ProcessRowsFunctions] = new QRadioButton(Msg::FunctionPlural(context));
    const int kind = names.flowchartColumnOption;
    m_kind[kind >= ProcessRowsRequirements && kind <= ProcessRowsBoth ? kind : ProcessRowsBoth]->setChecked(true);
    auto* kinds = new QGroupBox(Msg::Rows(context));
    auto* kindLayout = new QVBoxLayout(kinds);
    for (int k : {ProcessRowsBoth, ProcessRowsRequirements, ProcessRowsFunctions})
        kindLayout->addWidget(m_kind[k]);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Msg::FileName(context)));
    row->addWidget(m_fileName, 1);
    row->addWidget(browse);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(LoadString(StringId::ProcessNameLabel)));
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(defaults);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFlowchartPage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFlowchartPage::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Msg::ProcessManagementTableExplanation(context)));
    layout->addLayout(row);
    layout->addWidget(kinds);
    layout->addWidget(m_list, 1);
    layout->addLayout(nameRow);
    layout->addWidget(buttons);
    ShowNames();
}

void CFlowchartPage::ShowNames() {
    const int selected = m_list->currentRow();
    m_list->clear();
    for (int i = 0; i < FlowchartNameCount; ++i)
        m_list->addItem(FormatProcessEntry(i + 1, m_names[static_cast<size_t>(i)]));
    m_list->setCurrentRow(selected);
    OnSelection();
}

void CFlowchartPage::OnSelection() {
    const int row = m_list->currentRow();
    m_name->setReadOnly(row < 0);
    m_name->setText(row < 0 ? QString() : m_names[static_cast<size_t>(row)]);
}

void CFlowchartPage::accept() {
    CDocumentData& data = m_host.GeneratedDocument();
    if (data.FlowchartName != m_names) {
        data.FlowchartName = m_names;
        m_host.SetGeneratedDocumentModified();
    }
    int kind = ProcessRowsBoth;
    for (int k : {ProcessRowsRequirements, ProcessRowsFunctions, ProcessRowsBoth}) {
        if (m_kind[k]->isChecked())
            kind = k;
    }
    if (TraceabilityMatrix(data, m_host.GeneratedDocumentPath(), m_host.MessageContext())
            .ExportProcessMatrix(m_fileName->text(), kind))
        QDialog::accept();
}
