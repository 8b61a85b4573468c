#include "generators/DecisionTableRawTable.h"

#include "logic/InspectionProgress.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <span>
#include <unordered_map>
#include <utility>

namespace {

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

// 64-bit mixing of hash values (splitmix64's finaliser).
quint64 Mix(quint64 h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

// An alternative's hash, by its display texts alone as alternatives are compared.
quint64 AlternativeHash(const qint32* p) {
    qint32 texts = *p++;
    quint64 h = Mix(static_cast<quint64>(texts));
    for (; texts > 0; --texts) {
        h = Mix(h + Mix(static_cast<quint64>(*p) + 0x9e3779b9U));
        p += p[1] + 2;
    }
    return h;
}

struct AlternativeOrder {
    const DecisionTableTexts* texts;
    bool operator()(const qint32* a, const qint32* b) const { return AlternativeLessIn(a, b, *texts); }
};

// A member's value that has taken alternatives of other rows: its alternatives in AlternativeLess order, each where
// the data of the row it came from holds it, and the sum of their hashes.
struct GatheredValue {
    explicit GatheredValue(const DecisionTableTexts& texts) : alternatives(AlternativeOrder{&texts}) {}

    // False when the value already has an alternative of the same display texts.
    bool Add(const qint32* alternative) {
        if (!alternatives.insert(alternative).second)
            return false;
        hashSum += AlternativeHash(alternative);
        return true;
    }

    std::set<const qint32*, AlternativeOrder> alternatives;
    quint64 hashSum = 0;
};

// A member's value: as a row's data holds it (its alternative count, then its alternatives) or gathered.
struct ValueRef {
    const qint32* flat = nullptr;
    const GatheredValue* gathered = nullptr;

    qint32 Count() const { return gathered ? static_cast<qint32>(gathered->alternatives.size()) : *flat; }
};

// The alternatives of a value in their order.
class Alternatives {
public:
    explicit Alternatives(ValueRef value) : m_gathered(value.gathered) {
        if (m_gathered)
            m_entry = m_gathered->alternatives.begin();
        else
            m_flat = value.flat + 1;
    }
    const qint32* operator*() const { return m_gathered ? *m_entry : m_flat; }
    void Next() {
        if (m_gathered)
            ++m_entry;
        else
            m_flat = SkipDecisionTableAlternative(m_flat);
    }

private:
    const GatheredValue* m_gathered;
    std::set<const qint32*, AlternativeOrder>::const_iterator m_entry;
    const qint32* m_flat = nullptr;
};

// A value's hash, by display texts alone as values are compared: the same however its alternatives were gathered.
quint64 ValueHash(ValueRef value) {
    quint64 sum = 0;
    if (value.gathered) {
        sum = value.gathered->hashSum;
    } else {
        Alternatives alternative(value);
        for (qint32 k = value.Count(); k > 0; --k, alternative.Next())
            sum += AlternativeHash(*alternative);
    }
    return Mix(Mix(static_cast<quint64>(value.Count())) + sum);
}

// Whether two values can be the same, told without reading their alternatives.
bool MaybeSameValue(ValueRef a, ValueRef b) {
    return a.Count() == b.Count() && (!a.gathered || !b.gathered || a.gathered->hashSum == b.gathered->hashSum);
}

bool SameConditionValue(ValueRef a, ValueRef b) {
    if (!MaybeSameValue(a, b))
        return false;
    Alternatives x(a);
    Alternatives y(b);
    for (qint32 k = a.Count(); k > 0; --k, x.Next(), y.Next()) {
        if (!SameDisplayTexts(*x, *y))
            return false;
    }
    return true;
}

// One member of a row that has taken others.
struct TakerMember {
    qint32 member;
    const qint32* flat;                      // its value in the row's data, until it gathers alternatives of others
    std::unique_ptr<GatheredValue> gathered; // then its value

    ValueRef Value() const { return {flat, gathered.get()}; }
};

// A row that has taken others, taken apart so that a merge costs what the taken row holds: its members, the unit
// functions and step numbers of the rows it took (unsorted, perhaps repeated, until it is written back), and once
// its values have changed, its present merge keys.
struct Taker {
    std::vector<TakerMember> members;
    std::vector<qint32> functions;
    std::vector<qint32> numbers;
    std::vector<quint32> keys;
    bool changed = false;
};

// The members of a row in name order, whether its data holds them or it has been taken apart.
class Members {
public:
    Members(const DecisionTableRawRow& row, const Taker* taker) : m_taker(taker) {
        if (taker) {
            m_count = static_cast<qint32>(taker->members.size());
        } else {
            m_count = row.conditions.count;
            m_members = row.conditions.members;
        }
    }
    qint32 Count() const { return m_count; }
    qint32 Member() const { return m_taker ? m_taker->members[m_index].member : *m_members[m_index]; }
    ValueRef Value() const {
        return m_taker ? m_taker->members[m_index].Value() : ValueRef{m_members[m_index] + 1, nullptr};
    }
    void Next() { ++m_index; }

private:
    const Taker* m_taker;
    qint32 m_count = 0;
    size_t m_index = 0;
    const qint32* const* m_members = nullptr;
};

// Writes a row's merge keys into `keys`: for each of its members, a hash of its member names and of the values of its
// other members; two rows can merge exactly when they share a key (or when hashes collide).
void MergeKeys(Members members, std::vector<quint32>& keys) {
    keys.clear();
    if (members.Count() == 0) {
        keys.push_back(0);
        return;
    }
    // First the hash of each member with its value, then in its place the key without it.
    const auto high = [](quint64 h) { return static_cast<quint32>(h >> 32); };
    quint64 sum = 0;
    const Members first = members;
    for (qint32 m = 0; m < first.Count(); ++m, members.Next()) {
        keys.push_back(high(Mix(Mix(static_cast<quint64>(members.Member())) ^ ValueHash(members.Value()))));
        sum += keys.back();
    }
    members = first;
    for (quint32& key : keys) {
        key = high(Mix(sum - key + Mix(Mix(static_cast<quint64>(members.Member())) + 1)));
        members.Next();
    }
}

// Sorted, without repeats, after their count.
void AppendSet(std::vector<qint32>& out, std::vector<qint32>& values) {
    std::ranges::sort(values);
    const auto end = std::unique(values.begin(), values.end());
    out.push_back(static_cast<qint32>(end - values.begin()));
    out.insert(out.end(), values.begin(), end);
}

// Merges the rows of one consequent as pairs are taken in row order: the first row that has a mergeable partner
// takes its first such partner, again and again until no two rows can merge.
//
// The rows are found by their merge keys. The rows before the cursor have no partner. A merge changes only the row
// that takes the other, so afterwards only that row can have become the partner of a row before it: if one has,
// the first such row takes it next, as the pairs in row order would.
//
// The index holds the rows' first keys as (key, row) entries in buckets by key, about four entries a bucket, each
// bucket in row order. The entries of a row that was taken or whose values changed are passed over once met.
// Rows that took others are taken apart (Taker) until the end; the present keys of those whose values changed are
// held in a hash beside the index. A candidate is always checked for its values.
class RowMerger {
public:
    RowMerger(std::vector<DecisionTableRawRow>& rows, const DecisionTableTexts& texts, DecisionTableRowStore& store)
        : m_rows(rows), m_texts(texts), m_store(store), m_live(rows.size(), true), m_takers(rows.size()) {
        Index();
    }

    // With a run, the rows the cursor has passed are steps after `done` of `total`.
    void Run(CInspectionProgress* run, size_t done, size_t total) {
        size_t passed = 0;
        for (size_t cursor = 0; cursor < m_rows.size();) {
            if (run) {
                run->PollAbort();
                passed = std::max(passed, cursor);
                run->MinorProgress(static_cast<unsigned>(done + passed), static_cast<unsigned>(total));
            }
            if (!m_live[cursor]) {
                ++cursor;
                continue;
            }
            const Partner partner = FirstPartner(cursor, cursor + 1, m_rows.size());
            if (partner.row == kNone) {
                ++cursor;
                continue;
            }
            MergeInto(cursor, partner);
            for (Partner before = FirstPartner(cursor, 0, cursor); before.row != kNone;
                 before = FirstPartner(cursor, 0, cursor)) {
                MergeInto(before.row, {cursor, before.differing});
                cursor = before.row;
            }
        }
        size_t kept = 0;
        for (size_t row = 0; row < m_rows.size(); ++row) {
            if (!m_live[row])
                continue;
            if (m_takers[row])
                WriteBack(row);
            m_rows[kept++] = m_rows[row];
        }
        m_rows.resize(kept);
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    struct Entry {
        quint32 key;
        quint32 row;
        quint32 next; // its own place, or one nearer the next entry not passed over
    };
    // A row that can merge with another, and the member in which their values differ (the member count when none).
    struct Partner {
        size_t row;
        qint32 differing;
    };

    Members MembersOf(size_t row) const { return {m_rows[row], m_takers[row].get()}; }

    void Index() {
        // Each row's keys, worked out once.
        m_rowKeyStart.reserve(m_rows.size() + 1);
        m_rowKeyStart.push_back(0);
        std::vector<quint32> keys;
        for (size_t row = 0; row < m_rows.size(); ++row) {
            // Rows made of one path follow each other; they share their conditions and so their keys.
            if (row == 0 || m_rows[row].conditions != m_rows[row - 1].conditions)
                MergeKeys(MembersOf(row), keys);
            m_rowKeys.insert(m_rowKeys.end(), keys.begin(), keys.end());
            m_rowKeyStart.push_back(m_rowKeys.size());
        }
        // Counted by bucket, then placed from the ends of the buckets backwards, the last row first.
        m_buckets.assign(std::max<size_t>(1, m_rowKeys.size() / 4) + 1, 0);
        for (quint32 key : m_rowKeys)
            ++m_buckets[Bucket(key)];
        std::partial_sum(m_buckets.begin(), m_buckets.end(), m_buckets.begin());
        // One entry more, after the last bucket, ends every search for the next entry.
        m_index.resize(m_rowKeys.size() + 1);
        for (size_t row = m_rows.size(); row-- > 0;) {
            for (quint32 key : RowKeys(row)) {
                const size_t place = --m_buckets[Bucket(key)];
                m_index[place] = {key, static_cast<quint32>(row), static_cast<quint32>(place)};
            }
        }
        m_index.back() = {0, 0, static_cast<quint32>(m_rowKeys.size())};
    }

    // The keys a row was indexed with.
    std::span<const quint32> RowKeys(size_t row) const {
        return {m_rowKeys.data() + m_rowKeyStart[row], m_rowKeyStart[row + 1] - m_rowKeyStart[row]};
    }

    bool Changed(size_t row) const { return m_takers[row] && m_takers[row]->changed; }

    // A row's present keys: those it was indexed with until its values change.
    std::span<const quint32> PresentKeys(size_t row) const {
        if (Changed(row))
            return m_takers[row]->keys;
        return RowKeys(row);
    }

    // Spreads the keys evenly over the buckets.
    size_t Bucket(quint32 key) const { return static_cast<size_t>((quint64{key} * (m_buckets.size() - 1)) >> 32); }

    // The first entry of the index at or after `position` that is not passed over (the end when none is).
    size_t Listed(size_t position) {
        size_t listed = position;
        while (m_index[listed].next != listed)
            listed = m_index[listed].next;
        while (m_index[position].next != listed)
            position = std::exchange(m_index[position].next, static_cast<quint32>(listed));
        return listed;
    }

    // The values of rows a and b: the member in which they differ, the member count when in none, and -1 when they
    // cannot merge.
    qint32 Difference(size_t a, size_t b) const {
        // Rows made of one path whose values have not changed since are alike.
        if (m_rows[a].conditions == m_rows[b].conditions && !Changed(a) && !Changed(b))
            return m_rows[a].conditions.count;
        const Members x = MembersOf(a);
        const Members y = MembersOf(b);
        if (x.Count() != y.Count())
            return -1;
        // Gathered values of equal hashes are read last, so that rows that differ in many members cost little.
        qint32 differing = x.Count();
        int differences = 0;
        bool deferred = false;
        Members p = x;
        Members q = y;
        for (qint32 m = 0; m < x.Count(); ++m, p.Next(), q.Next()) {
            if (p.Member() != q.Member())
                return -1;
            const ValueRef v = p.Value();
            const ValueRef w = q.Value();
            if (v.gathered && w.gathered && MaybeSameValue(v, w)) {
                deferred = true;
            } else if (!SameConditionValue(v, w)) {
                if (++differences > 1)
                    return -1;
                differing = m;
            }
        }
        p = x;
        q = y;
        for (qint32 m = 0; deferred && m < x.Count(); ++m, p.Next(), q.Next()) {
            const ValueRef v = p.Value();
            const ValueRef w = q.Value();
            if (v.gathered && w.gathered && m != differing && !SameConditionValue(v, w)) {
                if (++differences > 1)
                    return -1;
                differing = m;
            }
        }
        return differing;
    }

    // The first row in [from, to) that can merge with `row`; kNone when none can.
    Partner FirstPartner(size_t row, size_t from, size_t to) {
        Partner first{to, 0};
        if (from >= to)
            return {kNone, 0};
        const auto consider = [&](size_t other) {
            if (other >= from && other < first.row && m_live[other]) {
                if (const qint32 differing = Difference(row, other); differing >= 0)
                    first = {other, differing};
            }
        };
        // The first row of the range needs no search; in a table of many rows it often is the partner.
        consider(from);
        if (first.row != to)
            return first;
        const std::span<const quint32> keys = PresentKeys(row);
        // The buckets lie far apart in a large index: all of them are fetched before the first is read.
        for (quint32 key : keys)
            __builtin_prefetch(&m_buckets[Bucket(key)]);
        for (quint32 key : keys)
            __builtin_prefetch(&m_index[m_buckets[Bucket(key)]]);
        for (quint32 key : keys) {
            const size_t bucket = Bucket(key);
            const size_t end = m_buckets[bucket + 1];
            const auto start = std::lower_bound(m_index.begin() + m_buckets[bucket], m_index.begin() + end, from,
                                                [](const Entry& e, size_t r) { return e.row < r; });
            for (size_t entry = Listed(static_cast<size_t>(start - m_index.begin()));
                 entry < end && m_index[entry].row < first.row; entry = Listed(entry + 1)) {
                const size_t other = m_index[entry].row;
                // The entry of a row that was taken or whose keys changed is passed over from now on.
                if (!m_live[other] || Changed(other))
                    m_index[entry].next = static_cast<quint32>(entry + 1);
                else if (m_index[entry].key == key)
                    consider(other);
            }
            const auto [added, addedEnd] = m_added.equal_range(key);
            for (auto entry = added; entry != addedEnd; ++entry)
                consider(entry->second);
        }
        return first.row == to ? Partner{kNone, 0} : first;
    }

    Taker& TakerOf(size_t row) {
        std::unique_ptr<Taker>& taker = m_takers[row];
        if (!taker) {
            taker = std::make_unique<Taker>();
            const DecisionTableRowParts parts = RowParts(m_rows[row]);
            taker->functions.assign(parts.functions, parts.functions + parts.functionCount);
            taker->numbers.assign(parts.numbers, parts.numbers + parts.numberCount);
            for (qint32 m = 0; m < parts.memberCount; ++m)
                taker->members.push_back({*parts.members[m], parts.members[m] + 1, nullptr});
        }
        return *taker;
    }

    // The later row goes into the earlier one.
    void MergeInto(size_t row, Partner taken) {
        if (Changed(taken.row))
            Unindex(taken.row, m_takers[taken.row]->keys);
        m_live[taken.row] = false;
        if (!Take(row, taken))
            return;
        Taker& taker = *m_takers[row];
        if (taker.changed)
            Unindex(row, taker.keys);
        taker.changed = true;
        MergeKeys(MembersOf(row), taker.keys);
        for (quint32 key : taker.keys)
            m_added.emplace(key, static_cast<quint32>(row));
    }

    // Puts the taken row into `row`: where the values of a member differ, the taken row's alternatives join the
    // row's (those of display texts it already has are not added); the unit functions and step numbers are united.
    // True when the row's values changed.
    bool Take(size_t row, Partner taken) {
        Taker& taker = TakerOf(row);
        const std::unique_ptr<Taker> took = std::move(m_takers[taken.row]);
        // The larger list takes the smaller, so that no number is copied more often than its list doubles.
        const auto unite = [](std::vector<qint32>& to, std::vector<qint32>& from) {
            if (from.size() > to.size())
                to.swap(from);
            to.insert(to.end(), from.begin(), from.end());
        };
        Members theirs(m_rows[taken.row], took.get());
        if (took) {
            unite(taker.functions, took->functions);
            unite(taker.numbers, took->numbers);
        } else {
            const DecisionTableRowParts parts = RowParts(m_rows[taken.row]);
            taker.functions.insert(taker.functions.end(), parts.functions, parts.functions + parts.functionCount);
            taker.numbers.insert(taker.numbers.end(), parts.numbers, parts.numbers + parts.numberCount);
        }
        if (taken.differing == static_cast<qint32>(taker.members.size()))
            return false;
        TakerMember& member = taker.members[static_cast<size_t>(taken.differing)];
        if (!member.gathered) {
            auto gathered = std::make_unique<GatheredValue>(m_texts);
            Alternatives alternative(member.Value());
            for (qint32 k = member.Value().Count(); k > 0; --k, alternative.Next())
                gathered->Add(*alternative);
            member.gathered = std::move(gathered);
            member.flat = nullptr;
        }
        for (qint32 m = 0; m < taken.differing; ++m)
            theirs.Next();
        bool changed = false;
        Alternatives alternative(theirs.Value());
        for (qint32 k = theirs.Value().Count(); k > 0; --k, alternative.Next())
            changed = member.gathered->Add(*alternative) || changed;
        return changed;
    }

    // The row made again from its parts: its head, and its conditions when their values changed.
    void WriteBack(size_t row) {
        Taker& taker = *m_takers[row];
        std::vector<qint32> data;
        AppendSet(data, taker.functions);
        AppendSet(data, taker.numbers);
        m_rows[row].head = m_store.numbers.Keep(data.data(), data.data() + data.size());
        if (!taker.changed)
            return;
        // The members whose values did not change stay where they are.
        std::vector<const qint32*> members;
        members.reserve(taker.members.size());
        for (const TakerMember& member : taker.members) {
            if (!member.gathered) {
                members.push_back(member.flat - 1);
                continue;
            }
            data.assign({member.member, member.Value().Count()});
            for (const qint32* alternative : member.gathered->alternatives)
                data.insert(data.end(), alternative, SkipDecisionTableAlternative(alternative));
            members.push_back(m_store.numbers.Keep(data.data(), data.data() + data.size()));
        }
        m_rows[row].conditions = {m_store.members.Keep(members.data(), members.data() + members.size()),
                                  static_cast<qint32>(members.size())};
    }

    // Takes the keys of a row whose values changed out of the hash.
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
    DecisionTableRowStore& m_store;
    std::vector<bool> m_live;
    std::vector<std::unique_ptr<Taker>> m_takers; // of the rows that took others
    std::vector<Entry> m_index;
    std::vector<quint32> m_buckets;                    // the first entry of each bucket, and the end
    std::unordered_multimap<quint32, quint32> m_added; // key -> row whose values changed
    std::vector<quint32> m_rowKeys;                    // the keys of every row as indexed, row after row
    std::vector<size_t> m_rowKeyStart;                 // where each row's keys begin in m_rowKeys, and the end
};

} // namespace

bool AlternativeLess(const DecisionTableAlternative& a, const DecisionTableAlternative& b) {
    return std::ranges::lexicographical_compare(a, b, [](const auto& x, const auto& y) { return x.first < y.first; });
}

DecisionTableRowValues DecisionTableRawTable::Read(const DecisionTableRawRow& row) const {
    const DecisionTableRowParts parts = RowParts(row);
    DecisionTableRowValues values;
    for (qint32 k = 0; k < parts.functionCount; ++k)
        values.functions.insert(texts.Function(parts.functions[k]));
    values.numbers.insert(parts.numbers, parts.numbers + parts.numberCount);
    for (qint32 m = 0; m < parts.memberCount; ++m) {
        const qint32* p = parts.members[m];
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
    const DecisionTableRowParts parts = RowParts(row);
    return StepNumbers(parts.numbers, parts.numbers + parts.numberCount);
}

DecisionTableRawTable BuildRawTable(DecisionTablePathCollector&& collector) {
    DecisionTableRawTable table;
    table.texts = std::move(collector.Texts());
    table.store = std::move(collector.Store());
    for (DecisionTableRawRule& rule : collector.Rules()) {
        table.consequents[table.texts.Text(rule.consequentKey)][table.texts.Text(rule.consequentDisplay)].push_back(
            std::move(rule.row));
    }
    return table;
}

size_t DecisionTableRawTable::RowCount() const {
    size_t count = 0;
    for (const auto& [member, byDisplay] : consequents) {
        for (const auto& [display, rows] : byDisplay)
            count += rows.size();
    }
    return count;
}

void OmitRedundancy(DecisionTableRawTable& table, CInspectionProgress* run) {
    const size_t total = table.RowCount();
    size_t done = 0;
    for (auto& [member, byDisplay] : table.consequents) {
        for (auto& [display, rows] : byDisplay) {
            const size_t count = rows.size();
            RowMerger(rows, table.texts, table.store).Run(run, done, total);
            done += count;
        }
    }
}
