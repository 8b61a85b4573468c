#include "model/WordSimilarity.h"

#include <algorithm>
#include <vector>

namespace {

int EditDistance(QStringView a, QStringView b) {
    if (a.size() > b.size())
        std::swap(a, b);
    const int m = static_cast<int>(a.size());
    const int n = static_cast<int>(b.size());
    const int delta = n - m;
    // Kept between calls: the similar-word search compares every pair of names.
    thread_local std::vector<int> furthest;
    furthest.assign(static_cast<size_t>(m + n + 3), -1);
    int* fp = furthest.data() + m + 1;
    auto snake = [&](int k, int y) {
        int x = y - k;
        while (x < m && y < n && a[x] == b[y]) {
            ++x;
            ++y;
        }
        return y;
    };
    int p = -1;
    do {
        ++p;
        for (int k = -p; k <= delta - 1; ++k)
            fp[k] = snake(k, std::max(fp[k - 1] + 1, fp[k + 1]));
        for (int k = delta + p; k >= delta + 1; --k)
            fp[k] = snake(k, std::max(fp[k - 1] + 1, fp[k + 1]));
        fp[delta] = snake(delta, std::max(fp[delta - 1] + 1, fp[delta + 1]));
    } while (fp[delta] != n);
    return delta + 2 * p;
}

} // namespace

int WordSimilarityPercent(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return 0;
    const double distance = EditDistance(a, b);
    return static_cast<int>(100.0 - 100.0 * distance / static_cast<double>(a.size() + b.size()));
}
