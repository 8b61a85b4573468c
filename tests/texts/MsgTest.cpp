#include "texts/Msg.h"
#include "texts/MessageContext.h"
#include "texts/MsgTable.h"

#include "support/QStringPrinter.h"

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
    ASSERT_EQ(count, 505);
    ASSERT_EQ(std::size(kNames), 505u);
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

TEST_F(MsgTexts, SpotChecksOfExactTexts) {
    using Msg::Id;
    // English and Japanese text of one row; a null side is not checked. The capital comes only from a first
    // a to z, marked sides are used as built, arguments go in unchanged, nested texts bring their own capital.
    struct Spot {
        Id id;
        QStringList arguments;
        const char* english;
        const char* japanese;
    };
    const Spot spots[] = {
        {Id::AllFunctions, {}, "All functions", "すべての単位機能"},
        {Id::AddAsAChild, {}, "Add as a child", "子として追加"},
        {Id::AddAsASibling, {}, "Add as a sibling", "番号をずらして追加"},
        {Id::AntecedentUIPlural, {}, "Antecedents", nullptr},
        {Id::AddAWorkItemToTeamFoundationServer, {}, nullptr, "Team Foundation Serverに作業項目を追加"},
        {Id::Office2007AquaStyle, {}, nullptr, "Office 2007 アクアスタイル"},
        {Id::Edit, {}, nullptr, "編集"},
        {Id::EditRevision, {}, nullptr, "修正"},
        {Id::Edit1, {}, "Edit 1", nullptr},
        {Id::ExplanationUIFont, {}, "Explanation font", "機能内容欄フォント"},
        {Id::ABCabc123, {}, "ABCabc123", "漢字あアABC123"},
        {Id::AuxiliaryVerbsCommentsAndParticles, {}, "Auxiliary verbs, particles and comments", "助詞と助動詞とコメント"},
        {Id::Hold, {}, "(Hold)", nullptr},
        {Id::GroupN, {}, "Group %d", "グループ%d"},
        {Id::QuantifierError, {}, "Quantifier error", nullptr},
        {Id::TwoRows, {}, "2 rows", nullptr},
        {Id::SplashScreenTimeExplanation, {}, "\"0\" means never show splash screen.\n\"10\" means show animation.",
         nullptr},
        {Id::NaturalSentenceConjunctionExplanation, {}, "If <AAA> {BBB} if <CCC> {DDD}\r\n→ If <AAA> {BBB} (1)<CCC> {DDD}",
         nullptr},
        {Id::CommentConversionExplanation, {}, nullptr, "コメントの変換に使われる語句を設定します\r\n例:(: AAA\n → ( 1 )AAA( 2 )"},
        {Id::AssumptionQuotePhrases, {}, nullptr, "条件のまとまりをクオーテーション (') やダブルクオーテーション (\") で括る"},
        {Id::AuxiliaryVerbInLogicUITense, {}, "Tense auxiliary verbs in logic", "論理記述欄助動詞時制あり"},
        {Id::UsageInFnStatementFn, {}, nullptr, "Fn構文での使用数"},
        {Id::IndentLines, {}, "Indent lines", "if構文の線"},
        {Id::ShowIndentLines, {}, nullptr, "if構文の線を表示する"},
        {Id::ShortExpressionForElsw, {}, "Short expression for \"elsw\"", "elswを一言で置き換える"},
        {Id::IfSwitchConversionExplanation, {}, "if <AAA> {BBB} → (1)AAA(2)BBB(3)(4)", nullptr},
        {Id::Office2003, {}, "Office 2003", "Office 2003"},
        {Id::VisualStudioNET2005, {}, "Visual Studio .NET 2005", "Visual Studio .NET 2005"},
        {Id::EqualOrMorePercent, {}, "(%) Equal or more", "(%) 以上"},
        {Id::EditAnItemEx, {}, "Semantic relations (Edit an item)", "意味関係設定 (項目の編集)"},
        {Id::EditAnItem, {}, "Intra-member consistencies (Edit an item)", nullptr},
        {Id::PutInto, {"while"}, "Put into while", "while内に挿入"},
        {Id::PutIntoEx, {"A", "B"}, "Put into A-B", "A_B内に挿入"},
        {Id::ReplaceWithKeyword, {"while"}, "Replace with while", "Whileに置換"},
        {Id::ReplaceWithCapitalized, {"while"}, "Replace With while", "Whileに置換"},
        {Id::ReplaceWithKeyword, {"Do"}, nullptr, "Doに置換"},
        {Id::ReplaceWithKeyword, {"50%"}, "Replace with 50%", nullptr},
        {Id::InspectAllFunctions, {}, "Inspect All functions", "すべての単位機能の検査"},
        {Id::AddCurrentFunctionAsChild, {}, "Add Current function to child", "現在開いている単位機能を子として追加"},
        {Id::TableOfContentsWindowNoneSee, {}, "None (See \"Functions\" window.)",
         "目次に追加しない (単位機能一覧に追加されます)"},
        {Id::OfNewFunctionTurnOn, {}, "Turn on \"Omit reason\" of new functions",
         "単位機能を新規作成したとき「意図・理由を省略する」チェックボックスをONにする"},
    };
    for (const Spot& spot : spots) {
        SCOPED_TRACE(kNames[static_cast<int>(spot.id)]);
        if (spot.english) {
            EXPECT_EQ(Msg::Text(english, spot.id, spot.arguments), QString::fromUtf8(spot.english));
        }
        if (spot.japanese) {
            EXPECT_EQ(Msg::Text(japanese, spot.id, spot.arguments), QString::fromUtf8(spot.japanese));
        }
    }
    EXPECT_TRUE(Msg::PrintFunctionWithLogicUIOnly(english).startsWith("Print functions with"));
    EXPECT_TRUE(Msg::IfSwitchConversionExplanation(japanese).startsWith("ifや"));
    EXPECT_TRUE(Msg::IfSwitchConversionExplanation(japanese).endsWith("、 "));
    EXPECT_TRUE(Msg::ElswReplacementExplanation(english).startsWith("switch <AAA>"));
    EXPECT_TRUE(Msg::NaturalSentenceDisjunctionExplanation(english).startsWith("Switch <AAA>"));
    EXPECT_TRUE(Msg::LoopReplacementExplanation(english).startsWith("Loop → (1)"));
    EXPECT_TRUE(Msg::MarkSettingsExplanation(japanese).startsWith("Veskは論理記述欄の各行"));
    // Rows that show another row's text.
    const std::pair<Id, Id> same[] = {{Id::Copy, Id::CopyCommand},
                                      {Id::AllFunctionsLabel, Id::AllFunctions},
                                      {Id::CurrentFunctionLabel, Id::CurrentFunction},
                                      {Id::CurrentFunctionAndDescendantsLabel, Id::CurrentFunctionAndItsDescendants},
                                      {Id::InspectAllFunctionsLabel, Id::InspectAllFunctions},
                                      {Id::InspectCurrentFunctionLabel, Id::InspectCurrentFunction}};
    for (const auto& [label, text] : same) {
        EXPECT_EQ(Msg::Text(english, label), Msg::Text(english, text)) << kNames[static_cast<int>(label)];
        EXPECT_EQ(Msg::Text(japanese, label), Msg::Text(japanese, text)) << kNames[static_cast<int>(label)];
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
