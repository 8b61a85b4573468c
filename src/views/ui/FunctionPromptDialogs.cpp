#include "views/ui/FunctionPromptDialogs.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "views/FunctionPrompts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* AddButtons(QDialog& dialog, QVBoxLayout& layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    return buttons->button(QDialogButtonBox::Ok);
}

} // namespace

CFunctionNameprompt::CFunctionNameprompt(const CDocumentData& document, bool isolating, const QString& name,
                                         QWidget* parent)
    : QDialog(parent), m_document(document), m_isolating(isolating) {
    setWindowTitle(LoadString(isolating ? StringId::IsolatePromptTitle : StringId::NamePromptTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(LoadString(isolating ? StringId::IsolatePromptLabel : StringId::NamePromptLabel)));
    m_field = new CNameEdit(CUnitFunction::MaxTypedNameLength, this);
    layout->addWidget(m_field);
    m_ok = AddButtons(*this, *layout);
    if (isolating) {
        m_field->SetName(name);
        const auto enable = [this] { m_ok->setEnabled(!m_field->text().isEmpty()); };
        connect(m_field, &QLineEdit::textChanged, this, enable);
        enable();
    }
    m_field->setFocus();
}

void CFunctionNameprompt::accept() {
    m_name = m_field->Name();
    const QString refusal = CFunctionPrompts::NameRefusal(
        m_name, m_document.registry, m_document.environment.enableDuplicateFunctionName != 0, !m_isolating);
    if (!refusal.isEmpty()) {
        platform::ShowMessageBox(refusal, platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return;
    }
    QDialog::accept();
}

CFunctionMoveWindow::CFunctionMoveWindow(CDocumentData& document, CAbstractIndexItem& item, QWidget* parent)
    : QDialog(parent), m_document(document), m_item(item) {
    setWindowTitle(LoadString(StringId::MovePromptTitle));
    auto* layout = new QVBoxLayout(this);
    m_field = new QLineEdit(item.GetOutlineNumberString(), this);
    layout->addWidget(m_field);
    m_ok = AddButtons(*this, *layout);
    m_ok->setEnabled(false);
    connect(m_field, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(CFunctionPrompts::CanMoveTo(text)); });
}

void CFunctionMoveWindow::setVisible(bool visible) {
    if (visible)
        m_field->setFocus(Qt::OtherFocusReason);
    // Shown, the dialog tabs into its focus field, which selects the whole number: the caret stands at its end.
    QDialog::setVisible(visible);
    if (visible)
        m_field->end(false);
}

void CFunctionMoveWindow::accept() {
    bool moved = false;
    CAbstractIndexItem::MoveToOutlineNumber(m_document, m_item, m_field->text(), moved, m_document.GetModelOptions());
    if (moved)
        QDialog::accept();
}
