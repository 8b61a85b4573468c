#include "model/IndexLogicSync.h"

#include "model/UnitFunctionRegistry.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

bool IsFnLine(const std::unique_ptr<CLogicLine>& line) {
    return line && line->IsFnStatement();
}

bool Names(const std::unique_ptr<CLogicLine>& line, const CUnitFunction* function) {
    return line->calledInternalID == function->InternalID;
}

// The entries of from that are not in other, each once, in the order of from.
std::vector<quint32> Missing(const std::vector<quint32>& from, const std::vector<quint32>& other) {
    std::unordered_set<quint32> seen(other.begin(), other.end());
    std::vector<quint32> result;
    for (quint32 id : from) {
        if (seen.insert(id).second)
            result.push_back(id);
    }
    return result;
}

bool HasRepeats(const std::vector<quint32>& ids) {
    std::unordered_set<quint32> seen;
    return std::any_of(ids.begin(), ids.end(), [&seen](quint32 id) { return !seen.insert(id).second; });
}

// The first entry of each id, in order.
std::vector<quint32> WithoutRepeats(const std::vector<quint32>& ids) {
    std::unordered_set<quint32> seen;
    std::vector<quint32> result;
    for (quint32 id : ids) {
        if (seen.insert(id).second)
            result.push_back(id);
    }
    return result;
}

// Polynomial hashing modulo the prime 2^61 - 1.
constexpr quint64 kModulus = (quint64{1} << 61) - 1;
constexpr quint64 kBase = 0x1d8e4e27c47d124fULL % kModulus;

quint64 Reduce(quint64 value) {
    value = (value & kModulus) + (value >> 61);
    return value >= kModulus ? value - kModulus : value;
}

quint64 MultiplyMod(quint64 a, quint64 b) {
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return Reduce(Reduce(static_cast<quint64>(product & kModulus)) + static_cast<quint64>(product >> 61));
}

// A value in 1 .. 2^61 - 2 for each id, mixed so that near ids hash far apart.
quint64 HashValue(quint32 id) {
    quint64 z = id + 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return z % (kModulus - 1) + 1;
}

// The ids present in some slots of a fixed row, read in slot order: their count and polynomial hash, kept in a
// tree, so that an id comes or goes in logarithmic time and two such sequences compare in constant time (equal
// sequences hash equal; unequal ones almost never do).
class SlotSequence {
public:
    explicit SlotSequence(std::vector<quint32> row) : m_row(std::move(row)), m_present(m_row.size(), false) {
        m_leaves = 1;
        while (m_leaves < m_row.size())
            m_leaves *= 2;
        m_nodes.resize(2 * m_leaves);
        m_powers.resize(m_row.size() + 1);
        m_powers[0] = 1;
        for (size_t i = 1; i < m_powers.size(); ++i)
            m_powers[i] = MultiplyMod(m_powers[i - 1], kBase);
    }

    // Puts the id into an empty slot.
    void Put(size_t slot, quint32 id) {
        m_row[slot] = id;
        SetPresent(slot, true);
    }
    size_t Count() const { return m_nodes[1].count; }
    quint64 Hash() const { return m_nodes[1].hash; }

    void SetPresent(size_t slot, bool present) {
        if (m_present[slot] == present)
            return;
        m_present[slot] = present;
        size_t node = m_leaves + slot;
        m_nodes[node] = present ? Node{HashValue(m_row[slot]), 1} : Node{};
        for (node /= 2; node > 0; node /= 2) {
            const Node& left = m_nodes[2 * node];
            const Node& right = m_nodes[2 * node + 1];
            m_nodes[node] = {Reduce(MultiplyMod(left.hash, m_powers[right.count]) + right.hash),
                             left.count + right.count};
        }
    }

    // The ids present, in slot order.
    std::vector<quint32> Ids() const {
        std::vector<quint32> ids;
        ids.reserve(Count());
        for (size_t slot = 0; slot < m_row.size(); ++slot) {
            if (m_present[slot])
                ids.push_back(m_row[slot]);
        }
        return ids;
    }

    bool operator==(const SlotSequence& other) const {
        return Count() == other.Count() && Hash() == other.Hash() && Ids() == other.Ids();
    }

private:
    struct Node {
        quint64 hash = 0;
        size_t count = 0;
    };
    std::vector<quint32> m_row;
    std::vector<bool> m_present;
    size_t m_leaves = 1;
    std::vector<Node> m_nodes;
    std::vector<quint64> m_powers;
};

// A child list that the steps only append to (an id not in it) and erase from (every entry of an id).
class ChildRow {
public:
    // The ids, with room for `room` more.
    ChildRow(const std::vector<quint32>& ids, size_t room) : m_sequence(std::vector<quint32>(ids.size() + room)) {
        for (quint32 id : ids)
            Append(id);
    }

    bool Contains(quint32 id) const { return m_slots.contains(id); }
    void Append(quint32 id) {
        m_sequence.Put(m_size, id);
        m_slots[id].push_back(m_size++);
    }
    void EraseAll(quint32 id) {
        const auto found = m_slots.find(id);
        if (found == m_slots.end())
            return;
        for (size_t slot : found->second)
            m_sequence.SetPresent(slot, false);
        m_slots.erase(found);
    }
    const SlotSequence& Sequence() const { return m_sequence; }

private:
    SlotSequence m_sequence;
    size_t m_size = 0;
    std::unordered_map<quint32, std::vector<size_t>> m_slots;
};

} // namespace

CIndexLogicSync::CIndexLogicSync(CUnitFunction* function, const CUnitFunctionRegistry& registry,
                                 const ModelOptions& options)
    : m_function(function), m_registry(registry), m_options(options) {
    TakeSnapshots();
}

CIndexLogicSync::IdList CIndexLogicSync::ChildIds() const {
    IdList ids;
    for (const CUnitFunction* child : m_function->children)
        ids.push_back(child->InternalID);
    return ids;
}

CIndexLogicSync::IdList CIndexLogicSync::CalleeIds() const {
    IdList ids;
    for (const CUnitFunction* callee : m_function->CollectFnCallees(m_registry))
        ids.push_back(callee->InternalID);
    return ids;
}

void CIndexLogicSync::TakeSnapshots() {
    m_childrenSnapshot = ChildIds();
    m_fnSnapshot = CalleeIds();
}

void CIndexLogicSync::Synchronize() {
    const IdList& c0 = m_childrenSnapshot;
    const IdList& l0 = m_fnSnapshot;
    const IdList c1 = ChildIds();
    const IdList l1 = CalleeIds();
    const int mode = m_options.SynchronizeFn;
    // Mode 1 never guesses where the Fn statement of an added child belongs.
    const bool allowed = mode != 0 && !(mode == 1 && c1.size() > c0.size());
    if (allowed) {
        const bool childrenChanged = c0 != c1;
        const bool logicChanged = l0 != l1;
        if (c0 == l0) {
            if (!childrenChanged && logicChanged) {
                m_function->ChildrenFromFnStatements(m_registry);
                if (mode == 1 && !m_options.EnableDuplicateSiblings)
                    m_function->RemoveDuplicateChildren();
            } else if (childrenChanged && !logicChanged) {
                if (c1.size() > c0.size())
                    InsertFnStatementsForNewChildren();
                else if (c1.size() < c0.size())
                    DeleteFnStatementsOfRemovedChildren();
                else
                    RetargetFnStatements();
            }
        } else if (!childrenChanged && logicChanged) {
            ApplyFnChangesToChildren(l1);
        } else if (childrenChanged && !logicChanged) {
            ApplyChildChangesToFnStatements(c1);
        }
    }
    TakeSnapshots();
}

bool CIndexLogicSync::StepsCollapse() const {
    const int mode = m_options.SynchronizeFn;
    if (mode == 0)
        return true;
    if (m_childrenSnapshot != m_fnSnapshot)
        return false;
    // Only mode 1 without duplicate siblings drops a child that is called twice, leaving the sides apart.
    return mode != 1 || m_options.EnableDuplicateSiblings || (!HasRepeats(m_fnSnapshot) && !HasRepeats(CalleeIds()));
}

void CIndexLogicSync::SynchronizeEachStep(size_t firstLine) {
    const IdList current = CalleeIds();
    const IdList& before = m_fnSnapshot;
    const bool added = current.size() > before.size();
    const IdList& longer = added ? current : before;
    const IdList& shorter = added ? before : current;
    const size_t run = longer.size() - shorter.size();
    // The steps add or remove the callees longer[at], longer[at + 1], ... after the callees of the lines before.
    const LogicLineArray& lines = m_function->logicLines;
    const size_t at = static_cast<size_t>(std::count_if(
        lines.begin(), lines.begin() + static_cast<long>(std::min(firstLine, lines.size())), [this](const auto& line) {
            return IsFnLine(line) && line->calledInternalID != 0 && m_registry.FindByInternalID(line->calledInternalID);
        }));
    const bool described = run > 0 && at <= shorter.size() &&
                           std::equal(shorter.begin(), shorter.begin() + static_cast<long>(at), longer.begin()) &&
                           std::equal(shorter.begin() + static_cast<long>(at), shorter.end(),
                                      longer.begin() + static_cast<long>(at + run)) &&
                           ChildIds() == m_childrenSnapshot;
    if (m_options.SynchronizeFn == 0 || !described) {
        Synchronize();
        return;
    }
    const bool dropRepeats = m_options.SynchronizeFn == 1 && !m_options.EnableDuplicateSiblings;

    // The callees after each step, with how often each id is called and how many ids are called more than once.
    SlotSequence callees(longer);
    std::unordered_map<quint32, size_t> calls;
    size_t repeated = 0;
    const auto call = [&](size_t slot, bool present) {
        callees.SetPresent(slot, present);
        size_t& count = calls[longer[slot]];
        if (present && ++count == 2)
            ++repeated;
        else if (!present && count-- == 2)
            --repeated;
    };
    for (size_t slot = 0; slot < longer.size(); ++slot) {
        if (!added || slot < at || slot >= at + run)
            call(slot, true);
    }
    // The children while the two sides disagree; none while they agree, the children being the callees then.
    std::optional<ChildRow> apart;
    if (m_childrenSnapshot != before)
        apart.emplace(m_childrenSnapshot, run);
    for (size_t step = 0; step < run; ++step) {
        const size_t slot = added ? at + step : at + run - 1 - step;
        const quint32 id = longer[slot];
        const bool wasCalled = calls[id] > 0;
        call(slot, added);
        if (!apart) {
            // The children become the callees, without repeats in mode 1 unless duplicate siblings are allowed.
            if (dropRepeats && repeated > 0)
                apart.emplace(WithoutRepeats(callees.Ids()), run - step - 1);
            continue;
        }
        // Only the difference is carried over: a unit function newly called joins the children at their end, and one
        // no longer called leaves them.
        if (added && !wasCalled && !apart->Contains(id)) {
            apart->Append(id);
            if (CUnitFunction* child = m_registry.FindByInternalID(id); child && !child->primaryParent)
                child->primaryParent = m_function;
        } else if (!added && calls[id] == 0) {
            apart->EraseAll(id);
        }
        if (apart->Sequence() == callees)
            apart.reset();
    }

    const IdList result = apart ? apart->Sequence().Ids() : current;
    if (result != ChildIds()) {
        std::unordered_map<quint32, CUnitFunction*> known;
        for (CUnitFunction* child : m_function->children)
            known.emplace(child->InternalID, child);
        UnitFunctionList children;
        children.reserve(result.size());
        for (quint32 id : result) {
            const auto found = known.find(id);
            CUnitFunction* child = found != known.end() ? found->second : m_registry.FindByInternalID(id);
            if (child)
                children.push_back(child);
        }
        m_function->children = std::move(children);
    }
    TakeSnapshots();
}

// Walks the lines and the children side by side from the top: lines other than Fn statements are passed
// over and an Fn statement naming the current child matches it. At any other Fn statement onMismatch runs
// and says whether the walk moves on to the next child and line. Returns the first line not walked.
template <typename Mismatch>
size_t CIndexLogicSync::WalkFnStatements(size_t& child, std::optional<size_t>& lastMatch, Mismatch onMismatch) {
    const UnitFunctionList& children = m_function->children;
    const LogicLineArray& lines = m_function->logicLines;
    size_t i = 0;
    while (child < children.size() && i < lines.size()) {
        if (!IsFnLine(lines[i])) {
            ++i;
        } else if (Names(lines[i], children[child])) {
            lastMatch = i++;
            ++child;
        } else if (onMismatch(i, child)) {
            ++i;
            ++child;
        }
    }
    return i;
}

void CIndexLogicSync::InsertFnStatementsForNewChildren() {
    const UnitFunctionList& children = m_function->children;
    std::optional<size_t> last;
    // A new child's statement goes right after the statement of the nearest earlier child, at its level.
    const auto insertFor = [&](const CUnitFunction* child) {
        if (!last) {
            m_function->InsertFnStatement(0, *child, 0, m_options);
            last = 0;
        } else {
            const int column = m_function->logicLines[*last]->Next;
            m_function->InsertFnStatement(static_cast<int>(*last + 1), *child, column, m_options);
            last = *last + 1;
        }
    };
    size_t c = 0;
    WalkFnStatements(c, last, [&](size_t, size_t child) {
        insertFor(children[child]);
        return true;
    });
    for (; c < children.size(); ++c)
        insertFor(children[c]);
}

void CIndexLogicSync::DeleteFnStatementsOfRemovedChildren() {
    LogicLineArray& lines = m_function->logicLines;
    size_t c = 0;
    std::optional<size_t> last;
    const size_t i = WalkFnStatements(c, last, [&lines](size_t line, size_t) {
        lines.erase(lines.begin() + static_cast<long>(line));
        return false;
    });
    lines.erase(std::remove_if(lines.begin() + static_cast<long>(i), lines.end(), IsFnLine), lines.end());
}

void CIndexLogicSync::RetargetFnStatements() {
    const UnitFunctionList& children = m_function->children;
    LogicLineArray& lines = m_function->logicLines;
    size_t c = 0;
    int indentation = 0;
    for (size_t i = 0; c < children.size() && i < lines.size(); ++i) {
        CLogicLine* line = lines[i].get();
        if (!line)
            continue;
        if (line->IsFnStatement()) {
            if (line->calledInternalID != children[c]->InternalID)
                line->InitFnStatement(*children[c], indentation, m_options.fnSymbolColumn);
            ++c;
        }
        indentation = line->Next;
    }
}

void CIndexLogicSync::ApplyFnChangesToChildren(const IdList& callees) {
    const IdList removed = Missing(m_fnSnapshot, callees);
    std::erase_if(m_function->children, [&removed](const CUnitFunction* child) {
        return std::find(removed.begin(), removed.end(), child->InternalID) != removed.end();
    });
    // New children join in the order of their Fn statements.
    for (quint32 id : Missing(callees, m_fnSnapshot)) {
        if (CUnitFunction* added = m_registry.FindByInternalID(id))
            CUnitFunction::AddChild(m_function, added);
    }
}

void CIndexLogicSync::ApplyChildChangesToFnStatements(const IdList& children) {
    const IdList removed = Missing(m_childrenSnapshot, children);
    const IdList added = Missing(children, m_childrenSnapshot);
    LogicLineArray& lines = m_function->logicLines;
    if (removed.size() == 1 && added.size() == 1) {
        const CUnitFunction* replacement = m_registry.FindByInternalID(added.front());
        if (!replacement)
            return;
        for (auto& line : lines) {
            if (IsFnLine(line) && line->calledInternalID == removed.front())
                line->InitFnStatement(*replacement, line->Top, m_options.fnSymbolColumn);
        }
    } else if (added.empty()) {
        std::erase_if(lines, [&removed](const auto& line) {
            return IsFnLine(line) && std::find(removed.begin(), removed.end(), line->calledInternalID) != removed.end();
        });
    }
}
