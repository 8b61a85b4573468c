#pragma once

#include "platform/FileReplacement.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

namespace platform {

// Text in the process code page: CP932 with CR LF line ends and no byte-order mark, as the text and CSV
// exports of the program have always been written. Characters CP932 cannot hold become "?"; `replaced`, when
// given, counts them.
QByteArray EncodeProcessCodePage(const QString& text, qsizetype* replaced = nullptr);
// The reverse: CR LF becomes "\n". Bytes that begin with the UTF-8 byte-order mark are read as UTF-8, as other
// programs write text files in it.
QString DecodeProcessCodePage(const QByteArray& bytes);

// A text file in the process code page, written or read line by line.
class CodePageTextFile {
public:
    CodePageTextFile();
    ~CodePageTextFile();
    CodePageTextFile(const CodePageTextFile&) = delete;
    CodePageTextFile& operator=(const CodePageTextFile&) = delete;

    // Writing replaces the file as every save does (FileReplacement): Commit puts the new content in place, so a
    // failed export never destroys the file that was there.
    bool OpenForWriting(const QString& path);
    // Reads the whole file; false when it is not a regular file, cannot be opened or read, or holds more than
    // `maxBytes`.
    bool OpenForReading(const QString& path, qint64 maxBytes);
    // Reads the device to its end (opening it for reading when it is not open); false when it cannot be read or
    // holds more than `maxBytes`.
    bool OpenForReading(QIODevice& device, qint64 maxBytes);

    // Appends the text as it stands; every "\n" in it is written as CR LF.
    void WriteString(const QString& text);
    // Appends text already in the code page (EncodeProcessCodePage), of which `replaced` characters were written as
    // "?".
    void WriteEncoded(const QByteArray& bytes, qsizetype replaced);
    // How many characters written so far CP932 could not hold, each written as "?".
    qsizetype ReplacedCharacters() const { return m_replaced; }
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
    std::unique_ptr<FileReplacement> m_output;
    bool m_writeFailed = false;
    qsizetype m_replaced = 0;
    FileReplacement::Refusal m_refusal = FileReplacement::Refusal::None;
    QString m_errorText;
    QList<FileReplacement::Room> m_roomWanted;
    // The text read, every line end a "\n", and where the next line starts in it.
    QString m_text;
    qsizetype m_nextLine = 0;
};

} // namespace platform
