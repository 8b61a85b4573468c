#include "model/TextUtilities.h"
#include "model/LogicLine.h"
#include "model/ModelOptions.h"
#include "model/SyntaxSymbol.h"
#include "model/UnitFunctionRegistry.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(TextUtilities, FnLinesTakeTheCalleesCurrentNameAndMoveTheirEnd) {
    CUnitFunctionRegistry registry;
    CUnitFunction& callee = *registry.CreateFunctionWithID(7);
    callee.name = "炊飯する";
    CUnitFunction& caller = *registry.CreateFunctionWithID(3);
    auto addFn = [&](quint32 called, const QString& text) {
        auto line = std::make_unique<CLogicLine>();
        line->lineKind = SyntaxFn;
        line->calledInternalID = called;
        line->textSlots[0].text = text;
        line->End = 20;
        caller.logicLines.push_back(std::move(line));
    };
    addFn(7, "old name");
    addFn(99, "gone");
    auto comment = std::make_unique<CLogicLine>();
    comment->lineKind = SyntaxComment;
    comment->calledInternalID = 7;
    comment->textSlots[0].text = "note";
    caller.logicLines.push_back(std::move(comment));

    bool found = true;
    EXPECT_EQ(GetFnTargetName(*caller.logicLines[1], registry, found), "");
    EXPECT_FALSE(found);
    RefreshFnLines(caller, registry);
    EXPECT_EQ(caller.logicLines[0]->textSlots[0].text, "炊飯する");
    EXPECT_EQ(caller.logicLines[0]->End, 16);
    EXPECT_EQ(caller.logicLines[1]->textSlots[0].text, "gone");
    EXPECT_EQ(caller.logicLines[1]->End, 20);
    EXPECT_EQ(caller.logicLines[2]->textSlots[0].text, "note");
}

TEST(TextUtilities, PlainLineTextsReadAsTheStatements) {
    std::vector<SyntaxSymbol> symbols;
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        symbols.push_back(SyntaxSymbol::GetDefault(kind, FontSetting()));
    CUnitFunctionRegistry registry;
    CUnitFunction& function = *registry.CreateFunctionWithID(3);
    CUnitFunction& callee = *registry.CreateFunctionWithID(7);
    callee.name = "炊飯する";
    ModelOptions options;
    options.fnKeyword = "Fn";
    options.ShowOutlineNumberInFnStatement = false;
    const auto text = [&](int kind, std::initializer_list<QString> texts, quint16 top = 0, quint32 called = 0) {
        CLogicLine line;
        line.lineKind = static_cast<quint8>(kind);
        line.Top = top;
        line.calledInternalID = called;
        int slot = 0;
        for (const QString& value : texts)
            line.textSlots[static_cast<size_t>(slot++)].text = value;
        return ComposePlainLineText(line, function, registry, symbols, options);
    };
    EXPECT_EQ(text(SyntaxIf, {"m", "p", "s", "a"}, 4), "    if <m>p{s}a");
    EXPECT_EQ(text(SyntaxDo, {"m", "を", "s", "せよ"}), "Do<m>を{s}せよ");
    EXPECT_EQ(text(SyntaxSwitch, {"sw", "が"}), "switch <sw>が");
    EXPECT_EQ(text(SyntaxCase, {"a", "なら"}), "case{a}なら");
    EXPECT_EQ(text(SyntaxComment, {"note"}), symbols[SyntaxComment].keyword + "note");
    for (int kind : {SyntaxElse, SyntaxEndif, SyntaxElsw, SyntaxEndsw})
        EXPECT_EQ(text(kind, {}), symbols[static_cast<size_t>(kind)].keyword) << kind;
    EXPECT_EQ(text(SyntaxPlainLine, {}, 8), "        ");
    EXPECT_EQ(text(SyntaxFn, {"炊飯する"}, 0, 7), "Fn [ 炊飯する ]");
    EXPECT_EQ(text(SyntaxFn, {"未定"}), "Fn [ 未定 ]");
    // Without a symbol table the default keywords stand in.
    CLogicLine elsw;
    elsw.lineKind = SyntaxElsw;
    EXPECT_EQ(ComposePlainLineText(elsw, function, registry, {}, options), symbols[SyntaxElsw].keyword);
}

TEST(TextUtilities, AViewShowsTheStartOfALongTextOrTheStretchAroundAHit) {
    const QChar ellipsis(0x2026);
    const QString pair = QStringLiteral("😀");
    const QString longText = QString(600, 'a') + QString(600, 'b') + QStringLiteral("HIT") + QString(2000, 'c');
    const struct {
        const char* what;
        QString text;
        qsizetype start;
        qsizetype length;
        QString shown;
    } cases[] = {
        {"as long as a row holds", QString(ShownTextLength, 'a'), 0, 0, QString(ShownTextLength, 'a')},
        {"a pair at the cut goes whole", QString(ShownTextLength - 1, 'a') + pair + "z", 0, 0,
         QString(ShownTextLength - 1, 'a') + ellipsis},
        {"a hit inside the start", longText, 10, 3, longText.left(ShownTextLength) + ellipsis},
        {"a hit past the start stands in the middle", longText, 1200, 3,
         ellipsis + longText.mid(1200 - 510, ShownTextLength) + ellipsis},
        {"a hit past the end reads as one at the end", longText, longText.size() + 5, 3,
         ellipsis + longText.right(ShownTextLength)},
        {"a pair at the stretch's start goes whole", QString(2000, 'a') + pair + QString(2000, 'b'), 2001 + 511, 1,
         ellipsis + QString(ShownTextLength - 1, 'b') + ellipsis},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(c.text, c.start, c.length), c.shown) << c.what;
}
