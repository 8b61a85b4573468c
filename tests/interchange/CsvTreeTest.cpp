#include "interchange/CsvTreeReader.h"
#include "interchange/CsvTreeWriter.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/CodePageTextFile.h"
#include "support/QStringPrinter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

struct NewDocument {
    NewDocument() { data.SetDefaults(); }
    CDocumentData data;
};

InterchangeResult ImportCsv(const QByteArray& csv, CDocumentData& data, CCsvTreeReader& reader) {
    QByteArray bytes = csv;
    QBuffer device(&bytes);
    InterchangeResult result = reader.Open(device, data);
    if (result.Succeeded()) {
        result = reader.Import(data);
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    }
    return result;
}

InterchangeResult ImportCsv(const QByteArray& csv, CDocumentData& data) {
    CCsvTreeReader reader;
    return ImportCsv(csv, data, reader);
}

// The tree below `function`, one line per unit function: indentation, name and, for a leaf, "=" and the content.
QString DumpTree(const CUnitFunction& function, int depth = 0) {
    QString text = QString(depth * 2, ' ') + function.name;
    if (function.children.empty())
        text += '=' + function.header.contentText;
    text += '\n';
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
    const QString tree = QStringLiteral("ROOT\n"
                                        "  ROW\n"
                                        "    R1\n"
                                        "      R1-C1=a\n"
                                        "      R1-C2=b\n"
                                        "  COLUMN\n"
                                        "    C1\n"
                                        "      R1-C1=a\n"
                                        "    C2\n"
                                        "      R1-C2=b\n");
    EXPECT_EQ(DumpTree(*document.data.registry.origin), tree);

    const QByteArray written = ",C1,C2,\r\n\"R1\",\"a\",\"b\",";
    EXPECT_EQ(ExportCsv(document.data), written);
    // What the export writes reads back as the same tree.
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
    EXPECT_TRUE(tree.contains(QStringLiteral("R,1-say \"hi\"=two\nlines"))) << tree.toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("R,1-plain=\""))) << tree.toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("日本-A,1=全角"))) << tree.toStdString();

    const QByteArray written = ExportCsv(document.data);
    EXPECT_TRUE(written.startsWith(",\"A,1\",\"say \"\"hi\"\"\",plain,\r\n")) << written.constData();
    NewDocument again;
    ASSERT_TRUE(ImportCsv(written, again.data).Succeeded());
    EXPECT_EQ(DumpTree(*again.data.registry.origin), tree);
}

TEST(CsvTree, TablesWithoutAPlaceForTheSubtreeRootsAreRefusedUntouched) {
    const struct {
        QByteArray csv;
        CCsvTreeReader::Refusal refusal;
    } cases[] = {
        {"", CCsvTreeReader::Refusal::EmptyFile},
        {",C1\r\nR1,a\r\n\r\n", CCsvTreeReader::Refusal::EmptyLine},
        {",C1\r\n\r\nR1,a", CCsvTreeReader::Refusal::EmptyLine},
        {",C1\r\nR1,a,b", CCsvTreeReader::Refusal::TooFewColumns},
    };
    for (const auto& test : cases) {
        NewDocument document;
        document.data.registry.origin->name = QStringLiteral("Plan");
        CCsvTreeReader reader;
        const InterchangeResult result = ImportCsv(test.csv, document.data, reader);
        EXPECT_EQ(result.failure, InterchangeFailure::Unreadable) << test.csv.constData();
        EXPECT_EQ(reader.Refused(), test.refusal) << test.csv.constData();
        EXPECT_EQ(document.data.registry.Count(), 1);
        EXPECT_EQ(document.data.registry.origin->name, QStringLiteral("Plan"));
        // Import after a refused Open does nothing.
        EXPECT_FALSE(reader.Import(document.data).Succeeded());
        EXPECT_EQ(document.data.registry.Count(), 1);
    }
}

TEST(CsvTree, ATableNeedingMoreUnitFunctionsThanIDsIsRefused) {
    QByteArray csv;
    for (int line = 0; line < 200; ++line)
        csv += "R" + QByteArray::number(line) + QByteArray(100, ',').replace(",", ",c") + "\r\n";
    NewDocument document;
    const InterchangeResult result = ImportCsv(csv, document.data);
    EXPECT_EQ(result.failure, InterchangeFailure::LimitExceeded);
    EXPECT_GT(result.needed, result.available);
    EXPECT_EQ(document.data.registry.Count(), 1);
}

TEST(CsvTree, ExportNeedsThreeUnitFunctionsAndAColumnPart) {
    NewDocument document;
    CDocumentData& data = document.data;
    const ModelOptions options = data.GetModelOptions();
    CUnitFunction::AppendChild(data.registry.origin, data.registry.CreateFunction(QStringLiteral("ROW"), options));
    data.registry.RebuildAndNotify(data.indexRoot, options);
    CCsvTreeWriter writer;
    EXPECT_FALSE(writer.Open(data).Succeeded());
    EXPECT_EQ(writer.Refused(), CCsvTreeWriter::Refusal::TooFewFunctions);

    // Rows but nothing at outline number 2.
    CUnitFunction* row = data.registry.CreateFunction(QStringLiteral("R1"), options);
    CUnitFunction::AppendChild(data.registry.origin->children[0], row);
    CUnitFunction::AppendChild(row, data.registry.CreateFunction(QStringLiteral("cell"), options));
    data.registry.RebuildAndNotify(data.indexRoot, options);
    EXPECT_FALSE(writer.Open(data).Succeeded());
    EXPECT_EQ(writer.Refused(), CCsvTreeWriter::Refusal::NoColumnPart);

    // A leaf at 2 ends the rows without becoming one of their cells.
    CUnitFunction::AppendChild(data.registry.origin, data.registry.CreateFunction(QStringLiteral("COLUMN"), options));
    data.registry.RebuildAndNotify(data.indexRoot, options);
    ASSERT_TRUE(writer.Open(data).Succeeded());
    EXPECT_EQ(writer.Text(), QStringLiteral(",\n\"R1\",\"\","));
}
