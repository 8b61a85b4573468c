#pragma once

#include <QString>

// The link under `position` of a content text: from the start of the blank-separated word that holds it
// (or of the double-quoted text that holds it) up to the next blank outside double quotes or the line's end;
// the quotes themselves are not part of it. Empty when the position is on a blank or a line end.
QString LinkTextAt(const QString& text, int position);
