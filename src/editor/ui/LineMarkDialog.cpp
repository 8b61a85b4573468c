#include "editor/ui/LineMarkDialog.h"

#include "model/LogicLine.h"
#include "platform/ui/DropEdit.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// The memo holds at most as many characters as a line stores. What would go past that is refused where it is
// typed, pasted or dropped: the caret stays where it is and nothing already there is lost. A paste puts in as much
// of its text as fits.
class LimitedMemoEdit : public QPlainTextEdit {
public:
    LimitedMemoEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), m_limit(limit) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (Room() < InsertedLength(*event)) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (!source || !source->hasText())
            return;
        const QString text = source->text().left(std::max(0, Room()));
        if (!text.isEmpty())
            textCursor().insertText(text);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        const int room = Room();
        if (event->commitString().size() <= room) {
            QPlainTextEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent fitted(event->preeditString(), event->attributes());
        fitted.setCommitString(event->commitString().left(std::max(0, room)), event->replacementStart(),
                               event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&fitted);
        event->accept();
    }

private:
    // How many characters may still go in where the selection stands, which they replace.
    int Room() const {
        const int length = static_cast<int>(toPlainText().size());
        return m_limit - length + static_cast<int>(textCursor().selectedText().size());
    }

    // The characters a key puts in: a line break for Return, the key's printable text otherwise.
    static int InsertedLength(const QKeyEvent& event) {
        if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return 0;
        if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
            return 1;
        const QString text = event.text();
        return !text.isEmpty() && text.front().isPrint() ? static_cast<int>(text.size()) : 0;
    }

    int m_limit;
};

} // namespace

CLineMarkDialog::CLineMarkDialog(const QString& memo, const std::array<QString, 3>& files,
                                 std::function<void(const QString&)> openLink, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(LoadString(StringId::LineMarkDialogTitle));
    auto* layout = new QGridLayout(this);
    m_memo = new LimitedMemoEdit(CLogicLine::MaxMemoLength, this);
    m_memo->setPlainText(memo.left(CLogicLine::MaxMemoLength));
    // As in every dialog, Tab goes on to the next field.
    m_memo->setTabChangesFocus(true);
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
