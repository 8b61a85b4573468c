#pragma once

#include "model/ModelOptions.h"
#include "model/UnitFunction.h"

#include <optional>
#include <vector>

class CUnitFunctionRegistry;

// Keeps a unit function's children and its Fn statements in agreement across one edit: construct it
// before the edit, call Synchronize after it. The snapshots hold InternalIDs, so a unit function deleted
// meanwhile is never reached through them.
class CIndexLogicSync {
public:
    CIndexLogicSync(CUnitFunction* function, const CUnitFunctionRegistry& registry, const ModelOptions& options);

    // Carries the change of one side over to the other as far as SynchronizeFn allows, then takes new
    // snapshots.
    void Synchronize();

    // For a command that only adds or only removes Fn statements, one at a time: whether synchronising once after
    // all of them (call this with the Fn statements as they are before the first removal or after the last
    // addition) gives what synchronising after each would give. It does when nothing is synchronised, and when the
    // two sides agree at the snapshot and no unit function is called twice, so that they agree after every step.
    bool StepsCollapse() const;

    // For a command that adds or removes a run of Fn statements one at a time, synchronising after each as when
    // StepsCollapse() is false: gives in one pass what those steps give. The lines before firstLine are as they
    // were at the snapshot, and so are the children; from there on the Fn statements of a run of lines were all
    // added, in their order, or all removed, the last first, and nothing else changed. Otherwise this is
    // Synchronize().
    void SynchronizeEachStep(size_t firstLine);

private:
    using IdList = std::vector<quint32>;

    IdList ChildIds() const;
    IdList CalleeIds() const;
    void TakeSnapshots();

    template <typename Mismatch>
    size_t WalkFnStatements(size_t& child, std::optional<size_t>& lastMatch, Mismatch onMismatch);
    void InsertFnStatementsForNewChildren();
    void DeleteFnStatementsOfRemovedChildren();
    void RetargetFnStatements();
    void ApplyFnChangesToChildren(const IdList& callees);
    void ApplyChildChangesToFnStatements(const IdList& children);

    CUnitFunction* m_function;
    const CUnitFunctionRegistry& m_registry;
    ModelOptions m_options;
    IdList m_childrenSnapshot;
    IdList m_fnSnapshot;
};
