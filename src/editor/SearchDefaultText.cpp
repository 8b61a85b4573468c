#include "editor/SearchDefaultText.h"

#include "platform/WholeCharacters.h"

namespace {

constexpr qsizetype kMaximumLength = 256;

} // namespace

QString SearchDefaultText(const QString& selected) {
    qsizetype end = 0;
    while (end < selected.size() && end < kMaximumLength) {
        const QChar c = selected[end];
        // A text control's selection marks its line breaks with the Unicode separators.
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            break;
        ++end;
    }
    return selected.left(platform::WholeCharactersLength(selected, end));
}
