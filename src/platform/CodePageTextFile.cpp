#include "platform/CodePageTextFile.h"

#include "platform/UserFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <new>

namespace platform {

namespace {

constexpr char CodePage[] = "CP932";

// The negation sign has no CP932 code of its own; the platform's best fit wrote it as the full-width sign.
QChar BestFit(QChar c) {
    return c == QChar(0x00AC) ? QChar(0xFFE2) : c;
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
    const QByteArray utf8Mark("\xEF\xBB\xBF");
    QString text = bytes.startsWith(utf8Mark) ? QString::fromUtf8(bytes.sliced(utf8Mark.size()))
                                              : QStringDecoder(CodePage).decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

CodePageTextFile::CodePageTextFile() = default;

CodePageTextFile::~CodePageTextFile() {
    Close();
}

bool CodePageTextFile::OpenForWriting(const QString& path) {
    Close();
    m_replaced = 0;
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
    qsizetype replaced = 0;
    const QByteArray bytes = EncodeProcessCodePage(text, &replaced);
    WriteEncoded(bytes, replaced);
}

void CodePageTextFile::WriteEncoded(const QByteArray& bytes, qsizetype replaced) {
    if (!m_output) {
        m_writeFailed = true;
        return;
    }
    m_replaced += replaced;
    if (!m_writeFailed && m_output->Device().write(bytes) != bytes.size()) {
        m_writeFailed = true;
        m_errorText = m_output->Device().errorString();
    }
}

bool CodePageTextFile::Commit() {
    if (!m_output)
        return false;
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
    m_text.clear();
    m_nextLine = 0;
}

} // namespace platform
