#include "generators/TraceabilityMatrix.h"
#include "generators/GeneratorTestSupport.h"
#include "logic/InspectionView.h"
#include "platform/CodePageTextFile.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <gtest/gtest.h>

namespace {

class TraceabilityMatrixTest : public GeneratorOutputTest, public ::testing::Test {
protected:
    TraceabilityMatrixTest() : document({{"Origin", ""}, {"Boil", ""}, {"Steam", "", "Boil"}, {"Keep warm", ""}}) {
        context.m_language = 1;
        document.data.documentHeader.Major = 1;
        document.data.documentHeader.Minor = 2;
        document.Find("Boil").header.ownRequirements = {QStringLiteral("REQ-B"), QStringLiteral("REQ-A")};
        document.Find("Keep warm").header.ownRequirements = {QStringLiteral("REQ-A")};
        Rebuild();
    }

    void Rebuild() {
        document.data.registry.RebuildAndNotify(document.data.indexRoot, document.data.GetModelOptions());
    }
    TraceabilityMatrix Matrix() {
        return TraceabilityMatrix(document.data, QStringLiteral("/docs/cooker.nuv"), context);
    }

    GeneratorTestDocument document;
    CMessageContext context;
};

TEST_F(TraceabilityMatrixTest, ExportMarksOwnAndInheritedItems) {
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    ExpectSameAsGolden(Path("trace.csv"), "trace-export.csv");
    EXPECT_EQ(document.data.fileNames.traceExportFileName, Path("trace.csv"));
}

TEST_F(TraceabilityMatrixTest, ImportRoundTripChangesTheOwnItemsAndSkipsRowsOfAnotherName) {
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    // In the spreadsheet: Steam takes REQ-B as its own, Keep warm loses REQ-A, and the row of Boil names
    // another unit function now.
    QString text = platform::DecodeProcessCodePage(ReadFileBytes(Path("trace.csv")));
    text.replace(QStringLiteral("\"1.1\",\"Steam\",\"△\",\"△\","), QStringLiteral("\"1.1\",\"Steam\",\"\",\"○\","));
    text.replace(QStringLiteral("\"2\",\"Keep warm\",\"○\","), QStringLiteral("\"2\",\"Keep warm\",\"\","));
    text.replace(QStringLiteral("\"1\",\"Boil\",\"○\",\"○\","), QStringLiteral("\"1\",\"Fry\",\"\",\"\","));
    WriteFileBytes(Path("edited.csv"), platform::EncodeProcessCodePage(text));

    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("edited.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Steam").header.ownRequirements, std::set<QString>({QStringLiteral("REQ-B")}));
    EXPECT_TRUE(document.Find("Keep warm").header.ownRequirements.empty());
    EXPECT_EQ(document.Find("Boil").header.ownRequirements.size(), 2u);
    EXPECT_EQ(pane.Lines(),
              QStringList({"=== トレーサビリティ・マトリックス インポート 開始 ===", "--- 単位機能の原要求項目変更 ---",
                           "1 was not read: its unit function name is \"Boil\", not \"Fry\".",
                           "1.1 の原要求項目 \"\" を \"REQ-B\" に変更", "2 の原要求項目 \"REQ-A\" を \"\" に変更",
                           "--- インポートした単位機能数: 3, 変更した単位機能数: 2 ---",
                           "=== トレーサビリティ・マトリックス インポート 終了 ==="}));
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("トレーサビリティ・マトリックスを \"%1\" から読み込みました。").arg(Path("edited.csv")));
}

// Names CP932 cannot hold make the export UTF-8 with the byte-order mark, so that the file imported back unchanged
// leaves every name and item as it was: two items that differ only in such characters stay two.
TEST_F(TraceabilityMatrixTest, AnExportOfNamesTheCodePageCannotHoldImportsBackUnchanged) {
    CUnitFunction& keepWarm = document.Find("Keep warm");
    keepWarm.name = QStringLiteral("Größe");
    keepWarm.header.ownRequirements = {QStringLiteral("Größe"), QStringLiteral("Grüße")};
    document.Find("Boil").header.ownRequirements = {QStringLiteral("Grüße"), QStringLiteral("REQ-A")};
    Rebuild();
    const auto items = [this] {
        std::vector<std::set<QString>> held;
        for (const char* name : {"Origin", "Boil", "Steam", "Größe"})
            held.push_back(document.Find(QString::fromUtf8(name)).header.ownRequirements);
        return held;
    };
    const auto before = items();
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    EXPECT_TRUE(ReadFileBytes(Path("trace.csv")).startsWith("\xEF\xBB\xBF\"cooker.nuv\","));
    EXPECT_TRUE(messages.Texts().last().endsWith(
        "The file was written in UTF-8 with a byte-order mark: CP932 cannot hold some of its characters."));

    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("trace.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(items(), before);
    EXPECT_TRUE(pane.Lines().contains("--- インポートした単位機能数: 4, 変更した単位機能数: 0 ---"))
        << pane.Lines().join('\n').toStdString();
}

// A spreadsheet that saves the matrix in CP932 writes the characters CP932 has no code of their own for in their
// nearest forms (− as －, 〜 as ～, ‖ as ∥, ¢ as ￠, £ as ￡, ¬ as ￢), in names and items alike. The file imported
// back unchanged leaves every item and row as it was; an edited mark applies to the item of its column.
TEST_F(TraceabilityMatrixTest, ImportTakesBackNamesAndItemsASpreadsheetWroteInTheirNearestCodePageForms) {
    CUnitFunction& steam = document.Find("Steam");
    steam.name = QString::fromUtf8("〜Steam−1");
    const std::set<QString> items{QString::fromUtf8("A−B"), QString::fromUtf8("〜x"), QString::fromUtf8("‖"),
                                  QString::fromUtf8("¢5"),  QString::fromUtf8("£3"),  QString::fromUtf8("¬y")};
    steam.header.ownRequirements = items;
    CUnitFunction& keepWarm = document.Find("Keep warm");
    keepWarm.header.ownRequirements = {QString::fromUtf8("A−B"), QStringLiteral("REQ-A")};
    Rebuild();
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    QString text = platform::DecodeProcessCodePage(ReadFileBytes(Path("trace.csv")));
    const char* nearest[][2] = {{"−", "－"}, {"〜", "～"}, {"‖", "∥"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"}};
    for (const auto& [from, to] : nearest)
        text.replace(QString::fromUtf8(from), QString::fromUtf8(to));
    ASSERT_TRUE(text.contains(QString::fromUtf8("\"1.1\",\"～Steam－1\",\"○\",")));
    WriteFileBytes(Path("saved.csv"), platform::EncodeProcessCodePage(text));

    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("saved.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(steam.header.ownRequirements, items);
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QString::fromUtf8("A−B"), QStringLiteral("REQ-A")}));
    EXPECT_EQ(pane.Lines().mid(2, 1), QStringList({"--- インポートした単位機能数: 4, 変更した単位機能数: 0 ---"}));

    text.replace(QString::fromUtf8("\"2\",\"Keep warm\",\"○\","), QString::fromUtf8("\"2\",\"Keep warm\",\"\","));
    WriteFileBytes(Path("edited.csv"), platform::EncodeProcessCodePage(text));
    ASSERT_EQ(Matrix().Import(Path("edited.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(steam.header.ownRequirements, items);
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A")}));
    EXPECT_EQ(pane.Lines().mid(2, 2),
              QStringList({QString::fromUtf8("2 の原要求項目 \"A−B, REQ-A\" を \"REQ-A\" に変更"),
                           "--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"}));
}

// An export written before in the code page holds "?" for each character it lacks, in names and items alike. Such a
// name stands for the one item of the document in that form, wherever its column now stands: the file imported back
// after an item that sorts before it was added leaves the items as they were, and an edited mark applies to the item
// of its column.
TEST_F(TraceabilityMatrixTest, ImportTakesBackNamesAndItemsAnExportInTheCodePageWroteWithQuestionMarks) {
    CUnitFunction& keepWarm = document.Find("Keep warm");
    keepWarm.name = QStringLiteral("Größe");
    keepWarm.header.ownRequirements = {QStringLiteral("Größe"), QStringLiteral("✓")};
    Rebuild();
    const QString text = platform::ProcessCodePageForm(Matrix().MakeLines().join(QString()));
    ASSERT_TRUE(text.contains(QStringLiteral("\"\",\"原要求項目\",\"Gr??e\",\"REQ-A\",\"REQ-B\",\"?\",")));
    ASSERT_TRUE(text.contains(QStringLiteral("\"2\",\"Gr??e\",\"○\",\"\",\"\",\"○\",")));
    WriteFileBytes(Path("old.csv"), platform::EncodeProcessCodePage(text));
    document.Find("Steam").header.ownRequirements = {QStringLiteral("0-new")};
    Rebuild();
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("old.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("Größe"), QStringLiteral("✓")}));
    EXPECT_EQ(pane.Lines().mid(2, 2), QStringList({"1.1 の原要求項目 \"0-new\" を \"\" に変更",
                                                   "--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"}));

    QString edited = text;
    edited.replace(QStringLiteral("\"2\",\"Gr??e\",\"○\","), QStringLiteral("\"2\",\"Gr??e\",\"\","));
    WriteFileBytes(Path("edited.csv"), platform::EncodeProcessCodePage(edited));
    ASSERT_EQ(Matrix().Import(Path("edited.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("✓")}));
    EXPECT_TRUE(pane.Lines().contains("--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"))
        << pane.Lines().join('\n').toStdString();
}

// A "?" name is read as written in a row whose unit function holds none of the items of that form, when several items
// of the document have that form (an item may be named "?" itself) or another column holds the same name, and where
// the file holds the item's own name too, as an export in UTF-8 writes it. The list says that the name may stand for
// several items, before the first row that read it so.
TEST_F(TraceabilityMatrixTest, ImportReadsAQuestionMarkNameAsWrittenWhereTheRowHoldsNoneOfItsItems) {
    CUnitFunction& keepWarm = document.Find("Keep warm");
    keepWarm.header.ownRequirements = {QStringLiteral("Größe"), QStringLiteral("Grüße")};
    document.Find("Boil").header.ownRequirements = {QStringLiteral("?"), QStringLiteral("✓")};
    document.Find("Steam").header.ownRequirements = {QStringLiteral("Maß")};
    Rebuild();
    WriteFileBytes(
        Path("old.csv"),
        platform::EncodeProcessCodePage(QStringLiteral(
            "\"cooker.nuv\",\"1.02\",\n\"\",\"原要求項目\",\"Gr??e\",\"?\",\"Ma?\",\"Ma?\",\n\"番号\",\"名前\",\n"
            "\"0\",\"Origin\",\"○\",\"○\",\"\",\"\",\n\"1\",\"Boil\",\"\",\"○\",\"\",\"\",\n"
            "\"1.1\",\"Steam\",\"\",\"\",\"○\",\"\",\n\"2\",\"Keep warm\",\"○\",\"\",\"\",\"○\",\n")));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("old.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Origin").header.ownRequirements,
              std::set<QString>({QStringLiteral("Gr??e"), QStringLiteral("?")}));
    EXPECT_EQ(document.Find("Boil").header.ownRequirements,
              std::set<QString>({QStringLiteral("?"), QStringLiteral("✓")}));
    EXPECT_EQ(document.Find("Steam").header.ownRequirements, std::set<QString>({QStringLiteral("Maß")}));
    EXPECT_EQ(keepWarm.header.ownRequirements,
              std::set<QString>({QStringLiteral("Größe"), QStringLiteral("Grüße"), QStringLiteral("Ma?")}));
    const auto readAsWritten = [](const char* name) {
        return QStringLiteral("The column name \"%1\" may stand for several 原要求項目: it was read as written where a "
                              "unit function held none of them.")
            .arg(QLatin1String(name));
    };
    EXPECT_EQ(pane.Lines().mid(2, 5),
              QStringList({readAsWritten("Gr??e"), readAsWritten("?"), "0 の原要求項目 \"\" を \"?, Gr??e\" に変更",
                           readAsWritten("Ma?"), "2 の原要求項目 \"Größe, Grüße\" を \"Größe, Grüße, Ma?\" に変更"}));

    // One item of that form and one column holding it, in a file in UTF-8 that holds each item's own name as well.
    keepWarm.header.ownRequirements = {QStringLiteral("Größe")};
    document.Find("Boil").header.ownRequirements = {QStringLiteral("✓")};
    Rebuild();
    WriteFileBytes(Path("utf8.csv"),
                   QStringLiteral("\"cooker.nuv\",\"1.02\",\r\n\"\",\"原要求項目\",\"Gr??e\",\"?\",\"Größe\",\"✓\",\r\n"
                                  "\"番号\",\"名前\",\r\n\"1\",\"Boil\",\"\",\"○\",\"\",\"○\",\r\n"
                                  "\"2\",\"Keep warm\",\"○\",\"\",\"○\",\"\",\r\n")
                       .toUtf8());
    ASSERT_EQ(Matrix().Import(Path("utf8.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Boil").header.ownRequirements,
              std::set<QString>({QStringLiteral("?"), QStringLiteral("✓")}));
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("Größe"), QStringLiteral("Gr??e")}));
    EXPECT_EQ(pane.Lines().mid(2, 2), QStringList({"1 の原要求項目 \"✓\" を \"?, ✓\" に変更",
                                                   "2 の原要求項目 \"Größe\" を \"Gr??e, Größe\" に変更"}));
}

// Where several items of the document have the form of a "?" column (Größe and Grüße, written as two columns of one
// name; an item Ä added beside ✓ since the export), a row stands for every item of that form its unit function holds:
// the old export changes none of them, nor does it saved again in UTF-8. Only a row whose unit function holds none
// reads the name as written.
TEST_F(TraceabilityMatrixTest, ImportKeepsEveryItemOfAQuestionMarkFormARowsUnitFunctionHolds) {
    document.Find("Boil").header.ownRequirements = {QStringLiteral("✓"), QStringLiteral("plain")};
    document.Find("Steam").header.ownRequirements = {QStringLiteral("Grüße"), QStringLiteral("Größe")};
    document.Find("Keep warm").header.ownRequirements = {QStringLiteral("Größe")};
    Rebuild();
    QString text = platform::ProcessCodePageForm(Matrix().MakeLines().join(QString()));
    ASSERT_TRUE(text.contains(QStringLiteral("\"\",\"原要求項目\",\"Gr??e\",\"Gr??e\",\"plain\",\"?\",")));
    ASSERT_TRUE(text.contains(QStringLiteral("\"1.1\",\"Steam\",\"○\",\"○\",")));
    // Since the export: Ä given to the origin and to Boil, and in the file beside it; the "?" column marked for Keep
    // warm too.
    document.Find("Origin").header.ownRequirements = {QStringLiteral("Ä")};
    document.Find("Boil").header.ownRequirements.insert(QStringLiteral("Ä"));
    Rebuild();
    text.replace(QStringLiteral("\"0\",\"Origin\",\"△\",\"△\",\"△\",\"△\","),
                 QStringLiteral("\"0\",\"Origin\",\"\",\"\",\"\",\"○\","));
    text.replace(QStringLiteral("\"2\",\"Keep warm\",\"○\",\"\",\"\",\"\","),
                 QStringLiteral("\"2\",\"Keep warm\",\"○\",\"\",\"\",\"○\","));
    WriteFileBytes(Path("old.csv"), platform::EncodeProcessCodePage(text));
    WriteFileBytes(Path("utf8.csv"), text.toUtf8());
    for (const char* file : {"old.csv", "utf8.csv"}) {
        document.Find("Keep warm").header.ownRequirements = {QStringLiteral("Größe")};
        Rebuild();
        CInspectionView pane;
        ASSERT_EQ(Matrix().Import(Path(file), pane), TraceabilityMatrix::ImportResult::Imported);
        EXPECT_EQ(document.Find("Origin").header.ownRequirements, std::set<QString>({QStringLiteral("Ä")}));
        EXPECT_EQ(document.Find("Boil").header.ownRequirements,
                  std::set<QString>({QStringLiteral("✓"), QStringLiteral("Ä"), QStringLiteral("plain")}));
        EXPECT_EQ(document.Find("Steam").header.ownRequirements,
                  std::set<QString>({QStringLiteral("Grüße"), QStringLiteral("Größe")}));
        EXPECT_EQ(document.Find("Keep warm").header.ownRequirements,
                  std::set<QString>({QStringLiteral("Größe"), QStringLiteral("?")}));
        EXPECT_EQ(pane.Lines().mid(2, 3),
                  QStringList({"The column name \"?\" may stand for several 原要求項目: it was read as written where "
                               "a unit function held none of them.",
                               "2 の原要求項目 \"Größe\" を \"?, Größe\" に変更",
                               "--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"}))
            << file;
    }
}

// An item whose own name is another item's nearest form (～x of 〜x, A－B of A−B) is its column alone where the file
// holds a column for the other item too: an export in the code page wrote those as "?x" and "A?B", and so does that
// file saved again as UTF-8. Where other programs wrote both as "～x", the two columns of that name cannot be told
// apart, whatever column an item named "?x" has: a mark added in one of them adds neither item.
TEST_F(TraceabilityMatrixTest, ImportTakesAColumnUnderAnItemsOwnNameForItAloneWhereTheOtherItemHasAColumn) {
    document.Find("Boil").header.ownRequirements = {QString::fromUtf8("～x"), QString::fromUtf8("A－B")};
    CUnitFunction& steam = document.Find("Steam");
    CUnitFunction& keepWarm = document.Find("Keep warm");
    const std::set<QString> steamItems{QString::fromUtf8("A−B"), QString::fromUtf8("〜x"), QString::fromUtf8("～x")};
    const std::set<QString> keepWarmItems{QString::fromUtf8("A−B"), QString::fromUtf8("〜x")};
    steam.header.ownRequirements = steamItems;
    keepWarm.header.ownRequirements = keepWarmItems;
    Rebuild();
    QString old = platform::ProcessCodePageForm(Matrix().MakeLines().join(QString()));
    ASSERT_TRUE(old.contains(QString::fromUtf8("\"\",\"原要求項目\",\"A?B\",\"A－B\",\"?x\",\"～x\",\n")));
    // Steam's "?x" and "A?B" unmarked, Keep warm's "～x" and "A－B" marked.
    const QString rows =
        QString::fromUtf8("\"1.1\",\"Steam\",\"○\",\"△\",\"○\",\"○\",\n\"2\",\"Keep warm\",\"○\",\"\",\"○\",\"\",\n");
    ASSERT_TRUE(old.contains(rows));
    old.replace(rows, QString::fromUtf8("\"1.1\",\"Steam\",\"\",\"△\",\"\",\"○\",\n"
                                        "\"2\",\"Keep warm\",\"○\",\"○\",\"○\",\"○\",\n"));
    WriteFileBytes(Path("old.csv"), platform::EncodeProcessCodePage(old));
    WriteFileBytes(Path("utf8.csv"), old.toUtf8());
    for (const char* file : {"old.csv", "utf8.csv"}) {
        steam.header.ownRequirements = steamItems;
        keepWarm.header.ownRequirements = keepWarmItems;
        Rebuild();
        CInspectionView pane;
        ASSERT_EQ(Matrix().Import(Path(file), pane), TraceabilityMatrix::ImportResult::Imported);
        EXPECT_EQ(steam.header.ownRequirements, std::set<QString>({QString::fromUtf8("～x")})) << file;
        EXPECT_EQ(keepWarm.header.ownRequirements,
                  std::set<QString>({QString::fromUtf8("A−B"), QString::fromUtf8("A－B"), QString::fromUtf8("〜x"),
                                     QString::fromUtf8("～x")}))
            << file;
        EXPECT_EQ(pane.Lines().mid(2, 3),
                  QStringList({QString::fromUtf8("1.1 の原要求項目 \"A−B, 〜x, ～x\" を \"～x\" に変更"),
                               QString::fromUtf8("2 の原要求項目 \"A−B, 〜x\" を \"A−B, A－B, 〜x, ～x\" に変更"),
                               "--- インポートした単位機能数: 4, 変更した単位機能数: 2 ---"}))
            << file;
    }

    keepWarm.header.ownRequirements = {QStringLiteral("?x"), QString::fromUtf8("〜x")};
    Rebuild();
    QString windows = Matrix().MakeLines().join(QString()).replace(QString::fromUtf8("〜"), QString::fromUtf8("～"));
    ASSERT_TRUE(windows.contains(QString::fromUtf8("\"\",\"原要求項目\",\"?x\",\"A－B\",\"～x\",\"～x\",\n")));
    const QString keepWarmRow = QString::fromUtf8("\"2\",\"Keep warm\",\"○\",\"\",\"○\",\"\",\n");
    ASSERT_TRUE(windows.contains(keepWarmRow));
    windows.replace(keepWarmRow, QString::fromUtf8("\"2\",\"Keep warm\",\"○\",\"\",\"○\",\"○\",\n"));
    WriteFileBytes(Path("windows.csv"), platform::EncodeProcessCodePage(windows));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("windows.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("?x"), QString::fromUtf8("〜x")}));
    EXPECT_EQ(pane.Lines().mid(2, 2),
              QStringList({QString::fromUtf8("In row 2, more columns \"～x\" are marked than its unit function holds "
                                             "of \"〜x, ～x\", but which of them an added mark stands for cannot be "
                                             "told: none was added."),
                           "--- インポートした単位機能数: 4, 変更した単位機能数: 0 ---"}));
}

// Where other programs wrote CP932, an item and its nearest form (〜x and ～x) are two columns "～x", and a third item
// CP932 cannot hold at all (ßx) is the one "?x": neither column under the item's own name is that item alone. That
// file, saved again as UTF-8 too, and an export in the code page ("?x", "?x", "～x") change nothing imported back
// unchanged, in a row holding both items too.
TEST_F(TraceabilityMatrixTest, ImportChangesNothingWhereAThirdItemMayBeTheOtherFormsColumn) {
    const char* const cases[][3] = {
        {"〜x", "～x", "ßx"}, {"−5V", "－5V", "–5V"}, {"〜10秒", "～10秒", "—10秒"}, {"〜x", "～x", "☃x"}};
    CUnitFunction& origin = document.Find("Origin");
    CUnitFunction& boil = document.Find("Boil");
    CUnitFunction& keepWarm = document.Find("Keep warm");
    for (const auto& items : cases) {
        const QString item = QString::fromUtf8(items[0]);
        const QString nearest = QString::fromUtf8(items[1]);
        const QString third = QString::fromUtf8(items[2]);
        const std::set<QString> both{item, nearest};
        origin.header.ownRequirements = both;
        boil.header.ownRequirements = {item};
        document.Find("Steam").header.ownRequirements = {nearest};
        keepWarm.header.ownRequirements = {third};
        Rebuild();
        const QString lines = Matrix().MakeLines().join(QString());
        const QString windows = QString(lines).replace(item.front(), nearest.front());
        WriteFileBytes(Path("windows.csv"), platform::EncodeProcessCodePage(windows));
        ASSERT_TRUE(platform::DecodeProcessCodePage(ReadFileBytes(Path("windows.csv")))
                        .contains(QStringLiteral("\"?%1\",\"%2\",\"%2\",\n").arg(third.mid(1), nearest)))
            << items[0];
        WriteFileBytes(Path("utf8.csv"), platform::DecodeProcessCodePage(ReadFileBytes(Path("windows.csv"))).toUtf8());
        WriteFileBytes(Path("old.csv"), platform::EncodeProcessCodePage(lines));

        for (const char* file : {"windows.csv", "utf8.csv", "old.csv"}) {
            CInspectionView pane;
            ASSERT_EQ(Matrix().Import(Path(file), pane), TraceabilityMatrix::ImportResult::Imported);
            EXPECT_EQ(origin.header.ownRequirements, both) << items[0] << ' ' << file;
            EXPECT_EQ(boil.header.ownRequirements, std::set<QString>({item})) << items[0] << ' ' << file;
            EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({third})) << items[0] << ' ' << file;
            EXPECT_EQ(pane.Lines().mid(2, 1),
                      QStringList({"--- インポートした単位機能数: 4, 変更した単位機能数: 0 ---"}))
                << items[0] << ' ' << file;
        }
    }
}

// What the import cannot follow as the marks stand is said in the pane, naming the row and the column, and changes
// nothing else: a mark removed in one of the two columns of a form whose two items the row's unit function holds (both
// are kept), and a "?" column taken as an item the row's unit function did not hold.
TEST_F(TraceabilityMatrixTest, ImportSaysWhereItCannotTellWhatAMarkOfACodePageFormMeans) {
    CUnitFunction& boil = document.Find("Boil");
    boil.header.ownRequirements = {QStringLiteral("✓"), QStringLiteral("Grüße")};
    CUnitFunction& steam = document.Find("Steam");
    steam.header.ownRequirements = {QStringLiteral("Grüße"), QStringLiteral("Größe")};
    CUnitFunction& keepWarm = document.Find("Keep warm");
    keepWarm.header.ownRequirements = {QStringLiteral("REQ-A")};
    Rebuild();
    QString text = platform::ProcessCodePageForm(Matrix().MakeLines().join(QString()));
    ASSERT_TRUE(text.contains(QStringLiteral("\"\",\"原要求項目\",\"Gr??e\",\"Gr??e\",\"REQ-A\",\"?\",")));
    ASSERT_TRUE(text.contains(QStringLiteral("\"1.1\",\"Steam\",\"○\",\"○\",")));
    ASSERT_TRUE(text.contains(QStringLiteral("\"1\",\"Boil\",\"△\",\"○\",")));
    text.replace(QStringLiteral("\"1\",\"Boil\",\"△\",\"○\","), QStringLiteral("\"1\",\"Boil\",\"○\",\"○\","));
    text.replace(QStringLiteral("\"1.1\",\"Steam\",\"○\",\"○\","), QStringLiteral("\"1.1\",\"Steam\",\"\",\"○\","));
    text.replace(QStringLiteral("\"2\",\"Keep warm\",\"\",\"\",\"○\",\"\","),
                 QStringLiteral("\"2\",\"Keep warm\",\"\",\"\",\"○\",\"○\","));
    WriteFileBytes(Path("edited.csv"), platform::EncodeProcessCodePage(text));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("edited.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(boil.header.ownRequirements, std::set<QString>({QStringLiteral("✓"), QStringLiteral("Grüße")}));
    EXPECT_EQ(steam.header.ownRequirements, std::set<QString>({QStringLiteral("Grüße"), QStringLiteral("Größe")}));
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A"), QStringLiteral("✓")}));
    EXPECT_EQ(
        pane.Lines().mid(2, 5),
        QStringList({"In row 1, more columns \"Gr??e\" are marked than its unit function holds of \"Größe, Grüße\", "
                     "but which of them an added mark stands for cannot be told: none was added.",
                     "In row 1.1, not every column \"Gr??e\" is marked, but which of \"Größe, Grüße\" an "
                     "unmarked one stands for cannot be told: all of them were kept.",
                     "In row 2, the column \"?\" was read as \"✓\", which its unit function did not hold.",
                     "2 の原要求項目 \"REQ-A\" を \"REQ-A, ✓\" に変更",
                     "--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"}));

    keepWarm.header.ownRequirements = {QStringLiteral("REQ-A")};
    Rebuild();
    SetTextLanguage(1);
    Matrix().Import(Path("edited.csv"), pane);
    SetTextLanguage(0);
    EXPECT_EQ(
        pane.Lines().mid(2, 3),
        QStringList({"1 の行で列 \"Gr??e\" の印が単位機能の持つ \"Größe, Grüße\" の数より多いですが、増えた印がどれを"
                     "表すか区別できないため、何も追加しませんでした。",
                     "1.1 の行で列 \"Gr??e\" の一部に印がありませんが、印のない列が \"Größe, Grüße\" の"
                     "どれを表すか区別できないため、すべて残しました。",
                     "2 の行で列 \"?\" を、単位機能が持っていなかった \"✓\" として読み込みました。"}));
}

// What a spreadsheet writes when it saves the matrix as UTF-8 without the mark is read as UTF-8: every name matches
// and only the edited mark changes anything.
TEST_F(TraceabilityMatrixTest, ImportReadsAFileSavedAsUtf8WithoutTheMark) {
    document.Find("Steam").header.ownRequirements = {QStringLiteral("Größe")};
    Rebuild();
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    QString text = platform::DecodeProcessCodePage(ReadFileBytes(Path("trace.csv")));
    text.replace(QStringLiteral("\"2\",\"Keep warm\",\"\",\"○\","), QStringLiteral("\"2\",\"Keep warm\",\"○\",\"○\","));
    WriteFileBytes(Path("saved.csv"), text.replace("\n", "\r\n").toUtf8());

    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("saved.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Keep warm").header.ownRequirements,
              std::set<QString>({QStringLiteral("Größe"), QStringLiteral("REQ-A")}));
    EXPECT_EQ(pane.Lines().mid(2, 2), QStringList({"2 の原要求項目 \"REQ-A\" を \"Größe, REQ-A\" に変更",
                                                   "--- インポートした単位機能数: 4, 変更した単位機能数: 1 ---"}));
}

// Names and items with line breaks, quotes and commas are written as quoted fields over several lines; every row
// reads back, and the items read from one column are one text shared by every unit function that marks it.
TEST_F(TraceabilityMatrixTest, ImportReadsBackEveryRowOfNamesHoldingLineBreaksQuotesAndCommas) {
    CUnitFunction& boil = document.Find("Boil");
    CUnitFunction& steam = document.Find("Steam");
    CUnitFunction& keepWarm = document.Find("Keep warm");
    boil.name = QStringLiteral("Boil\nwater");
    steam.name = QStringLiteral("Steam\r\nnow, \"quick\"\n");
    keepWarm.name = QStringLiteral("\nKeep \"warm\",\r\n\r\n");
    const std::set<QString> boilItems{QStringLiteral("REQ-A"), QStringLiteral("REQ\r\nB, \"two\"\nlines")};
    boil.header.ownRequirements = boilItems;
    steam.header.ownRequirements = {QStringLiteral("REQ-A")};
    Rebuild();
    ASSERT_TRUE(Matrix().Export(Path("trace.csv")));
    for (CUnitFunction* function : {&boil, &steam, &keepWarm})
        function->header.ownRequirements.clear();
    Rebuild();

    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("trace.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_TRUE(pane.Lines().contains("--- インポートした単位機能数: 4, 変更した単位機能数: 3 ---"))
        << pane.Lines().join('\n').toStdString();
    EXPECT_EQ(boil.header.ownRequirements, boilItems);
    EXPECT_EQ(steam.header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A")}));
    EXPECT_EQ(keepWarm.header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A")}));
    EXPECT_EQ(boil.header.ownRequirements.find(QStringLiteral("REQ-A"))->constData(),
              steam.header.ownRequirements.begin()->constData());
}

// A quote the file never closes takes the rest of the file into one record: that record is no row, and the pane says
// from which line on nothing was read. In the line of column names it leaves no columns.
TEST_F(TraceabilityMatrixTest, ImportStopsAtAQuoteTheFileNeverCloses) {
    WriteFileBytes(Path("open.csv"), platform::EncodeProcessCodePage(
                                         QStringLiteral("\"cooker.nuv\",\"1.02\",\n\"\",\"原要求項目\",\"REQ-A\",\n"
                                                        "\"番号\",\"名前\",\n\"1\",\"Boil\",\"○\",\n"
                                                        "\"2\",\"Keep warm\",\"○\n1.1,Steam,○,\n")));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("open.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Boil").header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A")}));
    EXPECT_EQ(document.Find("Keep warm").header.ownRequirements, std::set<QString>({QStringLiteral("REQ-A")}));
    EXPECT_TRUE(document.Find("Steam").header.ownRequirements.empty());
    EXPECT_EQ(pane.Lines().mid(2, 2),
              QStringList({"1 の原要求項目 \"REQ-A, REQ-B\" を \"REQ-A\" に変更",
                           "The row from line 5 holds a quote that the file never closes: nothing from line 5 on "
                           "was read."}));
    EXPECT_EQ(
        messages.Texts().last(),
        QStringLiteral("The traceability matrix was read from \"%1\" up to line 5: the rows before that line were "
                       "applied.\n\nThe row from line 5 holds a quote that the file never closes: nothing from "
                       "line 5 on was read.")
            .arg(Path("open.csv")));

    WriteFileBytes(Path("open-names.csv"), "\"cooker.nuv\",\"\",\r\n\"\",\"x\r\n\"1\",\"Boil\",\r\n");
    pane.ClearMessages();
    EXPECT_EQ(Matrix().Import(Path("open-names.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
    EXPECT_TRUE(messages.Texts().last().startsWith(QStringLiteral("要求仕様が読込めませんでした。")));
    EXPECT_EQ(pane.LineCount(), 0);
}

// A closing quote followed by text is where the quotes went wrong, whatever quoted line breaks follow: the pane names
// that line, and the rows before it are applied.
TEST_F(TraceabilityMatrixTest, ImportNamesTheLineOfAMisplacedQuoteBeforeALaterQuotedLineBreak) {
    WriteFileBytes(Path("broken.csv"),
                   platform::EncodeProcessCodePage(
                       QStringLiteral("\"cooker.nuv\",\"1.02\",\n\"\",\"原要求項目\",\"REQ-A\",\n"
                                      "\"番号\",\"名前\",\n\"2\",\"Keep warm\",\"\",\n\"1.1\",\"St\"eam\",\"○\",\n"
                                      "\"1\",\"Boil\",\"\",\n\"9\",\"Two\nlines\",\"○\",\n\"1\",\"Boil\",\"○\",\n")));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("broken.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_TRUE(document.Find("Keep warm").header.ownRequirements.empty());
    EXPECT_TRUE(document.Find("Steam").header.ownRequirements.empty());
    EXPECT_EQ(document.Find("Boil").header.ownRequirements.size(), 2u);
    EXPECT_EQ(pane.Lines().mid(2, 3),
              QStringList({"2 の原要求項目 \"REQ-A\" を \"\" に変更",
                           "Line 5 holds a quote out of place (a closing quote followed by other than a comma, a line "
                           "end or another quote): nothing from line 5 on was read.",
                           "--- インポートした単位機能数: 1, 変更した単位機能数: 1 ---"}));

    SetTextLanguage(1);
    Matrix().Import(Path("broken.csv"), pane);
    SetTextLanguage(0);
    EXPECT_EQ(
        messages.Texts().last(),
        QStringLiteral("トレーサビリティ・マトリックスを \"%1\" から5行目の手前まで読み込み、それより前の行を反映し"
                       "ました。\n\n5行目に、コンマ・行末・引用符以外の文字が続く閉じ引用符があるため、5行目以降"
                       "を読み込みませんでした。")
            .arg(Path("broken.csv")));
}

// A quote in a field that does not begin with one is part of its text, in the items' names and in the rows alike.
TEST_F(TraceabilityMatrixTest, ImportReadsAQuoteInAFieldThatDoesNotBeginWithOneAsText) {
    document.Find("Steam").name = QStringLiteral("12\" steam");
    Rebuild();
    WriteFileBytes(Path("typed.csv"), platform::EncodeProcessCodePage(QStringLiteral(
                                          "cooker.nuv,1.02,\n,原要求項目,REQ-A,5\" x 3\" panel,\n番号,名前,\n"
                                          "1,Boil,○,○,\n1.1,12\" steam,,○,\n")));
    CInspectionView pane;
    ASSERT_EQ(Matrix().Import(Path("typed.csv"), pane), TraceabilityMatrix::ImportResult::Imported);
    EXPECT_EQ(document.Find("Boil").header.ownRequirements,
              std::set<QString>({QStringLiteral("REQ-A"), QStringLiteral("5\" x 3\" panel")}));
    EXPECT_EQ(document.Find("12\" steam").header.ownRequirements,
              std::set<QString>({QStringLiteral("5\" x 3\" panel")}));
    EXPECT_TRUE(pane.Lines().contains("--- インポートした単位機能数: 2, 変更した単位機能数: 2 ---"))
        << pane.Lines().join('\n').toStdString();
}

// Where the quotes go wrong in the document's name or the items' names, no field after them can be told: nothing is
// imported, and the message names the line.
TEST_F(TraceabilityMatrixTest, ImportRefusesAQuoteThatGoesWrongInTheFirstTwoLinesNamingItsLine) {
    const QString refused =
        QStringLiteral("要求仕様が読込めませんでした。\nファイルのフォーマットを確認して下さい。\n\n");
    const QString rows = QStringLiteral("番号,名前,\n1,Boil,,\n");
    const struct {
        QString names;
        QString said;
    } cases[] = {
        {QStringLiteral("\"cooker\".nuv,\"\",\n\"\",\"原要求項目\",\"REQ-A\",\n"),
         "Line 1 holds a quote out of place (a closing quote followed by other than a comma, a line end or another "
         "quote): nothing from line 1 on was read."},
        {QStringLiteral("\"cooker.nuv\",\"\",\n\"\",\"原要求\n項目\"s,\"REQ-A\",\n"),
         "Line 3 holds a quote out of place (a closing quote followed by other than a comma, a line end or another "
         "quote): nothing from line 2 on was read."},
        {QStringLiteral("\"cooker.nuv\",\"\",\n\"\",\"原要求項目\",\"REQ-A,\n"),
         "The row from line 2 holds a quote that the file never closes: nothing from line 2 on was read."},
    };
    for (const auto& test : cases) {
        WriteFileBytes(Path("broken.csv"), platform::EncodeProcessCodePage(test.names + rows));
        CInspectionView pane;
        EXPECT_EQ(Matrix().Import(Path("broken.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
        EXPECT_EQ(messages.Texts().last(), refused + test.said);
        EXPECT_EQ(pane.LineCount(), 0);
        EXPECT_EQ(document.Find("Boil").header.ownRequirements.size(), 2u);
    }
}

TEST_F(TraceabilityMatrixTest, ImportRefusals) {
    CInspectionView pane;
    EXPECT_EQ(Matrix().Import(Path("none.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
    EXPECT_EQ(messages.Texts().last(), QStringLiteral("ファイル \"%1\" を開けません。").arg(Path("none.csv")));
    // Far over any matrix, or not a regular file: refused unread, and said why.
    WriteSparseFile(Path("huge.csv"), qint64(1) << 30);
    EXPECT_EQ(Matrix().Import(Path("huge.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("ファイル \"%1\" は67108864バイトを超えるため、読み込めません。").arg(Path("huge.csv")));
    EXPECT_EQ(Matrix().Import("/dev/zero", pane), TraceabilityMatrix::ImportResult::NotImported);
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("ファイル \"/dev/zero\" は通常のファイルではないため、読み込めません。"));
    WriteFileBytes(Path("other.csv"), "\"other.nuv\",\"\",\r\n\"\",\"x\",\r\n");
    messages.Answer(platform::MessageAnswer::No);
    EXPECT_EQ(Matrix().Import(Path("other.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
    WriteFileBytes(Path("short.csv"), "\"cooker.nuv\",\"\",\r\n");
    EXPECT_EQ(Matrix().Import(Path("short.csv"), pane), TraceabilityMatrix::ImportResult::NotImported);
    EXPECT_TRUE(messages.Texts().last().startsWith(QStringLiteral("要求仕様が読込めませんでした。")));
    EXPECT_EQ(pane.LineCount(), 0);
}

// The document's file name in the first line, in the "?" form of an export in the code page or as other programs write
// it in CP932, is the document's own: the file is imported without asking whether it comes from another document.
TEST_F(TraceabilityMatrixTest, ImportTakesTheDocumentsNameInItsCodePageFormsWithoutAsking) {
    const QString path = QString::fromUtf8("/docs/仕様〜Größe.nuv");
    const QString text = TraceabilityMatrix(document.data, path, context).MakeLines().join(QString());
    WriteFileBytes(Path("old.csv"), platform::EncodeProcessCodePage(text));
    WriteFileBytes(Path("saved.csv"),
                   platform::EncodeProcessCodePage(QString(text).replace(QChar(0x301C), QChar(0xFF5E))));
    ASSERT_TRUE(platform::DecodeProcessCodePage(ReadFileBytes(Path("old.csv")))
                    .startsWith(QStringLiteral("\"仕様?Gr??e.nuv\",")));
    ASSERT_TRUE(platform::DecodeProcessCodePage(ReadFileBytes(Path("saved.csv")))
                    .startsWith(QStringLiteral("\"仕様～Gr??e.nuv\",")));
    for (const char* file : {"old.csv", "saved.csv"}) {
        messages.Answer(platform::MessageAnswer::No);
        CInspectionView pane;
        EXPECT_EQ(TraceabilityMatrix(document.data, path, context).Import(Path(file), pane),
                  TraceabilityMatrix::ImportResult::Imported)
            << file;
        EXPECT_EQ(messages.Texts().last(),
                  QStringLiteral("トレーサビリティ・マトリックスを \"%1\" から読み込みました。").arg(Path(file)));
    }
    EXPECT_EQ(messages.Texts().size(), 2);
}

TEST_F(TraceabilityMatrixTest, ListShowsEachItemWithTheUnitFunctionsThatHoldIt) {
    CInspectionView pane;
    Matrix().ShowList(pane);
    // The origin inherits its children's items.
    EXPECT_EQ(pane.Lines(), QStringList({"=== 原要求項目一覧 表示 開始 ===", "原要求項目: REQ-A", "    0 [Origin]",
                                         "    1 [Boil]", "    1.1 [Steam]", "    2 [Keep warm]", "",
                                         "原要求項目: REQ-B", "    0 [Origin]", "    1 [Boil]", "    1.1 [Steam]", "",
                                         "原要求項目: 未記載", "", "=== 原要求項目一覧 表示 終了 ==="}));
}

TEST_F(TraceabilityMatrixTest, ProcessMatrixOfEachKind) {
    ResetProcessNames(document.data.FlowchartName);
    for (int kind : {ProcessRowsRequirements, ProcessRowsFunctions, ProcessRowsBoth}) {
        const QString name = QStringLiteral("process-%1.csv").arg(kind);
        ASSERT_TRUE(Matrix().ExportProcessMatrix(Path(name), kind));
        ExpectSameAsGolden(Path(name), name);
        EXPECT_EQ(document.data.fileNames.flowchartColumnOption, kind);
    }
    EXPECT_EQ(FormatProcessEntry(3, QStringLiteral("詳細設計")), QStringLiteral("工程 3: 詳細設計"));
}

} // namespace
