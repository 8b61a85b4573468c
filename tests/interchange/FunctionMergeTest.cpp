#include "interchange/FunctionMerge.h"
#include "model/DocumentData.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/RandomGenerator.h"
#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

class FunctionMergeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_path = SaveScriptDocument(
            m_folder.filePath("source.nuv"),
            {{"top", "Fn first\nFn second"}, {"first", "Do <A>を{a}せよ\nFn second"}, {"second", "Do <B>を{b}せよ"}});
    }

    QTemporaryDir m_folder;
    QString m_path;
};

const CUnitFunction* CalledBy(const CUnitFunction& function, int line, const CUnitFunctionRegistry& registry) {
    return registry.FindByInternalID(function.logicLines.at(line)->calledInternalID);
}

TEST_F(FunctionMergeFiles, ClashingIDsGetFreshOnesAndTheCallsAndChildrenFollowThem) {
    // A document merged into itself: every incoming InternalID is taken.
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(m_path, data), LoadResult::Loaded);
    std::set<quint32> before;
    for (const auto& [id, function] : data.registry.Functions())
        before.insert(id);
    CUnitFunction* first = data.registry.FindByName("first");
    const CUnitFunction* second = data.registry.FindByName("second");

    CUnitFunctionRegistry incoming;
    ASSERT_EQ(CFunctionMerge::ReadFile(m_path, incoming), LoadResult::Loaded);
    const std::optional<CFunctionMerge::Outcome> outcome = CFunctionMerge::Merge(data, incoming, *first);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->added, 3);
    EXPECT_EQ(outcome->renumbered, 3);
    EXPECT_EQ(incoming.Count(), 0);
    ASSERT_EQ(data.registry.Count(), 6);

    // The copy of "top" hangs below "first"; its children and Fn statements name the copies, never the originals.
    ASSERT_EQ(first->children.size(), 1u);
    const CUnitFunction* top = first->children[0];
    EXPECT_EQ(top->name, "top");
    EXPECT_EQ(before.count(top->InternalID), 0u);
    ASSERT_EQ(top->children.size(), 2u);
    const CUnitFunction* copiedFirst = top->children[0];
    const CUnitFunction* copiedSecond = top->children[1];
    EXPECT_EQ(before.count(copiedFirst->InternalID) + before.count(copiedSecond->InternalID), 0u);
    EXPECT_EQ(CalledBy(*top, 0, data.registry), copiedFirst);
    EXPECT_EQ(CalledBy(*top, 1, data.registry), copiedSecond);
    EXPECT_EQ(CalledBy(*copiedFirst, 1, data.registry), copiedSecond);
    EXPECT_EQ(copiedFirst->primaryParent, top);
    EXPECT_EQ(top->GetOutlineNumberText(false), "1.1");
    EXPECT_EQ(CalledBy(*first, 1, data.registry), second);

    // Saved and read again, the merged document holds all six.
    const QString out = m_folder.filePath("out.nuv");
    ASSERT_TRUE(tools::SaveDocument(data, out, false));
    CDocumentData reread;
    ASSERT_EQ(tools::LoadDocument(out, reread), LoadResult::Loaded);
    EXPECT_EQ(reread.registry.Count(), 6);
}

TEST_F(FunctionMergeFiles, IncomingLabelsThatAreTakenAreDroppedSoLabelsStayUnique) {
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(m_path, data), LoadResult::Loaded);
    CUnitFunction* top = data.registry.FindByName("top");
    top->header.uniqueLabel = "001";
    data.notUseUniqueLabels = {"OLD"};

    CUnitFunctionRegistry incoming;
    ASSERT_EQ(CFunctionMerge::ReadFile(m_path, incoming), LoadResult::Loaded);
    // One label held here, one discontinued here, one free, and the free one twice among the incoming.
    incoming.FindByName("top")->header.uniqueLabel = "001";
    incoming.FindByName("first")->header.uniqueLabel = "OLD";
    incoming.FindByName("second")->header.uniqueLabel = "NEW";
    CUnitFunction* extra = incoming.CreateFunctionForMerge("extra");
    extra->header.uniqueLabel = "NEW";
    const std::optional<CFunctionMerge::Outcome> outcome =
        CFunctionMerge::Merge(data, incoming, *data.registry.FindByName("second"));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->added, 4);
    EXPECT_EQ(outcome->labelsDropped, 3);

    std::map<QString, int> holders;
    for (const auto& [id, function] : data.registry.Functions())
        ++holders[function.header.uniqueLabel];
    EXPECT_EQ(holders["001"], 1);
    EXPECT_EQ(holders["NEW"], 1);
    EXPECT_EQ(holders.count("OLD"), 0u);
    EXPECT_EQ(holders[""], 5);
    EXPECT_EQ(data.registry.FindByUniqueLabel("001"), top);
}

TEST_F(FunctionMergeFiles, FreeIDsAreKeptAndTheToolMergesBelowTheOrigin) {
    platform::SeedRandom(7);
    const QString into = SaveScriptDocument(m_folder.filePath("into.nuv"), {{"here", ""}, {"child", ""}});
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(into, data), LoadResult::Loaded);
    CUnitFunctionRegistry incoming;
    ASSERT_EQ(CFunctionMerge::ReadFile(m_path, incoming), LoadResult::Loaded);
    std::set<quint32> free;
    for (const auto& [id, function] : incoming.Functions())
        if (!data.registry.FindByInternalID(id))
            free.insert(id);
    const std::optional<CFunctionMerge::Outcome> outcome = CFunctionMerge::Merge(data, incoming, *data.registry.origin);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->renumbered, 3 - static_cast<int>(free.size()));
    for (quint32 id : free)
        EXPECT_TRUE(data.registry.FindByInternalID(id)) << id;

    const QString out = m_folder.filePath("merged.nuv");
    const ProgramRun run = RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--merge"), into, m_path, out});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    CDocumentData merged;
    ASSERT_EQ(tools::LoadDocument(out, merged), LoadResult::Loaded);
    EXPECT_EQ(merged.registry.Count(), 5);
    ASSERT_EQ(merged.registry.origin->children.size(), 2u);
    EXPECT_EQ(merged.registry.origin->children[1]->name, "top");

    EXPECT_EQ(CFunctionMerge::ReadFile(m_folder.filePath("missing.nuv"), incoming), std::nullopt);
    EXPECT_NE(RunProgram(QStringLiteral("nuvdump"), {QStringLiteral("--merge"), into, into}).exitCode, 0);
}

} // namespace
