#include "ImportTestSupport.h"
#include "interchange/CsvTreeReader.h"
#include "interchange/CsvTreeWriter.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/CodePageTextFile.h"
#include "platform/UserFile.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace {

InterchangeResult ImportCsv(QByteArray csv, CDocumentData& data, CCsvTreeReader reader = {}) {
    QBuffer device(&csv);
    InterchangeResult result = reader.Open(device, data);
    if (result.Succeeded())
        result = reader.Import(data);
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    return result;
}

// One line per unit function: indentation, name and, for a leaf, "=" and the content.
QString DumpTree(const CUnitFunction& function, int depth = 0) {
    QString text = QString(depth, ' ') + function.name + (function.children.empty() ? '=' : '\n');
    if (function.children.empty())
        text += function.header.contentText + '\n';
    for (const CUnitFunction* child : function.children)
        text += DumpTree(*child, depth + 1);
    return text;
}

QByteArray ExportCsv(const CDocumentData& data) {
    CCsvTreeWriter writer;
    EXPECT_TRUE(writer.Open(data).Succeeded());
    return platform::EncodeProcessCodePage(writer.Text());
}

} // namespace

TEST(CsvTree, TheTableBecomesRowAndColumnSubtreesAndIsWrittenBackByteForByte) {
    NewDocument document;
    ASSERT_TRUE(ImportCsv(",C1,C2\r\nR1,a,b\r\n", document.data).Succeeded());
    const QString tree = QStringLiteral("ROOT\n ROW\n  R1\n   R1-C1=a\n   R1-C2=b\n"
                                        " COLUMN\n  C1\n   R1-C1=a\n  C2\n   R1-C2=b\n");
    EXPECT_EQ(DumpTree(*document.data.registry.origin), tree);

    const QByteArray written = ",C1,C2,\r\n\"R1\",\"a\",\"b\",";
    EXPECT_EQ(ExportCsv(document.data), written);
    NewDocument again;
    ASSERT_TRUE(ImportCsv(written, again.data).Succeeded());
    EXPECT_EQ(DumpTree(*again.data.registry.origin), tree);
}

TEST(CsvTree, CommasQuotesAndLineBreaksInCellsAndHeadersSurviveExportAndImport) {
    NewDocument document;
    const QByteArray csv = platform::EncodeProcessCodePage(QStringLiteral("\"\",\"A,1\",\"say \"\"hi\"\"\",plain\n"
                                                                          "\"R,1\",\"x,y\",\"two\nlines\",\"\"\"\",\n"
                                                                          "\"日本\",\"全角\",,z\n"));
    ASSERT_TRUE(ImportCsv(csv, document.data).Succeeded());
    const QString tree = DumpTree(*document.data.registry.origin);
    EXPECT_TRUE(tree.contains(QStringLiteral("R,1-say \"hi\"=two\nlines\n"))) << tree.toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("R,1-plain=\"\n"))) << tree.toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("日本-A,1=全角\n"))) << tree.toStdString();

    const QByteArray written = ExportCsv(document.data);
    EXPECT_TRUE(written.startsWith(",\"A,1\",\"say \"\"hi\"\"\",plain,\r\n")) << written.constData();
    NewDocument again;
    ASSERT_TRUE(ImportCsv(written, again.data).Succeeded());
    EXPECT_EQ(DumpTree(*again.data.registry.origin), tree);
}

// A quote in a field that does not begin with one is part of its text, in a header, a row name or a cell; the table
// exports and imports back into the same tree.
TEST(CsvTree, AQuoteInAFieldThatDoesNotBeginWithOneIsText) {
    NewDocument document;
    ASSERT_TRUE(ImportCsv(",Size,5\" x 3\" panel,\r\nTV,32\" screen,100,\r\n12\" rack,a\"\"b,\"c\"\r\n", document.data)
                    .Succeeded());
    const QString tree = DumpTree(*document.data.registry.origin);
    EXPECT_EQ(tree, QStringLiteral("ROOT\n ROW\n  TV\n   TV-Size=32\" screen\n   TV-5\" x 3\" panel=100\n"
                                   "  12\" rack\n   12\" rack-Size=a\"\"b\n   12\" rack-5\" x 3\" panel=c\n"
                                   " COLUMN\n  Size\n   TV-Size=32\" screen\n   12\" rack-Size=a\"\"b\n"
                                   "  5\" x 3\" panel\n   TV-5\" x 3\" panel=100\n   12\" rack-5\" x 3\" panel=c\n"));
    NewDocument again;
    ASSERT_TRUE(ImportCsv(ExportCsv(document.data), again.data).Succeeded());
    EXPECT_EQ(DumpTree(*again.data.registry.origin), tree);
}

TEST(CsvTree, ALastCellHoldingOnlyAQuoteIsKept) {
    NewDocument document;
    ASSERT_TRUE(ImportCsv(",C1,C2\r\nR1,a,\"\"\"\"", document.data).Succeeded());
    EXPECT_EQ(
        DumpTree(*document.data.registry.origin),
        QStringLiteral("ROOT\n ROW\n  R1\n   R1-C1=a\n   R1-C2=\"\n COLUMN\n  C1\n   R1-C1=a\n  C2\n   R1-C2=\"\n"));
}

// A spreadsheet that quotes every field ends a row whose last cell is empty with `""`: the cell is kept, and the table
// keeps its shape.
TEST(CsvTree, AQuotedEmptyLastCellIsKept) {
    NewDocument document;
    ASSERT_TRUE(
        ImportCsv("\"\",\"C1\",\"C2\"\r\n\"R1\",\"a\",\"b\"\r\n\"R2\",\"c\",\"\"\r\n", document.data).Succeeded());
    EXPECT_EQ(DumpTree(*document.data.registry.origin),
              QStringLiteral("ROOT\n ROW\n  R1\n   R1-C1=a\n   R1-C2=b\n  R2\n   R2-C1=c\n   R2-C2=\n"
                             " COLUMN\n  C1\n   R1-C1=a\n   R2-C1=c\n  C2\n   R1-C2=b\n   R2-C2=\n"));
}

TEST(CsvTree, TablesWithoutAPlaceForTheSubtreeRootsOrWithoutEnoughIDsAreRefusedUntouched) {
    using enum CCsvTreeReader::Refusal;
    QByteArray large;
    for (int line = 0; line < 200; ++line)
        large += "R" + QByteArray(100, ',').replace(",", ",c") + "\r\n";
    const struct {
        QByteArray csv;
        CCsvTreeReader::Refusal refusal;
        InterchangeFailure failure = InterchangeFailure::Unreadable;
    } cases[] = {{"", EmptyFile},
                 {",C1\r\nR1,a\r\n\r\n", EmptyLine},
                 {",C1\r\n\r\nR1,a", EmptyLine},
                 {",C1\r\nR1,a,b", TooFewColumns},
                 {large, None, InterchangeFailure::LimitExceeded}};
    for (const auto& test : cases) {
        NewDocument document;
        CCsvTreeReader reader;
        QByteArray csv = test.csv;
        QBuffer device(&csv);
        EXPECT_EQ(reader.Open(device, document.data).failure, test.failure) << test.csv.left(20).constData();
        EXPECT_EQ(reader.Refused(), test.refusal) << test.csv.left(20).constData();
        EXPECT_FALSE(reader.Import(document.data).Succeeded());
        EXPECT_EQ(document.data.registry.Count(), 1);
        EXPECT_EQ(document.data.registry.origin->name, QString());
    }
}

// A quote that goes wrong leaves no telling where the fields are: the table is refused, naming the line, and nothing
// is imported.
TEST(CsvTree, AQuoteThatGoesWrongRefusesTheTableNamingItsLine) {
    using enum CCsvTreeReader::Refusal;
    const struct {
        QByteArray csv;
        CCsvTreeReader::Refusal refusal;
        QString text;
    } cases[] = {
        {",C1,C2\r\n\"r2,\"3\",\"4\",\r\nR3,a,b\r\nR4,c,d\r\n", MisplacedQuote,
         "The CSV file cannot be imported: line 2 holds a quote out of place (a closing quote followed by other than a "
         "comma, a line end or another quote)."},
        {",C1\r\nR1,\"a\r\nb\" c\r\n", MisplacedQuote, "line 3 holds"},
        {",C1\r\nR1,a\r\nR2,\"b,\r\nR3,c\r\n", UnclosedQuote,
         "The CSV file cannot be imported: the row from line 3 holds a quote that the file never closes."},
    };
    for (const auto& test : cases) {
        NewDocument document;
        CCsvTreeReader reader;
        QByteArray csv = test.csv;
        QBuffer device(&csv);
        EXPECT_EQ(reader.Open(device, document.data).failure, InterchangeFailure::Unreadable);
        EXPECT_EQ(reader.Refused(), test.refusal) << test.csv.constData();
        EXPECT_TRUE(reader.RefusalText().contains(test.text)) << reader.RefusalText().toStdString();
        EXPECT_FALSE(reader.Import(document.data).Succeeded());
        EXPECT_EQ(document.data.registry.Count(), 1);
        EXPECT_EQ(document.data.registry.origin->name, QString());
    }
}

// A table saved as UTF-8 without the byte-order mark is read as UTF-8; names CP932 cannot hold are exported in UTF-8
// with the mark, and the file imports back into the same tree.
TEST(CsvTree, NamesBeyondTheCodePageAreReadAndWrittenInUtf8) {
    NewDocument document;
    ASSERT_TRUE(ImportCsv(QString::fromUtf8(",Größe\r\n日本,¬\r\n").toUtf8(), document.data).Succeeded());
    const QString tree = DumpTree(*document.data.registry.origin);
    EXPECT_TRUE(tree.contains(QString::fromUtf8("日本-Größe=¬\n"))) << tree.toStdString();

    QTemporaryDir dir;
    CCsvTreeWriter writer;
    ASSERT_TRUE(writer.Open(document.data).Succeeded());
    const InterchangeResult written = writer.Write(dir.filePath("tree.csv"));
    ASSERT_TRUE(written.Succeeded());
    EXPECT_TRUE(written.writtenInUtf8);
    const QByteArray bytes = ReadFileBytes(dir.filePath("tree.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF,Gr\xC3\xB6\xC3\x9F\x65,\r\n")) << bytes.constData();
    NewDocument again;
    ASSERT_TRUE(ImportCsv(bytes, again.data).Succeeded());
    EXPECT_EQ(DumpTree(*again.data.registry.origin), tree);
}

TEST(CsvTree, ReadingStopsAtTheFirstFieldLineOrByteTheDocumentCannotTake) {
    // Fields on one line, then lines: the first one past the room left stops the reading.
    for (const QByteArray& csv : {QByteArray(40000, ','), QByteArray("x\r\n").repeated(40000)}) {
        NewDocument document;
        CCsvTreeReader reader;
        QByteArray bytes = csv;
        QBuffer device(&bytes);
        const InterchangeResult result = reader.Open(device, document.data);
        EXPECT_EQ(result.failure, InterchangeFailure::LimitExceeded);
        EXPECT_EQ(result.available, 32766);
        EXPECT_EQ(result.needed, result.available + 1);
        EXPECT_FALSE(reader.Import(document.data).Succeeded());
        EXPECT_EQ(document.data.registry.Count(), 1);
    }
    // A file over the byte bound is refused unread; a pipe or a device is not opened at all.
    QTemporaryDir dir;
    WriteSparseFile(dir.filePath("large.csv"), CCsvTreeReader::MaxFileBytes + 1);
    QFile file;
    ASSERT_TRUE(platform::OpenRegularFileForReading(file, dir.filePath("large.csv")));
    NewDocument document;
    CCsvTreeReader reader;
    EXPECT_EQ(reader.Open(file, document.data).failure, InterchangeFailure::Unreadable);
    EXPECT_EQ(file.pos(), 0);
    EXPECT_FALSE(platform::OpenRegularFileForReading(file, QStringLiteral("/dev/zero")));
}

TEST(CsvTree, ExportNeedsThreeUnitFunctionsAndOneAtTwo) {
    NewDocument document;
    CDocumentData& data = document.data;
    ImportCsv(",C1\r\nR1,a", data);
    CCsvTreeWriter writer;
    // A leaf at 2 ends the rows without becoming one of their cells.
    CUnitFunction* column = data.registry.origin->children[1];
    for (CUnitFunction* function : {column->children[0]->children[0], column->children[0]})
        ASSERT_TRUE(data.registry.DeleteFunction(function, data, data.GetModelOptions()));
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    ASSERT_TRUE(writer.Open(data).Succeeded());
    EXPECT_EQ(writer.Text(), QStringLiteral(",\n\"R1\",\"a\","));
    // Without the column part the rows have no end.
    data.registry.origin->children.pop_back();
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    EXPECT_FALSE(writer.Open(data).Succeeded());
    EXPECT_EQ(writer.Refused(), CCsvTreeWriter::Refusal::NoColumnPart);

    NewDocument small;
    CUnitFunction::AppendChild(small.data.registry.origin, small.data.registry.CreateFunction("ROW", {}));
    small.data.registry.RebuildAndNotify(small.data.indexRoot, small.data.GetModelOptions());
    EXPECT_FALSE(writer.Open(small.data).Succeeded());
    EXPECT_EQ(writer.Refused(), CCsvTreeWriter::Refusal::TooFewFunctions);
}

TEST(CsvTree, AFailedExportSaysWhy) {
    NewDocument document;
    ImportCsv(",C1\r\nR1,a", document.data);
    CCsvTreeWriter writer;
    ASSERT_TRUE(writer.Open(document.data).Succeeded());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    const InterchangeResult missing = writer.Write(folder.filePath(QStringLiteral("no/such/folder.csv")));
    EXPECT_EQ(missing.failure, InterchangeFailure::Error);
    EXPECT_EQ(missing.detail, QString::fromLocal8Bit(std::strerror(ENOENT)));

    const InterchangeResult folderNamed = writer.Write(folder.path());
    EXPECT_EQ(folderNamed.failure, InterchangeFailure::Error);
    EXPECT_EQ(folderNamed.detail,
              QStringLiteral("\"%1\" is not a regular file: it cannot be overwritten.").arg(folder.path()));
}

TEST(CsvTree, ATableNestedDeeperThanATableOfContentsMayBeIsRefusedBeforeAnythingChanges) {
    // Rows without cells nest a level per row below the row part's root.
    QByteArray csv;
    for (int line = 0; line < kMaxOutlineDepth; ++line)
        csv += "R\r\n";
    {
        NewDocument document;
        ASSERT_TRUE(ImportCsv(csv, document.data).Succeeded());
        EXPECT_FALSE(document.data.registry.IsTableOfContentsDeeperThan(kMaxOutlineDepth));
        EXPECT_TRUE(document.data.registry.IsTableOfContentsDeeperThan(kMaxOutlineDepth - 1));
    }
    csv += "R\r\n";
    NewDocument document;
    CCsvTreeReader reader;
    QBuffer device(&csv);
    EXPECT_EQ(reader.Open(device, document.data).failure, InterchangeFailure::TooDeep);
    EXPECT_FALSE(reader.Import(document.data).Succeeded());
    EXPECT_EQ(document.data.registry.Count(), 1);
    EXPECT_EQ(document.data.registry.origin->name, QString());
}
