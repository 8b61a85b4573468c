#include "interchange/CsvTreeWriter.h"

#include "model/CsvUtilities.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/CodePageTextFile.h"

namespace {

const QString kColumnPartKey = QStringLiteral("2");
const QString kAfterColumnPartKey = QStringLiteral("3");

// A header the import would split or unquote differently is quoted; any other is written as it stands.
QString HeaderField(const QString& name) {
    for (QChar c : name) {
        if (c == ',' || c == '"' || c == '\n' || c == '\r')
            return QuoteCsvField(name);
    }
    return name + QLatin1Char(',');
}

// Numbers the runs from `index` until the record keyed `endKey`: a run is a record and the leaves right after
// it. Returns the index of the end record, or the number of records without one.
template <typename Number>
size_t NumberRuns(std::vector<CsvCellRecord>& records, size_t index, const QString& endKey, Number number) {
    int run = 0;
    while (index < records.size() && records[index].key != endKey) {
        ++run;
        int place = 0;
        number(records[index++], run, place++);
        while (index < records.size() && records[index].leaf && records[index].key != endKey)
            number(records[index++], run, place++);
    }
    return index;
}

} // namespace

QString MakeCsvMatrixText(const std::vector<CsvCellRecord>& records, int rowPartEnd) {
    QString text = QStringLiteral(",");
    for (const CsvCellRecord& record : records) {
        if (record.column >= 1 && record.line == 0)
            text += HeaderField(record.name);
    }
    for (int i = 0; i < rowPartEnd && i < static_cast<int>(records.size()); ++i) {
        const CsvCellRecord& record = records[size_t(i)];
        if (record.line < 1)
            continue;
        if (record.leaf)
            text += QuoteCsvField(record.content);
        else
            text += QLatin1Char('\n') + QuoteCsvField(record.name);
    }
    return text;
}

InterchangeResult CCsvTreeWriter::Open(const CDocumentData& data) {
    InterchangeResult result;
    m_records.clear();
    m_rowPartEnd = 0;
    m_refusal = Refusal::None;
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    for (const CUnitFunction* function : data.registry.InOutlineOrder(distinguish))
        m_records.push_back({function->GetOutlineNumberText(distinguish), 0, 0, function->children.empty(),
                             function->name, function->header.contentText});
    if (m_records.size() < 3) {
        m_refusal = Refusal::TooFewFunctions;
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    m_records[1].column = -1;

    // The row part: each run a row, its records the row's columns. A run never takes in the record keyed "2",
    // which starts the column part even when it is a leaf.
    const size_t rowPartEnd = NumberRuns(m_records, 2, kColumnPartKey, [](CsvCellRecord& record, int run, int place) {
        record.column = place;
        record.line = run;
    });
    if (rowPartEnd == m_records.size()) {
        m_refusal = Refusal::NoColumnPart;
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    m_records[rowPartEnd].column = 0;
    m_records[rowPartEnd].line = -1;
    // The column part: each run a column, its records the column's lines.
    NumberRuns(m_records, rowPartEnd + 1, kAfterColumnPartKey, [](CsvCellRecord& record, int run, int place) {
        record.column = run;
        record.line = place;
    });
    m_rowPartEnd = static_cast<int>(rowPartEnd);
    result.items = static_cast<int>(m_records.size());
    return result;
}

QString CCsvTreeWriter::Text() const {
    return MakeCsvMatrixText(m_records, m_rowPartEnd);
}

InterchangeResult CCsvTreeWriter::Write(const QString& path) const {
    InterchangeResult result;
    platform::CodePageTextFile file;
    // The CSV import reads the file back: a name CP932 cannot hold makes the whole file UTF-8, never a "?".
    if (file.OpenForWriting(path, platform::CodePageTextFile::Fallback::Utf8))
        file.WriteString(Text());
    const bool committed = file.Commit();
    result.writtenInUtf8 = file.WroteUtf8();
    if (!committed) {
        result.failure = InterchangeFailure::Error;
        result.detail = ReplacementFailureText(file, path);
    }
    return result;
}
