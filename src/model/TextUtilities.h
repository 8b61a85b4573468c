#pragma once

#include "texts/TextHelpers.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <set>
#include <vector>

class CLogicLine;
struct ModelOptions;
struct SyntaxSymbol;
class CUnitFunction;
class CUnitFunctionRegistry;

// Does the text hold one of the brackets "<", ">", "[", "]", "{", "}" that mark names in statements?
bool ContainsBracketChars(const QString& text);
// The text inside double quotes, as messages show names.
QString Quoted(const QString& text);
// The texts in the set's order, joined with ", ".
QString JoinWithCommas(const std::set<QString>& texts);
// Half-width as the Japanese code page counts it: ASCII and the half-width forms.
bool IsHalfWidth(QChar c);
// The columns a text takes in a fixed-pitch face: one for a half-width character, two for any other (a pair of
// surrogates counts once).
qsizetype TextColumns(const QString& text);
// The text broken into lines of at most `columns` columns each (TextColumns), for a tooltip, which shows a line
// however wide it is: a line breaks where the next character would not fit, never inside a pair of surrogates.
QString WrappedText(const QString& text, qsizetype columns);
// How many leading characters of `text` are at most `width` wide as `measure` gives the width of a start of it (a
// pair of surrogates is never split); 0 when not even the first is. Only starts up to about twice that count are
// measured, so a text of any length costs what fits of it.
qsizetype FittingLength(QStringView text, int width, const std::function<int(const QString&)>& measure);
// Four spaces, and n of them (none for n <= 0), for nested list entries.
QString MakeIndentUnit();
QString MakeIndentString(int n);

// Name of the unit function an Fn line calls; empty with found false when it does not exist.
QString GetFnTargetName(const CLogicLine& line, const CUnitFunctionRegistry& registry, bool& found);
// Puts the called unit function's current name into slot 1 of an Fn line and moves the line's end with it;
// a line whose callee does not exist stays as it is.
void RefreshFnLineText(CLogicLine& line, const CUnitFunctionRegistry& registry);
// The same for every Fn line of the unit function.
void RefreshFnLines(CUnitFunction& function, const CUnitFunctionRegistry& registry);

// The plain text of a logic line of `function`: its leading blanks, then its keyword, brackets and slots as the
// statement reads (an Fn line with its label and number, a plain line with nothing), without formats. A kind the
// symbol table lacks takes its default keyword.
QString ComposePlainLineText(const CLogicLine& line, const CUnitFunction& function,
                             const CUnitFunctionRegistry& registry, const std::vector<SyntaxSymbol>& symbols,
                             const ModelOptions& options);
