#include "model/AbstractIndexItem.h"

#include "model/ModelShell.h"
#include "model/UnitFunction.h"

#include <map>

void CAbstractIndexItem::Clear() {
    *this = CAbstractIndexItem();
}

CAbstractIndexItem* CAbstractIndexItem::FindByOutlineNumber(CAbstractIndexItem* start, const OutlineNumber& number,
                                                            size_t firstIndex) {
    if (firstIndex > number.size())
        return nullptr;
    CAbstractIndexItem* current = start;
    for (size_t i = firstIndex; i < number.size() && current; ++i) {
        const quint32 index = static_cast<quint32>(number[i]) - 1;
        if (index >= current->children.size())
            return nullptr;
        current = &current->children[index];
    }
    return current;
}

CAbstractIndexItem* CAbstractIndexItem::FindParent(CAbstractIndexItem* root, const CAbstractIndexItem* item,
                                                   CAbstractIndexItem* current) {
    if (!current)
        return nullptr;
    for (CAbstractIndexItem& child : current->children) {
        if (&child == item || child.outlineNumber == item->outlineNumber)
            return current;
    }
    for (CAbstractIndexItem& child : current->children) {
        if (CAbstractIndexItem* parent = FindParent(root, item, &child))
            return parent;
    }
    return nullptr;
}

void CAbstractIndexItem::CollectSubtree(CAbstractIndexItem* item, std::vector<CAbstractIndexItem*>& items) {
    items.push_back(item);
    for (CAbstractIndexItem& child : item->children)
        CollectSubtree(&child, items);
}

int CAbstractIndexItem::CountItems(CAbstractIndexItem* item) {
    std::vector<CAbstractIndexItem*> items;
    CollectSubtree(item, items);
    return static_cast<int>(items.size());
}

CAbstractIndexItem* CAbstractIndexItem::GetCurrentItem(CAbstractIndexItem& root) {
    CModelShell& shell = ModelShell();
    CUnitFunction* shown = shell.ActiveTabFunction();
    OutlineNumber number;
    if (!shown || !shell.GetCurrentOutlineNumber(number))
        return nullptr;
    CAbstractIndexItem* item = FindByOutlineNumber(&root, number, 0);
    return item && item->unitFunction == shown ? item : nullptr;
}

bool CAbstractIndexItem::IsRepeatedAmongSiblings(CAbstractIndexItem& root, const CAbstractIndexItem& item) {
    const CAbstractIndexItem* parent = FindParent(&root, &item, &root);
    if (!parent)
        return false;
    int count = 0;
    for (const CAbstractIndexItem& sibling : parent->children) {
        if (sibling.unitFunction == item.unitFunction)
            ++count;
    }
    return count > 1;
}

bool CAbstractIndexItem::HasSolidFrame(const CAbstractIndexItem& root) const {
    if (!unitFunction)
        return false;
    return unitFunction->fnCallerCount > 0 || this == &root || outlineNumber.empty();
}

QString CAbstractIndexItem::GetUnitFunctionName() const {
    return unitFunction ? unitFunction->name : QString();
}

QString CAbstractIndexItem::GetFunctionOutlineText(const ModelOptions& options) const {
    return unitFunction ? unitFunction->GetOutlineNumberText(options.DistinguishPrimaryOutlineNumber) : QString();
}

QString CAbstractIndexItem::GetDisplayText(const ModelOptions& options) const {
    const QString name = GetUnitFunctionName();
    const bool bracketed =
        options.DistinguishPrimaryOutlineNumber ? !primaryPlace : unitFunction && unitFunction->IsShared();
    return bracketed ? QStringLiteral("[[") + name + QStringLiteral("]]") : name;
}

void CAbstractIndexItem::RebuildIndexTree(CAbstractIndexItem& item, CUnitFunction* origin) {
    if (!item.unitFunction)
        item.unitFunction = origin;
    FunctionPath path;
    BuildChildrenRecursive(item, path);
    Renumber(item, true);
}

void CAbstractIndexItem::BuildChildrenRecursive(CAbstractIndexItem& item, FunctionPath& path) {
    if (!item.unitFunction) {
        item.children.clear();
        return;
    }
    PathStep step(path, item.unitFunction);
    item.cycleStop = step.entered ? 0 : 1;
    if (!step.entered) {
        item.children.clear();
        return;
    }
    // Items of unit functions that stay keep their view state (expanded, selected, tree entry).
    std::map<CUnitFunction*, CAbstractIndexItem> saved;
    for (CAbstractIndexItem& child : item.children)
        saved[child.unitFunction] = std::move(child);
    item.children.clear();
    item.children.reserve(item.unitFunction->children.size());
    for (CUnitFunction* function : item.unitFunction->children) {
        auto found = saved.find(function);
        if (found != saved.end()) {
            item.children.push_back(found->second);
        } else {
            item.children.emplace_back();
            item.children.back().unitFunction = function;
        }
    }
    for (CAbstractIndexItem& child : item.children)
        BuildChildrenRecursive(child, path);
}

void CAbstractIndexItem::Renumber(CAbstractIndexItem& item, bool onPrimaryPath) {
    item.primaryPlace = onPrimaryPath ? 1 : 0;
    if (!item.unitFunction)
        return;
    for (size_t i = 0; i < item.children.size(); ++i) {
        CAbstractIndexItem& child = item.children[i];
        child.outlineNumber = item.outlineNumber;
        child.outlineNumber.push_back(static_cast<int>(i + 1));
        Renumber(child, onPrimaryPath && child.unitFunction && child.unitFunction->primaryParent == item.unitFunction);
    }
}

void CAbstractIndexItem::ResetMoveSourceFlagRecursive(CAbstractIndexItem& item) {
    item.moveSource = 0;
    for (CAbstractIndexItem& child : item.children)
        ResetMoveSourceFlagRecursive(child);
}

void CAbstractIndexItem::ResetTreeFlagRecursive(CAbstractIndexItem& item) {
    item.selected = 0;
    for (CAbstractIndexItem& child : item.children)
        ResetTreeFlagRecursive(child);
}

void CAbstractIndexItem::ResetDiagramFlagRecursive(CAbstractIndexItem& item) {
    item.diagramMarked = 0;
    for (CAbstractIndexItem& child : item.children)
        ResetDiagramFlagRecursive(child);
}

void CAbstractIndexItem::SelectInTree(CAbstractIndexItem& root, CAbstractIndexItem& item) {
    ResetTreeFlagRecursive(root);
    item.selected = 1;
    ModelShell().RedrawStructureDiagram();
    ModelShell().SelectTreeItem(item);
}

void CAbstractIndexItem::EnsureVisible(CAbstractIndexItem& item) {
    ModelShell().EnsureTreeItemVisible(item);
}

void CAbstractIndexItem::Open(CAbstractIndexItem& root, CAbstractIndexItem& item) {
    CModelShell& shell = ModelShell();
    if (!shell.ConsumeSuppressOpening())
        shell.OpenFunctionTab(item.unitFunction);
    shell.SetOpenedFromOutlineNumber(item.outlineNumber);
    SelectInTree(root, item);
}
