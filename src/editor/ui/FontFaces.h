#pragma once

#include "model/FontSetting.h"

#include <QStringList>
#include <QTextCharFormat>

// The families to draw a face the document names with: the face itself, then, when this system lacks it, an
// installed face of the same script (a Japanese face for a Japanese name). The document keeps its names.
QStringList FontFamiliesFor(const QString& face);
// The installed family a face is drawn with: the first of FontFamiliesFor that this system has.
QString DrawnFamilyOf(const QString& face);

// The character format of a font record: families, size in tenths of a point at the text zoom, colour and styles.
QTextCharFormat CharFormatOf(const FontSetting& font, double zoom = 1.0);
