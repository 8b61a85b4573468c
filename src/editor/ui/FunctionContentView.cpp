#include "editor/ui/FunctionContentView.h"

#include "editor/ContentLink.h"
#include "editor/FunctionFormHost.h"
#include "editor/ui/DocumentFontResolver.h"
#include "editor/ui/EmbeddedObjectPlaceholder.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

CFunctionContentView::CFunctionContentView(CDocumentData& document, CUnitFunction& function, CFunctionFormHost& host,
                                           QWidget* parent)
    : CRichEditCtrlEx(parent), m_document(document), m_function(function), m_host(host) {
    setObjectName(QStringLiteral("CFunctionContentView"));
    setReadOnly(false);
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setUndoRedoEnabled(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    this->document()->documentLayout()->registerHandler(CEmbeddedObjectPlaceholder::ObjectType,
                                                        new CEmbeddedObjectPlaceholder(this));
    Fill();
}

void CFunctionContentView::Fill() {
    const FontSetting& setting = m_document.fonts.ExplanationFont;
    const QFont font = MakeDocumentFont(setting, m_document.documentLanguage == 1);
    document()->setDefaultFont(font);
    clear();
    QTextCharFormat format;
    format.setFont(font);
    const quint32 colour = setting.colour;
    format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    QTextCursor cursor(document());
    cursor.insertText(m_function.header.contentText, format);
    if (!m_function.header.objectData.isEmpty()) {
        if (!m_function.header.contentText.isEmpty())
            cursor.insertBlock();
        CEmbeddedObjectPlaceholder::Insert(cursor, m_function.header.objectData.size());
    }
    setCurrentCharFormat(format);
    moveCursor(QTextCursor::Start);
    // Showing the content is no edit to take back.
    document()->clearUndoRedoStacks();
    document()->setModified(false);
}

QString CFunctionContentView::ContentText() const {
    QString text = toPlainText();
    const QChar box = QChar::ObjectReplacementCharacter;
    // The box stands on a line of its own after the text.
    text.remove(QString(u'\n') + box);
    text.remove(box);
    return text;
}

bool CFunctionContentView::StoreContent() {
    if (!document()->isModified())
        return false;
    document()->setModified(false);
    const QString text = ContentText();
    if (text == m_function.header.contentText)
        return false;
    m_function.header.contentText = text;
    m_host.FunctionHeaderChanged(m_function);
    return true;
}

void CFunctionContentView::RunContextMenuCommand(int command) {
    if (command != ContentMenuFont) {
        CRichEditCtrlEx::RunContextMenuCommand(command);
        return;
    }
    platform::ShowMessageBox(LoadString(StringId::ContentFontNotKept), platform::MessageButtons::Ok,
                             platform::MessageIcon::Information);
}

void CFunctionContentView::focusOutEvent(QFocusEvent* event) {
    CRichEditCtrlEx::focusOutEvent(event);
    StoreContent();
}

void CFunctionContentView::mouseReleaseEvent(QMouseEvent* event) {
    CRichEditCtrlEx::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || textCursor().hasSelection())
        return;
    const int position = cursorForPosition(event->position().toPoint()).position();
    const QString link = LinkTextAt(toPlainText(), position);
    if (!link.isEmpty())
        m_host.OpenLink(link, event->modifiers());
}

bool CFunctionContentView::canInsertFromMimeData(const QMimeData* source) const {
    // Dropped files insert nothing here: the main window opens a dropped document.
    return source->hasText() && !source->hasUrls();
}

void CFunctionContentView::insertFromMimeData(const QMimeData* source) {
    // The content is stored as plain text: what is pasted is its text.
    if (canInsertFromMimeData(source))
        textCursor().insertText(source->text());
}
