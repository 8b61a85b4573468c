// Splits any line as a CSV import does, and checks that fields written in the program's own dialect
// split back into the same fields; then reads the input as a whole file, whose quoted fields may hold line
// breaks, and checks the same of its records.
#include "model/CsvUtilities.h"

#include <cstdint>
#include <cstdlib>

namespace {

// The records of a text as the CSV import reads them line by line.
QList<QStringList> SplitCsvRecords(const QString& text) {
    QList<QStringList> records;
    QString record;
    bool open = false;
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        record = open ? record + '\n' + lines[i] : lines[i];
        open = ContinuesCsvRecord(lines[i], open);
        if (!open || i + 1 == lines.size()) {
            QStringList fields;
            SplitCsvLine(fields, record);
            records << fields;
        }
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList fields;
    SplitCsvLine(fields, line);

    QString written;
    for (const QString& field : fields)
        written += QuoteCsvField(field);
    QStringList reread;
    SplitCsvLine(reread, written);
    if (reread != fields)
        std::abort();

    const QList<QStringList> records = SplitCsvRecords(line);
    QStringList writtenRecords;
    for (const QStringList& record : records) {
        QString text;
        for (const QString& field : record)
            text += QuoteCsvField(field);
        writtenRecords << text;
    }
    if (SplitCsvRecords(writtenRecords.join('\n')) != records)
        std::abort();
    return 0;
}
