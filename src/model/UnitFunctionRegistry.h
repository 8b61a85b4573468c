#pragma once

#include "model/ModelOptions.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionTable.h"

#include <QString>

#include <deque>
#include <unordered_map>

class CAbstractIndexItem;
class CDocumentData;

// Unit functions by the numbers they are displayed with.
using DisplayedNumberIndex = std::unordered_map<QString, CUnitFunction*>;
// Unit functions by name.
using FunctionNameIndex = std::unordered_map<QString, CUnitFunction*>;

// Every unit function of the open document, keyed by InternalID. Pointers to stored unit functions stay
// valid until that unit function is deleted. Loops run in ascending InternalID order.
class CUnitFunctionRegistry {
public:
    static constexpr quint32 MaxDrawnInternalID = 32767;
    static_assert(MaxDrawnInternalID < CUnitFunctionTable::SlotCount, "drawn IDs index the table directly");

    CUnitFunctionRegistry() = default;
    CUnitFunctionRegistry(const CUnitFunctionRegistry&) = delete;
    CUnitFunctionRegistry& operator=(const CUnitFunctionRegistry&) = delete;

    // The root of the hierarchy, null while the registry is empty.
    CUnitFunction* origin = nullptr;

    const CUnitFunctionTable& Functions() const { return m_functions; }
    // For changes to the unit functions; their InternalIDs, the keys, change only through the registry.
    CUnitFunctionTable& Functions() { return m_functions; }
    int Count() const { return static_cast<int>(m_functions.size()); }

    // Creating returns null, after telling the user, when every InternalID is taken.
    CUnitFunction* CreateDefaultFunction(const ModelOptions& options);
    CUnitFunction* CreateFunction(const QString& name, const ModelOptions& options);
    CUnitFunction* CreateFunctionForMerge(const QString& name);
    // For the reader: returns the stored one when the id is taken already.
    CUnitFunction* CreateFunctionWithID(quint32 id);

    CUnitFunction* FindByInternalID(quint32 id) const;
    CUnitFunction* FindByName(const QString& name) const;
    // The same lookup for many names at once; valid until a unit function is added, removed or renamed.
    FunctionNameIndex IndexByName() const;
    CUnitFunction* FindByUniqueLabel(const QString& label) const;
    // By "1.2", "1.2/3.1" or "+3".
    CUnitFunction* FindByDisplayedNumber(const QString& text) const;
    // The same lookup for many numbers at once; valid until a unit function is added, removed or moved.
    DisplayedNumberIndex IndexByDisplayedNumber() const;
    bool FindDuplicateName(QString& name) const;
    void CollectAll(UnitFunctionSet& set) const;
    // Every unit function as the lists show them (see SortInOutlineOrder).
    UnitFunctionList InOutlineOrder(bool distinguishPrimaryOutlineNumber) const;
    void CollectForSelection(UnitFunctionSet& set, const QString& name) const;

    // Whether b is reached from a through Fn statements; visited is shared by the whole search.
    bool IsReachable(const CUnitFunction* a, const CUnitFunction* b, std::set<const CUnitFunction*>& visited) const;
    // Whether the Fn statements reached from `function` form a cycle; when they do not, `reached` (when given) takes
    // the unit functions reached, `function` included.
    bool HasFnCycle(const CUnitFunction* function, FunctionPath* reached = nullptr) const;
    // Whether the table of contents below the origin nests deeper than `levels` (the origin's children are at level
    // 1). A unit function met again on the way down ends that way there, as in the table of contents.
    bool IsTableOfContentsDeeperThan(int levels) const;

    // Deletes a unit function other than the origin; every reference to it is gone before it is freed.
    // False when nothing was deleted (the origin is refused).
    bool DeleteFunction(CUnitFunction* function, CDocumentData& document, const ModelOptions& options);
    void Clear();
    // Empties the registry and hands its unit functions over.
    CUnitFunctionTable TakeFunctions();
    // Stores a unit function made elsewhere under its InternalID; null when that is taken.
    CUnitFunction* AdoptFunction(std::unique_ptr<CUnitFunctionTable::value_type> made);

    // Recomputes every derived field from the child lists and Fn statements.
    void Rebuild(const ModelOptions& options);
    // Rebuild, then the table-of-contents tree.
    void RebuildAndNotify(CAbstractIndexItem& root, const ModelOptions& options);
    // Refreshes the function list, every view and pane and the structure diagram.
    void UpdateAllFunctionViews(CAbstractIndexItem& root) const;

    // After the function-attribute or auxiliary-verb table changed.
    void RematchFunctionAttributesAll(const std::vector<FunctionAttribute>& attributes);
    void RematchAuxiliaryVerbsAll(const std::vector<AuxiliaryVerb>& verbs);

    // Whole-document conversions between child lists and Fn statements.
    void RemoveEmptyFnStatementsAll();
    bool AllFunctionsSatisfy() const;
    void SynchronizeAllFnLines(const ModelOptions& options);
    void ChildrenFromFnStatementsAll();
    bool AnyFunctionHasDuplicateChildren() const;
    void RemoveDuplicateChildrenAll();
    int CountFnStatements() const;

private:
    // Stores a new unit function under the id, or returns the one stored there already.
    CUnitFunction* InsertNew(quint32 id);
    bool DrawInternalID(quint32& id) const;

    CUnitFunctionTable m_functions;
    // The places of the last rebuild, which the unit functions point to.
    std::deque<OutlinePlace> m_places;
};
