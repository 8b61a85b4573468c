#include "views/ZoomScale.h"

#include "texts/StringTable.h"

#include <cmath>

double CZoomScale::FactorOfPosition(int position) {
    return std::pow(2.0, (ActualSize - position) * 0.03125);
}

QString CZoomScale::Label(int position) {
    return LoadString(StringId::ZoomPercent).arg(static_cast<int>(FactorOfPosition(position) * 100));
}
