#include "platform/ui/CaptionLines.h"

#include <QFontMetrics>
#include <QTextLayout>

QStringList CaptionLines(QString caption, const QFont& font, int width) {
    caption.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(caption, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << caption.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QStringList CaptionLinesWithin(const QString& caption, const QFont& font, int width, int lineCount) {
    QStringList lines = CaptionLines(caption, font, width);
    const qsizetype kept = std::max(1, lineCount);
    if (lines.size() > kept) {
        const QString last = lines.mid(kept - 1).join(QLatin1Char(' '));
        lines.resize(kept);
        lines.back() = last + QChar(0x2026);
    }
    // A word wider than the line is cut too.
    const QFontMetrics metrics(font);
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines;
}
