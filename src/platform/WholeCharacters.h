#pragma once

#include <QStringView>

#include <functional>

namespace platform {

// How long a start of `text` may be kept when text is cut to a limit: the longest start that `measure` finds no
// longer than `limit` (the count of UTF-16 units when no measure is given), ending between two characters, never
// between the two halves of a pair of surrogates. `measure` grows with the start; it is asked of a few starts only.
qsizetype WholeCharactersLength(QStringView text, qsizetype limit,
                                const std::function<qsizetype(QStringView)>& measure = {});

} // namespace platform
