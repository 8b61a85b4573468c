#include "model/SyntaxSymbol.h"

#include "texts/StringTable.h"

namespace {

struct DefaultSymbol {
    StringId keyword;
    const char16_t* simple;
    quint8 column;
    quint8 indent;
    quint8 colourNumber;
};

const DefaultSymbol kDefaultSymbols[SyntaxSymbol::KindCount] = {
    {StringId::KeywordFn, u"FN", 5, 0, 9},
    {StringId::KeywordIf, u"IF", 4, 4, 12},
    {StringId::KeywordElse, u"EL", 4, 4, 12},
    {StringId::KeywordEndif, u"EI", 5, 0, 12},
    {StringId::KeywordDo, u"DO", 3, 0, 2},
    {StringId::KeywordSwitch, u"SW", 8, 4, 13},
    {StringId::KeywordCase, u"CA", 5, 4, 13},
    {StringId::KeywordElsw, u"ES", 4, 4, 13},
    {StringId::KeywordEndsw, u"EN", 5, 0, 13},
    {StringId::KeywordDoNothing, u"NX", 10, 0, 9},
    {StringId::KeywordComment, u"CO", 2, 0, 9},
    {StringId::KeywordLoop, u"LP", 4, 4, 9},
    {StringId::KeywordEndlp, u"EP", 5, 0, 9},
    {StringId::KeywordExitlp, u"EX", 6, 0, 9},
    {StringId::KeywordTransitState, u"TS", 14, 0, 2},
};

} // namespace

SyntaxSymbol SyntaxSymbol::GetDefault(int kind, const FontSetting& columnFont) {
    const DefaultSymbol& source = kDefaultSymbols[kind];
    SyntaxSymbol symbol;
    symbol.ID = static_cast<quint8>(kind + 1);
    symbol.keyword = LoadString(source.keyword);
    symbol.Simple = QString::fromUtf16(source.simple);
    symbol.Column = source.column;
    symbol.Indent = source.indent;
    symbol.font = columnFont;
    symbol.font.SetStandardColour(source.colourNumber);
    return symbol;
}
