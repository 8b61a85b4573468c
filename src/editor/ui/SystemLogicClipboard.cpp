#include "editor/ui/SystemLogicClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

const QMimeData* CSystemLogicClipboard::Data() const {
    if (m_dropped)
        return m_dropped;
    return QGuiApplication::clipboard()->mimeData();
}

bool CSystemLogicClipboard::HasText() const {
    const QMimeData* data = Data();
    return data && data->hasText();
}

QString CSystemLogicClipboard::Text() const {
    const QMimeData* data = Data();
    return data ? data->text() : QString();
}

QByteArray CSystemLogicClipboard::LineBlock() const {
    const QMimeData* data = Data();
    return data ? data->data(QString::fromLatin1(LineBlockMimeType)) : QByteArray();
}

QByteArray CSystemLogicClipboard::LineBlockSource() const {
    const QMimeData* data = Data();
    return data ? data->data(QString::fromLatin1(LineBlockSourceMimeType)) : QByteArray();
}

void CSystemLogicClipboard::SetContent(const QString& text, const QByteArray& lineBlock, const QByteArray& source) {
    auto* data = new QMimeData;
    data->setText(text);
    if (!lineBlock.isEmpty()) {
        data->setData(QString::fromLatin1(LineBlockMimeType), lineBlock);
        if (!source.isEmpty())
            data->setData(QString::fromLatin1(LineBlockSourceMimeType), source);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}
