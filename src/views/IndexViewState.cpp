#include "views/IndexViewState.h"

#include <algorithm>

int StoredScrollPosition(int position, int maximum) {
    return maximum > 0 ? std::clamp(position, 0, maximum) : 0;
}
