#pragma once

#include <QDialog>

class CGeneratorCommandHost;
class QLineEdit;

// Export, import and list of the traceability matrix; each action that succeeds closes the dialog.
class CTraceabilityPage : public QDialog {
    Q_OBJECT
public:
    explicit CTraceabilityPage(CGeneratorCommandHost& host, QWidget* parent = nullptr);

    QLineEdit* ExportFileEdit() const { return m_exportFile; }
    QLineEdit* ImportFileEdit() const { return m_importFile; }

    void OnBnClickedTraceabilityExportExecuteButton();
    void OnBnClickedTraceabilityImportExecuteButton();
    void OnBnClickedTraceabilityListButton();

private:
    CGeneratorCommandHost& m_host;
    QLineEdit* m_exportFile;
    QLineEdit* m_importFile;
};
