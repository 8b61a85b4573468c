#pragma once

#include "platform/FileReplacement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;

namespace platform {

// Text in the process code page: CP932 with CR LF line ends and no byte-order mark, as the text and CSV
// exports of the program have always been written. Characters CP932 cannot hold become "?"; `replaced`, when
// given, counts them.
QByteArray EncodeProcessCodePage(const QString& text, qsizetype* replaced = nullptr);
// The reverse: CR LF becomes "\n". A user's text file need not be CP932: other programs write UTF-8, with the
// byte-order mark or (many spreadsheets) without it. Bytes that begin with the mark, or that are valid UTF-8
// throughout, are read as UTF-8; only the rest as CP932. CP932 text is seldom valid UTF-8, as its full-width kana
// and most kanji begin with bytes that UTF-8 never starts a character with, but half-width katakana can make it so:
// "ﾃｽ" is the bytes C3 BD, the UTF-8 of "ý", and CP932 text of such pairs and ASCII alone reads as other
// characters. The rule holds all the same, as UTF-8 read as CP932 would turn into other characters without a trace;
// an export that the program reads back writes such text in UTF-8 (Fallback::Utf8). Text of ASCII alone reads alike
// either way.
QString DecodeProcessCodePage(const QByteArray& bytes);
// The text as a CP932 file gives it back: each character CP932 cannot hold a "?" (and the negation sign its best
// fit), the form in which an export in the process code page wrote it.
QString ProcessCodePageForm(const QString& text);
// The other texts a file in CP932 may hold for the text, each once: the form in which an export in the process code
// page wrote it (ProcessCodePageForm), and the form in which other programs write CP932, spreadsheets among them,
// which give six characters it has no code of their own for in their nearest forms (− as －, 〜 as ～, ‖ as ∥, ¢ as
// ￠, £ as ￡, ¬ as ￢) and the rest that it lacks as "?". None where CP932 holds the text as it is. A file saved again
// in UTF-8 keeps them.
QStringList CodePageForms(const QString& text);

// A text file in the process code page, written or read line by line.
class CodePageTextFile {
public:
    CodePageTextFile();
    ~CodePageTextFile();
    CodePageTextFile(const CodePageTextFile&) = delete;
    CodePageTextFile& operator=(const CodePageTextFile&) = delete;

    // What a file is written in when CP932 cannot give back every character written.
    enum class Fallback {
        QuestionMark, // CP932 all the same, each such character a "?" (ReplacedCharacters): a file for other programs
        Utf8,         // the whole file in UTF-8 with the byte-order mark, which DecodeProcessCodePage reads back
                      // exactly: a file the program reads back itself. A file CP932 holds is written as it always was.
    };

    // Writing replaces the file as every save does (FileReplacement): Commit puts the new content in place, so a
    // failed export never destroys the file that was there. With Fallback::Utf8 the text goes out in CP932 as it is
    // written, a piece at a time, each piece decoded again to learn that it comes back; the texts written are kept
    // until Commit, shared with their writer, not copied. When a character does not come back, or the whole file
    // would read as UTF-8, Commit starts the write again and writes the file in UTF-8 from the texts kept.
    bool OpenForWriting(const QString& path, Fallback fallback = Fallback::QuestionMark);
    // Reads the whole file; false when it is not a regular file, cannot be opened or read, or holds more than
    // `maxBytes`.
    bool OpenForReading(const QString& path, qint64 maxBytes);
    // Reads the device to its end (opening it for reading when it is not open); false when it cannot be read or
    // holds more than `maxBytes`.
    bool OpenForReading(QIODevice& device, qint64 maxBytes);

    // Appends the text as it stands; every "\n" in it is written as CR LF.
    void WriteString(const QString& text);
    // Appends text already in the code page (EncodeProcessCodePage), of which `replaced` characters were written as
    // "?": only to a file written with Fallback::QuestionMark (in another the write fails).
    void WriteEncoded(const QByteArray& bytes, qsizetype replaced);
    // How many characters written so far CP932 could not hold, each written as "?".
    qsizetype ReplacedCharacters() const { return m_replaced; }
    // Whether Commit wrote the file in UTF-8 (Fallback::Utf8 only).
    bool WroteUtf8() const { return m_wroteUtf8; }
    // Writing: true when every write succeeded and the file is in place. Not calling it discards the file.
    bool Commit();
    // Why OpenForWriting or Commit failed: the refusal of the file, or else the system's reason, and for want of room
    // the room that would let it through.
    FileReplacement::Refusal Refused() const { return m_refusal; }
    QString ErrorText() const { return m_errorText; }
    const QList<FileReplacement::Room>& RoomWanted() const { return m_roomWanted; }

    // The next line without its line end, a view into the text read that holds until the file is closed or opened
    // again; false at the end of the file.
    bool ReadString(QStringView& line);
    void Close();

private:
    class ReadBack;

    void WriteBytes(const QByteArray& bytes);
    // Fallback::Utf8: drops what went out in CP932 and writes the texts kept in UTF-8 after the byte-order mark.
    void RewriteInUtf8();

    std::unique_ptr<FileReplacement> m_output;
    bool m_writeFailed = false;
    qsizetype m_replaced = 0;
    std::unique_ptr<ReadBack> m_readBack; // Fallback::Utf8: the texts written and whether CP932 gives them back
    bool m_wroteUtf8 = false;
    FileReplacement::Refusal m_refusal = FileReplacement::Refusal::None;
    QString m_errorText;
    QList<FileReplacement::Room> m_roomWanted;
    // The text read, every line end a "\n", and where the next line starts in it.
    QString m_text;
    qsizetype m_nextLine = 0;
};

} // namespace platform
