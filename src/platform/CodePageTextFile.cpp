#include "platform/CodePageTextFile.h"

#include "platform/UserFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <new>
#include <utility>

namespace platform {

namespace {

constexpr char CodePage[] = "CP932";

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// The negation sign has no CP932 code of its own; the platform's best fit wrote it as the full-width sign.
QChar BestFit(QChar c) {
    return c == QChar(0x00AC) ? QChar(0xFFE2) : c;
}

// Beside the negation sign, the characters CP932 has no code of their own for that other programs writing CP932 give
// in their nearest forms, with those forms: the minus sign, the wave dash, the double vertical line, the cent and
// pound signs.
constexpr std::pair<char16_t, char16_t> kNearestForms[] = {
    {0x2212, 0xFF0D}, {0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1},
};

// Whether bytes, taken a piece at a time, are UTF-8 as the standard allows it: no overlong form, no surrogate,
// nothing past U+10FFFF and no sequence cut short.
class Utf8Check {
public:
    // Takes the next bytes; false from the first byte that is not UTF-8 on, which in CP932 text is most often its
    // first one past ASCII.
    bool Add(QByteArrayView bytes) {
        for (const char byte : bytes) {
            if (!m_valid)
                break;
            const auto value = static_cast<unsigned char>(byte);
            if (m_more > 0) {
                m_valid = value >= m_low && value <= m_high;
                m_low = 0x80;
                m_high = 0xBF;
                --m_more;
            } else if (value >= 0x80) {
                m_pastAscii = true;
                if (value >= 0xC2 && value <= 0xDF) {
                    m_more = 1;
                } else if (value >= 0xE0 && value <= 0xEF) {
                    m_more = 2;
                    m_low = value == 0xE0 ? 0xA0 : m_low;
                    m_high = value == 0xED ? 0x9F : m_high;
                } else if (value >= 0xF0 && value <= 0xF4) {
                    m_more = 3;
                    m_low = value == 0xF0 ? 0x90 : m_low;
                    m_high = value == 0xF4 ? 0x8F : m_high;
                } else {
                    m_valid = false;
                }
            }
        }
        return m_valid;
    }
    // Whether the bytes taken are UTF-8 throughout.
    bool Valid() const { return m_valid && m_more == 0; }
    // Whether a byte past ASCII was taken.
    bool PastAscii() const { return m_pastAscii; }

private:
    bool m_valid = true;
    bool m_pastAscii = false;
    int m_more = 0;             // continuation bytes still to come
    unsigned char m_low = 0x80; // and the range of the next one
    unsigned char m_high = 0xBF;
};

bool IsValidUtf8(QByteArrayView bytes) {
    Utf8Check check;
    return check.Add(bytes) && check.Valid();
}

// One pass over the text, in place: each CR right before a LF is dropped, and what follows it moves up.
QString WithLineFeeds(QString text) {
    qsizetype to = text.indexOf(QLatin1String("\r\n"));
    if (to < 0)
        return text;
    QChar* const characters = text.data();
    const qsizetype size = text.size();
    for (qsizetype from = to; from < size; ++from) {
        if (characters[from] != '\r' || from + 1 == size || characters[from + 1] != '\n')
            characters[to++] = characters[from];
    }
    text.truncate(to);
    return text;
}

// Text cut into pieces of CR LF text, a piece at most this long (and a line end more), so that no copy of a whole
// file's text is made on the way to its bytes.
constexpr qsizetype kPieceCharacters = qsizetype(1) << 16;

// Cuts the texts given one after the other into pieces with CR LF line ends, never between the halves of a surrogate
// pair: a high surrogate at the end of a text waits for the next one.
class CrLfPieces {
public:
    template <typename Take> void Add(QStringView text, const Take& take) {
        while (!text.isEmpty()) {
            const QStringView part = text.first(std::min(text.size(), kPieceCharacters));
            text = text.sliced(part.size());
            for (qsizetype at = 0; at < part.size();) {
                const qsizetype lineEnd = part.indexOf(QLatin1Char('\n'), at);
                const qsizetype end = lineEnd < 0 ? part.size() : lineEnd;
                m_piece += part.sliced(at, end - at);
                if (lineEnd >= 0)
                    m_piece += QLatin1String("\r\n");
                at = end + 1;
            }
            const bool waits = m_piece.back().isHighSurrogate();
            if (m_piece.size() > 1 || !waits)
                take(waits ? QStringView(m_piece).chopped(1) : QStringView(m_piece));
            m_piece = waits ? QString(m_piece.back()) : QString();
        }
    }
    // The end of the text: what waits goes too.
    template <typename Take> void Finish(const Take& take) {
        if (!m_piece.isEmpty())
            take(QStringView(m_piece));
        m_piece.clear();
    }

private:
    QString m_piece;
};

} // namespace

// What a file written with Fallback::Utf8 needs: the texts written, to write them again in UTF-8, and whether the
// CP932 that went out gives them back.
class CodePageTextFile::ReadBack {
public:
    // Keeps the text and writes its pieces to the file in CP932 while every character so far comes back from that.
    void Add(const QString& text, CodePageTextFile& file) {
        m_texts.append(text);
        if (m_givesBack)
            m_pieces.Add(text, [&](QStringView piece) { Encode(piece, file); });
    }
    // The end of the text.
    void Finish(CodePageTextFile& file) {
        m_pieces.Finish([&](QStringView piece) { Encode(piece, file); });
    }
    // Whether DecodeProcessCodePage reads the texts back from what went out: every character came back from CP932,
    // and the bytes are not read as UTF-8. Bytes that are UTF-8 throughout and go past ASCII (half-width katakana
    // such as "ﾃｽ") are, and then never give the text: CP932 writes no character in more bytes than UTF-8 does, and
    // in as many only those whose codes begin with bytes 81 to 84, which never start a UTF-8 character. Nor do they
    // begin with the byte-order mark: no code of CP932 begins with byte EF.
    bool GivesBack() const { return m_givesBack && !(m_utf8.Valid() && m_utf8.PastAscii()); }
    const QStringList& Texts() const { return m_texts; }

private:
    void Encode(QStringView piece, CodePageTextFile& file) {
        if (!m_givesBack)
            return;
        QStringEncoder encoder(CodePage);
        const QByteArray bytes = encoder.encode(piece);
        m_givesBack = !encoder.hasError() && QString(QStringDecoder(CodePage).decode(bytes)) == piece;
        if (!m_givesBack)
            return;
        m_utf8.Add(bytes);
        file.WriteBytes(bytes);
    }

    QStringList m_texts; // shared with their writer
    CrLfPieces m_pieces;
    Utf8Check m_utf8; // the CP932 that went out
    bool m_givesBack = true;
};

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
    const bool marked = bytes.startsWith(mark);
    const bool utf8 = marked || IsValidUtf8(bytes);
    QString text = marked ? QString::fromUtf8(bytes.sliced(mark.size()))
                   : utf8 ? QString::fromUtf8(bytes)
                          : QStringDecoder(CodePage).decode(bytes);
    return WithLineFeeds(std::move(text));
}

QString ProcessCodePageForm(const QString& text) {
    return WithLineFeeds(QStringDecoder(CodePage).decode(EncodeProcessCodePage(text)));
}

QStringList CodePageForms(const QString& text) {
    QStringList forms;
    const QString exported = ProcessCodePageForm(text);
    if (exported != text)
        forms << exported;
    // The export wrote the negation sign in its nearest form too (BestFit): only the other five make the forms differ.
    QString nearest = text;
    bool differs = false;
    for (QChar& c : nearest) {
        for (const auto& [from, to] : kNearestForms) {
            if (c == QChar(from)) {
                c = QChar(to);
                differs = true;
                break;
            }
        }
    }
    if (differs)
        forms << ProcessCodePageForm(nearest);
    return forms;
}

CodePageTextFile::CodePageTextFile() = default;

CodePageTextFile::~CodePageTextFile() {
    Close();
}

bool CodePageTextFile::OpenForWriting(const QString& path, Fallback fallback) {
    Close();
    m_replaced = 0;
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
    if (fallback == Fallback::Utf8)
        m_readBack = std::make_unique<ReadBack>();
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
    if (m_readBack)
        m_readBack->Add(text, *this);
    else
        WriteBytes(EncodeProcessCodePage(text, &m_replaced));
}

void CodePageTextFile::WriteEncoded(const QByteArray& bytes, qsizetype replaced) {
    if (!m_output || m_readBack) {
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
    if (m_readBack) {
        m_readBack->Finish(*this);
        if (!m_readBack->GivesBack())
            RewriteInUtf8();
        m_readBack.reset();
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

void CodePageTextFile::RewriteInUtf8() {
    if (m_writeFailed)
        return;
    // Started again, the write expects the file it found when it was opened.
    const FileReplacement::FileState found = m_output->FoundFile();
    if (!m_output->Open(nullptr, found, m_output->FoundDigest())) {
        m_writeFailed = true;
        m_refusal = m_output->Refused();
        m_errorText = m_output->ErrorText();
        return;
    }
    m_wroteUtf8 = true;
    WriteBytes(Utf8Mark);
    const auto write = [this](QStringView piece) { WriteBytes(piece.toUtf8()); };
    CrLfPieces pieces;
    for (const QString& text : m_readBack->Texts())
        pieces.Add(text, write);
    pieces.Finish(write);
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
    m_readBack.reset();
    m_text.clear();
    m_nextLine = 0;
}

} // namespace platform
