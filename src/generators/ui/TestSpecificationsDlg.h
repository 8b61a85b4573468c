#pragma once

#include <QDialog>

class CGeneratorCommandHost;
class QLineEdit;

// The file name of the test-specification draft; OK checks and stores it.
class CTestSpecificationsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTestSpecificationsDlg(CGeneratorCommandHost& host, QWidget* parent = nullptr);

    QLineEdit* FileNameEdit() const { return m_fileName; }
    void accept() override;

private:
    CGeneratorCommandHost& m_host;
    QLineEdit* m_fileName;
};

// The command: the dialog, then, when it closed with OK, the draft written to the stored name.
void RunTestSpecificationCommand(CGeneratorCommandHost& host);
