#include "model/PrintSettings.h"

PrintSettings::PrintSettings() {
    sections[Results].object = 1;
    titleLines[DocumentTitle] = {QString(), 5, 1};
    titleLines[FileName] = {QString(), 5, 0};
    titleLines[VersionInformation] = {QString(), 5, 0};
    titleFont.pointSize = 360;
    otherTitleFont.pointSize = 180;
}

namespace {

bool MarginInRange(int margin) {
    return margin >= 0 && margin <= PrintSettings::MaxMargin;
}

bool PairInRange(int first, int second) {
    return MarginInRange(first) && MarginInRange(second) && first + second <= PrintSettings::MaxMarginPair;
}

void CorrectMarginPair(int32_t& first, int32_t& second) {
    for (int32_t* margin : {&first, &second}) {
        if (!MarginInRange(*margin))
            *margin = PrintSettings::DefaultMargin;
    }
    if (!PairInRange(first, second))
        first = second = PrintSettings::DefaultMargin;
}

} // namespace

bool PrintSettings::MarginsLeavePrintableArea(int left, int right, int top, int bottom) {
    return PairInRange(left, right) && PairInRange(top, bottom);
}

void PrintSettings::CorrectMargins() {
    CorrectMarginPair(marginLeft, marginRight);
    CorrectMarginPair(marginTop, marginBottom);
}
