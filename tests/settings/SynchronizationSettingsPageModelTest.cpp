#include "settings/SynchronizationSettingsPageModel.h"

#include "model/DocumentData.h"
#include "model/LogicLine.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <gtest/gtest.h>

#include <memory>

using platform::MessageAnswer;

namespace {

// A new document whose origin has two further unit functions, A and B, that are not yet its children.
class SynchronizationSettingsPageModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.SetDefaults();
        origin = data.registry.origin;
        a = data.registry.CreateFunction("A", data.GetModelOptions());
        b = data.registry.CreateFunction("B", data.GetModelOptions());
    }
    void AppendFn(CUnitFunction* called) {
        auto line = std::make_unique<CLogicLine>();
        if (called)
            line->InitFnStatement(*called, 0, data.GetModelOptions().fnSymbolColumn);
        else
            line->lineKind = SyntaxFn;
        origin->logicLines.push_back(std::move(line));
    }
    bool ApplyMode(int mode, bool duplicateSiblings = false) {
        CSynchronizationSettingsPageModel model(data);
        model.synchronizeFn = mode;
        model.enableDuplicateSiblings = duplicateSiblings;
        return model.Apply(data);
    }

    CDocumentData data;
    CUnitFunction* origin = nullptr;
    CUnitFunction* a = nullptr;
    CUnitFunction* b = nullptr;
    platform::ScriptedMessageSink sink;
};

} // namespace

TEST_F(SynchronizationSettingsPageModelTest, AlwaysSynchronizeRemovesEmptyFnStatementsAndOffersChildrenFromFn) {
    AppendFn(nullptr);
    AppendFn(b);
    CUnitFunction::AddChild(origin, a);
    sink.Answer(MessageAnswer::Cancel);
    EXPECT_TRUE(ApplyMode(2));
    ASSERT_EQ(sink.Texts(), QStringList{LoadString(StringId::RebuildTableOfContentsQuestion)});
    // The empty Fn statement goes whatever the answer; the table of contents stays.
    ASSERT_EQ(origin->logicLines.size(), 1u);
    EXPECT_EQ(origin->children, UnitFunctionList{a});

    data.environment.synchronizeFn = 0;
    sink.Answer(MessageAnswer::Ok);
    EXPECT_TRUE(ApplyMode(2));
    EXPECT_EQ(origin->children, UnitFunctionList{b});
    // The registry is rebuilt: B now has its place in the table of contents, A none.
    EXPECT_EQ(b->places.size(), 1u);
    EXPECT_TRUE(a->places.empty());
}

TEST_F(SynchronizationSettingsPageModelTest, DuplicateChildrenAreOfferedForRemovalOnlyWhereModeOneKeepsThemSingle) {
    data.environment.enableDuplicateSiblings = 1;
    origin->children = {a, a, b};
    sink.Answer(MessageAnswer::Cancel);
    EXPECT_TRUE(ApplyMode(1, false));
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::RemoveDuplicateChildrenQuestion)});
    EXPECT_EQ(origin->children.size(), 3u);

    data.environment.enableDuplicateSiblings = 1;
    sink.Answer(MessageAnswer::Ok);
    EXPECT_TRUE(ApplyMode(1, false));
    EXPECT_EQ(origin->children, (UnitFunctionList{a, b}));

    // Mode 0 leaves duplicates to the user.
    origin->children = {a, a};
    data.environment.enableDuplicateSiblings = 1;
    const int asked = sink.Requests().size();
    EXPECT_TRUE(ApplyMode(0, false));
    EXPECT_EQ(sink.Requests().size(), asked);
    EXPECT_EQ(origin->children.size(), 2u);
}
