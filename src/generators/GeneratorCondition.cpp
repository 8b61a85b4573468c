#include "generators/GeneratorCondition.h"

#include "logic/NegatableText.h"

GeneratorCondition GeneratorCondition::Parse(const QString& stateText) {
    const NegatableText parsed = ParseNegationPrefix(stateText);
    return {parsed.affirmed != 0, parsed.text.toString()};
}

QString GeneratorCondition::GetText() const {
    return affirmed ? text : NegationSign() + text;
}
