#pragma once

#include "interchange/CsvCellRecord.h"
#include "interchange/InterchangeResult.h"
#include "model/CsvUtilities.h"

#include <vector>

class CDocumentData;
class CUnitFunction;
class QIODevice;

namespace platform {
class CodePageTextFile;
}

// Reads a CSV table in the process code page (or UTF-8, DecodeProcessCodePage) into the document as two subtrees of the
// origin, which becomes "ROOT": "ROW" holds a unit function per row with a unit function per cell below it, "COLUMN"
// one per column header with one per cell below it; each cell is named after its row and column header ("R1-C1") and
// holds the field as its content text. The first line holds the column headers, each further line a row name and its
// cells. Quotes are honoured, so a quoted field may hold commas, quotes and line breaks; a quote in a field that does
// not begin with one is part of its text.
class CCsvTreeReader {
public:
    // A larger file is refused unread: its cells could not all become unit functions anyway.
    static constexpr qint64 MaxFileBytes = qint64(64) << 20;

    // Why a table has no place for the two subtree roots.
    enum class Refusal {
        None,
        EmptyFile,      // no line at all
        EmptyLine,      // a line without a field
        TooFewColumns,  // the header line holds fewer fields than the last line
        UnclosedQuote,  // a quoted field runs to the end of the file (RefusedLine: where its row starts)
        MisplacedQuote, // a quote out of place (CsvRecordReader::QuoteFault::Misplaced; RefusedLine: where it stands)
    };

    // Reads the table from the device (opening it for reading when it is not open) and checks that it has a
    // place for both subtree roots and that `data` has internal IDs for every unit function it needs; reading
    // stops at the first field or line past those IDs. Unreadable (see Refused(); a device over MaxFileBytes
    // too), LimitExceeded or TooDeep (a part would nest deeper below the origin than kMaxOutlineDepth); nothing in
    // `data` changes.
    InterchangeResult Open(QIODevice& device, const CDocumentData& data);
    // Builds the opened table's tree into `data`. Incomplete leaves what was built before in `data`; the
    // caller rebuilds the document either way.
    InterchangeResult Import(CDocumentData& data);

    Refusal Refused() const { return m_refusal; }
    // The line of the file a refusal for a quote names.
    qsizetype RefusedLine() const { return m_refusedLine; }
    // What the user is told of the refusal; the general import failure when the table was not refused.
    QString RefusalText() const;

private:
    std::vector<CsvCellRecord> m_rows;
    std::vector<CsvCellRecord> m_columns;
    int m_lastLineFields = 0;
    int m_lines = 0;
    bool m_opened = false;
    Refusal m_refusal = Refusal::None;
    qsizetype m_refusedLine = 0;
};

// Where the quotes of a CSV file went wrong: how, and the line that says where (the row's first line for an
// unclosed quote, else the line of the misplaced one).
struct CsvQuoteFault {
    CsvRecordReader::QuoteFault fault = CsvRecordReader::QuoteFault::None;
    qsizetype line = 0;
};
// The row records (in file order) and the column records (by column, then line) of the table in the file,
// with the number of fields of the last line and the number of lines. A line end inside a quoted field
// continues the line. Each field and each line makes a unit function at least: reading stops, returning false,
// as soon as the fields or the lines read so far outnumber `room`, or at the first record whose quotes go wrong,
// which `quoteFault` then describes.
bool ReadCsvRecords(platform::CodePageTextFile& file, int room, std::vector<CsvCellRecord>& rows,
                    std::vector<CsvCellRecord>& columns, int& lastLineFields, int& lines, CsvQuoteFault& quoteFault);
// Makes a unit function of every record from `index` on below `parent`: a record that is not a leaf opens a
// level that its following leaves fill; a run of leaves ends its level. False when a unit function could not be
// made; what was made before stays.
bool BuildTreeFromCsvRecords(int& index, CUnitFunction* parent, const std::vector<CsvCellRecord>& records,
                             CDocumentData& data);
