#include "model/AbstractIndexItem.h"

#include "model/ModelShell.h"
#include "model/UnitFunction.h"

#include <map>

namespace {

// Visits the item and every item below it, parents before their children, in display order.
template <typename Item, typename Visit> void ForEachInSubtree(Item& item, Visit visit) {
    std::vector<Item*> pending{&item};
    while (!pending.empty()) {
        Item& current = *pending.back();
        pending.pop_back();
        visit(current);
        for (auto child = current.children.rbegin(); child != current.children.rend(); ++child)
            pending.push_back(&*child);
    }
}

} // namespace

CAbstractIndexItem::~CAbstractIndexItem() {
    if (children.empty())
        return;
    // Freed a level at a time: each item freed here has handed its children over, so none recurses.
    std::vector<std::vector<CAbstractIndexItem>> pending;
    pending.push_back(std::move(children));
    while (!pending.empty()) {
        std::vector<CAbstractIndexItem> level = std::move(pending.back());
        pending.pop_back();
        for (CAbstractIndexItem& child : level) {
            if (!child.children.empty())
                pending.push_back(std::move(child.children));
        }
    }
}

CAbstractIndexItem::CAbstractIndexItem(const CAbstractIndexItem& other) {
    struct Copy {
        const CAbstractIndexItem* from;
        CAbstractIndexItem* to;
    };
    std::vector<Copy> pending{{&other, this}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        const OutlinePlace* parent = to->place.parent;
        to->unitFunction = from->unitFunction;
        to->place = from->place;
        to->treeExpanded = from->treeExpanded;
        to->chartExpanded = from->chartExpanded;
        to->diagramExpanded = from->diagramExpanded;
        to->cycleStop = from->cycleStop;
        to->primaryPlace = from->primaryPlace;
        to->moveSource = from->moveSource;
        to->selected = from->selected;
        to->diagramMarked = from->diagramMarked;
        to->treeItem = from->treeItem;
        // The copies below point to the copy's places.
        if (to != this)
            to->place.parent = parent;
        to->children.resize(from->children.size());
        for (std::size_t i = 0; i < from->children.size(); ++i) {
            to->children[i].place.parent = &to->place;
            pending.push_back({&from->children[i], &to->children[i]});
        }
    }
}

CAbstractIndexItem& CAbstractIndexItem::operator=(const CAbstractIndexItem& other) {
    if (this != &other)
        *this = CAbstractIndexItem(other);
    return *this;
}

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

CAbstractIndexItem* CAbstractIndexItem::FindParent(CAbstractIndexItem*, const CAbstractIndexItem* item,
                                                   CAbstractIndexItem* current) {
    // The parent of a place is the place its number without the last element names, from the root.
    const OutlineNumber number = item->GetOutlineNumber();
    if (!current || number.empty())
        return nullptr;
    CAbstractIndexItem* parent = FindByOutlineNumber(current, OutlineNumber(number.begin(), number.end() - 1), 0);
    return parent && static_cast<size_t>(number.back()) <= parent->children.size() ? parent : nullptr;
}

void CAbstractIndexItem::CollectSubtree(CAbstractIndexItem* item, std::vector<CAbstractIndexItem*>& items) {
    ForEachInSubtree(*item, [&items](CAbstractIndexItem& visited) { items.push_back(&visited); });
}

int CAbstractIndexItem::CountItems(CAbstractIndexItem* item) {
    int count = 0;
    ForEachInSubtree(*item, [&count](const CAbstractIndexItem&) { ++count; });
    return count;
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
    return unitFunction->fnCallerCount > 0 || this == &root || !place.parent;
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
    // Depth first; `path` holds the unit functions of the levels still open.
    struct Level {
        CAbstractIndexItem* item;
        size_t next;
    };
    FunctionPath path;
    std::vector<Level> levels;
    const auto enter = [&](CAbstractIndexItem& entered) {
        BuildChildren(entered, path);
        if (!entered.children.empty()) {
            path.insert(entered.unitFunction);
            levels.push_back({&entered, 0});
        }
    };
    enter(item);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next < level.item->children.size()) {
            enter(level.item->children[level.next++]);
            continue;
        }
        path.erase(level.item->unitFunction);
        levels.pop_back();
    }
    Renumber(item, true);
}

void CAbstractIndexItem::BuildChildren(CAbstractIndexItem& item, const FunctionPath& path) {
    if (!item.unitFunction) {
        item.children.clear();
        return;
    }
    const bool entered = !path.contains(item.unitFunction);
    item.cycleStop = entered ? 0 : 1;
    if (!entered) {
        item.children.clear();
        return;
    }
    // Items of unit functions that stay keep their view state (expanded, selected, tree entry). An item
    // used at two places is copied for all but the last of them.
    struct Saved {
        CAbstractIndexItem item;
        size_t uses = 0;
    };
    std::map<CUnitFunction*, Saved> saved;
    for (CAbstractIndexItem& child : item.children)
        saved[child.unitFunction].item = std::move(child);
    for (CUnitFunction* function : item.unitFunction->children) {
        if (auto found = saved.find(function); found != saved.end())
            ++found->second.uses;
    }
    item.children.clear();
    item.children.reserve(item.unitFunction->children.size());
    for (CUnitFunction* function : item.unitFunction->children) {
        auto found = saved.find(function);
        if (found == saved.end()) {
            item.children.emplace_back();
            item.children.back().unitFunction = function;
        } else if (--found->second.uses == 0) {
            item.children.push_back(std::move(found->second.item));
        } else {
            item.children.push_back(found->second.item);
        }
    }
}

void CAbstractIndexItem::Renumber(CAbstractIndexItem& item, bool onPrimaryPath) {
    item.primaryPlace = onPrimaryPath ? 1 : 0;
    ForEachInSubtree(item, [](CAbstractIndexItem& parent) {
        if (!parent.unitFunction)
            return;
        for (size_t i = 0; i < parent.children.size(); ++i) {
            CAbstractIndexItem& child = parent.children[i];
            child.place.parent = &parent.place;
            child.place.position = static_cast<int>(i + 1);
            child.primaryPlace =
                parent.primaryPlace && child.unitFunction && child.unitFunction->primaryParent == parent.unitFunction
                    ? 1
                    : 0;
        }
    });
}

void CAbstractIndexItem::ResetMoveSourceFlagRecursive(CAbstractIndexItem& item) {
    ForEachInSubtree(item, [](CAbstractIndexItem& visited) { visited.moveSource = 0; });
}

void CAbstractIndexItem::ResetTreeFlagRecursive(CAbstractIndexItem& item) {
    ForEachInSubtree(item, [](CAbstractIndexItem& visited) { visited.selected = 0; });
}

void CAbstractIndexItem::ResetDiagramFlagRecursive(CAbstractIndexItem& item) {
    ForEachInSubtree(item, [](CAbstractIndexItem& visited) { visited.diagramMarked = 0; });
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
    shell.SetOpenedFromOutlineNumber(item.GetOutlineNumber());
    SelectInTree(root, item);
}
