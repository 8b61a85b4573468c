#include "platform/ui/CaptionLines.h"

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
