#include "generators/DecisionTableRawTable.h"

#include <algorithm>

namespace {

bool SameDisplayTexts(const DecisionTableAlternative& a, const DecisionTableAlternative& b) {
    return std::ranges::equal(a, b, [](const auto& x, const auto& y) { return x.first == y.first; });
}

bool SameConditionValue(const DecisionTableValue& a, const DecisionTableValue& b) {
    return std::ranges::equal(a, b, SameDisplayTexts);
}

// Adds the alternative unless one of the same display texts is there.
void InsertAlternative(DecisionTableValue& value, const DecisionTableAlternative& alternative) {
    const auto place = std::ranges::lower_bound(value, alternative, AlternativeLess);
    if (place != value.end() && SameDisplayTexts(*place, alternative))
        return;
    value.insert(place, alternative);
}

bool Mergeable(const DecisionTableRawRow& a, const DecisionTableRawRow& b) {
    if (a.conditions.size() != b.conditions.size())
        return false;
    int differences = 0;
    for (const auto& [member, value] : a.conditions) {
        const auto other = b.conditions.find(member);
        if (other == b.conditions.end())
            return false;
        if (!SameConditionValue(value, other->second) && ++differences > 1)
            return false;
    }
    return true;
}

void Merge(DecisionTableRawRow& a, const DecisionTableRawRow& b) {
    for (auto& [member, value] : a.conditions) {
        const DecisionTableValue& other = b.conditions.at(member);
        if (!SameConditionValue(value, other)) {
            for (const DecisionTableAlternative& alternative : other)
                InsertAlternative(value, alternative);
        }
    }
    a.functions.insert(b.functions.begin(), b.functions.end());
    a.numbers.insert(b.numbers.begin(), b.numbers.end());
}

// One pass: merges the first mergeable pair in row order; false when there is none.
bool MergePass(std::vector<DecisionTableRawRow>& rows) {
    for (size_t a = 0; a < rows.size(); ++a) {
        for (size_t b = a + 1; b < rows.size(); ++b) {
            if (Mergeable(rows[a], rows[b])) {
                Merge(rows[a], rows[b]);
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(b));
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool AlternativeLess(const DecisionTableAlternative& a, const DecisionTableAlternative& b) {
    return std::ranges::lexicographical_compare(a, b, [](const auto& x, const auto& y) { return x.first < y.first; });
}

StepNumbers CollectStepNumbers(const DecisionTableAlternative& alternative) {
    StepNumbers numbers;
    for (const auto& [text, its] : alternative)
        numbers.insert(its.begin(), its.end());
    return numbers;
}

DecisionTableRawTable BuildRawTable(const DecisionTablePathCollector& collector) {
    DecisionTableRawTable table;
    for (const DecisionTableRawRule& rule : collector.Rules()) {
        DecisionTableRawRow row;
        row.functions.insert(rule.function);
        row.numbers = rule.action.numbers;
        for (const CDecisionTableMakerAntecedent* antecedent : rule.path) {
            DecisionTableValue& value = row.conditions[antecedent->GetKeyText()];
            if (value.empty())
                value.emplace_back();
            // A fresh row holds one alternative per member: the conjunction of its conditions on the path.
            value.front()[antecedent->GetDisplayText()].insert(antecedent->numbers.begin(), antecedent->numbers.end());
        }
        table[rule.action.key][rule.action.condition.GetText()].push_back(std::move(row));
    }
    return table;
}

void OmitRedundancy(DecisionTableRawTable& table) {
    for (auto& [member, byDisplay] : table) {
        for (auto& [display, rows] : byDisplay) {
            while (MergePass(rows)) {
            }
        }
    }
}
