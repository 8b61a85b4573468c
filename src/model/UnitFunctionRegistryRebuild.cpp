#include "model/UnitFunctionRegistry.h"

#include <algorithm>

// The registry's rebuild: every field derived from the child lists, the Fn statements, the requirements and
// the work amounts is computed again, pass by pass. The walks from the origin enumerate every path; the
// path holds the unit functions on the current one (entered on the way down, left on the way back, so a
// deep hierarchy costs one set, not one per level), and a cycle ends the walk where it closes.

void CUnitFunctionRegistry::Rebuild(const ModelOptions& options) {
    DropStaleChildren();
    UpdatePrimaryParents();
    DropStaleFnStatements();
    ClearOutlineNumbers();
    FunctionPath path;
    AssignOutlineNumbers(origin, true, {}, path);
    AssignSerialNumbers();
    ResetOccurrenceCounts();
    CountOccurrences(origin, path);
    CountFnCallers();
    InheritRequirements(options);
    if (origin)
        SumWorkAmounts(origin, path);
}

void CUnitFunctionRegistry::DropStaleChildren() {
    std::set<const CUnitFunction*> registered;
    for (const auto& [id, function] : m_functions)
        registered.insert(&function);
    for (auto& [id, function] : m_functions)
        std::erase_if(function.children, [&registered](CUnitFunction* child) { return !registered.contains(child); });
}

void CUnitFunctionRegistry::UpdatePrimaryParents() {
    // Parents ordered by InternalID: when the primary parent is gone, the one with the smallest ID takes
    // over, the same on every run.
    std::map<CUnitFunction*, UnitFunctionSet> parents;
    for (auto& [id, parent] : m_functions) {
        for (CUnitFunction* child : parent.children)
            parents[child].insert(&parent);
    }
    for (auto& [id, function] : m_functions) {
        auto found = parents.find(&function);
        if (found == parents.end())
            function.primaryParent = nullptr;
        else if (std::find(found->second.begin(), found->second.end(), function.primaryParent) == found->second.end())
            function.primaryParent = *found->second.begin();
    }
}

void CUnitFunctionRegistry::DropStaleFnStatements() {
    for (auto& [id, function] : m_functions) {
        std::erase_if(function.logicLines, [this](const auto& line) {
            return line && line->IsFnStatement() && line->calledInternalID != 0 &&
                   !m_functions.contains(line->calledInternalID);
        });
    }
}

void CUnitFunctionRegistry::ClearOutlineNumbers() {
    for (auto& [id, function] : m_functions) {
        function.outlineNumbers.clear();
        function.primaryOutlineNumber.clear();
    }
}

void CUnitFunctionRegistry::AssignOutlineNumbers(CUnitFunction* function, bool primary, const OutlineNumber& number,
                                                 FunctionPath& path) {
    if (!function)
        return;
    function->outlineNumbers.insert(number);
    PathStep step(path, function);
    if (!step.entered)
        return;
    if (primary)
        function->primaryOutlineNumber = number;
    OutlineNumber childNumber = number;
    childNumber.push_back(0);
    for (size_t i = 0; i < function->children.size(); ++i) {
        CUnitFunction* child = function->children[i];
        childNumber.back() = static_cast<int>(i + 1);
        AssignOutlineNumbers(child, primary && child->primaryParent == function, childNumber, path);
    }
}

void CUnitFunctionRegistry::AssignSerialNumbers() {
    quint32 counter = 1;
    for (auto& [id, function] : m_functions)
        function.serialNumber = function.outlineNumbers.empty() ? counter++ : 0;
}

void CUnitFunctionRegistry::ResetOccurrenceCounts() {
    for (auto& [id, function] : m_functions)
        function.occurrenceCount = 0;
}

void CUnitFunctionRegistry::CountOccurrences(CUnitFunction* function, FunctionPath& path) {
    if (!function)
        return;
    PathStep step(path, function);
    if (!step.entered) {
        function->occurrenceCount = -1;
        return;
    }
    ++function->occurrenceCount;
    for (CUnitFunction* child : function->children)
        CountOccurrences(child, path);
}

void CUnitFunctionRegistry::CountFnCallers() {
    for (auto& [id, function] : m_functions)
        function.fnCallerCount = 0;
    for (const auto& [id, function] : m_functions) {
        for (const auto& line : function.logicLines) {
            if (!line || !line->IsFnStatement())
                continue;
            if (CUnitFunction* called = FindByInternalID(line->calledInternalID))
                ++called->fnCallerCount;
        }
    }
}

namespace {

void InheritDown(CUnitFunction* function, FunctionPath& path, const std::set<QString>& inherited) {
    PathStep step(path, function);
    if (!step.entered)
        return;
    CUnitFunctionHeader& header = function->header;
    header.effectiveRequirements.insert(inherited.begin(), inherited.end());
    std::set<QString> passed = header.ownRequirements;
    passed.insert(inherited.begin(), inherited.end());
    for (CUnitFunction* child : function->children)
        InheritDown(child, path, passed);
}

void InheritUp(CUnitFunction* function, FunctionPath& path, std::set<QString>& out) {
    PathStep step(path, function);
    if (!step.entered)
        return;
    std::set<QString> below;
    for (CUnitFunction* child : function->children)
        InheritUp(child, path, below);
    CUnitFunctionHeader& header = function->header;
    header.effectiveRequirements.insert(below.begin(), below.end());
    out.insert(header.ownRequirements.begin(), header.ownRequirements.end());
    out.insert(below.begin(), below.end());
}

} // namespace

void CUnitFunctionRegistry::InheritRequirements(const ModelOptions& options) {
    for (auto& [id, function] : m_functions)
        function.header.effectiveRequirements = function.header.ownRequirements;
    if (!origin)
        return;
    FunctionPath path;
    if (options.InheritRequirementsDown)
        InheritDown(origin, path, {});
    if (options.InheritRequirementsUp) {
        std::set<QString> out;
        InheritUp(origin, path, out);
    }
}

double CUnitFunctionRegistry::SumWorkAmounts(CUnitFunction* function, FunctionPath& path) {
    PathStep step(path, function);
    if (!step.entered)
        return 0.0;
    double sum = 0.0;
    for (CUnitFunction* child : function->children)
        sum += SumWorkAmounts(child, path);
    CUnitFunctionHeader& header = function->header;
    header.Child = static_cast<float>(sum);
    header.Total = static_cast<float>(sum + header.Work);
    return sum + header.Work;
}
