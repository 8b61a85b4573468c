#include "views/IndexContextMenu.h"

#include "model/DocumentData.h"
#include "texts/Msg.h"

std::vector<CIndexContextMenu::Entry>
CIndexContextMenu::LocalizeIndexContextMenu(const CMessageContext& context, int menuLevel,
                                            bool distinguishPrimaryOutlineNumber) {
    const auto entry = [](int id, const QString& text) { return Entry{id, text, true, false, {}}; };
    Entry kinds{0, Msg::SelectMenu(context), true, false, {}};
    kinds.submenu = {Entry{SimpleMenu, Msg::Simple(context), true, menuLevel == 0, {}},
                     Entry{FullMenu, Msg::Full(context), true, menuLevel == 1, {}}};
    if (menuLevel == 0) {
        return {entry(CreateChild, Msg::CreateChildFunction(context)),
                entry(CreateYoungerSibling, Msg::CreateYoungerSiblingFunction(context)),
                entry(AddChild, Msg::AddCurrentFunctionAsChild(context)),
                entry(Move, Msg::Move(context)),
                entry(RemoveFromIndex, Msg::Delete(context)),
                Entry{},
                kinds};
    }
    Entry reuse = entry(MakeReuseSource, Msg::ChangeToSourceOfReuse(context));
    reuse.enabled = distinguishPrimaryOutlineNumber;
    return {entry(CreateChild, Msg::CreateChildFunction(context)),
            entry(CreateElderSibling, Msg::CreateElderSiblingFunction(context)),
            entry(CreateYoungerSibling, Msg::CreateYoungerSiblingFunction(context)),
            entry(AddChild, Msg::AddCurrentFunctionAsChild(context)),
            entry(AddElderSibling, Msg::AddCurrentFunctionAsElderSibling(context)),
            entry(AddYoungerSibling, Msg::AddCurrentFunctionAsYoungerSibling(context)),
            entry(Move, Msg::Move(context)),
            entry(RemoveFromIndex, Msg::Delete(context)),
            entry(DeleteCompletely, Msg::DeleteCompletelyFromFunctionList(context)),
            entry(Isolate, Msg::IsolateFromSharedFunction(context)),
            reuse,
            Entry{},
            kinds};
}

void CIndexContextMenu::RunCommand(int id, CDocumentData& document, CAbstractIndexItem& item) {
    const ModelOptions options = document.GetModelOptions();
    switch (id) {
    case CreateChild:
        CAbstractIndexItem::CreateChildFunction(document, item, options);
        break;
    case CreateElderSibling:
        CAbstractIndexItem::CreateElderSiblingFunction(document, item, options);
        break;
    case CreateYoungerSibling:
        CAbstractIndexItem::CreateYoungerSiblingFunction(document, item, options);
        break;
    case AddChild:
        CAbstractIndexItem::AppendChildFunction(document, item, options);
        break;
    case AddElderSibling:
        CAbstractIndexItem::InsertElderSiblingFunction(document, item, options);
        break;
    case AddYoungerSibling:
        CAbstractIndexItem::InsertYoungerSiblingFunction(document, item, options);
        break;
    case Move:
        CAbstractIndexItem::ShowMoveDialog(document, item);
        break;
    case RemoveFromIndex:
        CAbstractIndexItem::RemoveFromIndex(document, item, options);
        break;
    case DeleteCompletely:
        CAbstractIndexItem::DeleteFunctionCompletely(document, item, options);
        break;
    case Isolate:
        CAbstractIndexItem::IsolateFromSharedFunctions(document, item, options);
        break;
    case MakeReuseSource:
        CAbstractIndexItem::MakeReuseSource(document, item, options);
        break;
    case SimpleMenu:
        document.environment.indexMenuLevel = 0;
        break;
    case FullMenu:
        document.environment.indexMenuLevel = 1;
        break;
    default:
        break;
    }
}
