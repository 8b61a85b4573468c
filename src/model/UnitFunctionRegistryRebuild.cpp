#include "model/UnitFunctionRegistry.h"

#include <algorithm>
#include <utility>

// The registry's rebuild: every field derived from the child lists, the Fn statements, the requirements and
// the work amounts is computed again. The map is stepped through once; the passes over every unit function
// run over a list taken from it, since following the tree's links again for each pass costs a cache miss per
// unit function. One walk from the origin then enumerates every path and derives all that depends on the
// places. The path holds the unit functions on the current one (entered on the way down, left on the way
// back, so a deep hierarchy costs one set, not one per level), and a cycle ends the walk where it closes.

namespace {

// The unit functions in InternalID order, with what the passes look up kept apart from the unit functions
// themselves, so that a lookup touches no unit function.
class FunctionList {
public:
    explicit FunctionList(CUnitFunctionRegistry::FunctionMap& map) {
        functions.reserve(map.size());
        m_ids.reserve(map.size());
        m_positions.reserve(map.size());
        for (auto& [id, function] : map) {
            m_positions.emplace_back(&function, static_cast<int>(functions.size()));
            functions.push_back(&function);
            m_ids.push_back(id);
        }
        std::sort(m_positions.begin(), m_positions.end());
    }

    // Position in the list, -1 for a pointer to a unit function that is no longer registered.
    int PositionOf(const CUnitFunction* function) const {
        const auto found = std::lower_bound(m_positions.begin(), m_positions.end(), function,
                                            [](const auto& entry, const CUnitFunction* f) { return entry.first < f; });
        return found != m_positions.end() && found->first == function ? found->second : -1;
    }

    bool Contains(quint32 id) const { return std::binary_search(m_ids.begin(), m_ids.end(), id); }

    CUnitFunction* Find(quint32 id) const {
        const auto found = std::lower_bound(m_ids.begin(), m_ids.end(), id);
        return found != m_ids.end() && *found == id ? functions[static_cast<std::size_t>(found - m_ids.begin())]
                                                    : nullptr;
    }

    UnitFunctionList functions;

private:
    std::vector<quint32> m_ids;
    std::vector<std::pair<const CUnitFunction*, int>> m_positions;
};

// Drops the children that are no longer registered and settles the primary parents: a primary parent
// that is still a parent stays; otherwise the parent with the smallest InternalID takes over, the same
// on every run.
void DropStaleChildrenAndUpdatePrimaryParents(const FunctionList& list) {
    struct Parents {
        CUnitFunction* current = nullptr;
        CUnitFunction* smallest = nullptr;
        bool currentStays = false;
    };
    std::vector<Parents> parents(list.functions.size());
    for (std::size_t i = 0; i < list.functions.size(); ++i)
        parents[i].current = list.functions[i]->primaryParent;
    for (CUnitFunction* parent : list.functions) {
        std::erase_if(parent->children, [&](CUnitFunction* child) {
            const int position = list.PositionOf(child);
            if (position < 0)
                return true;
            Parents& found = parents[static_cast<std::size_t>(position)];
            if (!found.smallest)
                found.smallest = parent;
            if (found.current == parent)
                found.currentStays = true;
            return false;
        });
    }
    for (std::size_t i = 0; i < list.functions.size(); ++i)
        list.functions[i]->primaryParent = parents[i].currentStays ? parents[i].current : parents[i].smallest;
}

// Drops the Fn statements whose unit function is gone, clears what the walk derives again and counts
// the Fn statements that call each unit function.
void ResetDerivedFields(const FunctionList& list) {
    std::vector<quint32> called;
    for (CUnitFunction* function : list.functions) {
        std::erase_if(function->logicLines, [&](const auto& line) {
            if (!line || !line->IsFnStatement())
                return false;
            if (line->calledInternalID != 0 && !list.Contains(line->calledInternalID))
                return true;
            called.push_back(line->calledInternalID);
            return false;
        });
        function->outlineNumbers.clear();
        function->primaryOutlineNumber.clear();
        function->occurrenceCount = 0;
        function->fnCallerCount = 0;
        function->header.effectiveRequirements = function->header.ownRequirements;
    }
    for (const quint32 id : called) {
        if (CUnitFunction* function = list.Find(id))
            ++function->fnCallerCount;
    }
}

// One walk of every path from the origin: outline numbers, occurrence counts, inherited requirements and
// work sums.
class PathWalk {
public:
    explicit PathWalk(const ModelOptions& options)
        : m_inheritDown(options.InheritRequirementsDown), m_inheritUp(options.InheritRequirementsUp) {}

    // Returns the work of the place and everything below it; `inherited` comes from above, `out` takes the
    // requirements from below.
    double Visit(CUnitFunction* function, bool primary, const std::set<QString>& inherited, std::set<QString>& out) {
        function->outlineNumbers.insert(m_number);
        PathStep step(m_path, function);
        if (!step.entered) {
            function->occurrenceCount = -1;
            return 0.0;
        }
        ++function->occurrenceCount;
        if (primary)
            function->primaryOutlineNumber = m_number;

        CUnitFunctionHeader& header = function->header;
        std::set<QString> passed;
        if (m_inheritDown) {
            header.effectiveRequirements.insert(inherited.begin(), inherited.end());
            passed = header.ownRequirements;
            passed.insert(inherited.begin(), inherited.end());
        }
        std::set<QString> below;
        double sum = 0.0;
        m_number.push_back(0);
        for (std::size_t i = 0; i < function->children.size(); ++i) {
            CUnitFunction* child = function->children[i];
            m_number.back() = static_cast<int>(i + 1);
            sum += Visit(child, primary && child->primaryParent == function, passed, below);
        }
        m_number.pop_back();
        if (m_inheritUp) {
            header.effectiveRequirements.insert(below.begin(), below.end());
            out.insert(header.ownRequirements.begin(), header.ownRequirements.end());
            out.insert(below.begin(), below.end());
        }
        header.Child = static_cast<float>(sum);
        header.Total = static_cast<float>(sum + header.Work);
        return sum + header.Work;
    }

private:
    const bool m_inheritDown;
    const bool m_inheritUp;
    FunctionPath m_path;
    OutlineNumber m_number;
};

} // namespace

void CUnitFunctionRegistry::Rebuild(const ModelOptions& options) {
    const FunctionList list(m_functions);
    DropStaleChildrenAndUpdatePrimaryParents(list);
    ResetDerivedFields(list);
    if (origin) {
        std::set<QString> out;
        PathWalk(options).Visit(origin, true, {}, out);
    }
    quint32 counter = 1;
    for (CUnitFunction* function : list.functions)
        function->serialNumber = function->outlineNumbers.empty() ? counter++ : 0;
}
