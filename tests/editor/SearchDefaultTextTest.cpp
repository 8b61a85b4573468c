#include "editor/SearchDefaultText.h"
#include "editor/LogicTextSearch.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(SearchDefaultText, EndsAtTheFirstBreakOfAnyKind) {
    EXPECT_EQ(SearchDefaultText("member"), "member");
    EXPECT_EQ(SearchDefaultText("first\r\nsecond"), "first");
    EXPECT_EQ(SearchDefaultText("first\nsecond"), "first");
    EXPECT_EQ(SearchDefaultText("first\rsecond"), "first");
    EXPECT_EQ(SearchDefaultText(QStringLiteral("first") + QChar::ParagraphSeparator + "second"), "first");
    EXPECT_EQ(SearchDefaultText("\nsecond"), "");
}

TEST(SearchDefaultText, KeepsAtMost256CharactersAndNoHalfOfAPair) {
    EXPECT_EQ(SearchDefaultText(QString(300, u'a')), QString(256, u'a'));
    EXPECT_EQ(SearchDefaultText(QString(256, u'a')), QString(256, u'a'));
    const QString pair = QStringLiteral("\U0001F600");
    const QString text = QString(255, u'a') + pair;
    EXPECT_EQ(SearchDefaultText(text), QString(255, u'a'));
    EXPECT_EQ(SearchDefaultText(QString(254, u'a') + pair), QString(254, u'a') + pair);
}

TEST(FindNextInLines, GoesOnFromWhereItStandsAndRoundToTheFirstLine) {
    const QStringList lines = {"Do <lamp>{on}", "If <door>{open}", "Do <lamp>{off}"};
    EXPECT_EQ(FindNextInLines(lines, {0, 0}, "lamp"), (EditPosition{0, 4}));
    EXPECT_EQ(FindNextInLines(lines, {0, 5}, "lamp"), (EditPosition{2, 4}));
    // Past the last line the search starts over, up to where it began.
    EXPECT_EQ(FindNextInLines(lines, {2, 5}, "lamp"), (EditPosition{0, 4}));
    EXPECT_EQ(FindNextInLines(lines, {1, 5}, "door"), (EditPosition{1, 4}));
    EXPECT_EQ(FindNextInLines(lines, {1, 0}, "door"), (EditPosition{1, 4}));
    // Case counts; nothing for an empty text, no lines or a text that is not there.
    EXPECT_EQ(FindNextInLines(lines, {0, 0}, "Lamp"), std::nullopt);
    EXPECT_EQ(FindNextInLines(lines, {0, 0}, ""), std::nullopt);
    EXPECT_EQ(FindNextInLines({}, {0, 0}, "lamp"), std::nullopt);
    // A start beyond the lines begins on the last one.
    EXPECT_EQ(FindNextInLines(lines, {7, 3}, "off"), (EditPosition{2, 10}));
}
