#include "platform/WholeCharacters.h"

#include <QString>

#include <gtest/gtest.h>

// A start cut to a count of units or to a count of encoded bytes keeps a pair of surrogates whole or leaves it out.
TEST(WholeCharacters, AStartEndsBetweenCharactersWithinTheLimit) {
    const QString text = QStringLiteral("ab\U0001F35Acd");
    for (const auto& [limit, expected] :
         {std::pair<qsizetype, qsizetype>{0, 0}, {2, 2}, {3, 2}, {4, 4}, {6, 6}, {99, 6}, {-1, 0}})
        EXPECT_EQ(platform::WholeCharactersLength(text, limit), expected) << limit;

    const auto bytes = [](QStringView start) { return qsizetype(start.toUtf8().size()); };
    // "é" takes two bytes, the pair four.
    const QString encoded = QStringLiteral("a\u00E9\U0001F35Ab");
    for (const auto& [limit, expected] :
         {std::pair<qsizetype, qsizetype>{0, 0}, {2, 1}, {3, 2}, {6, 2}, {7, 4}, {8, 5}, {99, 5}})
        EXPECT_EQ(platform::WholeCharactersLength(encoded, limit, bytes), expected) << limit;
}
