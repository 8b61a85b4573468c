#include "platform/EditControlText.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(EditControlText, OccurrencesDoNotOverlapAndMustStartWhereExpected) {
    EXPECT_EQ(FindOccurrence("aaaa", "aa", 1), 0);
    EXPECT_EQ(FindOccurrence("aaaa", "aa", 2), 2);
    EXPECT_EQ(FindOccurrence("aaaa", "aa", 3), std::nullopt);
    EXPECT_EQ(FindOccurrence("Door door", "door", 1), 5) << "case-sensitive";
    EXPECT_EQ(FindOccurrence("aaaa", "", 1), std::nullopt);
    EXPECT_EQ(FindOccurrence("aaaa", "a", 0), std::nullopt);

    const TextSelection second = SelectionOfOccurrence("aaaa", "aa", 2, -1);
    EXPECT_EQ(second.start, 2);
    EXPECT_EQ(second.length, 2);
    EXPECT_EQ(SelectionOfOccurrence("aaaa", "aa", 2, 2).length, 2);
    EXPECT_EQ(SelectionOfOccurrence("aaaa", "aa", 2, 1).length, 0) << "found elsewhere than expected";
    EXPECT_EQ(SelectionOfOccurrence("aaaa", "aa", 0, -1).length, 0);
    EXPECT_EQ(SelectionOfOccurrence("aaaa", "aa", 3, -1).length, 0);
}

TEST(EditControlText, SelectedSearchTextIsCutAt256UnitsAndNeverInsideACharacter) {
    EXPECT_EQ(LimitSelectedText(QString(300, 'x')).size(), 256);
    QString text(255, 'x');
    text += QString::fromUtf8("😀"); // a pair of UTF-16 units across the limit
    EXPECT_EQ(LimitSelectedText(text), QString(255, 'x'));
    EXPECT_EQ(LimitSelectedText("Door"), "Door");
}

TEST(EditControlText, ANumberBoxAdmitsDigitsAndThePointOnly) {
    for (QChar admitted : QStringLiteral("0123456789.１"))
        EXPECT_TRUE(IsFloatEditCharacter(admitted)) << int(admitted.unicode());
    for (QChar refused : QStringLiteral("-+eE,a x\b\t\r"))
        EXPECT_FALSE(IsFloatEditCharacter(refused)) << int(refused.unicode());
}

TEST(EditControlText, TheFirstDroppedLocalFileIsTaken) {
    EXPECT_EQ(FirstDroppedFilePath({QUrl("https://example.org/a"), QUrl::fromLocalFile("/tmp/a b.txt"),
                                    QUrl::fromLocalFile("/tmp/c.txt")}),
              "/tmp/a b.txt");
    EXPECT_EQ(FirstDroppedFilePath({QUrl("https://example.org/a")}), QString());
    EXPECT_EQ(FirstDroppedFilePath({}), QString());
}
