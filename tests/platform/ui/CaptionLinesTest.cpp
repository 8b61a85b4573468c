#include "platform/ui/CaptionLines.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

// A caption kept to the lines a box holds says where it was cut, and no line passes the width.
TEST(CaptionLines, TheLinesWithinABoxEndInAnEllipsisWhereTheCaptionGoesOn) {
    const QFont font;
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("word word word"));
    const struct {
        QString caption;
        int lineCount;
        qsizetype lines;
        bool cut;
    } cases[] = {
        {QStringLiteral("word word"), 2, 1, false},
        {QStringLiteral("word ").repeated(40).trimmed(), 2, 2, true},
        {QStringLiteral("word ").repeated(40).trimmed(), 0, 1, true},
        {QStringLiteral("x").repeated(1000), 3, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption.left(20).toStdString());
        const QStringList lines = CaptionLinesWithin(c.caption, font, width, c.lineCount);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back().endsWith(QChar(0x2026)), c.cut);
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), width);
    }
}
