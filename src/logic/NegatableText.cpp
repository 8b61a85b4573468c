#include "logic/NegatableText.h"

namespace {

constexpr QChar kHalfWidthSign(0x00AC);
constexpr QChar kFullWidthSign(0xFFE2);

} // namespace

QString NegatableText::GetText() const {
    if (affirmed == 1)
        return text.toString();
    return NegationSign().append(text);
}

NegatableText NegatableText::Negated() const {
    NegatableText negated = *this;
    negated.affirmed = affirmed == 0 ? 1 : 0;
    return negated;
}

QString NegationSign() {
    return QString(kHalfWidthSign);
}

QString NegationSignFullWidth() {
    return QString(kFullWidthSign);
}

NegatableText ParseNegationPrefix(const QString& text) {
    qsizetype count = 0;
    while (count < text.size() && (text.at(count) == kHalfWidthSign || text.at(count) == kFullWidthSign))
        ++count;
    NegatableText result;
    result.signCount = static_cast<qint32>(count);
    result.affirmed = count % 2 == 0 ? 1 : 0;
    result.text = QStringView(text).mid(count);
    return result;
}

bool SameNegatableText(const NegatableText& a, const NegatableText& b) {
    return a.affirmed == b.affirmed && a.text == b.text;
}

bool DifferentNegatableText(const NegatableText& a, const NegatableText& b) {
    return !SameNegatableText(a, b);
}

bool IsOppositeNegatableText(const NegatableText& a, const NegatableText& b) {
    return a.affirmed != b.affirmed && a.text == b.text;
}
