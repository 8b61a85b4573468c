#include "model/QuantifierSettings.h"

CQuantifierSettings::CQuantifierSettings() {
    SetDefaults();
}

void CQuantifierSettings::SetDefaults() {
    entries = {
        {"∀", "∃", 0, 0},           {"∃", "∀", 1, 0},           {"すべての", "ある", 0, 1}, {"全ての", "ある", 0, 1},
        {"あらゆる", "ある", 0, 1}, {"ある", "すべての", 1, 0}, {"或る", "全ての", 1, 1},   {"All ", "Exists ", 0, 0},
        {"all ", "exists ", 0, 1},  {"Exists ", "All ", 1, 0},  {"exists ", "all ", 1, 1},
    };
}

std::vector<const QuantifierEntry*> FindQuantifiersInText(const CQuantifierSettings& quantifiers, const QString& text) {
    std::vector<const QuantifierEntry*> found;
    qsizetype position = 0;
    while (position < text.size()) {
        const QuantifierEntry* match = nullptr;
        for (const QuantifierEntry& entry : quantifiers.entries) {
            // An empty symbol would match everywhere without moving on.
            if (entry.quantifier.isEmpty() || (position > 0 && entry.infix != 1))
                continue;
            // Most names hold no symbol: the first character settles most positions.
            if (text.at(position) == entry.quantifier.front() &&
                QStringView(text).mid(position).startsWith(entry.quantifier)) {
                match = &entry;
                break;
            }
        }
        if (match) {
            found.push_back(match);
            position += match->quantifier.size();
        } else {
            ++position;
        }
    }
    return found;
}
