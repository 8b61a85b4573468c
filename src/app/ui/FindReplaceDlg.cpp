#include "app/ui/FindReplaceDlg.h"

#include "texts/Msg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFindReplaceDlg::CFindReplaceDlg(const CMessageContext& context, bool replace, CModelessDialogs& dialogs,
                                 QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_find(new QLineEdit(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(replace ? Msg::Replace(context) : Msg::Find(context));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Msg::FindWhat(context), this), 0, 0);
    layout->addWidget(m_find, 0, 1);
    // Made before the buttons beside them, so that Tab reaches the boxes first.
    if (replace) {
        m_replace = new QLineEdit(this);
        layout->addWidget(new QLabel(Msg::ReplaceWith(context), this), 1, 0);
        layout->addWidget(m_replace, 1, 1);
    }
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* find = buttons->addButton(Msg::Find(context), QDialogButtonBox::ActionRole);
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, [this] { emit FindNextRequested(m_find->text()); });
    if (replace) {
        QPushButton* replaceButton = buttons->addButton(Msg::Replace(context), QDialogButtonBox::ActionRole);
        connect(replaceButton, &QPushButton::clicked, this,
                [this] { emit ReplaceRequested(m_find->text(), m_replace->text()); });
    }
    QPushButton* closeButton = buttons->addButton(Msg::Close(context), QDialogButtonBox::RejectRole);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(buttons, 0, 2, 2, 1);
}

CFindReplaceDlg::~CFindReplaceDlg() {
    m_dialogs.Remove(*this);
}

void CFindReplaceDlg::ShowDialog() {
    show();
    raise();
    activateWindow();
    m_find->setFocus();
}
