#pragma once

#include "generators/DecisionTableMaker.h"

#include <QDialog>

class CGeneratorCommandHost;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The decision-table dialog: output file, scope, redundancy, orders and layout; OK stores the choices and makes
// the table on the window's worker with the progress dialog, and closes unless the maker refused or was cancelled.
class CDecisionTblMakeDlg : public QDialog {
    Q_OBJECT
public:
    CDecisionTblMakeDlg(CGeneratorCommandHost& host, QWidget* parent = nullptr);

    // 1 rows with the conclusion first, 2 rows with it last, 3 columns first, 4 columns last.
    int SampleIndex() const;
    QLineEdit* FileNameEdit() const { return m_fileName; }

    void accept() override;

private:
    void OnBrowse();
    void UpdateSamplePicture();

    CGeneratorCommandHost& m_host;
    QString m_defaultFileName; // beside the document, proposed while the file name is empty
    QLineEdit* m_fileName;
    QRadioButton* m_scope[3];
    QCheckBox* m_omitRedundancy;
    QCheckBox* m_traceability;
    QRadioButton* m_consequentsByCode;
    QRadioButton* m_antecedentsByCode;
    QRadioButton* m_rows;
    QRadioButton* m_first;
    QLabel* m_sample;
};
