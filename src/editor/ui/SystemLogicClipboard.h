#pragma once

#include "editor/LogicClipboard.h"

class QMimeData;

// The logic editor's clipboard on the desktop's clipboard: plain text with the line block beside it. While a
// drop is pasted, the dropped data stand in for the clipboard, so that a drop passes the same filter as a paste.
class CSystemLogicClipboard : public CLogicClipboard {
public:
    using CLogicClipboard::SetContent;
    bool HasText() const override;
    QString Text() const override;
    QByteArray LineBlock() const override;
    QByteArray LineBlockSource() const override;
    void SetContent(const QString& text, const QByteArray& lineBlock, const QByteArray& source) override;

    // Data read instead of the clipboard until reset to null; not owned.
    void SetDroppedData(const QMimeData* data) { m_dropped = data; }

private:
    const QMimeData* Data() const;

    const QMimeData* m_dropped = nullptr;
};
