#include "model/SyntaxSymbol.h"

#include "model/StandardColours.h"

namespace {

struct DefaultSymbol {
    const char16_t* keyword;
    const char16_t* simple;
    quint8 column;
    quint8 indent;
    quint8 colourNumber;
};

const DefaultSymbol kDefaultSymbols[SyntaxSymbol::KindCount] = {
    {u"Fn", u"FN", 5, 0, 9},          {u"if", u"IF", 4, 4, 12},    {u"else", u"EL", 4, 4, 12},
    {u"endif", u"EI", 5, 0, 12},      {u"Do", u"DO", 3, 0, 2},     {u"switch", u"SW", 8, 4, 13},
    {u"case", u"CA", 5, 4, 13},       {u"elsw", u"ES", 4, 4, 13},  {u"endsw", u"EN", 5, 0, 13},
    {u"Do nothing", u"NX", 10, 0, 9}, {u"(:", u"CO", 2, 0, 9},     {u"loop", u"LP", 4, 4, 9},
    {u"endlp", u"EP", 5, 0, 9},       {u"exitlp", u"EX", 6, 0, 9}, {u"Transit State", u"TS", 14, 0, 2},
};

} // namespace

SyntaxSymbol SyntaxSymbol::GetDefault(int kind, const FontSetting& columnFont) {
    const DefaultSymbol& source = kDefaultSymbols[kind];
    SyntaxSymbol symbol;
    symbol.ID = static_cast<quint8>(kind + 1);
    symbol.keyword = QString::fromUtf16(source.keyword);
    symbol.Simple = QString::fromUtf16(source.simple);
    symbol.Column = source.column;
    symbol.Indent = source.indent;
    symbol.font = columnFont;
    symbol.font.colourIndex = source.colourNumber;
    symbol.font.colour = kStandardColours[source.colourNumber];
    return symbol;
}
