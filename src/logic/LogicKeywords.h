#pragma once

#include <QString>

#include <array>

constexpr int LogicKeywordCount = 15;

// The keyword texts of the syntax-symbol table, indexed by syntax number (SyntaxNumber), as one run reads
// them.
using LogicKeywords = std::array<QString, LogicKeywordCount>;
