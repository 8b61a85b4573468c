#pragma once

#include <QString>

// The zoom window's slider: position 128 is actual size, each 32 positions up doubles the text and each 32 down
// halves it (0 gives 1600 %, 192 gives 25 %).
class CZoomScale {
public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 192;
    static constexpr int ActualSize = 128;
    static constexpr int PageStep = 32;

    static double FactorOfPosition(int position);
    // "35 %": the factor in percent, truncated.
    static QString Label(int position);
};
