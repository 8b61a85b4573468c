#include "model/QuantifierCheck.h"
#include "model/QuantifierSettings.h"
#include "model/UnitFunctionRegistry.h"

#include <gtest/gtest.h>

namespace {

std::vector<SyntaxSymbol> Symbols() {
    std::vector<SyntaxSymbol> symbols;
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        symbols.push_back(SyntaxSymbol::GetDefault(kind, FontSetting()));
    return symbols;
}

CLogicLine Line(quint8 kind, const QString& member) {
    CLogicLine line;
    line.lineKind = kind;
    line.textSlots[0].text = member;
    return line;
}

} // namespace

TEST(QuantifierCheck, LevelsAndMessages) {
    const std::vector<SyntaxSymbol> symbols = Symbols();
    const CQuantifierSettings quantifiers;
    struct Case {
        quint8 kind;
        const char* member;
        quint32 mark;
        const char* memo;
    };
    const Case cases[] = {
        {SyntaxIf, "ドア", 0, ""},
        {SyntaxIf, "∀ドアとすべての窓", quantifierErrorMark,
         "複数の量化記号があります。\"∀\", \"すべての\" は量化記号です。"},
        {SyntaxIf, "∀", quantifierErrorMark, "メンバー名 \"∀\" は、これ全体が量化記号です。"},
        {SyntaxDo, "∃ドア", quantifierErrorMark, "存在記号はDo文に使用できません。\"∃\" は存在記号です。"},
        {SyntaxTransitState, "或る扉", quantifierErrorMark,
         "存在記号はDo文に使用できません。\"或る\" は存在記号です。"},
        {SyntaxSwitch, "∀ドア", quantifierErrorMark, "量化記号はswitch文に使用できません。\"∀\" は量化記号です。"},
        {SyntaxIf, "∀ドア", quantifierWarningMark, "メンバー名の先頭の \"∀\" は全称記号です。"},
        {SyntaxIf, "扉とあらゆる窓", quantifierWarningMark, "\"あらゆる\" は全称記号です。"},
        {SyntaxIf, "ドアと或る窓", quantifierWarningMark, "\"或る\" は存在記号です。"},
        {SyntaxDo, "∀ドア", quantifierWarningMark, "メンバー名の先頭の \"∀\" は全称記号です。"},
        {SyntaxCase, "∀", 0, ""},
    };
    for (const Case& c : cases) {
        CLogicLine line = Line(c.kind, QString::fromUtf8(c.member));
        CheckMemberNameQuantifiers(line, symbols, quantifiers);
        EXPECT_EQ(line.mark, c.mark) << c.member;
        EXPECT_EQ(line.Memo(), QString::fromUtf8(c.memo)) << c.member;
    }
    CLogicLine withoutTable = Line(SyntaxIf, "∀");
    CheckMemberNameQuantifiers(withoutTable, {}, quantifiers);
    EXPECT_EQ(withoutTable.mark, 0u);
}

TEST(QuantifierCheck, AnotherMarksMemoIsKeptAndAClearedMarkEmptiesOnlyItsOwnMemo) {
    const std::vector<SyntaxSymbol> symbols = Symbols();
    const CQuantifierSettings quantifiers;
    CLogicLine line = Line(SyntaxIf, "∀ドアとすべての窓");
    CheckMemberNameQuantifiers(line, symbols, quantifiers);
    EXPECT_EQ(line.mark, quantifierErrorMark);
    line.textSlots[0].text = "ドア";
    CheckMemberNameQuantifiers(line, symbols, quantifiers);
    EXPECT_EQ(line.mark, 0u);
    EXPECT_TRUE(line.Memo().isEmpty());

    line.mark = 0x1;
    line.SetMemo("要確認");
    line.textSlots[0].text = "∀";
    CheckMemberNameQuantifiers(line, symbols, quantifiers);
    EXPECT_EQ(line.mark, 0x1u | quantifierErrorMark);
    EXPECT_EQ(line.Memo(), "要確認");
    line.textSlots[0].text = "ドア";
    CheckMemberNameQuantifiers(line, symbols, quantifiers);
    EXPECT_EQ(line.mark, 0x1u);
    EXPECT_EQ(line.Memo(), "要確認");

    CUnitFunctionRegistry registry;
    CUnitFunction& function = *registry.CreateFunctionWithID(4);
    function.logicLines.push_back(std::make_unique<CLogicLine>(Line(SyntaxIf, "∀")));
    CheckMemberNamesAll(registry, symbols, quantifiers);
    EXPECT_EQ(function.logicLines[0]->mark, quantifierErrorMark);
    CheckMemberNameQuantifiersOfFunction(nullptr, symbols, quantifiers);
}
