#pragma once

#include <QDialog>

#include <vector>

class CUnitFunction;
class CVersionCommandHost;
class QComboBox;
class QLineEdit;

// The merge of the unit functions of another document file: they are added below the destination unit function
// chosen here, and the result is said.
class CDlgFileAdd : public QDialog {
    Q_OBJECT
public:
    explicit CDlgFileAdd(CVersionCommandHost& host, QWidget* parent = nullptr);

    QLineEdit* FileEdit() const { return m_file; }
    QComboBox* DestinationBox() const { return m_destination; }

    void accept() override;

private:
    CVersionCommandHost& m_host;
    QLineEdit* m_file;
    QComboBox* m_destination;
    std::vector<CUnitFunction*> m_destinations; // in the order of the box
};
