#include "editor/ui/ReasoningDlg.h"

#include "editor/ui/DocumentFontResolver.h"
#include "model/FontSetting.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CReasoningDlg::CReasoningDlg(const QString& reason, const CMessageContext& messages, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Msg::Reason(messages));
    m_edit = new QPlainTextEdit(this);
    QFont font = MakeDocumentFont(FontSetting(), messages.m_language == 1);
    font.setPointSizeF(10.5);
    m_edit->setFont(font);
    m_edit->setPlainText(reason);
    // As in every dialog, Tab goes on to the buttons.
    m_edit->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    m_edit->setFocus();
}

QString CReasoningDlg::ReasonText() const {
    return m_edit->toPlainText();
}
