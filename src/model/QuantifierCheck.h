#pragma once

#include "model/SyntaxSymbol.h"

#include <vector>

class CLogicLine;
class CQuantifierSettings;
class CUnitFunction;
class CUnitFunctionRegistry;

// Line-mark bits of the quantifier check.
constexpr quint32 quantifierWarningMark = 0x2000;
constexpr quint32 quantifierErrorMark = 0x4000;

// Checks the member name (slot 1) of an if, Do, switch or Transit State line
// for quantifiers and sets the line's quantifier mark and, unless the memo
// belongs to another mark, the memo. Needs the full symbol table.
void CheckMemberNameQuantifiers(CLogicLine& line, const std::vector<SyntaxSymbol>& symbols,
                                const CQuantifierSettings& quantifiers);
void CheckMemberNameQuantifiersOfFunction(CUnitFunction* function, const std::vector<SyntaxSymbol>& symbols,
                                          const CQuantifierSettings& quantifiers);
void CheckMemberNamesAll(CUnitFunctionRegistry& registry, const std::vector<SyntaxSymbol>& symbols,
                         const CQuantifierSettings& quantifiers);
