#include "settings/SyntaxSymbolSettings.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;

namespace {

CLogicLine& AddLine(CUnitFunction& function, quint8 kind, quint16 home, quint16 home2, quint16 end) {
    auto line = std::make_unique<CLogicLine>();
    line->lineKind = kind;
    line->Home = home;
    line->Home2 = home2;
    line->End = end;
    function.logicLines.push_back(std::move(line));
    return *function.logicLines.back();
}

class SyntaxSymbolSettingsTest : public ::testing::Test {
protected:
    SyntaxSymbolSettingsTest() { data.SetDefaults(); }
    CUnitFunction& Function() { return *data.registry.CreateFunctionWithID(77); }

    CDocumentData data;
    platform::ScriptedMessageSink sink;
};

TEST_F(SyntaxSymbolSettingsTest, KeywordChecksRefuseInOrderAndTrimOnlyWhenAsked) {
    CSyntaxSymbolSettings settings(data);
    settings.SetKeyword(SyntaxIf, "if<");
    EXPECT_FALSE(settings.ValidateSymbols());
    settings.SetKeyword(SyntaxIf, "if");
    settings.SetKeyword(SyntaxComment, "(:<{");
    settings.SetKeyword(SyntaxDo, QStringLiteral("実行"));
    EXPECT_FALSE(settings.ValidateSymbols());
    settings.SetKeyword(SyntaxDo, "");
    EXPECT_FALSE(settings.ValidateSymbols());
    settings.SetKeyword(SyntaxDo, " \t");
    EXPECT_FALSE(settings.ValidateSymbols());
    ASSERT_EQ(sink.Requests().size(), 4);
    EXPECT_TRUE(sink.Texts()[0].startsWith(QStringLiteral("構文記号 \"if<\" が禁止文字")));
    EXPECT_TRUE(sink.Texts()[1].contains(QStringLiteral("全角文字")));
    EXPECT_EQ(sink.Texts()[2], QStringLiteral("空の構文記号があるため、構文記号の設定を保存できません。"));
    EXPECT_TRUE(sink.Texts()[3].contains(QStringLiteral("空白文字のみ")));

    // A trailing blank is asked about: Cancel keeps it, OK trims it; the check fails either way.
    settings.SetKeyword(SyntaxDo, " Do2 ");
    sink.Answer(MessageAnswer::Cancel);
    int trimmed = -1;
    EXPECT_FALSE(settings.ValidateSymbols(&trimmed));
    EXPECT_EQ(trimmed, -1);
    EXPECT_EQ(settings.Symbol(SyntaxDo).keyword, " Do2 ");
    sink.Answer(MessageAnswer::Ok);
    EXPECT_FALSE(settings.ValidateSymbols(&trimmed));
    EXPECT_EQ(trimmed, SyntaxDo);
    EXPECT_EQ(settings.Symbol(SyntaxDo).keyword, "Do2");
    EXPECT_TRUE(settings.ValidateSymbols());
}

TEST_F(SyntaxSymbolSettingsTest, EqualKeywordsAreRefusedAndCaseDifferentOnesAccepted) {
    CSyntaxSymbolSettings settings(data);
    settings.SetKeyword(SyntaxComment, "if");
    EXPECT_FALSE(settings.ValidateSymbols());
    EXPECT_EQ(sink.Texts().back(),
              QStringLiteral("構文記号 \"if\" は重複して用いられているため、構文記号の設定を保存できません。"));
    settings.SetKeyword(SyntaxComment, "IF");
    EXPECT_TRUE(settings.ValidateSymbols());
}

TEST_F(SyntaxSymbolSettingsTest, ColoursFollowTheirGroupAndDefaults) {
    CSyntaxSymbolSettings settings(data);
    settings.SetColour(SyntaxIf, 0);
    EXPECT_EQ(settings.Symbol(SyntaxElse).font.colourIndex, 0);
    EXPECT_EQ(settings.Symbol(SyntaxEndif).font.colour, 0u);
    EXPECT_EQ(settings.Symbol(SyntaxDo).font.colourIndex, 2);
    settings.SetKeyword(SyntaxIf, "when");
    settings.ResetSymbol(SyntaxIf);
    EXPECT_EQ(settings.Symbol(SyntaxIf).keyword, "if");
    EXPECT_EQ(settings.Symbol(SyntaxEndif).font.colourIndex, 12);
    EXPECT_FALSE(CSyntaxSymbolSettings::OwnsColour(SyntaxElse));
}

TEST_F(SyntaxSymbolSettingsTest, ApplyShiftsOperandsOfTheChangedKindOnlyAndReportsTheChange) {
    CUnitFunction& function = Function();
    CLogicLine& ifLine = AddLine(function, SyntaxIf, 10, 20, 30);
    CLogicLine& doLine = AddLine(function, SyntaxDo, 7, 9, 11);
    CLogicLine& plain = AddLine(function, SyntaxNone, 5, 6, 7);
    CSyntaxSymbolSettings unchanged(data);
    EXPECT_EQ(unchanged.Apply(data), 0);

    CSyntaxSymbolSettings settings(data);
    settings.SetKeyword(SyntaxIf, "when");
    EXPECT_EQ(settings.Apply(data), CSyntaxSymbolSettings::ChangeBit);
    EXPECT_EQ(data.SyntaxSymbols[SyntaxIf].keyword, "when");
    EXPECT_EQ(data.SyntaxSymbols[SyntaxIf].Column, 6);
    EXPECT_EQ(ifLine.Home, 12);
    EXPECT_EQ(ifLine.Home2, 22);
    EXPECT_EQ(ifLine.End, 32);
    EXPECT_EQ(doLine.Home, 7);
    EXPECT_EQ(plain.Home, 5);
    EXPECT_EQ(plain.End, 7);
}

TEST_F(SyntaxSymbolSettingsTest, AuxiliaryVerbListChecksAndLimit) {
    CSyntaxSymbolSettings settings(data);
    while (settings.AuxiliaryVerbs().Count() < CSyntaxSymbolSettings::MaxAuxiliaryVerbs)
        ASSERT_TRUE(settings.AddAuxiliaryVerb());
    EXPECT_FALSE(settings.AddAuxiliaryVerb());
    EXPECT_EQ(sink.Texts().back(), QStringLiteral("これ以上助動詞を登録できません。"));
    EXPECT_EQ(settings.AuxiliaryVerbs().Count(), 32u);

    // Empty entries first, then duplicates, then brackets; each question's OK removes, and the check fails.
    EXPECT_FALSE(settings.ValidateAuxiliaryVerbs());
    EXPECT_EQ(settings.AuxiliaryVerbs().Count(), 5u);
    settings.EditAuxiliaryVerb(4, settings.VerbAt(0).text, false);
    sink.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(settings.ValidateAuxiliaryVerbs());
    EXPECT_EQ(settings.AuxiliaryVerbs().Count(), 5u);
    EXPECT_FALSE(settings.ValidateAuxiliaryVerbs());
    EXPECT_EQ(settings.AuxiliaryVerbs().Count(), 3u);
    settings.EditAuxiliaryVerb(0, "[x]", true);
    EXPECT_FALSE(settings.ValidateAuxiliaryVerbs());
    EXPECT_EQ(settings.AuxiliaryVerbs().Count(), 2u);
    EXPECT_TRUE(settings.ValidateAuxiliaryVerbs());
}

TEST_F(SyntaxSymbolSettingsTest, StoredVerbsRelinkIfAndCaseLines) {
    CUnitFunction& function = Function();
    CLogicLine& byId = AddLine(function, SyntaxIf, 4, 10, 20);
    byId.textSlots[3].text = data.AuxiliaryVerbs[0].verb;
    byId.auxiliaryVerbId = data.AuxiliaryVerbs[0].id;
    byId.RecountPositions();
    CLogicLine& byText = AddLine(function, SyntaxCase, 5, 0, 9);
    byText.textSlots[1].text = "new";
    byText.auxiliaryVerbId = 40;
    CLogicLine& lost = AddLine(function, SyntaxIf, 4, 10, 20);
    lost.textSlots[3].text = "gone";
    lost.auxiliaryVerbId = 41;
    lost.auxiliaryVerbFlag = 1;

    CSyntaxSymbolSettings settings(data);
    settings.EditAuxiliaryVerb(0, "longer text", false);
    ASSERT_TRUE(settings.AddAuxiliaryVerb());
    settings.EditAuxiliaryVerb(5, "new", true);
    ASSERT_TRUE(settings.ValidateAuxiliaryVerbs());
    EXPECT_EQ(settings.Apply(data), CSyntaxSymbolSettings::ChangeBit);
    ASSERT_EQ(data.AuxiliaryVerbs.size(), 6u);
    EXPECT_EQ(data.AuxiliaryVerbs[5].id, 6);
    EXPECT_EQ(byId.textSlots[3].text, "longer text");
    EXPECT_EQ(byId.auxiliaryVerbFlag, 0);
    EXPECT_EQ(byId.End, byId.Home2 + byId.textSlots[2].text.size() + 11 + 1);
    EXPECT_EQ(byText.auxiliaryVerbId, 6);
    EXPECT_EQ(byText.auxiliaryVerbFlag, 1);
    EXPECT_EQ(lost.auxiliaryVerbId, 0);
    EXPECT_EQ(lost.auxiliaryVerbFlag, 0);
    EXPECT_EQ(lost.textSlots[3].text, "gone");
}

TEST_F(SyntaxSymbolSettingsTest, ParticleLanguageAloneChangesOnlyTheLanguage) {
    const SentenceParticles before = data.particles;
    CSyntaxSymbolSettings settings(data);
    settings.particles.language = before.language == 1 ? 0 : 1;
    EXPECT_EQ(settings.Apply(data), CSyntaxSymbolSettings::ChangeBit);
    EXPECT_EQ(data.particles.ifParticle, before.ifParticle);
    EXPECT_NE(data.particles.language, before.language);
}

} // namespace
