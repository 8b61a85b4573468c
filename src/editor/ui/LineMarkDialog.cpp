#include "editor/ui/LineMarkDialog.h"

#include "model/LogicLine.h"
#include "platform/ui/DropEdit.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

CLineMarkDialog::CLineMarkDialog(const QString& memo, const std::array<QString, 3>& files,
                                 std::function<void(const QString&)> openLink, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(LoadString(StringId::LineMarkDialogTitle));
    auto* layout = new QGridLayout(this);
    m_memo = new QPlainTextEdit(this);
    m_memo->setPlainText(memo.left(CLogicLine::MaxMemoLength));
    // As in every dialog, Tab goes on to the next field.
    m_memo->setTabChangesFocus(true);
    // The memo holds at most as many characters as a line stores.
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_memo->toPlainText();
        if (text.size() > CLogicLine::MaxMemoLength)
            m_memo->setPlainText(text.left(CLogicLine::MaxMemoLength));
    });
    layout->addWidget(m_memo, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = m_files[static_cast<size_t>(i)] = new CDropEdit(this);
        box->setText(files[static_cast<size_t>(i)]);
        box->setMaxLength(CLogicLine::MaxUrlLength);
        box->setDragEnabled(true);
        auto* open = new QPushButton(LoadString(StringId::LineMarkOpen), this);
        connect(open, &QPushButton::clicked, this, [box, openLink] {
            if (!box->text().isEmpty())
                openLink(box->text());
        });
        layout->addWidget(box, i + 1, 0);
        layout->addWidget(open, i + 1, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* remove = buttons->addButton(LoadString(StringId::LineMarkDelete), QDialogButtonBox::DestructiveRole);
    connect(remove, &QPushButton::clicked, this, [this] { done(DeleteMarks); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 4, 0, 1, 2);
}

QString CLineMarkDialog::Memo() const {
    return m_memo->toPlainText();
}

std::array<QString, 3> CLineMarkDialog::Files() const {
    return {m_files[0]->text(), m_files[1]->text(), m_files[2]->text()};
}
