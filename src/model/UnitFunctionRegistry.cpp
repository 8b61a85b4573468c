#include "model/UnitFunctionRegistry.h"

#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "model/ModelShell.h"
#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

CUnitFunction* CUnitFunctionRegistry::CreateDefaultFunction(const ModelOptions& options) {
    CUnitFunction* function = CreateFunction(QString(), options);
    if (function)
        origin = function;
    return function;
}

CUnitFunction* CUnitFunctionRegistry::CreateFunction(const QString& name, const ModelOptions& options) {
    quint32 id = 0;
    if (!DrawInternalID(id))
        return nullptr;
    CUnitFunction* function = InsertNew(id);
    function->name = name;
    function->header.UnNecessaryReasoning = options.UnNecessaryReasoningDefault ? 1 : 0;
    ModelShell().AssignUniqueLabelIfEmpty(*function);
    return function;
}

CUnitFunction* CUnitFunctionRegistry::CreateFunctionForMerge(const QString& name) {
    quint32 id = 0;
    if (!DrawInternalID(id))
        return nullptr;
    CUnitFunction* function = InsertNew(id);
    function->name = name;
    return function;
}

CUnitFunction* CUnitFunctionRegistry::CreateFunctionWithID(quint32 id) {
    return InsertNew(id);
}

CUnitFunction* CUnitFunctionRegistry::InsertNew(quint32 id) {
    return m_functions.Insert(id).first;
}

bool CUnitFunctionRegistry::DrawInternalID(quint32& id) const {
    // Drawing at random only ends while a value is free; with all of them taken, say so instead.
    if (m_functions.SlotsInUse() - (m_functions.Contains(0) ? 1 : 0) >= MaxDrawnInternalID) {
        platform::ShowMessageBox(LoadString(StringId::TooManyUnitFunctions).arg(MaxDrawnInternalID),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    do {
        id = static_cast<quint32>(platform::Random());
    } while (id == 0 || m_functions.Contains(id));
    return true;
}

CUnitFunction* CUnitFunctionRegistry::FindByInternalID(quint32 id) const {
    return m_functions.Find(id);
}

CUnitFunction* CUnitFunctionRegistry::FindByName(const QString& name) const {
    for (const auto& [id, function] : m_functions) {
        if (function.name == name)
            return const_cast<CUnitFunction*>(&function);
    }
    return nullptr;
}

FunctionNameIndex CUnitFunctionRegistry::IndexByName() const {
    FunctionNameIndex index;
    index.reserve(m_functions.size());
    for (const auto& [id, function] : m_functions)
        index.try_emplace(function.name, const_cast<CUnitFunction*>(&function));
    return index;
}

CUnitFunction* CUnitFunctionRegistry::FindByUniqueLabel(const QString& label) const {
    for (const auto& [id, function] : m_functions) {
        if (function.header.uniqueLabel == label)
            return const_cast<CUnitFunction*>(&function);
    }
    return nullptr;
}

namespace {

// The numbers a unit function is found by: its primary outline number and all of them joined, or "+serial" when
// it has no place in the outline.
std::pair<QString, QString> DisplayedNumbers(const CUnitFunction& function) {
    if (function.places.empty())
        return {QStringLiteral("+%1").arg(function.serialNumber), QString()};
    return {GetOutlineNumberText(function.GetPrimaryOutlineNumber()), function.JoinOutlineNumbers()};
}

} // namespace

CUnitFunction* CUnitFunctionRegistry::FindByDisplayedNumber(const QString& text) const {
    for (const auto& [id, function] : m_functions) {
        const auto [primary, all] = DisplayedNumbers(function);
        if (text == primary || text == all)
            return const_cast<CUnitFunction*>(&function);
    }
    return nullptr;
}

DisplayedNumberIndex CUnitFunctionRegistry::IndexByDisplayedNumber() const {
    DisplayedNumberIndex index;
    index.reserve(2 * m_functions.size());
    for (const auto& [id, function] : m_functions) {
        const auto [primary, all] = DisplayedNumbers(function);
        index.try_emplace(primary, const_cast<CUnitFunction*>(&function));
        index.try_emplace(all, const_cast<CUnitFunction*>(&function));
    }
    return index;
}

bool CUnitFunctionRegistry::FindDuplicateName(QString& name) const {
    std::set<QString> seen;
    for (const auto& [id, function] : m_functions) {
        if (seen.contains(function.name)) {
            name = function.name;
            return true;
        }
        if (!function.name.isEmpty())
            seen.insert(function.name);
    }
    return false;
}

void CUnitFunctionRegistry::CollectAll(UnitFunctionSet& set) const {
    set.clear();
    // The table runs in the set's own order: appending at the end spares a search through the set for each.
    for (const auto& [id, function] : m_functions)
        set.insert(set.end(), const_cast<CUnitFunction*>(&function));
}

UnitFunctionList CUnitFunctionRegistry::InOutlineOrder(bool distinguishPrimaryOutlineNumber) const {
    UnitFunctionList functions;
    functions.reserve(m_functions.size());
    for (const auto& [id, function] : m_functions)
        functions.push_back(const_cast<CUnitFunction*>(&function));
    SortInOutlineOrder(functions, distinguishPrimaryOutlineNumber);
    return functions;
}

void CUnitFunctionRegistry::CollectForSelection(UnitFunctionSet& set, const QString& name) const {
    set.clear();
    for (const auto& [id, function] : m_functions) {
        if (function.name == name)
            set.insert(const_cast<CUnitFunction*>(&function));
    }
}

namespace {

// The next unit function an Fn statement of the function calls, from line `next` on; null after the last.
const CUnitFunction* NextCallee(const CUnitFunction* function, std::size_t& next,
                                const CUnitFunctionRegistry& registry) {
    while (next < function->logicLines.size()) {
        const auto& line = function->logicLines[next++];
        if (line && line->IsFnStatement()) {
            if (const CUnitFunction* called = registry.FindByInternalID(line->calledInternalID))
                return called;
        }
    }
    return nullptr;
}

struct CallLevel {
    const CUnitFunction* function;
    std::size_t next;
};

} // namespace

// Depth first along Fn statements, with a stack of our own: calls may nest as deep as there are unit functions.
bool CUnitFunctionRegistry::IsReachable(const CUnitFunction* a, const CUnitFunction* b,
                                        std::set<const CUnitFunction*>& visited) const {
    if (!a)
        return false;
    if (a == b)
        return true;
    if (!visited.insert(a).second)
        return false;
    std::vector<CallLevel> levels{{a, 0}};
    while (!levels.empty()) {
        const CUnitFunction* called = NextCallee(levels.back().function, levels.back().next, *this);
        if (!called) {
            levels.pop_back();
        } else if (called == b) {
            return true;
        } else if (visited.insert(called).second) {
            levels.push_back({called, 0});
        }
    }
    return false;
}

// A unit function from which no cycle was found is not searched again: shared callees would otherwise be
// walked once per path.
bool CUnitFunctionRegistry::IsTableOfContentsDeeperThan(int levels) const {
    if (!origin)
        return false;
    // The levels below each unit function once it has been walked: a unit function shown in several places is
    // walked once. An explicit stack, as deep as the table of contents.
    struct Frame {
        const CUnitFunction* function;
        size_t next = 0;
        int below = 0;
    };
    std::unordered_map<const CUnitFunction*, int> below;
    std::unordered_set<const CUnitFunction*> onPath{origin};
    std::vector<Frame> stack{{origin}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next < frame.function->children.size()) {
            const CUnitFunction* child = frame.function->children[frame.next++];
            if (!child || onPath.contains(child))
                continue;
            if (const auto walked = below.find(child); walked != below.end()) {
                frame.below = std::max(frame.below, walked->second + 1);
                if (static_cast<int>(stack.size()) - 1 + frame.below > levels)
                    return true;
                continue;
            }
            if (static_cast<int>(stack.size()) >= levels + 1)
                return true;
            onPath.insert(child);
            stack.push_back({child});
            continue;
        }
        const Frame done = frame;
        below[done.function] = done.below;
        onPath.erase(done.function);
        stack.pop_back();
        if (!stack.empty())
            stack.back().below = std::max(stack.back().below, done.below + 1);
    }
    return false;
}

bool CUnitFunctionRegistry::HasFnCycle(const CUnitFunction* function, FunctionPath* reached) const {
    FunctionPath path{function};
    FunctionPath acyclic;
    std::vector<CallLevel> levels{{function, 0}};
    while (!levels.empty()) {
        const CUnitFunction* called = NextCallee(levels.back().function, levels.back().next, *this);
        if (!called) {
            path.erase(levels.back().function);
            acyclic.insert(levels.back().function);
            levels.pop_back();
        } else if (path.contains(called)) {
            return true;
        } else if (!acyclic.contains(called)) {
            path.insert(called);
            levels.push_back({called, 0});
        }
    }
    if (reached)
        *reached = std::move(acyclic);
    return false;
}

bool CUnitFunctionRegistry::DeleteFunction(CUnitFunction* function, CDocumentData& document,
                                           const ModelOptions& options) {
    if (function == origin) {
        platform::ShowMessageBox(LoadString(StringId::OriginCannotBeDeleted), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }
    if (!function->header.uniqueLabel.isEmpty())
        document.deletedUniqueLabels.insert(function->header.uniqueLabel);
    ModelShell().CloseFunctionTab(function);

    // Nothing may point at the unit function once it is freed: child lists, primary parents and the
    // items of the table of contents let go of it first. Fn statements name it by ID only.
    for (auto& [id, other] : m_functions) {
        std::erase(other.children, function);
        if (other.primaryParent == function)
            other.primaryParent = nullptr;
    }
    CAbstractIndexItem::RebuildIndexTree(document.indexRoot, origin);
    const quint32 id = function->InternalID;
    m_functions.Erase(id);

    Rebuild(options);
    CAbstractIndexItem::RebuildIndexTree(document.indexRoot, origin);
    return true;
}

void CUnitFunctionRegistry::Clear() {
    origin = nullptr;
    m_functions.Clear();
    m_places.clear();
}

CUnitFunctionTable CUnitFunctionRegistry::TakeFunctions() {
    CUnitFunctionTable functions = std::move(m_functions);
    // Their places go with the registry's.
    for (auto& [id, function] : functions) {
        function.places.clear();
        function.primaryPlace = nullptr;
    }
    Clear();
    return functions;
}

CUnitFunction* CUnitFunctionRegistry::AdoptFunction(std::unique_ptr<CUnitFunctionTable::value_type> made) {
    return m_functions.Adopt(std::move(made));
}

void CUnitFunctionRegistry::RebuildAndNotify(CAbstractIndexItem& root, const ModelOptions& options) {
    Rebuild(options);
    CAbstractIndexItem::RebuildIndexTree(root, origin);
}

void CUnitFunctionRegistry::UpdateAllFunctionViews(CAbstractIndexItem& root) const {
    CModelShell& shell = ModelShell();
    shell.RefreshFunctionList();
    shell.UpdateAllDocumentViews();
    shell.UpdatePaneViews();
    if (CAbstractIndexItem* current = CAbstractIndexItem::GetCurrentItem(root))
        CAbstractIndexItem::SelectInTree(root, *current);
    shell.RedrawStructureDiagram();
    shell.RelayoutStructureDiagram();
}

void CUnitFunctionRegistry::RematchFunctionAttributesAll(const std::vector<FunctionAttribute>& attributes) {
    for (auto& [id, function] : m_functions)
        function.MatchFunctionAttribute(attributes);
}

void CUnitFunctionRegistry::RematchAuxiliaryVerbsAll(const std::vector<AuxiliaryVerb>& verbs) {
    for (auto& [id, function] : m_functions)
        function.MatchAuxiliaryVerbs(verbs);
}

void CUnitFunctionRegistry::RemoveEmptyFnStatementsAll() {
    for (auto& [id, function] : m_functions)
        function.RemoveEmptyFnStatements();
}

bool CUnitFunctionRegistry::AllFunctionsSatisfy() const {
    return std::all_of(m_functions.begin(), m_functions.end(),
                       [this](const auto& entry) { return entry.second.ChildrenMatchFnStatements(*this); });
}

void CUnitFunctionRegistry::SynchronizeAllFnLines(const ModelOptions& options) {
    for (auto& [id, function] : m_functions)
        function.FnStatementsFromChildren(*this, options);
}

void CUnitFunctionRegistry::ChildrenFromFnStatementsAll() {
    for (auto& [id, function] : m_functions)
        function.ChildrenFromFnStatements(*this);
}

bool CUnitFunctionRegistry::AnyFunctionHasDuplicateChildren() const {
    return std::any_of(m_functions.begin(), m_functions.end(),
                       [](const auto& entry) { return entry.second.HasDuplicateChildren(); });
}

void CUnitFunctionRegistry::RemoveDuplicateChildrenAll() {
    for (auto& [id, function] : m_functions)
        function.RemoveDuplicateChildren();
}

int CUnitFunctionRegistry::CountFnStatements() const {
    int count = 0;
    for (const auto& [id, function] : m_functions)
        count += function.CountFnStatements();
    return count;
}
