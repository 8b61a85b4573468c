#pragma once

#include <QList>
#include <QRect>

namespace platform {

// Where the list of completions that opens under a field as it is typed in (or over it, where the screen has no room
// below) goes so that it covers no button of the field's window, which a click meant for the button would miss: `list`
// as the toolkit placed it, ended before the first button it would cover. When that leaves it lower than
// `minimumHeight`, it goes to the other side of the field, within `screen` and ended before a button there alike, when
// it keeps more of its height there. All rectangles are in one frame (the screen's).
QRect PlaceCompletionList(const QRect& list, const QRect& field, const QList<QRect>& buttons, const QRect& screen,
                          int minimumHeight);

} // namespace platform
