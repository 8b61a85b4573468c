#pragma once

#include <QString>
#include <QStringList>

#include <limits>

// The CSV dialect of the program: every field is quoted and followed by a comma, so each line it writes
// ends with a comma before the line end (the writers add "\n" themselves).
QString QuoteCsvField(const QString& text);
// Appends the fields of the line to the list. A comma ends a field only outside quotes; quotes are removed,
// a doubled quote gives one. Text after the last comma counts only when its field is not empty. Splitting stops
// once more than `maxFields` fields were appended.
void SplitCsvLine(QStringList& fields, const QString& line,
                  qsizetype maxFields = std::numeric_limits<qsizetype>::max());
// The fields of a line as SplitCsvLine finds them, one at a time: a line of many fields costs no list of them.
class CsvFieldCursor {
public:
    explicit CsvFieldCursor(QStringView line) : m_line(line) {}
    // The next field, unquoted; false after the last.
    bool Next(QString& field);
    // Where the next field starts, to come back to it with Seek.
    qsizetype Position() const { return m_at; }
    void Seek(qsizetype position) { m_at = position; }

private:
    QStringView m_line;
    qsizetype m_at = 0;
};
// A quoted field may hold line breaks, so one record of a file can span several lines: whether the record is
// still inside quotes after `line`, given whether it was before it.
bool ContinuesCsvRecord(const QString& line, bool open);
// Appends ".csv" unless the name already ends with ".csv" or ".CSV".
void AppendCsvExtension(QString& fileName);
