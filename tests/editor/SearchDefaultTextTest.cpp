#include "editor/SearchDefaultText.h"

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
