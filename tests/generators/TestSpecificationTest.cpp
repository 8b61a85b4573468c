#include "generators/GeneratorTestSupport.h"
#include "generators/TestSpecificationDraft.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class TestSpecificationTest : public GeneratorOutputTest, public ::testing::Test {};

TEST_F(TestSpecificationTest, RowsNameTheUnitFunctionHoldingTheActionWithTheScenarioLines) {
    GeneratorTestDocument document(
        {{"Origin", "if <A>が{a}\nFn Child\nelse\nDo <X>を{¬n}せよ\nendif"},
         {"Child", "switch <M>が\ncase {p}\nDo <Y>を{y}せよ\nelsw\nDo <Y>を{z}せよ\nendsw"}});
    CUnitFunction& child = document.Find("Child");
    child.header.uniqueLabel = QStringLiteral("L-2");
    child.header.ownRequirements = {QStringLiteral("R1"), QStringLiteral("R\"2\"")};
    document.data.registry.RebuildAndNotify(document.data.indexRoot, document.data.GetModelOptions());
    bool stored = false;
    // The name is checked and written with ".csv".
    ASSERT_TRUE(AcceptTestSpecificationDialog(document.data, Path("draft"), stored));
    EXPECT_TRUE(stored);
    EXPECT_EQ(document.data.testSpecificationOptions.FileName, Path("draft"));
    ExpectSameAsGolden(Path("draft.csv"), "testspec.csv");
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("ファイル \"%1\" にテスト仕様原案をエクスポートしました。").arg(Path("draft.csv")));
}

TEST_F(TestSpecificationTest, CycleAndDeclinedOverwriteWriteNothing) {
    GeneratorTestDocument cyclic({{"Origin", "Fn Child"}, {"Child", "Fn Origin"}});
    bool stored = false;
    EXPECT_FALSE(AcceptTestSpecificationDialog(cyclic.data, Path("cycle"), stored));
    EXPECT_FALSE(QFile::exists(Path("cycle.csv")));
    EXPECT_EQ(messages.Texts().last(), QStringLiteral("Fn構文が循環しているため、テスト仕様原案を作成できません。"));

    GeneratorTestDocument document({{"Origin", "Do <X>を{x}せよ"}});
    WriteFileBytes(Path("kept.csv"), "kept");
    messages.Answer(platform::MessageAnswer::No);
    EXPECT_FALSE(AcceptTestSpecificationDialog(document.data, Path("kept"), stored));
    EXPECT_FALSE(stored);
    EXPECT_EQ(ReadFileBytes(Path("kept.csv")), QByteArray("kept"));
}

} // namespace
