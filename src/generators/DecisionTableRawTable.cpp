#include "generators/DecisionTableRawTable.h"

#include <QHash>

#include <algorithm>
#include <set>
#include <unordered_map>

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

// Puts b into a; returns the place in member order of the one member whose value changed, -1 when none did.
int Merge(DecisionTableRawRow& a, const DecisionTableRawRow& b) {
    int changed = -1;
    int place = 0;
    for (auto& [member, value] : a.conditions) {
        const DecisionTableValue& other = b.conditions.at(member);
        if (!SameConditionValue(value, other)) {
            for (const DecisionTableAlternative& alternative : other)
                InsertAlternative(value, alternative);
            changed = place;
        }
        ++place;
    }
    a.functions.insert(b.functions.begin(), b.functions.end());
    a.numbers.insert(b.numbers.begin(), b.numbers.end());
    return changed;
}

// 64-bit mixing of hash values (splitmix64's finaliser).
quint64 Mix(quint64 h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

quint64 TextHash(const QString& text) {
    return Mix(qHash(text, 0x9e3779b9U) + text.size());
}

// A value's hash, by display texts alone as rows are compared.
quint64 ValueHash(const DecisionTableValue& value) {
    quint64 h = Mix(value.size());
    for (const DecisionTableAlternative& alternative : value) {
        h = Mix(h ^ alternative.size());
        for (const auto& [text, numbers] : alternative)
            h = Mix(h + TextHash(text));
    }
    return h;
}

// Merges the rows of one consequent as pairs are taken in row order: the first row that has a mergeable partner
// takes its first such partner, again and again until no two rows can merge.
//
// A row's merge keys are, for each of its members, a hash of its member names and of the values of its other
// members; two rows can merge exactly when they share a key (checked again with Mergeable, as hashes may
// collide). The rows before the cursor have no partner. A merge changes only the row that takes the other, so
// afterwards only that row can have become the partner of a row before it: if one has, the first such row takes
// it next, as the pairs in row order would.
class RowMerger {
public:
    explicit RowMerger(std::vector<DecisionTableRawRow>& rows)
        : m_rows(rows), m_hashes(rows.size()), m_keys(rows.size()), m_live(rows.size(), true) {
        m_buckets.reserve(m_rows.empty() ? 0 : m_rows.size() * std::max<size_t>(1, m_rows.front().conditions.size()));
        for (size_t row = 0; row < m_rows.size(); ++row) {
            RowHashes& hashes = m_hashes[row];
            for (const auto& [member, value] : m_rows[row].conditions) {
                hashes.names.push_back(TextHash(member));
                hashes.members.push_back(Mix(hashes.names.back() ^ ValueHash(value)));
                hashes.sum += hashes.members.back();
            }
            Index(row);
        }
    }

    void Run() {
        for (size_t cursor = 0; cursor < m_rows.size();) {
            if (!m_live[cursor]) {
                ++cursor;
                continue;
            }
            const size_t partner = FirstPartnerAfter(cursor);
            if (partner == kNone) {
                ++cursor;
                continue;
            }
            MergeInto(cursor, partner);
            for (size_t before = FirstPartnerBefore(cursor); before != kNone; before = FirstPartnerBefore(cursor)) {
                MergeInto(before, cursor);
                cursor = before;
            }
        }
        size_t kept = 0;
        for (size_t row = 0; row < m_rows.size(); ++row) {
            if (m_live[row]) {
                if (kept != row)
                    m_rows[kept] = std::move(m_rows[row]);
                ++kept;
            }
        }
        m_rows.resize(kept);
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // Per member in member order: the hash of its name, and of its name with its value; their sum.
    struct RowHashes {
        std::vector<quint64> names;
        std::vector<quint64> members;
        quint64 sum = 0;
    };

    void Index(size_t row) {
        const RowHashes& hashes = m_hashes[row];
        std::vector<quint64>& keys = m_keys[row];
        keys.clear();
        if (hashes.members.empty())
            keys.push_back(Mix(0));
        for (size_t m = 0; m < hashes.members.size(); ++m)
            keys.push_back(Mix(hashes.sum - hashes.members[m] + Mix(hashes.names[m] + 1)));
        for (quint64 key : keys)
            m_buckets[key].insert(row);
    }

    void Unindex(size_t row) {
        for (quint64 key : m_keys[row]) {
            const auto bucket = m_buckets.find(key);
            bucket->second.erase(row);
            if (bucket->second.empty())
                m_buckets.erase(bucket);
        }
    }

    size_t FirstPartnerAfter(size_t row) const {
        size_t first = kNone;
        for (quint64 key : m_keys[row]) {
            const std::set<size_t>& bucket = m_buckets.at(key);
            for (auto other = bucket.upper_bound(row); other != bucket.end() && *other < first; ++other) {
                if (Mergeable(m_rows[row], m_rows[*other])) {
                    first = *other;
                    break;
                }
            }
        }
        return first;
    }

    size_t FirstPartnerBefore(size_t row) const {
        size_t first = kNone;
        for (quint64 key : m_keys[row]) {
            const std::set<size_t>& bucket = m_buckets.at(key);
            for (auto other = bucket.begin(); other != bucket.end() && *other < std::min(row, first); ++other) {
                if (Mergeable(m_rows[*other], m_rows[row])) {
                    first = *other;
                    break;
                }
            }
        }
        return first;
    }

    // The later row goes into the earlier one.
    void MergeInto(size_t taker, size_t taken) {
        Unindex(taker);
        Unindex(taken);
        m_live[taken] = false;
        m_keys[taken] = {};
        m_hashes[taken] = {};
        const int changed = Merge(m_rows[taker], m_rows[taken]);
        if (changed >= 0) {
            RowHashes& hashes = m_hashes[taker];
            const auto value = std::next(m_rows[taker].conditions.begin(), changed);
            hashes.sum -= hashes.members[changed];
            hashes.members[changed] = Mix(hashes.names[changed] ^ ValueHash(value->second));
            hashes.sum += hashes.members[changed];
        }
        Index(taker);
    }

    std::vector<DecisionTableRawRow>& m_rows;
    std::vector<RowHashes> m_hashes;
    std::vector<std::vector<quint64>> m_keys;
    std::vector<bool> m_live;
    std::unordered_map<quint64, std::set<size_t>> m_buckets;
};

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
            RowMerger(rows).Run();
        }
    }
}
