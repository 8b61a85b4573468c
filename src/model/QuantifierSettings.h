#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// One quantifier symbol or word that may stand in a member name.
struct QuantifierEntry {
    QString quantifier; // as written in the member name
    QString opposite;   // its paired form: the universal's existential and the reverse
    int32_t type = 0;   // 0 universal, 1 existential
    int32_t infix = 0;  // 1: recognised at any position of a text, 0: only at its very start

    bool operator==(const QuantifierEntry&) const = default;
};

// The document's ordered quantifier list.
class CQuantifierSettings {
public:
    static constexpr int MaxTextLength = 64;

    CQuantifierSettings();

    // Replaces the list by the eleven built-in entries.
    void SetDefaults();

    bool operator==(const CQuantifierSettings&) const = default;

    std::vector<QuantifierEntry> entries;
};

// The entries of the list found in the text, in order of appearance. At the start of the text every entry
// is tried, later only those with infix 1; a match skips its symbol, otherwise one character is skipped.
std::vector<const QuantifierEntry*> FindQuantifiersInText(const CQuantifierSettings& quantifiers, const QString& text);
