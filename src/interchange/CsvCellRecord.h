#pragma once

#include <QString>

// One field of a CSV table, or one unit function of the table's tree, on its way between the two.
struct CsvCellRecord {
    // Import: "1.r" a row name, "1.r.c" a cell of the row part, "2.c" a column header, "2.c.r" a cell of the
    // column part. Export: the unit function's outline number text.
    QString key;
    int column = 0; // 0 the row-name column; -1 or 0 on the two subtree roots
    int line = 0;   // 0 the header line
    bool leaf = false;
    QString name;
    QString content;
};

// True when a sorts before b: by column, then by line.
bool CompareCsvRecords(const CsvCellRecord& a, const CsvCellRecord& b);
