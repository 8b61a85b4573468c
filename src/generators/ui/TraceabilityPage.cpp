#include "generators/ui/TraceabilityPage.h"

#include "generators/TraceabilityMatrix.h"
#include "generators/ui/GeneratorCommands.h"
#include "model/DocumentData.h"
#include "model/FileUtilities.h"
#include "platform/ui/DropEdit.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CTraceabilityPage::CTraceabilityPage(CGeneratorCommandHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Traceability(context));
    const FileNameSettings& names = host.GeneratedDocument().fileNames;
    m_exportFile =
        new CDropEdit(names.traceExportFileName.isEmpty()
                          ? MakeFileNameWithExtension(host.GeneratedDocumentPath(), LoadString(StringId::CsvExtension),
                                                      LoadString(StringId::TraceabilityObject))
                          : names.traceExportFileName);
    m_importFile = new CDropEdit(names.traceImportFileName);
    auto* exportBrowse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(exportBrowse, &QPushButton::clicked, this, [this] {
        const QString chosen = PromptGeneratorFileName(this, m_exportFile->text(), LoadString(StringId::CsvFileFilter),
                                                       LoadString(StringId::CsvExtension));
        if (!chosen.isEmpty())
            m_exportFile->setText(chosen);
    });
    auto* importBrowse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(importBrowse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getOpenFileName(this, QString(), m_importFile->text(), LoadString(StringId::CsvFileFilter));
        if (!chosen.isEmpty())
            m_importFile->setText(chosen);
    });
    auto* exportButton = new QPushButton(LoadString(StringId::ExportButton));
    connect(exportButton, &QPushButton::clicked, this, &CTraceabilityPage::OnBnClickedTraceabilityExportExecuteButton);
    auto* importButton = new QPushButton(LoadString(StringId::ImportButton));
    connect(importButton, &QPushButton::clicked, this, &CTraceabilityPage::OnBnClickedTraceabilityImportExecuteButton);
    auto* listButton = new QPushButton(Msg::ShowList(context));
    connect(listButton, &QPushButton::clicked, this, &CTraceabilityPage::OnBnClickedTraceabilityListButton);
    auto* closeButton = new QPushButton(LoadString(StringId::CloseButton));
    connect(closeButton, &QPushButton::clicked, this, &CTraceabilityPage::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Msg::FunctionRequirementMappingExplanation(context)), 0, 0, 1, 3);
    layout->addWidget(m_exportFile, 1, 0);
    layout->addWidget(exportBrowse, 1, 1);
    layout->addWidget(exportButton, 1, 2);
    layout->addWidget(m_importFile, 2, 0);
    layout->addWidget(importBrowse, 2, 1);
    layout->addWidget(importButton, 2, 2);
    layout->addWidget(listButton, 3, 0);
    layout->addWidget(closeButton, 3, 2);
    resize(560, sizeHint().height());
}

void CTraceabilityPage::OnBnClickedTraceabilityExportExecuteButton() {
    TraceabilityMatrix matrix(m_host.GeneratedDocument(), m_host.GeneratedDocumentPath(), m_host.MessageContext());
    const bool written = matrix.Export(m_exportFile->text());
    m_host.SetGeneratedDocumentModified();
    if (written)
        accept();
}

void CTraceabilityPage::OnBnClickedTraceabilityImportExecuteButton() {
    m_host.ShowInspectionPane();
    TraceabilityMatrix matrix(m_host.GeneratedDocument(), m_host.GeneratedDocumentPath(), m_host.MessageContext());
    const bool imported =
        matrix.Import(m_importFile->text(), m_host.InspectionPane()) == TraceabilityMatrix::ImportResult::Imported;
    m_host.SetGeneratedDocumentModified();
    if (imported)
        accept();
}

void CTraceabilityPage::OnBnClickedTraceabilityListButton() {
    m_host.ShowInspectionPane();
    TraceabilityMatrix(m_host.GeneratedDocument(), m_host.GeneratedDocumentPath(), m_host.MessageContext())
        .ShowList(m_host.InspectionPane());
    accept();
}
