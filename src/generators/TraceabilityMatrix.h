#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CDocumentData;
class CInspectionView;
class CUnitFunction;
struct CMessageContext;

// Row kinds of the process matrix.
enum ProcessMatrixKind { ProcessRowsRequirements = 0, ProcessRowsFunctions = 1, ProcessRowsBoth = 2 };

// The correspondence of a document's original requirement items and its unit functions: exported as a CSV
// matrix (one column per own item, one row per unit function), read back from one, listed in the result pane;
// and the process matrix, whose rows are the items, the unit functions or both.
class TraceabilityMatrix {
public:
    TraceabilityMatrix(CDocumentData& data, const QString& documentPath, const CMessageContext& context);

    // The CSV lines of the matrix, each with its line end.
    QStringList MakeLines();
    // Writes them as typed to `fileName`, asking before an existing file is replaced; true when written and
    // reported.
    bool Export(const QString& fileName);

    enum class ImportResult { NotImported, Imported };
    // Reads a matrix file and gives each unit function the own items its row marks with "○", asking first where its
    // first line does not name this document's file, as it is or in a code-page form. A row whose name cell does not
    // name the unit function of its outline number, as it is or in a code-page form, is not applied and is listed in
    // the pane. A column named in a code-page form of an item (platform::CodePageForms: "?" for each
    // character CP932 lacks, six characters in their nearest forms as other programs write them), in a file read as
    // CP932 or as UTF-8, stands for that item when no other item has that form, no other column that name and none
    // the item's own name; the pane lists each row that takes it for an item its unit function did not hold. A column
    // under an item's own name that is another item's form too (～x, 〜x's nearest form) stands for its own item alone
    // where it is the one column of that name and the other item surely has a column in another form: more columns
    // hold that form than other items may be written so (an export in the code page wrote 〜x as "?x"). Else
    // the name stands, in each row, for every item of that form its unit function holds, and where it holds none the
    // pane lists the name; where it holds more of them than the row marks columns of that name, it keeps them all,
    // and where fewer, it adds none: the pane lists the row.
    // Where the quotes of a record go wrong the import stops, naming the line in the pane and in its closing message;
    // in the first two, nothing is read.
    ImportResult Import(const QString& fileName, CInspectionView& pane);

    // Each own item with the unit functions whose effective items hold it, then those without any.
    void ShowList(CInspectionView& pane);

    QStringList MakeProcessMatrixLines(int kind);
    // Writes the process matrix to `fileName` as typed, asking before an existing file is replaced.
    bool ExportProcessMatrix(const QString& fileName, int kind);

private:
    struct Row {
        CUnitFunction* function = nullptr;
        QStringList own;
        QStringList effective;
    };

    void Build();
    // The column items of the matrix Build made, in the order of the export's columns.
    QStringList SortedColumns() const;
    QString HeaderLine() const;
    QString OutlineNumberText(const CUnitFunction& function) const;

    CDocumentData& m_data;
    QString m_documentPath;
    const CMessageContext& m_context;
    std::vector<Row> m_rows;
    QStringList m_columns; // in the order first met
};

// Process names as the process list of the dialog shows them: "工程 1: 課題検討".
QString FormatProcessEntry(int number, const QString& name);
