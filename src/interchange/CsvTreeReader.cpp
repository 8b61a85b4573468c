#include "interchange/CsvTreeReader.h"

#include "model/CsvUtilities.h"
#include "model/DocumentData.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/CodePageTextFile.h"
#include "texts/StringTable.h"

#include <QIODevice>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// Appends a record per field of the line, but no more than one past `room` records in all; returns their number.
int AppendLineRecords(QStringView line, int r, int room, std::vector<CsvCellRecord>& rows) {
    QStringList fields;
    SplitCsvLine(fields, line, room - static_cast<qsizetype>(rows.size()));
    QString rowName;
    for (int c = 0; c < fields.size(); ++c) {
        CsvCellRecord record;
        record.column = c;
        record.line = r;
        if (c == 0) {
            record.key = QStringLiteral("1.%1").arg(r);
            record.name = rowName = fields[c];
        } else {
            record.key = QStringLiteral("1.%1.%2").arg(r).arg(c);
            record.leaf = true;
            record.name = rowName;
            record.content = fields[c];
        }
        rows.push_back(std::move(record));
    }
    return static_cast<int>(fields.size());
}

} // namespace

bool ReadCsvRecords(platform::CodePageTextFile& file, int room, std::vector<CsvCellRecord>& rows,
                    std::vector<CsvCellRecord>& columns, int& lastLineFields, int& lines, CsvQuoteFault& quoteFault) {
    rows.clear();
    columns.clear();
    lastLineFields = 0;
    lines = 0;
    quoteFault = {};
    CsvRecordReader records(file);
    QStringView record;
    while (records.Next(record)) {
        if (records.Fault() != CsvRecordReader::QuoteFault::None) {
            const bool unclosed = records.Fault() == CsvRecordReader::QuoteFault::Unclosed;
            quoteFault = {records.Fault(), unclosed ? records.Line() : records.FaultLine()};
            return false;
        }
        lastLineFields = AppendLineRecords(record, lines++, room, rows);
        if (rows.size() > size_t(room) || lines > room)
            return false;
    }

    columns = rows;
    std::sort(columns.begin(), columns.end(), CompareCsvRecords);
    QString columnName;
    for (CsvCellRecord& column : columns) {
        if (column.line == 0) {
            column.key = QStringLiteral("2.%1").arg(column.column);
            column.leaf = false;
            column.name = columnName = column.content;
        } else {
            column.key = QStringLiteral("2.%1.%2").arg(column.column).arg(column.line);
            column.leaf = true;
            column.name = columnName;
        }
    }

    // Each cell is named after its row and its column header in both parts.
    std::map<std::pair<int, int>, CsvCellRecord*> cells;
    for (CsvCellRecord& column : columns) {
        if (column.leaf)
            cells[{column.column, column.line}] = &column;
    }
    for (CsvCellRecord& row : rows) {
        if (!row.leaf)
            continue;
        const auto found = cells.find({row.column, row.line});
        if (found == cells.end())
            continue;
        row.name += QLatin1Char('-') + found->second->name;
        found->second->name = row.name;
    }
    return true;
}

namespace {

// Walks the records from `index` as the tree they make below a parent: `visit(record, levels)` for each, `levels`
// the number of levels open above it (1 right below the parent), until the parent's subtree ends; false as soon as
// a visit is. A table of rows without cells nests a level per row, so no recursion.
template <class Visit> bool WalkCsvTree(int& index, const std::vector<CsvCellRecord>& records, Visit visit) {
    const int count = static_cast<int>(records.size());
    int levels = 1;
    while (index < count) {
        const CsvCellRecord& record = records[size_t(index)];
        if (!visit(record, levels))
            return false;
        ++index;
        if (!record.leaf) {
            ++levels;
            continue;
        }
        if (index < count && records[size_t(index)].leaf)
            continue;
        if (--levels == 0)
            break;
    }
    return true;
}

// Whether the records from `index` nest deeper than a table of contents may below the origin.
bool CsvTreeTooDeep(int index, const std::vector<CsvCellRecord>& records) {
    return !WalkCsvTree(index, records, [](const CsvCellRecord&, int levels) { return levels <= kMaxOutlineDepth; });
}

} // namespace

bool BuildTreeFromCsvRecords(int& index, CUnitFunction* parent, const std::vector<CsvCellRecord>& records,
                             CDocumentData& data) {
    const ModelOptions options = data.GetModelOptions();
    // The unit functions of the levels opened so far.
    std::vector<CUnitFunction*> opened{parent};
    return WalkCsvTree(index, records, [&](const CsvCellRecord& record, int levels) {
        CUnitFunction* function = data.registry.CreateFunction(record.name, options);
        if (!function)
            return false;
        opened.resize(size_t(levels));
        CUnitFunction::AppendChild(opened.back(), function);
        if (record.leaf)
            function->header.contentText = record.content;
        else
            opened.push_back(function);
        return true;
    });
}

InterchangeResult CCsvTreeReader::Open(QIODevice& device, const CDocumentData& data) {
    InterchangeResult result;
    m_opened = false;
    m_refusal = Refusal::None;
    platform::CodePageTextFile file;
    if (!data.registry.origin || !file.OpenForReading(device, MaxFileBytes)) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    CsvQuoteFault quoteFault;
    if (!ReadCsvRecords(file, AvailableFunctions(data.registry), m_rows, m_columns, m_lastLineFields, m_lines,
                        quoteFault)) {
        if (quoteFault.fault == CsvRecordReader::QuoteFault::None)
            result.CheckRoom(std::max(static_cast<int>(m_rows.size()), m_lines), data.registry);
        m_rows.clear();
        m_columns.clear();
        if (quoteFault.fault == CsvRecordReader::QuoteFault::None)
            return result;
        m_refusal = quoteFault.fault == CsvRecordReader::QuoteFault::Unclosed ? Refusal::UnclosedQuote
                                                                              : Refusal::MisplacedQuote;
        m_refusedLine = quoteFault.line;
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }

    // The row part's root takes the place of the header line's last field, the column part's root that of the
    // row-name column's last entry. Those records must be there and be those, or a field would be lost.
    const auto rowNames = std::count_if(m_rows.begin(), m_rows.end(), [](const auto& r) { return r.column == 0; });
    const auto headerFields = std::count_if(m_rows.begin(), m_rows.end(), [](const auto& r) { return r.line == 0; });
    if (m_lines == 0)
        m_refusal = Refusal::EmptyFile;
    else if (m_lastLineFields == 0 || rowNames < m_lines)
        m_refusal = Refusal::EmptyLine;
    else if (headerFields < m_lastLineFields)
        m_refusal = Refusal::TooFewColumns;
    if (m_refusal != Refusal::None) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }

    const int needed =
        static_cast<int>(m_rows.size()) - (m_lastLineFields - 1) + static_cast<int>(m_columns.size()) - (m_lines - 1);
    if (!result.CheckRoom(needed, data.registry))
        return result;
    m_rows[size_t(m_lastLineFields - 1)] = {QStringLiteral("1"), -1, 0, false, QStringLiteral("ROW"), QString()};
    m_columns[size_t(m_lines - 1)] = {QStringLiteral("2"), 0, -1, false, QStringLiteral("COLUMN"), QString()};
    if (CsvTreeTooDeep(m_lastLineFields - 1, m_rows) || CsvTreeTooDeep(m_lines - 1, m_columns)) {
        m_rows.clear();
        m_columns.clear();
        result.failure = InterchangeFailure::TooDeep;
        return result;
    }
    m_opened = true;
    return result;
}

QString CCsvTreeReader::RefusalText() const {
    switch (m_refusal) {
    case Refusal::EmptyFile:
        return LoadString(StringId::CsvEmptyFile);
    case Refusal::EmptyLine:
        return LoadString(StringId::CsvEmptyLine);
    case Refusal::TooFewColumns:
        return LoadString(StringId::CsvTooFewColumns);
    case Refusal::UnclosedQuote:
        return LoadString(StringId::CsvUnclosedQuote).arg(m_refusedLine);
    case Refusal::MisplacedQuote:
        return LoadString(StringId::CsvMisplacedQuote).arg(m_refusedLine);
    case Refusal::None:
        break;
    }
    return LoadString(StringId::ImportFailed);
}

InterchangeResult CCsvTreeReader::Import(CDocumentData& data) {
    InterchangeResult result;
    if (!m_opened) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    m_opened = false;
    CUnitFunction* origin = data.registry.origin;
    origin->name = QStringLiteral("ROOT");

    const int before = data.registry.Count();
    int index = m_lastLineFields - 1;
    bool built = BuildTreeFromCsvRecords(index, origin, m_rows, data);
    index = m_lines - 1;
    built = built && BuildTreeFromCsvRecords(index, origin, m_columns, data);
    result.items = data.registry.Count() - before;
    if (!built)
        result.failure = InterchangeFailure::Incomplete;
    m_rows.clear();
    m_columns.clear();
    return result;
}
