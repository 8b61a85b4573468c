#pragma once

#include <QFont>
#include <QStringList>

// A caption broken into lines at its break opportunities (the blanks of English, between most characters of
// Japanese) and at its line feeds, so that each line fits `width` pixels in the font where it can; a word wider
// than that stays whole on a line of its own.
QStringList CaptionLines(QString caption, const QFont& font, int width);
// The first `lineCount` of those lines (one at least), each within `width`: a line cut, or the last one when more
// would follow, ends in "…", so that what is left out is seen to be.
QStringList CaptionLinesWithin(const QString& caption, const QFont& font, int width, int lineCount);
