#pragma once

#include <QDialog>

class QPlainTextEdit;
struct CMessageContext;

// The reason of a unit function in a box of several lines; the header form stores what OK leaves.
class CReasoningDlg : public QDialog {
    Q_OBJECT
public:
    CReasoningDlg(const QString& reason, const CMessageContext& messages, QWidget* parent = nullptr);
    QString ReasonText() const;

private:
    QPlainTextEdit* m_edit = nullptr;
};
