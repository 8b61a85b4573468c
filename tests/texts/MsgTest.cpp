#include "texts/Msg.h"
#include "texts/MessageContext.h"
#include "texts/MsgTable.h"

#include "texts/QStringPrinter.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr const char* kNames[] = {
#define NUV_MSG(name, arity) #name,
#include "texts/MsgList.inc"
#undef NUV_MSG
};

constexpr WordLookup kLookups[] = {
#define NUV_WORD_LOOKUP(name, key, language, form) &GetMessage_##name,
#include "texts/WordLookupList.inc"
#undef NUV_WORD_LOOKUP
};

CMessageContext Context(int language) {
    CMessageContext context;
    context.m_language = language;
    return context;
}

// The long explanations shown only in Japanese.
const QStringList kJapaneseOnly = {
    "DistinguishSameMemberNamesExplanation",
    "SaveAsNewVersionExplanation",
    "VersionDifferencesExplanation",
    "FunctionAttributesExplanation",
    "ConvertLogicToSentencesExplanation",
    "AssumptionConclusionWindowExplanation",
    "VeskSearchExplanation",
    "ProcessManagementTableExplanation",
    "RegisteredNamesMenuExplanation",
    "NonInconsistentCombinationsExplanation",
    "InconsistencyRuleExplanation",
    "ForbiddenTermsSearchExplanation",
    "MarkSettingsExplanation",
    "SimilarTermsDetectionExplanation",
    "TableOfContentsSyncExplanation",
    "FunctionRequirementMappingExplanation",
};

Msg::Id IdOf(int index) {
    return static_cast<Msg::Id>(index);
}

QStringList SampleArguments() {
    return {"while", "for"};
}

class MsgTexts : public ::testing::Test {
protected:
    const CMessageContext english = Context(0);
    const CMessageContext japanese = Context(1);
};

} // namespace

TEST_F(MsgTexts, EveryTextBuildsInBothLanguagesFromWordsTheTableHolds) {
    const int count = static_cast<int>(Msg::Id::Count);
    ASSERT_EQ(count, 504);
    ASSERT_EQ(std::size(kNames), 504u);
    const CMessageContext two = Context(2);
    const CMessageContext negative = Context(-1);
    for (int index = 0; index < count; ++index) {
        const QString name = QString::fromLatin1(kNames[index]);
        SCOPED_TRACE(kNames[index]);
        const QString inEnglish = Msg::Text(english, IdOf(index), SampleArguments());
        const QString inJapanese = Msg::Text(japanese, IdOf(index), SampleArguments());
        // Any language other than 1 is English.
        EXPECT_EQ(Msg::Text(two, IdOf(index), SampleArguments()), inEnglish);
        EXPECT_EQ(Msg::Text(negative, IdOf(index), SampleArguments()), inEnglish);
        EXPECT_FALSE(inJapanese.isEmpty());
        EXPECT_EQ(inEnglish.isEmpty(), kJapaneseOnly.contains(name));
        const MsgTable::Row& row = MsgTable::RowOf(IdOf(index));
        if (row.english.capitalization == MsgTable::Capitalization::Whole && !inEnglish.isEmpty()) {
            EXPECT_FALSE(inEnglish[0] >= u'a' && inEnglish[0] <= u'z');
        }
    }
    // A word missing from the table would have been added by its lookup.
    EXPECT_EQ(english.m_settings.GetEntries().size(), 555u);
    EXPECT_EQ(japanese.m_settings.GetEntries().size(), 555u);
}

TEST_F(MsgTexts, RowsUseEveryWordLookupAndOnlyKnownTexts) {
    std::set<WordLookup> used;
    for (int index = 0; index < static_cast<int>(Msg::Id::Count); ++index) {
        const MsgTable::Row& row = MsgTable::RowOf(IdOf(index));
        for (const MsgTable::Side* side : {&row.english, &row.japanese}) {
            for (const MsgTable::Piece& piece : side->pieces) {
                if (piece.kind == MsgTable::PieceKind::Word) {
                    used.insert(piece.word);
                }
                if (piece.kind == MsgTable::PieceKind::Nested) {
                    EXPECT_LT(piece.nested, Msg::Id::Count) << kNames[index];
                    EXPECT_NE(piece.nested, IdOf(index)) << kNames[index];
                }
            }
        }
    }
    EXPECT_EQ(used, std::set<WordLookup>(std::begin(kLookups), std::end(kLookups)));
}

TEST_F(MsgTexts, WholeTextIsCapitalisedOnlyAtItsFirstLetter) {
    EXPECT_EQ(Msg::AllFunctions(english), "All functions");
    EXPECT_EQ(Msg::AllFunctions(japanese), "すべての単位機能");
    EXPECT_EQ(Msg::AddAsAChild(english), "Add as a child");
    EXPECT_EQ(Msg::AddAsAChild(japanese), "子として追加");
    EXPECT_EQ(Msg::AddAsASibling(english), "Add as a sibling");
    EXPECT_EQ(Msg::AddAsASibling(japanese), "番号をずらして追加");
    EXPECT_EQ(Msg::AntecedentUIPlural(english), "Antecedents");
    EXPECT_EQ(Msg::AddAWorkItemToTeamFoundationServer(japanese), "Team Foundation Serverに作業項目を追加");
    EXPECT_EQ(Msg::Office2007AquaStyle(japanese), "Office 2007 アクアスタイル");
    EXPECT_EQ(Msg::Copy(english), Msg::CopyCommand(english));
    EXPECT_EQ(Msg::Copy(japanese), Msg::CopyCommand(japanese));
    EXPECT_EQ(Msg::Edit(japanese), "編集");
    EXPECT_EQ(Msg::EditRevision(japanese), "修正");
    EXPECT_EQ(Msg::Edit1(english), "Edit 1");
    EXPECT_EQ(Msg::ExplanationUIFont(english), "Explanation font");
    EXPECT_EQ(Msg::ExplanationUIFont(japanese), "機能内容欄フォント");
    EXPECT_EQ(Msg::ABCabc123(english), "ABCabc123");
    EXPECT_EQ(Msg::ABCabc123(japanese), "漢字あアABC123");
    EXPECT_EQ(Msg::AuxiliaryVerbsCommentsAndParticles(english), "Auxiliary verbs, particles and comments");
    EXPECT_EQ(Msg::AuxiliaryVerbsCommentsAndParticles(japanese), "助詞と助動詞とコメント");
    EXPECT_EQ(Msg::Hold(english), "(Hold)");
    EXPECT_EQ(Msg::GroupN(english), "Group %d");
    EXPECT_EQ(Msg::GroupN(japanese), "グループ%d");
    EXPECT_EQ(Msg::QuantifierError(english), "Quantifier error");
    EXPECT_TRUE(Msg::PrintFunctionWithLogicUIOnly(english).startsWith("Print functions with"));
    EXPECT_EQ(Msg::TwoRows(english), "2 rows");
    EXPECT_EQ(Msg::SplashScreenTimeExplanation(english),
              "\"0\" means never show splash screen.\n\"10\" means show animation.");
    EXPECT_EQ(Msg::NaturalSentenceConjunctionExplanation(english),
              "If <AAA> {BBB} if <CCC> {DDD}\r\n→ If <AAA> {BBB} (1)<CCC> {DDD}");
    EXPECT_EQ(Msg::CommentConversionExplanation(japanese),
              "コメントの変換に使われる語句を設定します\r\n例:(: AAA\n → ( 1 )AAA( 2 )");
    EXPECT_EQ(Msg::AssumptionQuotePhrases(japanese),
              "条件のまとまりをクオーテーション (') やダブルクオーテーション (\") で括る");
    EXPECT_EQ(Msg::AuxiliaryVerbInLogicUITense(english), "Tense auxiliary verbs in logic");
    EXPECT_EQ(Msg::AuxiliaryVerbInLogicUITense(japanese), "論理記述欄助動詞時制あり");
    EXPECT_EQ(Msg::UsageInFnStatementFn(japanese), "Fn構文での使用数");
}

TEST_F(MsgTexts, MarkedSidesAreUsedAsBuilt) {
    EXPECT_EQ(Msg::IndentLines(japanese), "if構文の線");
    EXPECT_EQ(Msg::IndentLines(english), "Indent lines");
    EXPECT_EQ(Msg::ShowIndentLines(japanese), "if構文の線を表示する");
    EXPECT_EQ(Msg::ShortExpressionForElsw(japanese), "elswを一言で置き換える");
    EXPECT_EQ(Msg::ShortExpressionForElsw(english), "Short expression for \"elsw\"");
    EXPECT_EQ(Msg::IfSwitchConversionExplanation(english), "if <AAA> {BBB} → (1)AAA(2)BBB(3)(4)");
    EXPECT_TRUE(Msg::IfSwitchConversionExplanation(japanese).startsWith("ifや"));
    EXPECT_TRUE(Msg::IfSwitchConversionExplanation(japanese).endsWith("、 "));
    EXPECT_TRUE(Msg::ElswReplacementExplanation(english).startsWith("switch <AAA>"));
    EXPECT_TRUE(Msg::NaturalSentenceDisjunctionExplanation(english).startsWith("Switch <AAA>"));
    EXPECT_TRUE(Msg::LoopReplacementExplanation(english).startsWith("Loop → (1)"));
    for (const CMessageContext* context : {&english, &japanese}) {
        EXPECT_EQ(Msg::Office2003(*context), "Office 2003");
        EXPECT_EQ(Msg::OfficeXP(*context), "Office XP");
        EXPECT_EQ(Msg::WindowsXP(*context), "Windows XP");
        EXPECT_EQ(Msg::Window2000(*context), "Window 2000");
        EXPECT_EQ(Msg::VisualStudioNET2005(*context), "Visual Studio .NET 2005");
    }
    EXPECT_EQ(Msg::EqualOrMorePercent(english), "(%) Equal or more");
    EXPECT_EQ(Msg::EqualOrMorePercent(japanese), "(%) 以上");
    EXPECT_EQ(Msg::EditAnItemEx(english), "Semantic relations (Edit an item)");
    EXPECT_EQ(Msg::EditAnItemEx(japanese), "意味関係設定 (項目の編集)");
    EXPECT_EQ(Msg::EditAnItem(english), "Intra-member consistencies (Edit an item)");
}

TEST_F(MsgTexts, ArgumentsAreInsertedUnchanged) {
    EXPECT_EQ(Msg::PutInto(english, "while"), "Put into while");
    EXPECT_EQ(Msg::PutInto(japanese, "while"), "while内に挿入");
    EXPECT_EQ(Msg::PutIntoEx(english, "A", "B"), "Put into A-B");
    EXPECT_EQ(Msg::PutIntoEx(japanese, "A", "B"), "A_B内に挿入");
    EXPECT_EQ(Msg::ReplaceWithKeyword(english, "while"), "Replace with while");
    EXPECT_EQ(Msg::ReplaceWithKeyword(japanese, "while"), "Whileに置換");
    EXPECT_EQ(Msg::ReplaceWithCapitalized(english, "while"), "Replace With while");
    EXPECT_EQ(Msg::ReplaceWithCapitalized(japanese, "while"), "Whileに置換");
    EXPECT_EQ(Msg::ReplaceWithKeyword(japanese, "Do"), "Doに置換");
    EXPECT_EQ(Msg::ReplaceWithKeyword(english, "50%"), "Replace with 50%");
}

TEST_F(MsgTexts, NestedTextsBringTheirOwnCapital) {
    EXPECT_EQ(Msg::InspectAllFunctions(english), "Inspect All functions");
    EXPECT_EQ(Msg::InspectAllFunctions(japanese), "すべての単位機能の検査");
    EXPECT_EQ(Msg::AddCurrentFunctionAsChild(english), "Add Current function to child");
    EXPECT_EQ(Msg::AddCurrentFunctionAsChild(japanese), "現在開いている単位機能を子として追加");
    EXPECT_EQ(Msg::TableOfContentsWindowNoneSee(english), "None (See \"Functions\" window.)");
    EXPECT_EQ(Msg::TableOfContentsWindowNoneSee(japanese), "目次に追加しない (単位機能一覧に追加されます)");
    EXPECT_EQ(Msg::OfNewFunctionTurnOn(english), "Turn on \"Omit reason\" of new functions");
    EXPECT_EQ(Msg::OfNewFunctionTurnOn(japanese),
              "単位機能を新規作成したとき「意図・理由を省略する」チェックボックスをONにする");
    EXPECT_TRUE(Msg::MarkSettingsExplanation(japanese).startsWith("Veskは論理記述欄の各行"));
    for (const CMessageContext* context : {&english, &japanese}) {
        EXPECT_EQ(Msg::AllFunctionsLabel(*context), Msg::AllFunctions(*context));
        EXPECT_EQ(Msg::CurrentFunctionLabel(*context), Msg::CurrentFunction(*context));
        EXPECT_EQ(Msg::CurrentFunctionAndDescendantsLabel(*context), Msg::CurrentFunctionAndItsDescendants(*context));
        EXPECT_EQ(Msg::InspectAllFunctionsLabel(*context), Msg::InspectAllFunctions(*context));
        EXPECT_EQ(Msg::InspectCurrentFunctionLabel(*context), Msg::InspectCurrentFunction(*context));
    }
}

TEST_F(MsgTexts, EditedWordsShowAtTheNextConstruction) {
    CMessageContext context = Context(0);
    context.m_settings.AddEntry("Function", "機能", "feature", "features");
    EXPECT_EQ(Msg::AllFunctions(context), "All features");
    EXPECT_EQ(Msg::InspectAllFunctions(context), "Inspect All features");
    context.m_settings.AddEntry("Function", "機能", "feature", "");
    EXPECT_EQ(Msg::AllFunctions(context), "All ");
    context.m_settings.AddEntry("Inspect", "検査", "", "");
    EXPECT_EQ(Msg::InspectAllFunctions(context), " All ");
    // A word never brings a "%" into a text.
    context.m_settings.AddEntry("Function", "機能", "feature", "100% features");
    EXPECT_EQ(Msg::AllFunctions(context), "All 100 features");
    context.m_language = 1;
    context.m_settings.AddEntry("Function", "function", "feature", "features");
    EXPECT_EQ(Msg::FunctionPlural(context), "Function");
    EXPECT_EQ(Msg::AllFunctions(context), "すべてのfunction");
}
