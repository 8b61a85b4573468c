#include "editor/TextZoom.h"

double ZoomedPointSize(int tenthsOfPoint, double zoom) {
    const int twips = static_cast<int>(tenthsOfPoint * zoom * 20 / 10);
    return twips / 20.0;
}
