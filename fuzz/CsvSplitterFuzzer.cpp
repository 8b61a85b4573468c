// Splits any line as a CSV import does, and checks that fields written in the program's own dialect split back
// into the same fields, and that a field that does not begin with a quote is its text as it stands; then reads the
// input as a whole file, whose quoted fields may hold line breaks, and checks the same of its records, and that their
// quotes, as the program writes them, never go wrong.
#include "model/CsvUtilities.h"
#include "platform/CodePageTextFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

// The records of a file's bytes as the CSV imports read them, each split into its fields; `faults` counts those
// whose quotes went wrong.
QList<QStringList> SplitCsvRecords(QByteArray bytes, int& faults) {
    QBuffer device(&bytes);
    platform::CodePageTextFile file;
    if (!file.OpenForReading(device, bytes.size()))
        std::abort();
    QList<QStringList> records;
    CsvRecordReader reader(file);
    faults = 0;
    for (QStringView record; reader.Next(record);) {
        if (reader.Fault() != CsvRecordReader::QuoteFault::None)
            ++faults;
        QStringList fields;
        SplitCsvLine(fields, record);
        records << fields;
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString line = QString::fromUtf8(bytes);
    QStringList fields;
    SplitCsvLine(fields, line);

    QString written;
    for (const QString& field : fields)
        written += QuoteCsvField(field);
    QStringList reread;
    SplitCsvLine(reread, written);
    if (reread != fields)
        std::abort();
    QString unquoted = line;
    unquoted.remove(',');
    QStringList one;
    SplitCsvLine(one, unquoted);
    if (!unquoted.isEmpty() && !unquoted.startsWith('"') && one != QStringList{unquoted})
        std::abort();

    // Written back as the exports write, each record ended by a line end, but in UTF-8 with its byte-order mark so
    // that every character read can be written.
    int faults = 0;
    const QList<QStringList> records = SplitCsvRecords(bytes, faults);
    QString writtenRecords;
    for (const QStringList& record : records) {
        for (const QString& field : record)
            writtenRecords += QuoteCsvField(field);
        writtenRecords += '\n';
    }
    writtenRecords.replace('\n', QLatin1String("\r\n"));
    if (SplitCsvRecords("\xEF\xBB\xBF" + writtenRecords.toUtf8(), faults) != records || faults != 0)
        std::abort();
    return 0;
}
