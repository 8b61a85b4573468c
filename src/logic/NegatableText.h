#pragma once

#include <QString>

// A condition that may be negated by leading negation signs. The half-width "¬" and the full-width "￢"
// mean the same, and an even number of signs cancels out. The text is a view into the string it was read
// from (a logic line or a rule), which outlives every inspection run.
struct NegatableText {
    quint32 affirmed = 1; // 1 when the condition holds as written (even number of signs)
    qint32 signCount = 0; // signs that stood in front of the text, of either kind
    QStringView text;     // the condition without its leading signs

    // The text shown for the condition: one half-width sign in front when it does not hold.
    QString GetText() const;
    // The condition of the other branch: the flag inverted, count and text kept.
    NegatableText Negated() const;
};

QString NegationSign();
QString NegationSignFullWidth();

NegatableText ParseNegationPrefix(const QString& text);
NegatableText ParseNegationPrefix(QString&&) = delete; // the result would view a string about to go

// Equal flag and equal text; the number of signs does not matter.
bool SameNegatableText(const NegatableText& a, const NegatableText& b);
bool DifferentNegatableText(const NegatableText& a, const NegatableText& b);
// Same text, one affirmed and the other negated.
bool IsOppositeNegatableText(const NegatableText& a, const NegatableText& b);
