#pragma once

// The text zoom of the logic editors: 1.0 is actual size. A font record's size (tenths of a point) becomes a
// character height of size x zoom x 2 twips, truncated; this is that height in points.
double ZoomedPointSize(int tenthsOfPoint, double zoom);
