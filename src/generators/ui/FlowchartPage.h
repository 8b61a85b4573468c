#pragma once

#include "model/GeneratorTables.h"

#include <QDialog>

class CGeneratorCommandHost;
class QLineEdit;
class QListWidget;
class QRadioButton;

// The process matrix: the 16 process names, the row kind and the output file; OK writes the matrix.
class CFlowchartPage : public QDialog {
    Q_OBJECT
public:
    explicit CFlowchartPage(CGeneratorCommandHost& host, QWidget* parent = nullptr);

    QLineEdit* FileNameEdit() const { return m_fileName; }
    QLineEdit* NameEdit() const { return m_name; }
    QListWidget* ProcessList() const { return m_list; }
    void accept() override;

private:
    void ShowNames();
    void OnSelection();

    CGeneratorCommandHost& m_host;
    FlowchartNames m_names;
    QLineEdit* m_fileName;
    QListWidget* m_list;
    QLineEdit* m_name;
    QRadioButton* m_kind[3];
};
