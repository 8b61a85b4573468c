#include "platform/CodePageTextFile.h"

#include "platform/UserFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <new>

namespace platform {

namespace {

constexpr char CodePage[] = "CP932";

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// The negation sign has no CP932 code of its own; the platform's best fit wrote it as the full-width sign.
QChar BestFit(QChar c) {
    return c == QChar(0x00AC) ? QChar(0xFFE2) : c;
}

// Whether the bytes are UTF-8 as the standard allows it: no overlong form, no surrogate, nothing past U+10FFFF and
// no sequence cut short. Stops at the first byte that is not, which in CP932 text is the first non-ASCII one.
bool IsValidUtf8(QByteArrayView bytes) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (at < end) {
        const unsigned char lead = *at++;
        if (lead < 0x80)
            continue;
        int more = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        } else {
            return false;
        }
        if (end - at < more || *at < low || *at > high)
            return false;
        for (int i = 1; i < more; ++i) {
            if ((at[i] & 0xC0) != 0x80)
                return false;
        }
        at += more;
    }
    return true;
}

QString WithLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// The text with CR LF line ends, in CP932 when DecodeProcessCodePage reads exactly the text back from that, else in
// UTF-8 after the byte-order mark; `utf8` says which.
QByteArray EncodeToReadBack(const QString& text, bool& utf8) {
    QString prepared = text;
    prepared.replace('\n', QLatin1String("\r\n"));
    QStringEncoder encoder(CodePage);
    QByteArray bytes = encoder.encode(prepared);
    utf8 = encoder.hasError() || DecodeProcessCodePage(bytes) != text;
    return utf8 ? Utf8Mark + prepared.toUtf8() : bytes;
}

} // namespace

QByteArray EncodeProcessCodePage(const QString& text, qsizetype* replaced) {
    QString prepared;
    prepared.reserve(text.size() + text.count('\n'));
    for (QChar c : text) {
        if (c == '\n')
            prepared += '\r';
        prepared += BestFit(c);
    }
    QStringEncoder encoder(CodePage);
    QByteArray bytes = encoder.encode(prepared);
    if (!encoder.hasError())
        return bytes;
    // Rare: encode piecewise so that only the characters without a code are replaced.
    bytes.clear();
    for (qsizetype i = 0; i < prepared.size(); ++i) {
        qsizetype length = prepared[i].isHighSurrogate() && i + 1 < prepared.size() ? 2 : 1;
        QStringEncoder single(CodePage);
        QByteArray piece = single.encode(QStringView(prepared).mid(i, length));
        if (single.hasError() && replaced)
            ++*replaced;
        bytes += single.hasError() ? QByteArray("?") : piece;
        i += length - 1;
    }
    return bytes;
}

QString DecodeProcessCodePage(const QByteArray& bytes) {
    const QByteArrayView mark(Utf8Mark);
    QString text = bytes.startsWith(mark) ? QString::fromUtf8(bytes.sliced(mark.size()))
                   : IsValidUtf8(bytes)   ? QString::fromUtf8(bytes)
                                          : QStringDecoder(CodePage).decode(bytes);
    return WithLineFeeds(std::move(text));
}

QString ProcessCodePageForm(const QString& text) {
    return WithLineFeeds(QStringDecoder(CodePage).decode(EncodeProcessCodePage(text)));
}

CodePageTextFile::CodePageTextFile() = default;

CodePageTextFile::~CodePageTextFile() {
    Close();
}

bool CodePageTextFile::OpenForWriting(const QString& path, Fallback fallback) {
    Close();
    m_replaced = 0;
    m_fallback = fallback;
    m_wroteUtf8 = false;
    m_output = std::make_unique<FileReplacement>(path);
    m_refusal = FileReplacement::Refusal::None;
    m_errorText.clear();
    m_roomWanted.clear();
    if (!m_output->Open()) {
        m_refusal = m_output->Refused();
        m_errorText = m_output->ErrorText();
        m_output.reset();
        return false;
    }
    return true;
}

bool CodePageTextFile::OpenForReading(const QString& path, qint64 maxBytes) {
    Close();
    QFile file;
    return OpenRegularFileForReading(file, path) && OpenForReading(file, maxBytes);
}

bool CodePageTextFile::OpenForReading(QIODevice& device, qint64 maxBytes) {
    Close();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes;
    try {
        if (!ReadBounded(device, maxBytes, bytes))
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_text = DecodeProcessCodePage(bytes);
    return true;
}

void CodePageTextFile::WriteString(const QString& text) {
    if (!m_output) {
        m_writeFailed = true;
        return;
    }
    if (m_fallback == Fallback::Utf8)
        m_held += text;
    else
        WriteBytes(EncodeProcessCodePage(text, &m_replaced));
}

void CodePageTextFile::WriteEncoded(const QByteArray& bytes, qsizetype replaced) {
    if (!m_output || m_fallback == Fallback::Utf8) {
        m_writeFailed = true;
        return;
    }
    m_replaced += replaced;
    WriteBytes(bytes);
}

void CodePageTextFile::WriteBytes(const QByteArray& bytes) {
    if (!m_writeFailed && m_output->Device().write(bytes) != bytes.size()) {
        m_writeFailed = true;
        m_errorText = m_output->Device().errorString();
    }
}

bool CodePageTextFile::Commit() {
    if (!m_output)
        return false;
    if (m_fallback == Fallback::Utf8) {
        WriteBytes(EncodeToReadBack(m_held, m_wroteUtf8));
        m_held.clear();
    }
    // A content not fully written is dropped with the replacement, the file left as it was.
    const bool committed = !m_writeFailed && m_output->Commit();
    if (!m_writeFailed && !committed) {
        m_refusal = m_output->Refused();
        m_errorText = m_output->ErrorText();
        m_roomWanted = m_output->RoomWanted();
    }
    m_output.reset();
    m_writeFailed = false;
    return committed;
}

bool CodePageTextFile::ReadString(QStringView& line) {
    // A final line end closes the last line; it does not start an empty one.
    if (m_nextLine >= m_text.size())
        return false;
    qsizetype end = m_text.indexOf('\n', m_nextLine);
    if (end < 0)
        end = m_text.size();
    line = QStringView(m_text).mid(m_nextLine, end - m_nextLine);
    m_nextLine = end + 1;
    return true;
}

void CodePageTextFile::Close() {
    if (m_output) {
        m_output->Cancel();
        m_output.reset();
    }
    m_writeFailed = false;
    m_held.clear();
    m_text.clear();
    m_nextLine = 0;
}

} // namespace platform
