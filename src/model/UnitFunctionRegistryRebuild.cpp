#include "model/UnitFunctionRegistry.h"

#include <algorithm>
#include <memory>
#include <utility>

// The registry's rebuild: every field derived from the child lists, the Fn statements, the requirements and
// the work amounts is computed again. The registry's table is stepped through once; the passes over every unit
// function run over a list taken from it, in which what they look up lies apart from the unit functions. One walk from
// the origin then enumerates every path and derives all that depends on the places. The path holds the unit functions
// on the current one (entered on the way down, left on the way back, so a deep hierarchy costs one set, not one per
// level), and a cycle ends the walk where it closes. Each place is one record that points to its parent's, so numbers
// share their prefixes; in the same way the requirements handed down or up are nodes of one graph that share what the
// levels above or below added.

namespace {

// The unit functions in InternalID order, with what the passes look up kept apart from the unit functions
// themselves, so that a lookup touches no unit function.
class FunctionList {
public:
    explicit FunctionList(CUnitFunctionTable& table) {
        functions.reserve(table.size());
        m_ids.reserve(table.size());
        m_positions.reserve(table.size());
        for (auto& [id, function] : table) {
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
// the Fn statements that call each unit function. Returns the node of each unit function's own requirements.
std::vector<int> ResetDerivedFields(const FunctionList& list, RequirementGraph& requirements) {
    std::vector<int> own;
    own.reserve(list.functions.size());
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
        function->places.clear();
        function->primaryPlace = nullptr;
        function->occurrenceCount = 0;
        function->fnCallerCount = 0;
        own.push_back(requirements.AddSet(function->header.ownRequirements));
        function->header.effectiveRequirementsNode = own.back();
    }
    for (const quint32 id : called) {
        if (CUnitFunction* function = list.Find(id))
            ++function->fnCallerCount;
    }
    return own;
}

// One walk of every path from the origin: places, occurrence counts, inherited requirements and work sums.
// The walk keeps its own stack: a hierarchy may be as deep as there are unit functions.
class PathWalk {
public:
    PathWalk(const ModelOptions& options, std::deque<OutlinePlace>& places, const FunctionList& list,
             const std::vector<int>& ownRequirements, RequirementGraph& requirements)
        : m_inheritDown(options.InheritRequirementsDown), m_inheritUp(options.InheritRequirementsUp), m_places(places),
          m_list(list), m_own(ownRequirements), m_requirements(requirements) {}

    // A path holds each unit function once, so the levels never grow past their number.
    void Run(CUnitFunction* origin) {
        m_levels.reserve(m_list.functions.size() + 1);
        int out = RequirementGraph::None;
        Enter(origin, true, nullptr, 0, RequirementGraph::None);
        while (!m_levels.empty()) {
            Level& level = m_levels.back();
            if (level.next < level.function->children.size()) {
                CUnitFunction* child = level.function->children[level.next++];
                Enter(child, level.primary && child->primaryParent == level.function, level.place,
                      static_cast<int>(level.next), level.passed);
                continue;
            }
            CUnitFunctionHeader& header = level.function->header;
            int& above = m_levels.size() > 1 ? m_levels[m_levels.size() - 2].below : out;
            if (m_inheritUp) {
                header.effectiveRequirementsNode = m_requirements.Union(header.effectiveRequirementsNode, level.below);
                above = m_requirements.Union(above, m_requirements.Union(level.own, level.below));
            }
            header.Child = static_cast<float>(level.sum);
            header.Total = static_cast<float>(level.sum + header.Work);
            const double total = level.sum + header.Work;
            m_path.erase(level.function);
            m_levels.pop_back();
            if (!m_levels.empty())
                m_levels.back().sum += total;
        }
    }

private:
    struct Level {
        CUnitFunction* function;
        bool primary;
        const OutlinePlace* place;
        int own;    // the unit function's own requirements
        int passed; // requirements handed down
        int below;  // requirements handed up
        double sum = 0.0;
        std::size_t next = 0;
    };

    // Records the place; a unit function already on the path is not entered again.
    void Enter(CUnitFunction* function, bool primary, const OutlinePlace* parent, int position, int inherited) {
        const OutlinePlace* place =
            &m_places.emplace_back(OutlinePlace{parent, position, static_cast<quint32>(m_places.size())});
        function->places.push_back(place);
        if (!m_path.insert(function).second) {
            function->occurrenceCount = -1;
            return;
        }
        ++function->occurrenceCount;
        if (primary)
            function->primaryPlace = place;
        const int own = m_own[static_cast<std::size_t>(m_list.PositionOf(function))];
        Level level{function, primary, place, own, RequirementGraph::None, RequirementGraph::None};
        if (m_inheritDown) {
            int& effective = function->header.effectiveRequirementsNode;
            effective = m_requirements.Union(effective, inherited);
            level.passed = m_requirements.Union(own, inherited);
        }
        m_levels.push_back(std::move(level));
    }

    const bool m_inheritDown;
    const bool m_inheritUp;
    std::deque<OutlinePlace>& m_places;
    const FunctionList& m_list;
    const std::vector<int>& m_own;
    RequirementGraph& m_requirements;
    FunctionPath m_path;
    std::vector<Level> m_levels;
};

} // namespace

void CUnitFunctionRegistry::Rebuild(const ModelOptions& options) {
    const FunctionList list(m_functions);
    DropStaleChildrenAndUpdatePrimaryParents(list);
    auto requirements = std::make_shared<RequirementGraph>();
    const std::vector<int> own = ResetDerivedFields(list, *requirements);
    m_places.clear();
    if (origin)
        PathWalk(options, m_places, list, own, *requirements).Run(origin);
    quint32 counter = 1;
    for (CUnitFunction* function : list.functions) {
        function->serialNumber = function->places.empty() ? counter++ : 0;
        function->header.requirementGraph = requirements;
    }
}
