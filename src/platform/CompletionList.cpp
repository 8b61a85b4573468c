#include "platform/CompletionList.h"

#include <algorithm>

namespace platform {

namespace {

// The list of `height` on one side of the field (below it from `top`, or above it up to `bottom`), ended before the
// first button it would cover and kept within the screen.
QRect ListOnSide(const QRect& list, bool below, int edge, int height, const QList<QRect>& buttons,
                 const QRect& screen) {
    QRect place = below ? QRect(list.left(), edge, list.width(), height)
                        : QRect(list.left(), edge - height + 1, list.width(), height);
    place = place.intersected(QRect(list.left(), screen.top(), list.width(), screen.height()));
    for (const QRect& button : buttons) {
        if (!button.intersects(place))
            continue;
        if (below)
            place.setBottom(std::min(place.bottom(), button.top() - 1));
        else
            place.setTop(std::max(place.top(), button.bottom() + 1));
    }
    return place;
}

} // namespace

QRect PlaceCompletionList(const QRect& list, const QRect& field, const QList<QRect>& buttons, const QRect& screen,
                          int minimumHeight) {
    const bool below = list.center().y() > field.center().y();
    const QRect here = ListOnSide(list, below, below ? list.top() : list.bottom(), list.height(), buttons, screen);
    if (here.height() >= std::min(minimumHeight, list.height()))
        return here;
    const QRect there =
        ListOnSide(list, !below, below ? field.top() - 1 : field.bottom() + 1, list.height(), buttons, screen);
    return there.height() > here.height() ? there : here;
}

} // namespace platform
