#include "model/CsvUtilities.h"

namespace {

QString UnquoteCsvField(QStringView field) {
    // The enclosing quotes go first, so that an empty quoted field stays empty instead of becoming one quote.
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.mid(1, field.size() - 2);
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '"') {
            text += field[i];
        } else if (i + 1 < field.size() && field[i + 1] == '"') {
            text += '"';
            ++i;
        }
    }
    return text;
}

} // namespace

QString QuoteCsvField(const QString& text) {
    QString field = text;
    field.replace('"', QLatin1String("\"\""));
    return '"' + field + QLatin1String("\",");
}

void SplitCsvLine(QStringList& fields, const QString& line, qsizetype maxFields) {
    const qsizetype before = fields.size();
    qsizetype quotes = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            ++quotes;
        } else if (line[i] == ',' && quotes % 2 == 0) {
            fields << UnquoteCsvField(QStringView(line).mid(start, i - start));
            start = i + 1;
            if (fields.size() - before > maxFields)
                return;
        }
    }
    // An empty tail is the comma that ends every line of the dialect, not a field; a tail of quotes may still
    // hold one (four quotes are a field holding a quote).
    const QString rest = UnquoteCsvField(QStringView(line).mid(start));
    if (!rest.isEmpty())
        fields << rest;
}

bool ContinuesCsvRecord(const QString& line, bool open) {
    // A doubled quote inside a quoted field counts twice, so only the parity matters.
    return open != (line.count('"') % 2 == 1);
}

void AppendCsvExtension(QString& fileName) {
    if (!fileName.endsWith(QLatin1String(".csv")) && !fileName.endsWith(QLatin1String(".CSV")))
        fileName += QLatin1String(".csv");
}
