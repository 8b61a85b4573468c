#include "interchange/CsvCellRecord.h"

bool CompareCsvRecords(const CsvCellRecord& a, const CsvCellRecord& b) {
    if (a.column != b.column)
        return a.column < b.column;
    return a.line < b.line;
}
