#include "generators/DecisionTableRawTable.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <span>
#include <unordered_map>
#include <utility>

namespace {

// The parts of a row's data (DecisionTableRawRow): pointers to the first element after each count.
struct RowParts {
    const qint32* functions;
    qint32 functionCount;
    const qint32* numbers;
    qint32 numberCount;
    const qint32* members;
    qint32 memberCount;
};

RowParts Parts(const DecisionTableRawRow& row) {
    RowParts parts{};
    const qint32* p = row.data.data();
    parts.functionCount = *p++;
    parts.functions = p;
    p += parts.functionCount;
    parts.numberCount = *p++;
    parts.numbers = p;
    p += parts.numberCount;
    parts.memberCount = *p++;
    parts.members = p;
    return parts;
}

// From the display-text count of an alternative to the element after it.
const qint32* SkipAlternative(const qint32* p) {
    for (qint32 texts = *p++; texts > 0; --texts)
        p += p[1] + 2;
    return p;
}

// From the alternative count of a value to the element after it.
const qint32* SkipValue(const qint32* p) {
    for (qint32 alternatives = *p++; alternatives > 0; --alternatives)
        p = SkipAlternative(p);
    return p;
}

bool SameDisplayTexts(const qint32* a, const qint32* b) {
    qint32 texts = *a++;
    if (texts != *b++)
        return false;
    for (; texts > 0; --texts) {
        if (*a != *b)
            return false;
        a += a[1] + 2;
        b += b[1] + 2;
    }
    return true;
}

bool SameConditionValue(const qint32* a, const qint32* b) {
    qint32 alternatives = *a++;
    if (alternatives != *b++)
        return false;
    for (; alternatives > 0; --alternatives) {
        if (!SameDisplayTexts(a, b))
            return false;
        a = SkipAlternative(a);
        b = SkipAlternative(b);
    }
    return true;
}

// AlternativeLess on alternatives held in a row's data.
bool AlternativeLessIn(const qint32* a, const qint32* b, const DecisionTableTexts& texts) {
    qint32 aCount = *a++;
    qint32 bCount = *b++;
    for (; aCount > 0 && bCount > 0; --aCount, --bCount) {
        if (*a != *b)
            return texts.Text(*a) < texts.Text(*b);
        a += a[1] + 2;
        b += b[1] + 2;
    }
    return aCount == 0 && bCount > 0;
}

bool Mergeable(const DecisionTableRawRow& a, const DecisionTableRawRow& b) {
    const RowParts x = Parts(a);
    const RowParts y = Parts(b);
    if (x.memberCount != y.memberCount)
        return false;
    // Members in name order: the same members are the same sequence.
    int differences = 0;
    const qint32* p = x.members;
    const qint32* q = y.members;
    for (qint32 m = 0; m < x.memberCount; ++m) {
        if (*p != *q)
            return false;
        if (!SameConditionValue(p + 1, q + 1) && ++differences > 1)
            return false;
        p = SkipValue(p + 1);
        q = SkipValue(q + 1);
    }
    return true;
}

void AppendUnion(std::vector<qint32>& out, const qint32* a, qint32 aCount, const qint32* b, qint32 bCount) {
    const size_t count = out.size();
    out.push_back(0);
    std::set_union(a, a + aCount, b, b + bCount, std::back_inserter(out));
    out[count] = static_cast<qint32>(out.size() - count - 1);
}

// Puts b into a: where a member's values differ, b's alternatives join a's (those of display texts a already has
// are not added); the unit functions and step numbers are united. True when the values of a member differed.
bool Merge(DecisionTableRawRow& a, const DecisionTableRawRow& b, const DecisionTableTexts& texts) {
    const RowParts x = Parts(a);
    const RowParts y = Parts(b);
    std::vector<qint32> out;
    out.reserve(a.data.size() + b.data.size());
    AppendUnion(out, x.functions, x.functionCount, y.functions, y.functionCount);
    AppendUnion(out, x.numbers, x.numberCount, y.numbers, y.numberCount);
    out.push_back(x.memberCount);
    bool changed = false;
    const qint32* p = x.members;
    const qint32* q = y.members;
    for (qint32 m = 0; m < x.memberCount; ++m) {
        out.push_back(*p);
        const qint32* pEnd = SkipValue(p + 1);
        const qint32* qEnd = SkipValue(q + 1);
        if (SameConditionValue(p + 1, q + 1)) {
            out.insert(out.end(), p + 1, pEnd);
        } else {
            changed = true;
            std::vector<const qint32*> alternatives;
            for (const qint32* alternative = p + 2; alternative != pEnd; alternative = SkipAlternative(alternative))
                alternatives.push_back(alternative);
            for (const qint32* alternative = q + 2; alternative != qEnd; alternative = SkipAlternative(alternative)) {
                const auto place =
                    std::ranges::lower_bound(alternatives, alternative, [&texts](const qint32* s, const qint32* t) {
                        return AlternativeLessIn(s, t, texts);
                    });
                if (place == alternatives.end() || !SameDisplayTexts(*place, alternative))
                    alternatives.insert(place, alternative);
            }
            out.push_back(static_cast<qint32>(alternatives.size()));
            for (const qint32* alternative : alternatives)
                out.insert(out.end(), alternative, SkipAlternative(alternative));
        }
        p = pEnd;
        q = qEnd;
    }
    out.shrink_to_fit();
    a.data = std::move(out);
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

// A value's hash, by display texts alone as rows are compared.
quint64 ValueHash(const qint32* p) {
    qint32 alternatives = *p++;
    quint64 h = Mix(static_cast<quint64>(alternatives));
    for (; alternatives > 0; --alternatives) {
        qint32 texts = *p++;
        h = Mix(h ^ static_cast<quint64>(texts));
        for (; texts > 0; --texts) {
            h = Mix(h + Mix(static_cast<quint64>(*p) + 0x9e3779b9U));
            p += p[1] + 2;
        }
    }
    return h;
}

// Writes a row's merge keys into `keys`: for each of its members, a hash of its member names and of the values of its
// other members; two rows can merge exactly when they share a key (or when hashes collide).
void MergeKeys(const DecisionTableRawRow& row, std::vector<quint32>& keys) {
    keys.clear();
    const RowParts parts = Parts(row);
    if (parts.memberCount == 0) {
        keys.push_back(0);
        return;
    }
    // First the hash of each member with its value, then in its place the key without it.
    const auto high = [](quint64 h) { return static_cast<quint32>(h >> 32); };
    quint64 sum = 0;
    const qint32* p = parts.members;
    for (qint32 m = 0; m < parts.memberCount; ++m, p = SkipValue(p + 1)) {
        keys.push_back(high(Mix(Mix(static_cast<quint64>(*p)) ^ ValueHash(p + 1))));
        sum += keys.back();
    }
    p = parts.members;
    for (quint32& key : keys) {
        key = high(Mix(sum - key + Mix(Mix(static_cast<quint64>(*p)) + 1)));
        p = SkipValue(p + 1);
    }
}

// Merges the rows of one consequent as pairs are taken in row order: the first row that has a mergeable partner
// takes its first such partner, again and again until no two rows can merge.
//
// The rows are found by their merge keys. The rows before the cursor have no partner. A merge changes only the row
// that takes the other, so afterwards only that row can have become the partner of a row before it: if one has,
// the first such row takes it next, as the pairs in row order would.
//
// The index holds the rows' first keys as (key, row) entries in buckets by key, about four entries a bucket, each
// bucket in row order. Only rows that took others change; their present keys are held in a hash beside the index.
// The entries of the index that no longer hold stay: a candidate is always checked with Mergeable.
class RowMerger {
public:
    RowMerger(std::vector<DecisionTableRawRow>& rows, const DecisionTableTexts& texts)
        : m_rows(rows), m_texts(texts), m_live(rows.size(), true) {
        Index();
    }

    void Run() {
        for (size_t cursor = 0; cursor < m_rows.size();) {
            if (!m_live[cursor]) {
                ++cursor;
                continue;
            }
            const size_t partner = FirstPartner(cursor, cursor + 1, m_rows.size());
            if (partner == kNone) {
                ++cursor;
                continue;
            }
            MergeInto(cursor, partner);
            for (size_t before = FirstPartner(cursor, 0, cursor); before != kNone;
                 before = FirstPartner(cursor, 0, cursor)) {
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
    struct Entry {
        quint32 key;
        quint32 row;
    };

    void Index() {
        // Each row's keys, worked out once.
        m_rowKeyStart.reserve(m_rows.size() + 1);
        m_rowKeyStart.push_back(0);
        std::vector<quint32> keys;
        for (const DecisionTableRawRow& row : m_rows) {
            MergeKeys(row, keys);
            m_rowKeys.insert(m_rowKeys.end(), keys.begin(), keys.end());
            m_rowKeyStart.push_back(m_rowKeys.size());
        }
        // Counted by bucket, then placed from the ends of the buckets backwards, the last row first.
        m_buckets.assign(std::max<size_t>(1, m_rowKeys.size() / 4) + 1, 0);
        for (quint32 key : m_rowKeys)
            ++m_buckets[Bucket(key)];
        std::partial_sum(m_buckets.begin(), m_buckets.end(), m_buckets.begin());
        m_index.resize(m_rowKeys.size());
        for (size_t row = m_rows.size(); row-- > 0;) {
            for (quint32 key : RowKeys(row))
                m_index[--m_buckets[Bucket(key)]] = {key, static_cast<quint32>(row)};
        }
    }

    // The keys a row was indexed with.
    std::span<const quint32> RowKeys(size_t row) const {
        return {m_rowKeys.data() + m_rowKeyStart[row], m_rowKeyStart[row + 1] - m_rowKeyStart[row]};
    }

    // A row's present keys: those it was indexed with until it takes another row and changes.
    std::span<const quint32> PresentKeys(size_t row) const {
        if (const auto took = m_takerKeys.find(row); took != m_takerKeys.end())
            return took->second;
        return RowKeys(row);
    }

    // Spreads the keys evenly over the buckets.
    size_t Bucket(quint32 key) const { return static_cast<size_t>((quint64{key} * (m_buckets.size() - 1)) >> 32); }

    // The first row in [from, to) that can merge with `row`; kNone when none can.
    size_t FirstPartner(size_t row, size_t from, size_t to) const {
        if (from >= to)
            return kNone;
        size_t first = to;
        const auto consider = [&](size_t other) {
            if (other >= from && other < first && m_live[other] && Mergeable(m_rows[row], m_rows[other]))
                first = other;
        };
        // The first row of the range needs no search; in a table of many rows it often is the partner.
        consider(from);
        if (first != to)
            return first;
        const std::span<const quint32> keys = PresentKeys(row);
        // The buckets lie far apart in a large index: all of them are fetched before the first is read.
        for (quint32 key : keys)
            __builtin_prefetch(&m_buckets[Bucket(key)]);
        for (quint32 key : keys)
            __builtin_prefetch(&m_index[m_buckets[Bucket(key)]]);
        for (quint32 key : keys) {
            const size_t bucket = Bucket(key);
            const auto end = m_index.begin() + m_buckets[bucket + 1];
            for (auto entry = std::lower_bound(m_index.begin() + m_buckets[bucket], end, from,
                                               [](const Entry&e, size_t row) { return e.row < row; });
                 entry != end && entry->row < first; ++entry) {
                if (entry->key == key)
                    consider(entry->row);
            }
            const auto [added, addedEnd] = m_added.equal_range(key);
            for (auto entry = added; entry != addedEnd; ++entry)
                consider(entry->second);
        }
        return first == to ? kNone : first;
    }

    // The later row goes into the earlier one.
    void MergeInto(size_t taker, size_t taken) {
        if (const auto took = m_takerKeys.find(taken); took != m_takerKeys.end()) {
            Unindex(taken, took->second);
            m_takerKeys.erase(took);
        }
        const bool changed = Merge(m_rows[taker], m_rows[taken], m_texts);
        m_live[taken] = false;
        m_rows[taken] = {};
        if (!changed)
            return;
        std::vector<quint32>& keys = m_takerKeys[taker];
        Unindex(taker, keys);
        MergeKeys(m_rows[taker], keys);
        for (quint32 key : keys)
            m_added.emplace(key, static_cast<quint32>(taker));
    }

    // Takes the keys of a row that took others out of the hash.
    void Unindex(size_t row, const std::vector<quint32>& keys) {
        for (quint32 key : keys) {
            const auto [first, last] = m_added.equal_range(key);
            const auto entry = std::find_if(first, last, [row](const auto& e) { return e.second == row; });
            if (entry != last)
                m_added.erase(entry);
        }
    }

    std::vector<DecisionTableRawRow>& m_rows;
    const DecisionTableTexts& m_texts;
    std::vector<bool> m_live;
    std::vector<Entry> m_index;
    std::vector<quint32> m_buckets;                               // the first entry of each bucket, and the end
    std::unordered_multimap<quint32, quint32> m_added;            // key -> row that took others
    std::unordered_map<size_t, std::vector<quint32>> m_takerKeys; // row that took others -> its keys in the hash
    std::vector<quint32> m_rowKeys;                               // the keys of every row as indexed, row after row
    std::vector<size_t> m_rowKeyStart; // where each row's keys begin in m_rowKeys, and the end
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

DecisionTableRowValues DecisionTableRawTable::Read(const DecisionTableRawRow& row) const {
    const RowParts parts = Parts(row);
    DecisionTableRowValues values;
    for (qint32 k = 0; k < parts.functionCount; ++k)
        values.functions.insert(texts.Function(parts.functions[k]));
    values.numbers.insert(parts.numbers, parts.numbers + parts.numberCount);
    const qint32* p = parts.members;
    for (qint32 m = 0; m < parts.memberCount; ++m) {
        DecisionTableValue& value = values.conditions[texts.Text(*p++)];
        for (qint32 alternatives = *p++; alternatives > 0; --alternatives) {
            DecisionTableAlternative& alternative = value.emplace_back();
            for (qint32 displays = *p++; displays > 0; --displays) {
                StepNumbers& numbers = alternative[texts.Text(p[0])];
                numbers.insert(p + 2, p + 2 + p[1]);
                p += p[1] + 2;
            }
        }
    }
    return values;
}

StepNumbers DecisionTableRawTable::ReadNumbers(const DecisionTableRawRow& row) const {
    const RowParts parts = Parts(row);
    return StepNumbers(parts.numbers, parts.numbers + parts.numberCount);
}

DecisionTableRawTable BuildRawTable(DecisionTablePathCollector&& collector) {
    DecisionTableRawTable table;
    table.texts = std::move(collector.Texts());
    for (DecisionTableRawRule& rule : collector.Rules()) {
        table.consequents[table.texts.Text(rule.consequentKey)][table.texts.Text(rule.consequentDisplay)].push_back(
            std::move(rule.row));
    }
    return table;
}

void OmitRedundancy(DecisionTableRawTable& table) {
    for (auto& [member, byDisplay] : table.consequents) {
        for (auto& [display, rows] : byDisplay)
            RowMerger(rows, table.texts).Run();
    }
}
