#pragma once

#include <QObject>
#include <QTextObjectInterface>

class QTextCursor;

// Draws, in a text, the box that stands for an object embedded in a content text: the object itself stays in
// the document as it was read, and the box says how many bytes it holds.
class CEmbeddedObjectPlaceholder : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int ObjectType = QTextFormat::UserObject + 1;
    static constexpr int SizeProperty = QTextFormat::UserProperty + 1;

    using QObject::QObject;

    // Inserts the box for an object of `bytes` bytes at the cursor.
    static void Insert(QTextCursor& cursor, qint64 bytes);
    static QString Caption(qint64 bytes);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};
