#pragma once

#include <QDialog>

class QLineEdit;
struct CMessageContext;

// Go to a line of the logic description: the caller reads the line number after OK (-1 for an empty box;
// the editor clamps it to its lines).
class CJumpDlg : public QDialog {
    Q_OBJECT
public:
    CJumpDlg(int lineCount, const CMessageContext& messages, QWidget* parent = nullptr);

    int LineNumber() const { return m_lineNumber; }
    QString LabelText() const { return m_label; }
    QLineEdit& Box() const { return *m_edit; }

    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    QString m_label;
    int m_lineNumber = -1;
};
