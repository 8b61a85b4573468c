#include "views/ui/MemoView.h"

#include "model/DocumentData.h"
#include "texts/StringTable.h"
#include "views/ViewHost.h"
#include "views/ui/ViewWidgets.h"

#include <QDropEvent>
#include <QMimeData>

CMemoView::CMemoView(CViewHost& host, QWidget* parent) : QTextEdit(parent), m_host(host) {
    setWindowTitle(LoadString(StringId::NotesTitle));
    setAcceptRichText(false);
    setMinimumSize(200, 200);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_updating && m_host.HasDocument())
            m_host.SetNotesText(toPlainText());
    });
    OnUpdate();
}

void CMemoView::OnUpdate() {
    m_updating = true;
    if (!m_host.HasDocument()) {
        clear();
        ApplyCharFormat();
        setReadOnly(true);
    } else {
        const CDocumentData& document = m_host.Document();
        setPlainText(document.MemoText);
        ApplyCharFormat(&document.memoFont);
        setReadOnly(false);
    }
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    m_updating = false;
}

void CMemoView::ApplyCharFormat(const FontSetting* font) {
    if (font)
        m_font = *font;
    const bool updating = std::exchange(m_updating, true);
    QTextCharFormat format;
    format.setFont(ViewWidgets::FontOf(m_font));
    const quint32 colour = m_font.colour;
    format.setForeground(QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
    setCurrentCharFormat(format);
    document()->clearUndoRedoStacks();
    m_updating = updating;
}

bool CMemoView::canInsertFromMimeData(const QMimeData* source) const {
    // Files insert nothing; text arrives plain.
    return source->hasText() && !source->hasUrls();
}

void CMemoView::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && !source->hasUrls())
        textCursor().insertText(source->text());
}

// A drop is refused: the window under the pane may take it.
void CMemoView::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void CMemoView::dragMoveEvent(QDragMoveEvent* event) {
    event->ignore();
}

void CMemoView::dropEvent(QDropEvent* event) {
    event->ignore();
}
