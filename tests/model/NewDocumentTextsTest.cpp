#include "ModelTestSupport.h"
#include "model/AuxiliaryVerb.h"
#include "model/FunctionAttribute.h"
#include "model/GeneratorTables.h"
#include "model/SentenceSettings.h"
#include "model/SyntaxSymbol.h"

#include <gtest/gtest.h>

// The texts a new document starts with, each in its place.
TEST(NewDocumentTexts, EveryDefaultTextStandsInItsSlot) {
    const char* const keywords[] = {"Fn",    "if",         "else", "endif", "Do",    "switch", "case",         "elsw",
                                    "endsw", "Do nothing", "(:",   "loop",  "endlp", "exitlp", "Transit State"};
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        EXPECT_EQ(SyntaxSymbol::GetDefault(kind, FontSetting()).keyword, QString::fromUtf8(keywords[kind])) << kind;

    WorkTableSettings work;
    InitWorkTable(work);
    for (int i = 0; i < WorkTableSettings::WorkNameCount; ++i)
        EXPECT_EQ(work.WorkName[i], QStringLiteral("工数%1").arg(i + 1));

    FlowchartNames processes;
    processes.fill(QStringLiteral("x"));
    ResetProcessNames(processes);
    EXPECT_EQ(processes[0], "課題検討");
    EXPECT_EQ(processes[4], "実装");
    EXPECT_EQ(processes[8], "妥当性確認");
    EXPECT_TRUE(processes[9].isEmpty());

    const std::vector<AuxiliaryVerb> verbs = AuxiliaryVerb::GetDefaults();
    ASSERT_EQ(verbs.size(), 5u);
    EXPECT_EQ(verbs[2].verb, "に変わった");
    EXPECT_EQ(verbs[4].verb, "であった");
    const std::vector<FunctionAttribute> attributes = FunctionAttribute::GetDefaults();
    ASSERT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes[0].symbol + attributes[0].details, "FS機能安全");
    EXPECT_EQ(attributes[1].symbol + attributes[1].details, "SEセキュリティ");

    NaturalSentenceWords words;
    SetJapaneseSentenceWords(words);
    EXPECT_EQ(words.BeginComment + words.EndComment, "(::)");
    EXPECT_EQ(words.ClausePunctuation + words.InfixPunctuation + words.SentencePunctuation, "、、。");
    EXPECT_EQ(words.PositiveInfix + words.NegativeInfix + words.NegativePostfix, "ががでない");
    EXPECT_EQ(words.ImperativeInfix + words.ImperativePostfix + words.FunctionCallPostfix, "をせよを行う");
    EXPECT_EQ(words.BeginLoop, "次のことを繰り返す");
    EXPECT_EQ(words.EndLoop, "ここまでを繰り返しとする");
    EXPECT_EQ(words.ExitLoop, "繰り返しから抜ける");
    EXPECT_EQ(words.EndConditionalSequence + words.ConditionalSequenceConjunction +
                  words.EnumeratedNegationConjunction + words.Ineffective,
              "ならばかつまたは何もしない");
}
