#pragma once

#include "model/ModelOptions.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunction.h"

#include <QString>

#include <vector>

class CDocumentData;

// One place of a unit function in the table of contents. The tree is rebuilt from the unit functions'
// child lists after every change and keeps only view state of its own; items are held by value, so a
// pointer to an item is good only until the next RebuildIndexTree. Every walk of the tree keeps its own
// stack, freeing and copying included: a tree may be as deep as there are unit functions.
class CAbstractIndexItem {
public:
    std::vector<CAbstractIndexItem> children;
    CUnitFunction* unitFunction = nullptr;
    OutlinePlace place; // points to the parent's place, set by Renumber
    quint8 treeExpanded = 1;
    quint8 chartExpanded = 1;
    quint8 diagramExpanded = 1;
    quint8 cycleStop = 0; // already on the path from the root: no children below
    quint8 primaryPlace = 0;
    quint8 moveSource = 0;
    quint8 selected = 0;
    quint8 diagramMarked = 0;
    void* treeItem = nullptr; // entry of the table-of-contents tree pane, owned by that pane

    CAbstractIndexItem() = default;
    ~CAbstractIndexItem();
    CAbstractIndexItem(const CAbstractIndexItem& other);
    CAbstractIndexItem& operator=(const CAbstractIndexItem& other);
    CAbstractIndexItem(CAbstractIndexItem&&) = default;
    CAbstractIndexItem& operator=(CAbstractIndexItem&&) = default;
    void Clear();

    OutlineNumber GetOutlineNumber() const { return ::GetOutlineNumber(&place); }
    QString GetOutlineNumberString() const { return GetOutlineNumberText(GetOutlineNumber()); }

    // Queries.
    static CAbstractIndexItem* FindByOutlineNumber(CAbstractIndexItem* start, const OutlineNumber& number,
                                                   size_t firstIndex);
    static CAbstractIndexItem* FindParent(CAbstractIndexItem* root, const CAbstractIndexItem* item,
                                          CAbstractIndexItem* current);
    static void CollectSubtree(CAbstractIndexItem* item, std::vector<CAbstractIndexItem*>& items);
    static int CountItems(CAbstractIndexItem* item);
    static CAbstractIndexItem* GetCurrentItem(CAbstractIndexItem& root);
    static bool IsRepeatedAmongSiblings(CAbstractIndexItem& root, const CAbstractIndexItem& item);
    bool HasSolidFrame(const CAbstractIndexItem& root) const;
    QString GetUnitFunctionName() const;
    QString GetFunctionOutlineText(const ModelOptions& options) const;
    QString GetDisplayText(const ModelOptions& options) const;

    // Tree maintenance.
    static void RebuildIndexTree(CAbstractIndexItem& item, CUnitFunction* origin);
    static void Renumber(CAbstractIndexItem& item, bool onPrimaryPath);
    static void ResetMoveSourceFlagRecursive(CAbstractIndexItem& item);
    static void ResetTreeFlagRecursive(CAbstractIndexItem& item);
    static void ResetDiagramFlagRecursive(CAbstractIndexItem& item);
    static void SelectInTree(CAbstractIndexItem& root, CAbstractIndexItem& item);
    static void EnsureVisible(CAbstractIndexItem& item);
    static void Open(CAbstractIndexItem& root, CAbstractIndexItem& item);

    // Commands of the context menu. Refusals are error message boxes; nothing changes then. The item
    // must not be used after a command: the tree has been rebuilt.
    static void CreateChildFunction(CDocumentData& document, CAbstractIndexItem& item, const ModelOptions& options);
    static void CreateElderSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                           const ModelOptions& options);
    static void CreateYoungerSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                             const ModelOptions& options);
    static void AppendChildFunction(CDocumentData& document, CAbstractIndexItem& item, const ModelOptions& options);
    static void InsertElderSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                           const ModelOptions& options);
    static void InsertYoungerSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                             const ModelOptions& options);
    static void ShowMoveDialog(CDocumentData& document, CAbstractIndexItem& item);
    static void MoveToOutlineNumber(CDocumentData& document, CAbstractIndexItem& item, const QString& text, bool& moved,
                                    const ModelOptions& options);
    static void RemoveFromIndex(CDocumentData& document, CAbstractIndexItem& item, const ModelOptions& options);
    static void DeleteFunctionCompletely(CDocumentData& document, CAbstractIndexItem& item,
                                         const ModelOptions& options);
    static void MakeReuseSource(CDocumentData& document, CAbstractIndexItem& item, const ModelOptions& options);
    static void IsolateFromSharedFunctions(CDocumentData& document, CAbstractIndexItem& item,
                                           const ModelOptions& options);

private:
    static void BuildChildren(CAbstractIndexItem& item, const FunctionPath& path);
    static void DetachMoveSourceRecursive(CDocumentData& document, CAbstractIndexItem& item,
                                          const ModelOptions& options);
};
