#include "logic/QuantifiedMemberName.h"

#include "model/QuantifierSettings.h"

namespace {

std::vector<const QuantifierEntry*> FindAll(const CQuantifierSettings* quantifiers, const QString& text) {
    if (!quantifiers || text.isEmpty())
        return {};
    return FindQuantifiersInText(*quantifiers, text);
}

// Where the one symbol stands: at the start for a head-only symbol, else its first occurrence.
qsizetype SymbolPosition(const QuantifierEntry& entry, const QString& text) {
    return entry.infix == 0 ? 0 : text.indexOf(entry.quantifier);
}

} // namespace

QuantifiedMemberName ParseQuantifiedMemberName(const CQuantifierSettings* quantifiers, const QString& text) {
    QuantifiedMemberName result;
    const auto found = FindAll(quantifiers, text);
    if (found.size() > 1)
        return result;
    if (found.empty()) {
        result.name = text;
    } else {
        result.name = ReplaceSingleQuantifier(quantifiers, text);
        result.quantifier = found.front()->type == 0 ? QuantifierUniversal : QuantifierExistential;
    }
    result.valid = !result.name.isEmpty();
    return result;
}

QString ReplaceSingleQuantifier(const CQuantifierSettings* quantifiers, const QString& text) {
    const auto found = FindAll(quantifiers, text);
    if (found.size() != 1)
        return text;
    const QuantifierEntry& entry = *found.front();
    const qsizetype at = SymbolPosition(entry, text);
    return text.left(at) + text.mid(at + entry.quantifier.size());
}

QString SplitAtQuantifier(const QString& text, const CQuantifierSettings* quantifiers) {
    const auto found = FindAll(quantifiers, text);
    if (found.size() != 1)
        return text;
    const QuantifierEntry& entry = *found.front();
    const qsizetype at = SymbolPosition(entry, text);
    return text.left(at) + entry.opposite + text.mid(at + entry.quantifier.size());
}

qint32 DualQuantifier(qint32 quantifier) {
    if (quantifier == QuantifierUniversal)
        return QuantifierExistential;
    if (quantifier == QuantifierExistential)
        return QuantifierUniversal;
    return quantifier;
}
