#pragma once

#include <QString>

// A condition or an action's state as the generators keep it: the state text without its leading negation
// signs and whether it holds as written. It owns its text, so it outlives the logic line it came from.
struct GeneratorCondition {
    bool affirmed = true;
    QString text;

    // Read from a state text with its leading negation signs.
    static GeneratorCondition Parse(const QString& stateText);
    // The text with one "¬" in front when the condition does not hold.
    QString GetText() const;
    GeneratorCondition Negated() const { return {!affirmed, text}; }
};
