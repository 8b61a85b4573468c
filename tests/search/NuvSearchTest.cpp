#include "model/DocumentData.h"
#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ProgramRun Search(const QStringList& arguments) {
    return RunProgram(QStringLiteral("nuvsearch"), arguments);
}

} // namespace

TEST(NuvSearch, FindPrintsThePaneLines) {
    QTemporaryDir directory;
    const QString path = SaveScriptDocument(directory.filePath("d.nuv"), {{"Main", "Do <aaaa>を{S}せよ"}, {"Sub", ""}});
    const ProgramRun run = Search({"find", path, "--text", "aa", "--in", "logic", "--logic", "member"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines(),
              (QStringList{"検索された文字列: aa", "検索対象: 論理記述欄", "論理記述欄の詳細な検索対象: メンバー名",
                           "検索範囲: すべての単位機能", "", "出現回数: 2 回", "", "0 [Main]",
                           "論理記述欄 1 行目: Do<aaaa>を{S}せよ", "論理記述欄 1 行目: (2 回目の出現)"}));
    EXPECT_EQ(Search({"find", path, "--text", "a", "--in", "nowhere"}).exitCode, 2);
    EXPECT_EQ(Search({"find", path}).exitCode, 2);
}

TEST(NuvSearch, ReplaceSavesOnlyWhenSomethingChanged) {
    QTemporaryDir directory;
    const QString path = SaveScriptDocument(directory.filePath("d.nuv"), {{"Main", "Do <old>を{S}せよ"}});
    const QString out = directory.filePath("out.nuv");
    ProgramRun run = Search({"replace", path, "--text", "none", "--with", "x", "-o", out});
    EXPECT_EQ(run.Lines(), QStringList{"0 個の文字列を置換しました。"});
    EXPECT_FALSE(QFile::exists(out));

    run = Search({"replace", path, "--text", "old", "--with", "new", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines().last(), "1 個の文字列を置換しました。");
    CDocumentData data;
    ASSERT_TRUE(tools::LoadDocument(out, data));
    EXPECT_EQ(data.registry.origin->logicLines[0]->textSlots[0].text, "new");

    run = Search({"replace", path, "--text", "old", "--with", "[x]", "-o", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("置換する文字に括弧は使用できません。"));
}

TEST(NuvSearch, SimilarObscureAndMarks) {
    QTemporaryDir directory;
    const QString path =
        SaveScriptDocument(directory.filePath("d.nuv"), {{"Main", "Do <abc>を{S}せよ\nDo <abd>を{S}せよ"}});
    EXPECT_EQ(Search({"similar", path, "--min", "3", "--rate", "70"}).Lines().last(),
              "=== 類似語検索 終了 類似語数 : 0 ===");
    EXPECT_EQ(Search({"similar", path, "--min", "3", "--target", "member"}).Lines().last(),
              "=== 類似語検索 終了 類似語数 : 1 ===");
    EXPECT_EQ(Search({"similar", path, "--min", "65"}).exitCode, 2);
    EXPECT_EQ(Search({"obscure", path, "--logic"}).Lines().first(), "検索対象: 論理記述欄");
    EXPECT_EQ(Search({"marks", path, "--all"}).Lines().last(), "検出した行: 0, 検索した単位機能総数: 1");
    EXPECT_EQ(Search({"marks", path, "--all", "--group", "1"}).exitCode, 2);
}
