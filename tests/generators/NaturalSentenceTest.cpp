#include "generators/NaturalSentence.h"
#include "generators/GeneratorTestSupport.h"
#include "model/LogicNesting.h"
#include "support/QStringPrinter.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <gtest/gtest.h>

namespace {

QStringList Convert(const CDocumentData& data, const QString& script,
                    CNaturalSentence::Result expected = CNaturalSentence::Done) {
    GeneratorTestDocument document({{"Origin", script}});
    QStringList sentences;
    EXPECT_EQ(CNaturalSentence(data.naturalSentenceWords, data.quantifiers)
                  .Convert(document.Find("Origin").logicLines, sentences),
              expected);
    return sentences;
}

class NaturalSentenceTest : public ::testing::Test {
protected:
    NaturalSentenceTest() {
        english.SetDefaults();
        SetEnglishSentenceWords(english.naturalSentenceWords);
        japanese.SetDefaults();
        SetJapaneseSentenceWords(japanese.naturalSentenceWords);
    }

    CDocumentData english;
    CDocumentData japanese;
};

const char kSwitch[] = "switch <M>\ncase {a}\nDo <B>{p}\ncase {b}\nDo <B>{q}\nelsw\nDo <B>{r}\nendsw";
const char kSwitchJapanese[] = "switch <M>が\ncase {a}\nDo <B>を{p}せよ\ncase {b}\nDo <B>を{q}せよ\nelsw\n"
                               "Do <B>を{r}せよ\nendsw";

TEST_F(NaturalSentenceTest, EnglishIfElseAndSwitchWithAndWithoutTheElswWord) {
    EXPECT_EQ(Convert(english, "if <A>{x}\nDo <B>{y}\nelse\nDo <B>{z}\nendif\nDo nothing"),
              QStringList({"If <A> is {x} then <B> {y}.\n", "If <A> is not {x} then <B> {z}.\n", "do nothing.\n"}));
    EXPECT_EQ(Convert(english, kSwitch), QStringList({"If <M> is {a} then <B> {p}.\n", "If <M> is {b} then <B> {q}.\n",
                                                      "If <M> is not {a} nor {b} then <B> {r}.\n"}));
    english.naturalSentenceWords.ElswFlag = 1;
    EXPECT_EQ(Convert(english, kSwitch).last(), QStringLiteral("If <M> is none of them then <B> {r}.\n"));
}

TEST_F(NaturalSentenceTest, JapaneseIfElseAndSwitchWithAndWithoutTheElswWord) {
    EXPECT_EQ(
        Convert(japanese, "if <A>が{x}\nDo <B>を{y}せよ\nelse\nDo <B>を{z}せよ\nendif"),
        QStringList({"もし<A>が、{x}ならば、<B>を、{y}せよ。\n", "もし<A>が、{x}でないならば、<B>を、{z}せよ。\n"}));
    EXPECT_EQ(Convert(japanese, kSwitchJapanese).last(),
              QStringLiteral("もし<M>が、{a}または{b}でないならば、<B>を、{r}せよ。\n"));
    japanese.naturalSentenceWords.ElswFlag = 1;
    EXPECT_EQ(Convert(japanese, kSwitchJapanese).last(),
              QStringLiteral("もし<M>が、それら以外ならば、<B>を、{r}せよ。\n"));
}

TEST_F(NaturalSentenceTest, NestedBlocksKeepTheirOwnConditionsAndCaseLabels) {
    // else negates only the innermost condition.
    EXPECT_EQ(Convert(english, "if <A>{x}\nif <C>{y}\nelse\nDo <B>{z}\nendif\nendif").last(),
              QStringLiteral("If <A> is {x} and <C> is not {y} then <B> {z}.\n"));
    // An inner switch that ended leaves the cases of the outer one to its elsw.
    EXPECT_EQ(Convert(english, "switch <M>\ncase {a}\nswitch <N>\ncase {c}\nDo <B>{p}\nendsw\nelsw\nDo <B>{r}\nendsw"),
              QStringList({"If <M> is {a} and <N> is {c} then <B> {p}.\n", "If <M> is not {a} then <B> {r}.\n"}));
}

TEST_F(NaturalSentenceTest, CommentsLoopsPlainLinesSignsAndStops) {
    english.naturalSentenceWords.SignUseMember = 0;
    EXPECT_EQ(Convert(english, "(: note\nloop\nexitlp\nendlp\n\\\nTransit State <S>{t}\nFn Other"),
              QStringList({"(Note: note)\n", "Repeat following.\n", "exit a loop.\n", "Repeat mentioned above.\n", "\n",
                           "[Other] is called.\n"}));
    EXPECT_EQ(Convert(english, "if <A>{x}\nDo <B>{y}"), QStringList({"If A is {x} then B {y}.\n"}));
    EXPECT_EQ(Convert(english, "Do <B>{y}\ncase {a}\nDo <B>{z}", CNaturalSentence::CaseOutsideSwitch),
              QStringList({"B {y}.\n"}));
    EXPECT_EQ(Convert(english, "if <A>{x}\ncase {a}", CNaturalSentence::CaseInsideIf), QStringList());
    EXPECT_EQ(Convert(english, "", CNaturalSentence::NoLines), QStringList());
    // Each sentence restates every condition around it: ifs nested beyond the bound stop the conversion there.
    EXPECT_EQ(Convert(english, NestedIfScript(kMaxLogicNesting + 1), CNaturalSentence::TooDeep).size(),
              kMaxLogicNesting);
}

} // namespace
