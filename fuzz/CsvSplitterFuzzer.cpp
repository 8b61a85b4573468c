// Splits any line as a CSV import does, and checks that fields written in the program's own dialect
// split back into the same fields.
#include "model/CsvUtilities.h"

#include <cstdint>
#include <cstdlib>

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
    return 0;
}
