#include "logic/LogicLineMatcher.h"

#include "support/logic/LogicScript.h"

#include <gtest/gtest.h>

namespace {

bool WellFormed(const QString& text, const LogicKeywords& keywords = DefaultLogicKeywords()) {
    return CLogicLineMatcher(text, keywords).MatchesWholeLine();
}

} // namespace

TEST(LogicLineMatcher, LineBreaksAndBlanks) {
    EXPECT_TRUE(WellFormed(""));
    EXPECT_FALSE(WellFormed("   "));
    EXPECT_FALSE(WellFormed("Do <X>{S}\n  "));
    EXPECT_TRUE(WellFormed("Do<X>{S}\r\n\n"));
    // The last statement needs no line break, but blanks after it do.
    EXPECT_TRUE(WellFormed("Do nothing"));
    EXPECT_FALSE(WellFormed("Do nothing  "));
    EXPECT_TRUE(WellFormed("Do nothing  \n"));
    EXPECT_TRUE(WellFormed("\tDo<X>{S}\n    exitlp\n"));
}

TEST(LogicLineMatcher, DoAndTransitStateNeedTheMemberRightAfterTheKeyword) {
    EXPECT_TRUE(WellFormed("Do<モーター>を{停止}せよ\n"));
    EXPECT_FALSE(WellFormed("Do <モーター>を{停止}せよ\n"));
    EXPECT_TRUE(WellFormed("Transit State<X>{S}\n"));
    EXPECT_TRUE(WellFormed(QString("Do<X>{") + QChar(0x00AC) + "S}\n"));
    EXPECT_TRUE(WellFormed("Do<>{}\n"));
    EXPECT_FALSE(WellFormed("Do<X>{S}<\n"));
}

TEST(LogicLineMatcher, BlocksMustBeComplete) {
    EXPECT_TRUE(WellFormed("if <X>が{S}\nDo<Y>{T}\nelse\nendif\n"));
    EXPECT_TRUE(WellFormed("Evif <X>{S}\nelse\nendif\n"));
    EXPECT_FALSE(WellFormed("if <X>{S}\nDo<Y>{T}\nendif\n"));
    EXPECT_FALSE(WellFormed("endif\n"));
    EXPECT_FALSE(WellFormed("else\n"));
    EXPECT_FALSE(WellFormed("case {S}\n"));
    EXPECT_FALSE(WellFormed("endlp\n"));
    EXPECT_TRUE(WellFormed("loop\nDo<X>{S}\nexitlp\nendlp\n"));
    EXPECT_TRUE(WellFormed("exitlp\n"));
    EXPECT_FALSE(WellFormed("loop\nDo<X>{S}\n"));
}

TEST(LogicLineMatcher, SwitchHeadCasesAndElsw) {
    EXPECT_TRUE(WellFormed("switch <X>が\n(: note\n\ncase{S}\nDo<Y>{T}\nelsw\nendsw\n"));
    EXPECT_TRUE(WellFormed("Stswitch <X>\ncase\n{S}\nelsw\nendsw\n"));
    EXPECT_FALSE(WellFormed("switch <X>\ncase{S}\nendsw\n"));
    EXPECT_FALSE(WellFormed("switch <X>\nDo<Y>{T}\ncase{S}\nelsw\nendsw\n"));
    EXPECT_FALSE(WellFormed("switch <X>\nelsw\nendsw\n"));
}

TEST(LogicLineMatcher, FnTargets) {
    EXPECT_TRUE(WellFormed("Fn [ 炊飯 ]\n"));
    EXPECT_FALSE(WellFormed("Fn [ ]\n"));
    EXPECT_TRUE(WellFormed("Fn [  ]\n"));
    EXPECT_TRUE(WellFormed("Fn-LOOP [ a ] (1.2)\n"));
    EXPECT_TRUE(WellFormed("Fn [[共通]]=1.2 (3)\n"));
    EXPECT_FALSE(WellFormed("Fn [[共通]]=1.2a\n"));
    EXPECT_TRUE(WellFormed("Fn [ a ] (１．２)\n"));
    EXPECT_TRUE(WellFormed("(: <[{ anything\n"));
}

TEST(LogicLineMatcher, KeywordsComeFromTheTable) {
    LogicKeywords keywords = DefaultLogicKeywords();
    keywords[SyntaxIf] = "IF";
    EXPECT_FALSE(WellFormed("if <X>{S}\nelse\nendif\n", keywords));
    EXPECT_TRUE(WellFormed("IF <X>{S}\nelse\nendif\n", keywords));
}

TEST(LogicLineMatcher, EmptyKeywordsNeverLoop) {
    // Every keyword empty: a keyword line consumes nothing and is no statement; what remains is the grammar
    // (a line is a comment when the comment keyword is empty).
    const LogicKeywords empty;
    EXPECT_TRUE(WellFormed("", empty));
    EXPECT_TRUE(WellFormed("any line\n<\n", empty));
    EXPECT_FALSE(WellFormed("{", LogicKeywords{}) && WellFormed("{", DefaultLogicKeywords()));
    LogicKeywords noEndif = DefaultLogicKeywords();
    noEndif[SyntaxEndif].clear();
    EXPECT_TRUE(WellFormed("if <X>{S}\nelse\n", noEndif));
    EXPECT_FALSE(WellFormed("if <X>{S}\n", noEndif));
}

TEST(LogicLineMatcher, DeepNestingIsRefusedInsteadOfExhaustingTheStack) {
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += "loop\n";
    for (int i = 0; i < 5000; ++i)
        text += "endlp\n";
    EXPECT_FALSE(WellFormed(text));
}
