#include "platform/WholeCharacters.h"

#include <algorithm>

namespace platform {

qsizetype WholeCharactersLength(QStringView text, qsizetype limit,
                                const std::function<qsizetype(QStringView)>& measure) {
    qsizetype length = std::clamp<qsizetype>(limit, 0, text.size());
    if (measure) {
        // The longest start within the limit, found by halving.
        qsizetype low = 0;
        qsizetype high = text.size();
        while (low < high) {
            const qsizetype middle = low + (high - low + 1) / 2;
            if (measure(text.first(middle)) <= limit)
                low = middle;
            else
                high = middle - 1;
        }
        length = low;
    }
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate() && text[length].isLowSurrogate())
        --length;
    return length;
}

} // namespace platform
