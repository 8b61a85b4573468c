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
#include <QScrollBar>
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
    setMouseTracking(true);
    connect(this, &QTextEdit::textChanged, this, &CFunctionContentView::ShowLinks);
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

bool CFunctionContentView::HasContentEdit() const {
    return document()->isModified() && ContentText() != m_function.header.contentText;
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

std::optional<ContentLink> CFunctionContentView::LinkAt(const QPoint& point) const {
    const QPointF inDocument = point + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    int position = document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    if (position < 0)
        return std::nullopt;
    // The hit is the caret position nearest the point: the character is the one before it when the point lies
    // left of that position.
    QTextCursor cursor(document());
    cursor.setPosition(position);
    if (position > 0 && point.x() < cursorRect(cursor).left())
        --position;
    return ContentLinkAt(toPlainText(), position);
}

void CFunctionContentView::ShowLinks() {
    QList<ExtraSelection> shown;
    QTextCharFormat format;
    format.setForeground(palette().link());
    format.setFontUnderline(true);
    format.setAnchor(true);
    for (const ContentLink& link : FindContentLinks(toPlainText())) {
        QTextCursor cursor(document());
        cursor.setPosition(static_cast<int>(link.start));
        cursor.setPosition(static_cast<int>(link.start + link.length), QTextCursor::KeepAnchor);
        shown.append({cursor, format});
    }
    setExtraSelections(shown);
}

void CFunctionContentView::mousePressEvent(QMouseEvent* event) {
    const std::optional<ContentLink> link =
        event->button() == Qt::LeftButton ? LinkAt(event->position().toPoint()) : std::nullopt;
    if (!link) {
        CRichEditCtrlEx::mousePressEvent(event);
        return;
    }
    // A press on a link selects what it walked and opens it.
    event->accept();
    const ContentLinkTarget target = ReadContentLinkTarget(toPlainText(), link->start);
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(link->start));
    cursor.setPosition(static_cast<int>(link->start + target.walked), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    m_host.OpenLink(target.target);
}

void CFunctionContentView::mouseMoveEvent(QMouseEvent* event) {
    CRichEditCtrlEx::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton)
        viewport()->setCursor(LinkAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::IBeamCursor);
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
