#pragma once

#include <QString>

// Agreement of two names in percent: 100 - 100 * D / (M + N), truncated, with D the number of insertions
// and deletions that turn one into the other (Wu, Manber, Myers and Miller's O(NP) algorithm).
// 0 when either text is empty. Safe to call from several threads.
int WordSimilarityPercent(const QString& a, const QString& b);
