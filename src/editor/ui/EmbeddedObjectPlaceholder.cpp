#include "editor/ui/EmbeddedObjectPlaceholder.h"

#include "texts/StringTable.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr qreal kPadding = 4.0;

} // namespace

void CEmbeddedObjectPlaceholder::Insert(QTextCursor& cursor, qint64 bytes) {
    QTextCharFormat format;
    format.setObjectType(ObjectType);
    format.setProperty(SizeProperty, bytes);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

QString CEmbeddedObjectPlaceholder::Caption(qint64 bytes) {
    return LoadString(StringId::EmbeddedObjectPlaceholder).arg(bytes);
}

QSizeF CEmbeddedObjectPlaceholder::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    const QFontMetricsF metrics(document->defaultFont());
    const QString caption = Caption(format.property(SizeProperty).toLongLong());
    return {metrics.horizontalAdvance(caption) + 2 * kPadding, metrics.height() + 2 * kPadding};
}

void CEmbeddedObjectPlaceholder::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                                            const QTextFormat& format) {
    painter->save();
    painter->setFont(document->defaultFont());
    painter->setPen(QColor(0x60, 0x60, 0x60));
    painter->setBrush(QColor(0xF0, 0xF0, 0xF0));
    painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter->drawText(rect, Qt::AlignCenter, Caption(format.property(SizeProperty).toLongLong()));
    painter->restore();
}
