#pragma once

#include "interchange/CsvCellRecord.h"
#include "interchange/InterchangeResult.h"

#include <vector>

class CDocumentData;

// Writes the document's table as CSV in the process code page, or in UTF-8 with the byte-order mark when that
// cannot hold every name and text (CodePageTextFile::Fallback::Utf8): the column headers are the unit functions
// below outline number 2, each row a unit function below outline number 1 with its children's content texts as
// cells. Every line ends with a comma and the last one has no line end. Row names and cells are quoted; a
// header is quoted only when it holds a comma, a quote or a line break; quotes inside are doubled.
class CCsvTreeWriter {
public:
    enum class Refusal {
        None,
        TooFewFunctions, // fewer than three unit functions
        NoColumnPart,    // no unit function at outline number 2
    };

    // Takes the table from the document. Unreadable (see Refused()) when the document holds none.
    InterchangeResult Open(const CDocumentData& data);
    // Writes the table opened last to `path`, replacing the file as a save does, and says whether it was written in
    // UTF-8. Error when it could not be written; the file that was there then stays as it was.
    InterchangeResult Write(const QString& path) const;

    // The file's text, "\n" for each line end.
    QString Text() const;
    Refusal Refused() const { return m_refusal; }

private:
    std::vector<CsvCellRecord> m_records;
    int m_rowPartEnd = 0;
    Refusal m_refusal = Refusal::None;
};

// The text of the table: the header line from the first record of each column run, then the row part's
// records up to `rowPartEnd`.
QString MakeCsvMatrixText(const std::vector<CsvCellRecord>& records, int rowPartEnd);
