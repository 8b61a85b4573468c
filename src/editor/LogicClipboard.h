#pragma once

#include <QByteArray>
#include <QString>

// The clipboard as the logic editor sees it: plain text and, beside it, a block of whole line records under
// the editor's own MIME type. The widget installs one on the system clipboard; tools and tests keep it in
// the process.
class CLogicClipboard {
public:
    static constexpr const char* LineBlockMimeType = "application/x-nuv-logic-lines";
    // Beside the line block: which open document it was copied from.
    static constexpr const char* LineBlockSourceMimeType = "application/x-nuv-logic-lines-source";

    virtual ~CLogicClipboard() = default;
    // False when the clipboard cannot be opened.
    virtual bool IsAvailable() const { return true; }
    virtual bool HasText() const = 0;
    virtual QString Text() const = 0;
    virtual QByteArray LineBlock() const = 0; // empty without one
    // The document the line block came from; empty when it is not known.
    virtual QByteArray LineBlockSource() const = 0;
    // Replaces the whole content: the text and, when not empty, the line block beside it and where it came from.
    virtual void SetContent(const QString& text, const QByteArray& lineBlock, const QByteArray& source) = 0;
    void SetContent(const QString& text, const QByteArray& lineBlock) { SetContent(text, lineBlock, {}); }
};

// A clipboard that lives in the process.
class CProcessClipboard : public CLogicClipboard {
public:
    using CLogicClipboard::SetContent;
    bool HasText() const override { return m_hasText; }
    QString Text() const override { return m_text; }
    QByteArray LineBlock() const override { return m_lineBlock; }
    QByteArray LineBlockSource() const override { return m_lineBlock.isEmpty() ? QByteArray() : m_source; }
    void SetContent(const QString& text, const QByteArray& lineBlock, const QByteArray& source) override {
        m_text = text;
        m_hasText = true;
        m_lineBlock = lineBlock;
        m_source = source;
    }

private:
    QString m_text;
    bool m_hasText = false;
    QByteArray m_lineBlock;
    QByteArray m_source;
};
