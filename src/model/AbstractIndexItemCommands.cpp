// The commands of the table-of-contents context menu. Each changes child lists only, inside a
// synchroniser scope on the unit function whose children change, then rebuilds the registry and the
// tree, refreshes the views and marks the document modified.

#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "model/IndexLogicSync.h"
#include "model/ModelShell.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "texts/StringTable.h"

namespace {

enum class Placement { Child, ElderSibling, YoungerSibling };

void Refuse(const QString& text) {
    platform::ShowMessageBox(text, platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

void FinishModelChange(CDocumentData& document, const ModelOptions& options) {
    document.RebuildAndRefresh(options);
    ModelShell().SetDocumentModified();
}

// Places a new unit function (create: asks for its name) or the active tab's one at the item.
void PlaceFunction(CDocumentData& document, CAbstractIndexItem& item, Placement placement, bool create,
                   const ModelOptions& options) {
    CAbstractIndexItem& root = document.indexRoot;
    CUnitFunction* receiver = item.unitFunction;
    int index = 0;
    if (placement != Placement::Child) {
        const CAbstractIndexItem* parent = CAbstractIndexItem::FindParent(&root, &item, &root);
        if (!parent) {
            Refuse(LoadString(StringId::OriginHasNoSiblings));
            return;
        }
        receiver = parent->unitFunction;
        index = item.place.position - (placement == Placement::ElderSibling ? 1 : 0);
    }
    if (!receiver)
        return;
    CModelShell& shell = ModelShell();
    CUnitFunction* function = nullptr;
    if (create) {
        QString name;
        if (!shell.PromptFunctionName(name))
            return;
        function = document.registry.CreateFunction(name, options);
    } else {
        function = shell.ActiveTabFunction();
    }
    if (!function)
        return;

    CIndexLogicSync sync(receiver, document.registry, options);
    if (placement == Placement::Child)
        CUnitFunction::AppendChild(receiver, function);
    else
        CUnitFunction::InsertChild(receiver, function, index);
    sync.Synchronize();
    FinishModelChange(document, options);

    if (create && options.OpenTabWhenCreateFunction) {
        shell.OpenFunctionTab(function);
        if (CAbstractIndexItem* current = CAbstractIndexItem::GetCurrentItem(root)) {
            CAbstractIndexItem::SelectInTree(root, *current);
            CAbstractIndexItem::EnsureVisible(*current);
        }
    }
}

void EraseChildAt(CDocumentData& document, CUnitFunction* parent, size_t position, const ModelOptions& options) {
    CIndexLogicSync sync(parent, document.registry, options);
    parent->children.erase(parent->children.begin() + static_cast<long>(position));
    sync.Synchronize();
}

} // namespace

void CAbstractIndexItem::CreateChildFunction(CDocumentData& document, CAbstractIndexItem& item,
                                             const ModelOptions& options) {
    PlaceFunction(document, item, Placement::Child, true, options);
}

void CAbstractIndexItem::CreateElderSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                                    const ModelOptions& options) {
    PlaceFunction(document, item, Placement::ElderSibling, true, options);
}

void CAbstractIndexItem::CreateYoungerSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                                      const ModelOptions& options) {
    PlaceFunction(document, item, Placement::YoungerSibling, true, options);
}

void CAbstractIndexItem::AppendChildFunction(CDocumentData& document, CAbstractIndexItem& item,
                                             const ModelOptions& options) {
    PlaceFunction(document, item, Placement::Child, false, options);
}

void CAbstractIndexItem::InsertElderSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                                    const ModelOptions& options) {
    PlaceFunction(document, item, Placement::ElderSibling, false, options);
}

void CAbstractIndexItem::InsertYoungerSiblingFunction(CDocumentData& document, CAbstractIndexItem& item,
                                                      const ModelOptions& options) {
    PlaceFunction(document, item, Placement::YoungerSibling, false, options);
}

void CAbstractIndexItem::ShowMoveDialog(CDocumentData& document, CAbstractIndexItem& item) {
    if (!FindParent(&document.indexRoot, &item, &document.indexRoot)) {
        Refuse(LoadString(StringId::OriginCannotBeMoved));
        return;
    }
    ModelShell().RunMoveDialog(item);
}

void CAbstractIndexItem::MoveToOutlineNumber(CDocumentData& document, CAbstractIndexItem& item, const QString& text,
                                             bool& moved, const ModelOptions& options) {
    static const QString notHere = LoadString(StringId::CannotMoveThere);
    moved = false;
    CAbstractIndexItem& root = document.indexRoot;
    OutlineNumber target;
    if (!ParseOutlineNumber(text, target)) {
        Refuse(LoadString(StringId::NotAnOutlineNumber));
        return;
    }
    const OutlineNumber parentNumber(target.begin(), target.end() - 1);
    CAbstractIndexItem* newParent = FindByOutlineNumber(&root, parentNumber, 0);
    // A 0 anywhere names no place.
    if (!newParent || target.back() < 1) {
        Refuse(notHere);
        return;
    }
    CAbstractIndexItem* oldParent = FindParent(&root, &item, &root);
    if (!oldParent) {
        Refuse(LoadString(StringId::OriginCannotBeMoved));
        return;
    }
    ResetMoveSourceFlagRecursive(root);
    item.moveSource = 1;
    const size_t oldIndex = static_cast<size_t>(item.place.position - 1);
    const size_t newIndex = static_cast<size_t>(target.back() - 1);
    CUnitFunction* moving = item.unitFunction;
    CUnitFunction* newParentFunction = newParent->unitFunction;
    CUnitFunction* oldParentFunction = oldParent->unitFunction;

    UnitFunctionSet reachable;
    CUnitFunction::WalkChildren(moving, reachable, document.registry);
    if (reachable.contains(newParentFunction)) {
        if (newParentFunction != moving) {
            Refuse(notHere);
            return;
        }
        // Moved below itself: an unnamed unit function takes its place and holds it one level down.
        CUnitFunction* holder = document.registry.CreateFunction(QString(), options);
        if (!holder)
            return;
        {
            CIndexLogicSync sync(oldParentFunction, document.registry, options);
            oldParentFunction->children[oldIndex] = holder;
            sync.Synchronize();
        }
        CIndexLogicSync sync(holder, document.registry, options);
        CUnitFunction::AppendChild(holder, moving);
        sync.Synchronize();
    } else {
        const size_t count = newParentFunction->children.size();
        if (newIndex > count) {
            Refuse(notHere);
            return;
        }
        {
            CIndexLogicSync sync(newParentFunction, document.registry, options);
            CUnitFunction::InsertChild(newParentFunction, moving, static_cast<int>(newIndex));
            sync.Synchronize();
        }
        // Inserted before its old entry in the same parent: the old entry moved up by one.
        if (newIndex < count && oldParentFunction == newParentFunction && newIndex <= oldIndex)
            EraseChildAt(document, oldParentFunction, oldIndex + 1, options);
        else
            DetachMoveSourceRecursive(document, root, options);
    }
    FinishModelChange(document, options);
    moved = true;
}

void CAbstractIndexItem::DetachMoveSourceRecursive(CDocumentData& document, CAbstractIndexItem& item,
                                                   const ModelOptions& options) {
    std::vector<CAbstractIndexItem*> pending{&item};
    while (!pending.empty()) {
        CAbstractIndexItem& current = *pending.back();
        pending.pop_back();
        for (size_t position = 0; position < current.children.size(); ++position) {
            if (current.children[position].moveSource) {
                if (current.unitFunction && position < current.unitFunction->children.size())
                    EraseChildAt(document, current.unitFunction, position, options);
                break;
            }
        }
        for (auto child = current.children.rbegin(); child != current.children.rend(); ++child)
            pending.push_back(&*child);
    }
}

void CAbstractIndexItem::RemoveFromIndex(CDocumentData& document, CAbstractIndexItem& item,
                                         const ModelOptions& options) {
    CAbstractIndexItem* parent = FindParent(&document.indexRoot, &item, &document.indexRoot);
    if (!parent) {
        Refuse(LoadString(StringId::OriginCannotBeRemovedFromIndex));
        return;
    }
    for (size_t position = 0; position < parent->children.size(); ++position) {
        if (&parent->children[position] == &item) {
            if (parent->unitFunction && position < parent->unitFunction->children.size())
                EraseChildAt(document, parent->unitFunction, position, options);
            break;
        }
    }
    FinishModelChange(document, options);
}

void CAbstractIndexItem::DeleteFunctionCompletely(CDocumentData& document, CAbstractIndexItem& item,
                                                  const ModelOptions& options) {
    const QString question =
        LoadString(StringId::ConfirmDeleteFunctionCompletely).arg(Quoted(ShownText(item.GetUnitFunctionName())));
    if (!platform::AskOkCancel(question))
        return;
    if (!document.registry.DeleteFunction(item.unitFunction, document, options))
        return;
    document.registry.UpdateAllFunctionViews(document.indexRoot);
    ModelShell().SetDocumentModified();
}

void CAbstractIndexItem::MakeReuseSource(CDocumentData& document, CAbstractIndexItem& item,
                                         const ModelOptions& options) {
    const CAbstractIndexItem* parent = FindParent(&document.indexRoot, &item, &document.indexRoot);
    if (!parent) {
        Refuse(LoadString(StringId::OriginIsAlwaysReuseSource));
        return;
    }
    if (!parent->primaryPlace) {
        Refuse(LoadString(StringId::ParentIsReuseTarget));
        return;
    }
    if (item.primaryPlace) {
        Refuse(LoadString(StringId::AlreadyReuseSource));
        return;
    }
    item.unitFunction->primaryParent = parent->unitFunction;
    FinishModelChange(document, options);
}

void CAbstractIndexItem::IsolateFromSharedFunctions(CDocumentData& document, CAbstractIndexItem& item,
                                                    const ModelOptions& options) {
    platform::Trace("CAbstractIndexItem", "IsolateFromSharedFunctions");
    CUnitFunction* shared = item.unitFunction;
    if (!shared || !shared->IsShared()) {
        Refuse(LoadString(StringId::NotASharedFunction));
        return;
    }
    const CAbstractIndexItem* parent = FindParent(&document.indexRoot, &item, &document.indexRoot);
    if (!parent) {
        Refuse(LoadString(StringId::OriginCannotBeIsolated));
        return;
    }
    QString newName = shared->name;
    CModelShell& shell = ModelShell();
    if (!shell.PromptIsolatedFunctionName(newName))
        return;
    CUnitFunction* parentFunction = parent->unitFunction;
    if (parentFunction->IsShared()) {
        // The parent's child list serves all its places, so the change shows at every one of them.
        const QString name = Quoted(ShownText(shared->name));
        const QString parentName = Quoted(ShownText(parentFunction->name));
        const QString text = LoadString(StringId::IsolateUnderSharedParent).arg(name, parentName);
        if (!platform::AskOkCancel(text, platform::MessageIcon::Information))
            return;
    }
    const size_t position = static_cast<size_t>(item.place.position - 1);
    if (position >= parentFunction->children.size())
        return;
    CIndexLogicSync sync(parentFunction, document.registry, options);
    CUnitFunction* copy = document.registry.CreateFunction(newName, options);
    if (!copy)
        return;
    CUnitFunction::CopyContentsTo(*shared, *copy);
    parentFunction->children[position] = copy;
    sync.Synchronize();
    FinishModelChange(document, options);
    shell.OpenFunctionTab(copy);
}
