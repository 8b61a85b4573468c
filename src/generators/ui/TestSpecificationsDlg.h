#pragma once

#include <QDialog>

class CGeneratorCommandHost;
class QLineEdit;

// The file name of the test-specification draft; OK checks and stores it, and then writes the draft.
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
