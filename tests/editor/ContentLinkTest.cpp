#include "editor/ContentLink.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(ContentLinks, SchemesAtWordStartsAreLinksAndQuotesHoldBlanks) {
    const QString text =
        QStringLiteral("\"FILE:///a b.nuv\" xhttp://no mailto:cook@example.org　next\nnews:\r\n\"http://x y");
    EXPECT_EQ(FindContentLinks(text), (std::vector<ContentLink>{{1, 15}, {29, 23}, {66, 10}}));
    EXPECT_EQ(ReadContentLinkTarget(text, 1).target, "FILE:///a b.nuv");
    EXPECT_EQ(ReadContentLinkTarget(text, 29).target, "mailto:cook@example.org");
    // An unclosed quote runs to the line end.
    EXPECT_EQ(ReadContentLinkTarget(text, 66).target, "http://x y");
    EXPECT_EQ(ContentLinkAt(text, 5), (ContentLink{1, 15}));
    EXPECT_FALSE(ContentLinkAt(text, 20).has_value());
}

TEST(ContentLinks, AnAddressInALogicLinesSlotEndsWithTheSlot) {
    const QString line = LinkTextOfLogicLine(QStringLiteral("Do <http://example.org/a>を{mailto:x@example.org}せよ"));
    EXPECT_EQ(line.size(), 50);
    EXPECT_EQ(FindContentLinks(line), (std::vector<ContentLink>{{4, 20}, {27, 20}}));
    EXPECT_EQ(ReadContentLinkTarget(line, 27).target, "mailto:x@example.org");
}

} // namespace
