#pragma once

#include "model/LogicLine.h"
#include "model/ModelOptions.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunctionHeader.h"

#include <QString>

#include <memory>
#include <set>
#include <unordered_set>
#include <vector>

class CUnitFunctionRegistry;
class CUnitFunction;
struct AuxiliaryVerb;
struct FunctionAttribute;

// Orders unit functions by InternalID, so that every loop over a set of them runs the same way each time.
struct InternalIDLess {
    bool operator()(const CUnitFunction* a, const CUnitFunction* b) const;
};
using UnitFunctionSet = std::set<CUnitFunction*, InternalIDLess>;
using UnitFunctionList = std::vector<CUnitFunction*>;
using LogicLineArray = std::vector<std::unique_ptr<CLogicLine>>;

// The unit functions on the path from the origin to the one a walk is visiting.
using FunctionPath = std::unordered_set<const CUnitFunction*>;

// A unit of specified behaviour. Held by value in the registry; other unit functions refer to it by
// pointer or InternalID and never own it.
class CUnitFunction {
public:
    // The name boxes let a name be typed this long; a name read from a file or a map may be longer.
    static constexpr int MaxTypedNameLength = 64;

    CUnitFunctionHeader header;
    LogicLineArray logicLines; // the line count is logicLines.size()
    QString name;
    quint32 InternalID = 0;
    UnitFunctionList children; // table-of-contents order; an entry may repeat
    CUnitFunction* primaryParent = nullptr;
    QString codeSymbol;

    // Derived by the registry's rebuild. The places belong to the registry and last until its next rebuild.
    qint32 occurrenceCount = 0; // places below the origin; -1 when it contains itself
    qint32 fnCallerCount = 0;
    std::vector<const OutlinePlace*> places; // in outline order
    const OutlinePlace* primaryPlace = nullptr;
    quint32 serialNumber = 0; // 1, 2, ... for unit functions without a place

    CUnitFunction() = default;
    CUnitFunction(CUnitFunction&&) = default;
    CUnitFunction& operator=(CUnitFunction&&) = default;

    // Shown at two or more places, or inside itself (-1 compares above 1 unsigned).
    bool IsShared() const { return static_cast<quint32>(occurrenceCount) > 1; }

    static void AppendChild(CUnitFunction* parent, CUnitFunction* child);
    static void AddChild(CUnitFunction* parent, CUnitFunction* child);
    static void InsertChild(CUnitFunction* parent, CUnitFunction* child, int index);

    // Copies content, work, requirements, reason, pane sizes, deep copies of the logic lines and the child
    // list; the target gets no primary parent. The embedded objects become the target's own bytes.
    static void CopyContentsTo(const CUnitFunction& source, CUnitFunction& target);

    // "+3" without a place, else the primary number or all numbers joined with "/".
    QString GetOutlineNumberText(bool distinguishPrimaryOutlineNumber) const;
    QString JoinOutlineNumbers() const;
    std::vector<OutlineNumber> GetOutlineNumbers() const;
    OutlineNumber GetPrimaryOutlineNumber() const { return GetOutlineNumber(primaryPlace); }
    // The place a tab of the unit function stands for: `chosen` (may be null) while the unit function still
    // stands there; else its primary place when the document distinguishes it, else its first. False when no
    // item shows it.
    bool GetCurrentOutlineNumber(const OutlineNumber* chosen, bool distinguishPrimaryOutlineNumber,
                                 OutlineNumber& number) const;
    // The text a tab and its outline-number box show: the chosen place while it holds, else
    // GetOutlineNumberText.
    QString GetShownOutlineNumberText(const OutlineNumber* chosen, bool distinguishPrimaryOutlineNumber) const;

    // Everything reachable from start through children and Fn statements, start included.
    static void WalkChildren(CUnitFunction* start, UnitFunctionSet& visited, const CUnitFunctionRegistry& registry);
    static void CollectDescendants(CUnitFunction* start, UnitFunctionSet& visited,
                                   const CUnitFunctionRegistry& registry);

    // Parts of an Fn statement's text; the name goes between the label and the number.
    static QString FormatFnReferenceLabel(const CUnitFunction* called, const CUnitFunction* calling,
                                          const CUnitFunctionRegistry& registry, const ModelOptions& options);
    static QString FormatFnStatementNumber(const CUnitFunction& called, const ModelOptions& options);
    static QString GetFnStatementOpening(const ModelOptions& options);
    static QString GetFnStatementClosing(const ModelOptions& options);

    // TypeNo from the first attribute whose symbol equals the type text, 0 without one.
    void MatchFunctionAttribute(const std::vector<FunctionAttribute>& attributes);
    // The auxiliary verbs of the if lines (fourth slot) and case lines (second slot).
    void MatchAuxiliaryVerbs(const std::vector<AuxiliaryVerb>& verbs);

    // Agreement of the child list and the Fn statements.
    UnitFunctionList CollectFnCallees(const CUnitFunctionRegistry& registry) const;
    bool ChildrenMatchFnStatements(const CUnitFunctionRegistry& registry) const;
    void FnStatementsFromChildren(const CUnitFunctionRegistry& registry, const ModelOptions& options);
    void ChildrenFromFnStatements(const CUnitFunctionRegistry& registry);
    void RemoveDuplicateChildren();
    bool HasDuplicateChildren() const;
    void RemoveEmptyFnStatements();
    int CountFnStatements() const; // Fn statements that name a unit function

    // Text of the switch statement still open at the end of the logic description.
    QString GetOpenSwitchText() const;

    // Makes a new Fn statement for the called unit function and inserts it at index.
    void InsertFnStatement(int index, const CUnitFunction& called, int column, const ModelOptions& options);
    void DeleteLine(int index);
};

// The unit functions as every list shows them: placed ones in outline order, then the others by serial number;
// equal ones keep the order they had.
void SortInOutlineOrder(UnitFunctionList& functions, bool distinguishPrimaryOutlineNumber);
void SortedVectorFromSet(const UnitFunctionSet& set, UnitFunctionList& vector, bool distinguishPrimaryOutlineNumber);
