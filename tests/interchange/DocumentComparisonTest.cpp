#include "interchange/DocumentComparison.h"
#include "model/DocumentData.h"
#include "model/UnitFunctionRegistry.h"
#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CLogicLine> DoLine(const QString& text) {
    std::vector<std::pair<CLogicLine*, QString>> pending;
    return MakeScriptLine(QStringLiteral("Do ") + text, pending);
}

LogicLineArray Lines(std::initializer_list<const char*> texts) {
    LogicLineArray lines;
    for (const char* text : texts)
        lines.push_back(DoLine(QString::fromUtf8(text)));
    return lines;
}

// Applies an edit script to the older lines' texts; it must give the newer ones.
QStringList Apply(const std::vector<LineEdit>& script, const LogicLineArray& older, const LogicLineArray& newer) {
    QStringList result;
    for (const LineEdit& edit : script) {
        if (edit.kind == LineEdit::Same) {
            EXPECT_FALSE(LogicLinesDiffer(*older[edit.olderIndex], *newer[edit.newerIndex]));
            result.append(older[edit.olderIndex]->textSlots[0].text);
        } else if (edit.kind == LineEdit::Added) {
            result.append(newer[edit.newerIndex]->textSlots[0].text);
        }
    }
    return result;
}

QStringList Texts(const LogicLineArray& lines) {
    QStringList texts;
    for (const auto& line : lines)
        texts.append(line->textSlots[0].text);
    return texts;
}

TEST(DocumentComparison, EditScriptsAreShortestAndTurnOneDescriptionIntoTheOther) {
    const std::vector<std::pair<LogicLineArray, LogicLineArray>> cases = [] {
        std::vector<std::pair<LogicLineArray, LogicLineArray>> list;
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ", "<C>を{c}せよ"}),
                          Lines({"<A>を{a}せよ", "<C>を{c}せよ"}));
        list.emplace_back(Lines({"<A>を{a}せよ"}),
                          Lines({"<X>を{x}せよ", "<A>を{a}せよ", "<Y>を{y}せよ", "<Z>を{z}せよ"}));
        list.emplace_back(Lines({}), Lines({"<A>を{a}せよ"}));
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ"}), Lines({}));
        list.emplace_back(Lines({"<A>を{a}せよ", "<B>を{b}せよ", "<C>を{c}せよ", "<D>を{d}せよ"}),
                          Lines({"<B>を{b}せよ", "<A>を{a}せよ", "<D>を{d}せよ", "<C>を{c}せよ"}));
        return list;
    }();
    const std::vector<int> shortest = {1, 3, 1, 2, 4};
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [older, newer] = cases[i];
        const std::vector<LineEdit> script = CDocumentComparison::DiffLines(older, newer);
        EXPECT_EQ(Apply(script, older, newer), Texts(newer)) << "case " << i;
        const auto edits = std::count_if(script.begin(), script.end(),
                                         [](const LineEdit& edit) { return edit.kind != LineEdit::Same; });
        EXPECT_EQ(edits, shortest[i]) << "case " << i;
    }
}

class DocumentComparisonFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_older = SaveScriptDocument(m_folder.filePath("older.nuv"),
                                     {{"origin", "Fn kept\nFn changed\nFn dropped"},
                                      {"kept", "Do <A>を{a}せよ"},
                                      {"changed", "Do <A>を{a}せよ\nDo <B>を{b}せよ\nDo <C>を{c}せよ"},
                                      {"dropped", "Do <D>を{d}せよ"}});
        // The newer document is the older one edited, so that its unit functions keep their InternalIDs.
        CDocumentData data;
        ASSERT_EQ(tools::LoadDocument(m_older, data), LoadResult::Loaded);
        const ModelOptions options = data.GetModelOptions();
        CUnitFunctionRegistry& registry = data.registry;
        ASSERT_TRUE(registry.DeleteFunction(registry.FindByName("dropped"), data, options));
        CUnitFunction* changed = registry.FindByName("changed");
        changed->logicLines.erase(changed->logicLines.begin() + 1);
        changed->logicLines.push_back(DoLine(QStringLiteral("<E>を{e}せよ")));
        CUnitFunction* added = registry.CreateFunction(QStringLiteral("added"), options);
        CUnitFunction::AppendChild(registry.origin, added);
        registry.FindByName("kept")->logicLines[0]->SetMemo(QStringLiteral("a memo is no difference"));
        registry.RebuildAndNotify(data.indexRoot, options);
        m_newer = m_folder.filePath("newer.nuv");
        ASSERT_TRUE(tools::SaveDocument(data, m_newer, false));
    }

    QTemporaryDir m_folder;
    QString m_older;
    QString m_newer;
};

TEST_F(DocumentComparisonFiles, ReportsAddedRemovedAndChangedFunctionsWithTheirLines) {
    CDocumentData defaults;
    defaults.SetDefaults();
    const ModelOptions options = defaults.GetModelOptions();
    CUnitFunctionRegistry older;
    CUnitFunctionRegistry newer;
    ASSERT_EQ(CDocumentComparison::ReadFile(m_older, older, options), LoadResult::Loaded);
    ASSERT_EQ(CDocumentComparison::ReadFile(m_newer, newer, options), LoadResult::Loaded);
    const std::vector<ComparisonLine> report = CDocumentComparison::Compare(older, newer, options, defaults.SyntaxSymbols);
    QStringList texts;
    for (const ComparisonLine& line : report)
        texts.append(line.text);
    // The origin's Fn statements changed with its children: the dropped call went, the added one has none. Lines
    // read as their statements do.
    const QStringList expected = {
        QStringLiteral("[0] 単位機能 \"origin\" が変更されました。"),
        QStringLiteral("[0 Line 3] 削除: Fn [ dropped ] (3)"),
        QStringLiteral("[2] 単位機能 \"changed\" が変更されました。"),
        QStringLiteral("[2 Line 2] 削除: Do<B>を{b}せよ"),
        QStringLiteral("[2 Line 3] 追加: Do<E>を{e}せよ"),
        QStringLiteral("[3] 単位機能 \"added\" が追加されました。"),
        QStringLiteral("[3] 単位機能 \"dropped\" が削除されました。"),
        QStringLiteral("追加 1 個、削除 1 個、変更 2 個の単位機能があります。"),
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(report[4].internalID, newer.FindByName("changed")->InternalID);
    EXPECT_EQ(report[4].lineIndex, 2);

    const ProgramRun run = RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_newer});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines(), expected);
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_older}).Lines(),
              QStringList{QStringLiteral("相違はありません。")});
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--compare"), m_older, m_folder.filePath("none")})
                  .exitCode,
              1);
}

TEST_F(DocumentComparisonFiles, TwoStoredVersionsAreComparedAsWellAsAVersionWithTheWorkingData) {
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(m_older, data), LoadResult::Loaded);
    const QString path = m_folder.filePath("versions.nuv");
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, 0, "2026/12/07 10:00:00", "me", ""}));
    CUnitFunction* changed = data.registry.FindByName("changed");
    changed->logicLines.erase(changed->logicLines.begin() + 1);
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, 1, "2026/12/07 11:00:00", "me", ""}));
    changed->logicLines.push_back(DoLine(QStringLiteral("<E>を{e}せよ")));

    const auto texts = [](const std::vector<ComparisonLine>& report) {
        QStringList lines;
        for (const ComparisonLine& line : report)
            lines.append(line.text);
        return lines;
    };
    std::vector<ComparisonLine> report;
    QString unreadable;
    ASSERT_TRUE(CDocumentComparison::CompareSides(data, {QString(), 0, 1}, report, unreadable));
    EXPECT_EQ(texts(report), (QStringList{"[2] 単位機能 \"changed\" が変更されました。", "[2 Line 2] 削除: Do<B>を{b}せよ",
                                          "追加 0 個、削除 0 個、変更 1 個の単位機能があります。"}));
    // A stored version's lines are not the working data's: they lead to their unit function only.
    EXPECT_EQ(report[1].lineIndex, -1);

    ASSERT_TRUE(CDocumentComparison::CompareSides(data, {QString(), 1, -1}, report, unreadable));
    EXPECT_EQ(texts(report), (QStringList{"[2] 単位機能 \"changed\" が変更されました。", "[2 Line 3] 追加: Do<E>を{e}せよ",
                                          "追加 0 個、削除 0 個、変更 1 個の単位機能があります。"}));
    EXPECT_EQ(report[1].lineIndex, 2);

    EXPECT_FALSE(CDocumentComparison::CompareSides(data, {m_folder.filePath("none.nuv"), 0, 1}, report, unreadable));
    EXPECT_EQ(unreadable, m_folder.filePath("none.nuv"));
}

} // namespace
