#pragma once

#include <QString>
#include <QStringList>

#include <limits>

namespace platform {
class CodePageTextFile;
}

// The CSV dialect of the program: every field is quoted and followed by a comma, so each line it writes
// ends with a comma before the line end (the writers add "\n" themselves).
QString QuoteCsvField(const QString& text);
// Appends the fields of the line to the list. A field that begins with a quote is quoted: a comma inside its quotes
// is text, its enclosing quotes are removed and a doubled quote in it gives one. In a field that does not begin with
// a quote, a quote is part of its text (`32" screen`). Text after the last comma is a field unless there is none: a
// comma at the end adds no field, a quoted empty field (`""`) there is one. Splitting stops once more than `maxFields`
// fields were appended.
void SplitCsvLine(QStringList& fields, QStringView line, qsizetype maxFields = std::numeric_limits<qsizetype>::max());
// The fields of a line as SplitCsvLine finds them, one at a time: a line of many fields costs no list of them.
class CsvFieldCursor {
public:
    explicit CsvFieldCursor(QStringView line) : m_line(line) {}
    // The next field, unquoted; false after the last.
    bool Next(QString& field);
    // Passes over the next field as Next would, without unquoting it; false after the last.
    bool Skip();
    // Where the next field starts, to come back to it with Seek.
    qsizetype Position() const { return m_at; }
    void Seek(qsizetype position) { m_at = position; }

private:
    // The next field as it stands in the line, and whether it is the tail after the last comma.
    bool NextRaw(QStringView& raw, bool& tail);

    QStringView m_line;
    qsizetype m_at = 0;
};
// The records of a CSV file, one at a time. A record ends at a line end outside quotes, so a quoted field may hold
// line breaks (each read as "\n") as well as commas and doubled quotes. Each record's quotes are checked as a strict
// reader takes them; where they go wrong, QuoteFault says how, and the record ends with the line of the fault (a
// quote still open at the end of the file ends its record with the file). A reader that takes the records for rows
// stops there: from the fault on, a record may begin inside a field.
class CsvRecordReader {
public:
    enum class QuoteFault {
        None,
        // A quoted field runs to the end of the file.
        Unclosed,
        // A quote that ends a quoted field is followed by other text than a comma, a line end or a quote (which would
        // double it). A quote in a field that does not begin with one is text, never a fault.
        Misplaced,
    };

    explicit CsvRecordReader(platform::CodePageTextFile& file) : m_file(file) {}
    // The next record without its line end, a view into the file's text that holds while the file is open; false
    // after the last.
    bool Next(QStringView& record);
    // How the quotes of the record Next gave last went wrong, if they did.
    QuoteFault Fault() const { return m_fault; }
    // The line of the file on which that record starts, the first line 1.
    qsizetype Line() const { return m_line; }
    // The line on which a misplaced quote of that record stands.
    qsizetype FaultLine() const { return m_faultLine; }

private:
    // Where the scan of a record stands between two characters.
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    // Scans a line of the record from `state`; false at a misplaced quote.
    static bool Scan(QStringView line, State& state);

    platform::CodePageTextFile& m_file;
    QuoteFault m_fault = QuoteFault::None;
    qsizetype m_line = 0;
    qsizetype m_faultLine = 0;
    qsizetype m_nextLine = 1;
};
// Appends ".csv" unless the name already ends with ".csv" or ".CSV".
void AppendCsvExtension(QString& fileName);
