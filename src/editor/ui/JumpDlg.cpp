#include "editor/ui/JumpDlg.h"

#include "editor/EditorDialogRules.h"
#include "texts/Msg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CJumpDlg::CJumpDlg(int lineCount, const CMessageContext& messages, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Msg::Jump(messages));
    m_edit = new QLineEdit(this);
    m_edit->setMaxLength(9);
    m_label = JumpLabel(messages, lineCount);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(m_label, m_edit);
    layout->addRow(buttons);
}

void CJumpDlg::accept() {
    m_lineNumber = ParseJumpLineNumber(m_edit->text());
    QDialog::accept();
}
