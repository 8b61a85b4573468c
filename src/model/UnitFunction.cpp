#include "model/UnitFunction.h"

#include "model/AuxiliaryVerb.h"
#include "model/FunctionAttribute.h"
#include "model/UnitFunctionRegistry.h"

#include <QStringList>

#include <algorithm>

bool InternalIDLess::operator()(const CUnitFunction* a, const CUnitFunction* b) const {
    return a->InternalID < b->InternalID;
}

void CUnitFunction::AppendChild(CUnitFunction* parent, CUnitFunction* child) {
    parent->children.push_back(child);
    if (!child->primaryParent)
        child->primaryParent = parent;
}

void CUnitFunction::AddChild(CUnitFunction* parent, CUnitFunction* child) {
    if (std::find(parent->children.begin(), parent->children.end(), child) == parent->children.end())
        AppendChild(parent, child);
}

void CUnitFunction::InsertChild(CUnitFunction* parent, CUnitFunction* child, int index) {
    Q_ASSERT(index >= 0 && index <= static_cast<int>(parent->children.size()));
    parent->children.insert(parent->children.begin() + index, child);
    if (!child->primaryParent)
        child->primaryParent = parent;
}

void CUnitFunction::CopyContentsTo(const CUnitFunction& source, CUnitFunction& target) {
    const CUnitFunctionHeader& from = source.header;
    CUnitFunctionHeader& to = target.header;
    to.contentText = from.contentText;
    to.contentLineNum = from.contentLineNum;
    to.contentFont = from.contentFont;
    // Each unit function keeps its own bytes: deleting one must never take the other's objects with it.
    to.objectData = QByteArray(from.objectData.constData(), from.objectData.size());
    to.objectOriginalSize = from.objectOriginalSize;
    to.Unit = from.Unit;
    to.Type = from.Type.left(CUnitFunctionHeader::MaxTypeLength);
    to.Work = from.Work;
    if (&source != &target)
        to.ownRequirements = from.ownRequirements;
    to.Reasoning = from.Reasoning;
    to.FunctionHeight = from.FunctionHeight;
    to.InputWidth = from.InputWidth;
    to.FunctionWidth = from.FunctionWidth;
    to.OutputWidth = from.OutputWidth;

    LogicLineArray lines;
    lines.reserve(source.logicLines.size());
    for (const auto& line : source.logicLines)
        lines.push_back(line ? std::make_unique<CLogicLine>(*line) : nullptr);
    target.logicLines = std::move(lines);
    target.children = source.children;
    target.primaryParent = nullptr;
}

QString CUnitFunction::GetOutlineNumberText(bool distinguishPrimaryOutlineNumber) const {
    if (places.empty())
        return QStringLiteral("+%1").arg(serialNumber);
    if (distinguishPrimaryOutlineNumber)
        return ::GetOutlineNumberText(GetPrimaryOutlineNumber());
    return JoinOutlineNumbers();
}

bool CUnitFunction::GetCurrentOutlineNumber(const OutlineNumber* chosen, bool distinguishPrimaryOutlineNumber,
                                            OutlineNumber& number) const {
    const std::vector<OutlineNumber> numbers = GetOutlineNumbers();
    if (numbers.empty())
        return false;
    if (chosen && std::find(numbers.begin(), numbers.end(), *chosen) != numbers.end())
        number = *chosen;
    else
        number = distinguishPrimaryOutlineNumber ? GetPrimaryOutlineNumber() : numbers.front();
    return true;
}

QString CUnitFunction::GetShownOutlineNumberText(const OutlineNumber* chosen,
                                                 bool distinguishPrimaryOutlineNumber) const {
    OutlineNumber number;
    if (chosen && GetCurrentOutlineNumber(chosen, distinguishPrimaryOutlineNumber, number) && number == *chosen)
        return ::GetOutlineNumberText(number);
    return GetOutlineNumberText(distinguishPrimaryOutlineNumber);
}

QString CUnitFunction::JoinOutlineNumbers() const {
    QStringList texts;
    for (const OutlineNumber& number : GetOutlineNumbers())
        texts << ::GetOutlineNumberText(number);
    return texts.join(QLatin1Char('/'));
}

std::vector<OutlineNumber> CUnitFunction::GetOutlineNumbers() const {
    std::vector<OutlineNumber> numbers;
    for (const OutlinePlace* place : places)
        numbers.push_back(GetOutlineNumber(place));
    return numbers;
}

void CUnitFunction::WalkChildren(CUnitFunction* start, UnitFunctionSet& visited,
                                 const CUnitFunctionRegistry& registry) {
    // An explicit stack: a deep hierarchy must not exhaust the call stack.
    std::vector<CUnitFunction*> pending{start};
    while (!pending.empty()) {
        CUnitFunction* function = pending.back();
        pending.pop_back();
        if (!visited.insert(function).second)
            continue;
        UnitFunctionList next = function->children;
        for (const auto& line : function->logicLines) {
            if (line && line->IsFnStatement()) {
                if (CUnitFunction* called = registry.FindByInternalID(line->calledInternalID))
                    next.push_back(called);
            }
        }
        pending.insert(pending.end(), next.rbegin(), next.rend());
    }
}

void CUnitFunction::CollectDescendants(CUnitFunction* start, UnitFunctionSet& visited,
                                       const CUnitFunctionRegistry& registry) {
    if (!visited.insert(start).second)
        return;
    for (CUnitFunction* child : start->children)
        WalkChildren(child, visited, registry);
}

namespace {

bool IsCommonInFnStatement(const CUnitFunction& function, const ModelOptions& options) {
    return !options.DistinguishPrimaryOutlineNumber && function.IsShared();
}

} // namespace

QString CUnitFunction::FormatFnReferenceLabel(const CUnitFunction* called, const CUnitFunction* calling,
                                              const CUnitFunctionRegistry& registry, const ModelOptions& options) {
    QString label = options.fnKeyword;
    std::set<const CUnitFunction*> visited;
    if (registry.IsReachable(called, calling, visited))
        label += QStringLiteral("-LOOP");
    label += IsCommonInFnStatement(*called, options) ? QStringLiteral(" [[") : QStringLiteral(" [ ");
    return label;
}

QString CUnitFunction::FormatFnStatementNumber(const CUnitFunction& called, const ModelOptions& options) {
    QString text = IsCommonInFnStatement(called, options) ? QStringLiteral("]]") : QStringLiteral(" ]");
    if (options.ShowOutlineNumberInFnStatement)
        text += QStringLiteral(" (%1)").arg(called.GetOutlineNumberText(options.DistinguishPrimaryOutlineNumber));
    return text;
}

QString CUnitFunction::GetFnStatementOpening(const ModelOptions& options) {
    return options.fnKeyword + QStringLiteral(" [ ");
}

QString CUnitFunction::GetFnStatementClosing(const ModelOptions& options) {
    return options.ShowOutlineNumberInFnStatement ? QStringLiteral(" ] ()") : QStringLiteral(" ]");
}

void CUnitFunction::MatchFunctionAttribute(const std::vector<FunctionAttribute>& attributes) {
    header.TypeNo = 0;
    for (const FunctionAttribute& attribute : attributes) {
        if (attribute.symbol == header.Type) {
            header.TypeNo = attribute.id;
            return;
        }
    }
}

void CUnitFunction::MatchAuxiliaryVerbs(const std::vector<AuxiliaryVerb>& verbs) {
    for (const auto& line : logicLines) {
        if (line && line->lineKind == SyntaxIf)
            line->MatchAuxiliaryVerb(line->textSlots[3].text, verbs);
        else if (line && line->lineKind == SyntaxCase)
            line->MatchAuxiliaryVerb(line->textSlots[1].text, verbs);
    }
}

UnitFunctionList CUnitFunction::CollectFnCallees(const CUnitFunctionRegistry& registry) const {
    UnitFunctionList callees;
    for (const auto& line : logicLines) {
        if (line && line->IsFnStatement() && line->calledInternalID != 0) {
            if (CUnitFunction* called = registry.FindByInternalID(line->calledInternalID))
                callees.push_back(called);
        }
    }
    return callees;
}

bool CUnitFunction::ChildrenMatchFnStatements(const CUnitFunctionRegistry& registry) const {
    return children == CollectFnCallees(registry);
}

void CUnitFunction::FnStatementsFromChildren(const CUnitFunctionRegistry& registry, const ModelOptions& options) {
    if (ChildrenMatchFnStatements(registry))
        return;
    std::erase_if(logicLines, [](const auto& line) { return line && line->IsFnStatement(); });
    for (int i = 0; i < static_cast<int>(children.size()); ++i)
        InsertFnStatement(i, *children[i], 0, options);
}

void CUnitFunction::ChildrenFromFnStatements(const CUnitFunctionRegistry& registry) {
    UnitFunctionList callees = CollectFnCallees(registry);
    if (children != callees)
        children = std::move(callees);
}

void CUnitFunction::RemoveDuplicateChildren() {
    std::unordered_set<const CUnitFunction*> seen;
    std::erase_if(children, [&seen](const CUnitFunction* child) { return !seen.insert(child).second; });
}

bool CUnitFunction::HasDuplicateChildren() const {
    const std::set<CUnitFunction*> distinct(children.begin(), children.end());
    return distinct.size() != children.size();
}

void CUnitFunction::RemoveEmptyFnStatements() {
    std::erase_if(logicLines, [](const auto& line) { return line && line->IsEmptyFnStatement(); });
}

int CUnitFunction::CountFnStatements() const {
    return static_cast<int>(std::count_if(logicLines.begin(), logicLines.end(), [](const auto& line) {
        return line && line->IsFnStatement() && line->calledInternalID != 0;
    }));
}

QString CUnitFunction::GetOpenSwitchText() const {
    QStringList open;
    for (const auto& line : logicLines) {
        if (!line)
            continue;
        if (line->lineKind == SyntaxSwitch)
            open.push_back(line->textSlots[0].text);
        else if (line->lineKind == SyntaxEndsw && !open.isEmpty())
            open.pop_back();
    }
    return open.isEmpty() ? QString() : open.back();
}

void CUnitFunction::InsertFnStatement(int index, const CUnitFunction& called, int column, const ModelOptions& options) {
    auto line = std::make_unique<CLogicLine>();
    line->InitFnStatement(called, column, options.fnSymbolColumn);
    logicLines.insert(logicLines.begin() + index, std::move(line));
}

void CUnitFunction::DeleteLine(int index) {
    logicLines.erase(logicLines.begin() + index);
}

namespace {

// A key whose plain lexicographic order is the list order: placed unit functions first, by their places in
// outline order (the rebuild numbers places in that order), then the others by serial number.
void AppendOutlineKey(const CUnitFunction& function, bool distinguishPrimaryOutlineNumber, std::vector<quint64>& key) {
    if (function.places.empty()) {
        key.insert(key.end(), {1, function.serialNumber});
        return;
    }
    key.push_back(0);
    if (distinguishPrimaryOutlineNumber) {
        // The origin's place sorts with a missing one, as both have the empty number.
        if (function.primaryPlace && function.primaryPlace->parent)
            key.push_back(function.primaryPlace->order);
        return;
    }
    for (const OutlinePlace* place : function.places)
        key.push_back(place->order);
}

} // namespace

void SortInOutlineOrder(UnitFunctionList& functions, bool distinguishPrimaryOutlineNumber) {
    // All keys in one buffer: comparing outline numbers through each unit function's own sets missed the cache on
    // every comparison, and the sort grew well beyond the document.
    struct Entry {
        CUnitFunction* function;
        size_t begin;
        size_t end;
    };
    std::vector<quint64> keys;
    std::vector<Entry> entries;
    entries.reserve(functions.size());
    for (CUnitFunction* function : functions) {
        const size_t begin = keys.size();
        AppendOutlineKey(*function, distinguishPrimaryOutlineNumber, keys);
        entries.push_back({function, begin, keys.size()});
    }
    // Stable over the order given, so equal places always list the same way.
    std::stable_sort(entries.begin(), entries.end(), [&keys](const Entry& a, const Entry& b) {
        return std::lexicographical_compare(keys.begin() + a.begin, keys.begin() + a.end, keys.begin() + b.begin,
                                            keys.begin() + b.end);
    });
    for (std::size_t i = 0; i < entries.size(); ++i)
        functions[i] = entries[i].function;
}

void SortedVectorFromSet(const UnitFunctionSet& set, UnitFunctionList& vector, bool distinguishPrimaryOutlineNumber) {
    vector.assign(set.begin(), set.end());
    SortInOutlineOrder(vector, distinguishPrimaryOutlineNumber);
}
