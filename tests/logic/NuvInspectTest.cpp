#include "support/ProgramRun.h"
#include "support/logic/GeneratedLogicDocument.h"
#include "support/logic/LogicScript.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(NUV_TEST_DATA_DIR "/logic/");

ProgramRun Inspect(const QStringList& arguments) {
    return RunProgram(QStringLiteral("nuvinspect"), arguments);
}

} // namespace

TEST(NuvInspect, MatchUsesTheDefaultKeywords) {
    EXPECT_EQ(Inspect({"match", kDataDir + "missing-final-break.txt"}).Lines(), QStringList{"ILLFORMED"});
    EXPECT_EQ(Inspect({"match", kDataDir + "switch.txt"}).Lines(), QStringList{"WELLFORMED"});
    EXPECT_EQ(Inspect({"match", kDataDir + "stray-endif.txt"}).Lines(), QStringList{"ILLFORMED"});
    EXPECT_EQ(Inspect({"match"}).exitCode, 2);
}

TEST(NuvInspect, InspectsTheSavedDocumentAsTheEditorWould) {
    QTemporaryDir directory;
    const QString path =
        SaveScriptDocument(directory.filePath("d.nuv"),
                           {{"Main", "if <A>{a}\nFn Sub\nelse\nFn Sub\nendif"}, {"Sub", "Do <X>{S}\nDo <X>{S}"}});
    const ProgramRun current = Inspect({"inspect", path, "--current", "1"});
    ASSERT_EQ(current.exitCode, 0) << current.standardError.toStdString();
    EXPECT_EQ(current.Lines().first(), "=== 当該単位機能検査（全項目検査）開始 ===");
    EXPECT_TRUE(current.Lines().contains("[1 Line 2] Do <X>{S}"));

    const ProgramRun syntax = Inspect({"inspect", path, "--all", "--command", "32881"});
    EXPECT_EQ(syntax.Lines(),
              (QStringList{"=== 全体検査（構文検査）開始 ===", "", "", "  構文検査の検出数          000000000", "",
                           "=== 全体検査（構文検査）終了 ==="}));

    const ProgramRun all = Inspect({"inspect", path, "--all"});
    // The repeated Do of the called unit function is found once per call, and the two calls differ only in
    // the if's condition: three redundancies.
    EXPECT_EQ(all.Lines().count("[1 Line 1] を参照してください"), 2) << all.Lines().join('\n').toStdString();
    EXPECT_TRUE(all.Lines().contains("  冗長検査の検出数          000000003"));
    EXPECT_TRUE(all.Lines().contains("  探索した経路数            000000004"));

    const ProgramRun conditions = Inspect({"conditions", path, "--all"});
    EXPECT_EQ(conditions.Lines().last(),
              "=== 条件と結論の対応一覧終了 (Doの条件をすべての単位機能で確認する) 検出数 4 ===");
    EXPECT_EQ(Inspect({"inspect", path, "--current", "9"}).exitCode, 1);
}

TEST(NuvInspect, FnCycleIsRefusedWithItsMessage) {
    QTemporaryDir directory;
    const QString path = SaveScriptDocument(directory.filePath("c.nuv"), {{"Main", "Fn Sub"}, {"Sub", "Fn Main"}});
    const ProgramRun run = Inspect({"inspect", path, "--all"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.Lines().isEmpty());
    EXPECT_TRUE(run.standardError.contains("Fn構文が循環しているため、この機能を使用できません。"))
        << run.standardError.toStdString();
}

// Each row of the list for all unit functions names every Do statement before it: 2,000 calls of one Do each make two
// million lines, 62 MB of text, which the list writes within half a gigabyte of address space (the program itself
// takes 150 MB of it; the list once took 700 MB more).
TEST(NuvInspect, AListGrowingWithTheSquareOfItsDoStatementsIsWrittenInLittleMemory) {
    QTemporaryDir directory;
    const QString path = SaveFanOutDocument(directory.filePath("fan.nuv"), 2000);
    const ProgramRun run = RunProgramWithinMemory("nuvinspect", {"conditions", path, "--all"}, qint64(512) << 20);
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_EQ(lines.size(), 2 + 3 * 2000 + 1999 * 2000 / 2 + 1);
    EXPECT_EQ(lines.last(), "=== 条件と結論の対応一覧終了 (Doの条件をすべての単位機能で確認する) 検出数 2000 ===");
    EXPECT_EQ(lines.mid(lines.size() - 2003, 4),
              QStringList({"[2000 Line 1] Do <M1999>を{a}せよ", QString(34, QChar(0x2500)), "[1 Line 1] <M0>を{a}せよ",
                           "[2 Line 1] <M1>を{a}せよ"}));
    EXPECT_EQ(lines[lines.size() - 3], "[1999 Line 1] <M1998>を{a}せよ");
}

// Ifs nested far beyond what the walks take end every run with the reason, in little memory, never with a signal; an
// inspection or a condition list that could not be made ends with a failure status.
TEST(NuvInspect, TwentyThousandNestedIfsEndWithTheReasonWithinFourGigabytes) {
    QTemporaryDir directory;
    const QString path = SaveNestedIfDocument(directory.filePath("deep.nuv"), 20000);
    const QString reason = "(the logic description is nested more than 2000 levels deep)";
    for (const QStringList& arguments :
         {QStringList{"inspect", path, "--current", "0"}, QStringList{"inspect", path, "--all"},
          QStringList{"conditions", path, "--current", "0"}}) {
        const ProgramRun run = RunProgramWithinMemory("nuvinspect", arguments, qint64(4) << 30);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString() << run.standardError.toStdString();
        ASSERT_FALSE(run.Lines().isEmpty());
        EXPECT_TRUE(run.Lines().last().endsWith(reason)) << run.Lines().last().toStdString();
    }
}
