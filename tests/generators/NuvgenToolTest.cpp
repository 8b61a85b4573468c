#include "platform/DocumentFileLock.h"
#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/logic/GeneratedLogicDocument.h"
#include "support/logic/LogicScript.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NuvgenToolTest : public ::testing::Test {
protected:
    NuvgenToolTest() {
        SaveScriptDocument(Path("design.nuv"),
                           {{"Origin", "if <A>が{a}\nDo <X>を{x}せよ\nelse\nDo <Y>を{y}せよ\nendif\nDo <Z>を{z}せよ\n"
                                       "Do <W>を{w}せよ"}});
    }
    QString Path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

// Ifs nested far beyond what the walks take end each generator with the reason, in little memory, never with a
// signal; nothing is written.
TEST_F(NuvgenToolTest, TwentyThousandNestedIfsEndWithTheReasonWithinFourGigabytes) {
    const QString deep = SaveNestedIfDocument(Path("deep.nuv"), 20000);
    const qint64 limit = qint64(4) << 30;
    ProgramRun run = RunProgramWithinMemory("nuvgen", {"dtable", deep, "-o", Path("deep"), "--current", "0"}, limit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(
        "The decision table could not be made. (the logic description is nested more than 2000 levels deep)"))
        << run.standardError.toStdString();
    run = RunProgramWithinMemory("nuvgen", {"testspec", deep, "-o", Path("deep-test")}, limit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("The test specification draft could not be made."))
        << run.standardError.toStdString();
    run = RunProgramWithinMemory("nuvgen", {"sentences", deep, "--current", "0"}, limit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.Lines().size(), 2000);
    EXPECT_FALSE(QFile::exists(Path("deep.csv")));
    EXPECT_FALSE(QFile::exists(Path("deep-test.csv")));
}

TEST_F(NuvgenToolTest, DecisionTableAndTestDraftAreWrittenOnlyWhenAllowed) {
    ProgramRun run = RunProgram("nuvgen", {"dtable", Path("design.nuv"), "-o", Path("table"), "--current", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("table.csv")), ReadFileBytes(NUV_TEST_DATA_DIR "/generators/dtable-ifelse.csv"));
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("決定表をエクスポートしました。")));
    // The overwrite question takes its default, No: nothing written, status 1.
    run = RunProgram("nuvgen", {"dtable", Path("design.nuv"), "-o", Path("table.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("上書きしてよろしいですか？")));
    run = RunProgram("nuvgen", {"testspec", Path("design.nuv"), "-o", Path("missing/draft.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("に書き込みできませんでした。")));
    EXPECT_EQ(RunProgram("nuvgen", {"dtable", Path("design.nuv")}).exitCode, 2);
    EXPECT_EQ(RunProgram("nuvgen", {"dtable", Path("none.nuv"), "-o", Path("x.csv")}).exitCode, 1);
}

// --current starts the table at the unit function given whatever scope the document holds; without it the origin,
// which has nothing to write: said, and no file. A file there is not asked about and is kept.
TEST_F(NuvgenToolTest, DecisionTableStartsAtTheUnitFunctionGiven) {
    SaveScriptDocument(Path("child.nuv"),
                       {{"Origin", "(: nothing"},
                        {"Child", "if <A>が{a}\nDo <X>を{x}せよ\nelse\nDo <Y>を{y}せよ\nendif\nDo <Z>を{z}せよ\n"
                                  "Do <W>を{w}せよ"}});
    ProgramRun run = RunProgram("nuvgen", {"dtable", Path("child.nuv"), "-o", Path("child"), "--current", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("child.csv")), ReadFileBytes(NUV_TEST_DATA_DIR "/generators/dtable-ifelse.csv"));
    run = RunProgram("nuvgen", {"dtable", Path("child.nuv"), "-o", Path("origin")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.standardError.contains(QStringLiteral("the decision table has nothing to write. No file was written.")))
        << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(Path("origin.csv")));
    WriteFileBytes(Path("origin.csv"), "kept");
    run = RunProgram("nuvgen", {"dtable", Path("child.nuv"), "-o", Path("origin")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.standardError.contains(QStringLiteral("上書きしてよろしいですか？")))
        << run.standardError.toStdString();
    EXPECT_TRUE(
        run.standardError.contains(QStringLiteral("the decision table has nothing to write. No file was written.")))
        << run.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("origin.csv")), "kept");
}

TEST_F(NuvgenToolTest, NoGeneratorOutputGoesOverADocumentThatAnEditorHolds) {
    // Named as the generators name their output, which the decision table and the test draft do not rename.
    const QString held = Path("held.csv");
    WriteFileBytes(held, "the editor's document");
    platform::DocumentFileLock editor;
    ASSERT_TRUE(editor.Hold(held));
    const QStringList runs[] = {{"dtable", Path("design.nuv"), "-o", held, "--current", "0"},
                                {"testspec", Path("design.nuv"), "-o", held},
                                {"comment", Path("design.nuv"), "-o", held, "--answer", "ok"},
                                {"trace-export", Path("design.nuv"), "-o", held},
                                {"process", Path("design.nuv"), "-o", held, "--kind", "1"}};
    for (const QStringList& arguments : runs) {
        const ProgramRun run = RunProgram("nuvgen", arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.first().toStdString();
        // Refused before anything is asked, whatever the answer would be.
        EXPECT_TRUE(run.standardError.contains(QStringLiteral("%1 は使用中です。").arg(held)))
            << run.standardError.toStdString();
        EXPECT_FALSE(run.standardError.contains(QStringLiteral("上書きしてよろしいですか？")));
        EXPECT_EQ(ReadFileBytes(held), "the editor's document");
    }
}

TEST_F(NuvgenToolTest, SentencesLabelsAndCommentSource) {
    ProgramRun run = RunProgram("nuvgen", {"sentences", Path("design.nuv"), "--current", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines().first(), QStringLiteral("もし<A>が、{a}ならば、<X>を、{x}せよ。"));

    // The origin of the saved document has no label; the first numbers are free.
    run = RunProgram("nuvgen", {"label", Path("design.nuv"), "--count", "2", "--now", "2024-03-05T07:08:09.012",
                                "--zone-minutes", "540"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.Lines(), QStringList({"001", "002"}));

    WriteFileBytes(Path("template.txt"), "<R=a;a;aa>");
    run = RunProgram("nuvgen", {"comment", Path("design.nuv"), "-o", Path("out.c"), "--template", Path("template.txt"),
                                "--answer", "cancel"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("out.c")));
    run = RunProgram("nuvgen", {"comment", Path("design.nuv"), "-o", Path("out.c")});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(ReadFileBytes(Path("out.c")).startsWith("/*--------------------------------\r\n| 0 Origin\r\n"));
}

TEST_F(NuvgenToolTest, MatricesAreExportedImportedAndListed) {
    ProgramRun run = RunProgram("nuvgen", {"trace-export", Path("design.nuv"), "-o", Path("trace.csv")});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QByteArray exported = ReadFileBytes(Path("trace.csv"));
    EXPECT_TRUE(exported.startsWith("\"design.nuv\",\"\",\r\n"));
    run = RunProgram("nuvgen", {"trace-import", Path("design.nuv"), Path("trace.csv"), "-o", Path("imported.nuv"),
                                "--answer", "ok"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(QFile::exists(Path("imported.nuv")));
    run = RunProgram("nuvgen", {"trace-list", Path("design.nuv"), Path("trace.csv")});
    ASSERT_EQ(run.exitCode, 0);
    // Without requirement items the export has no column line, and its first row stands where that line would.
    EXPECT_TRUE(run.Lines().contains(QStringLiteral("--- インポートした単位機能数: 0, 変更した単位機能数: 0 ---")));
    EXPECT_TRUE(run.Lines().contains(QStringLiteral("=== 原要求項目一覧 表示 終了 ===")));
    run = RunProgram("nuvgen", {"process", Path("design.nuv"), "-o", Path("process.csv"), "--kind", "1"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(ReadFileBytes(Path("process.csv")).contains("\"0\",\"Origin\",\r\n"));
    EXPECT_EQ(RunProgram("nuvgen", {"process", Path("design.nuv"), "-o", Path("p.csv"), "--kind", "5"}).exitCode, 2);
}

} // namespace
