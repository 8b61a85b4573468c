#include "model/QuantifierSettings.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QStringList Symbols(const std::vector<const QuantifierEntry*>& found) {
    QStringList symbols;
    for (const QuantifierEntry* entry : found)
        symbols << entry->quantifier;
    return symbols;
}

} // namespace

TEST(QuantifierSettings, SetDefaultsRestoresTheElevenBuiltInEntries) {
    CQuantifierSettings quantifiers;
    ASSERT_EQ(quantifiers.entries.size(), 11u);
    quantifiers.entries.clear();
    quantifiers.SetDefaults();
    EXPECT_EQ(quantifiers, CQuantifierSettings());
}

TEST(QuantifierSettings, PrefixOnlySymbolsAreFoundAtTheStartAndInfixSymbolsAnywhere) {
    CQuantifierSettings quantifiers;
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "∀ドア")), QStringList{"∀"});
    EXPECT_TRUE(FindQuantifiersInText(quantifiers, "ドア∀").empty());
    EXPECT_TRUE(FindQuantifiersInText(quantifiers, "").empty());
    // "ある" counts only at the head, "或る" anywhere; a match skips its whole symbol.
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "すべてのあるドア")), QStringList{"すべての"});
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "ある窓と或る扉")), (QStringList{"ある", "或る"}));
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "all doors and all windows")), (QStringList{"all ", "all "}));
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "Doors and All windows")), QStringList{});
}

TEST(QuantifierSettings, AnEmptySymbolIsNeverFound) {
    CQuantifierSettings quantifiers;
    quantifiers.entries.insert(quantifiers.entries.begin(), QuantifierEntry{"", "x", 0, 1});
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "a∀")), QStringList{});
    EXPECT_EQ(Symbols(FindQuantifiersInText(quantifiers, "∀a")), QStringList{"∀"});
}
