#include "model/IndexLogicSync.h"

#include "model/UnitFunctionRegistry.h"

#include <algorithm>
#include <optional>
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
