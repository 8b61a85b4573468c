#include "model/OutlineNumber.h"

#include <QStringList>

#include <algorithm>

OutlineNumber GetOutlineNumber(const OutlinePlace* place) {
    OutlineNumber number;
    for (; place && place->parent; place = place->parent)
        number.push_back(place->position);
    std::reverse(number.begin(), number.end());
    return number;
}

QString GetOutlineNumberText(const OutlineNumber& number) {
    if (number.empty())
        return QStringLiteral("0");
    QStringList parts;
    for (int element : number)
        parts << QString::number(element);
    return parts.join(QLatin1Char('.'));
}

bool ParseOutlineNumber(const QString& text, OutlineNumber& number) {
    number.clear();
    OutlineNumber parsed;
    for (const QString& run : text.split(QLatin1Char('.'))) {
        if (run.isEmpty())
            return false;
        for (QChar c : run) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        bool ok = false;
        const int element = run.toInt(&ok);
        if (!ok)
            return false;
        parsed.push_back(element);
    }
    number = std::move(parsed);
    return true;
}
