#pragma once

#include <QString>

#include <vector>

class CAbstractIndexItem;
class CDocumentData;
struct CMessageContext;

// The table of contents' context menu that every navigation view shows for an item: the full or simple menu
// as the document's menu level asks, in the current language, and the command chosen in it run on the
// document's item.
class CIndexContextMenu {
public:
    enum Command {
        CreateChild = 33087,
        CreateElderSibling = 33105,
        CreateYoungerSibling = 33106,
        AddChild = 33088,
        AddElderSibling = 33107,
        AddYoungerSibling = 33108,
        Move = 33089,
        RemoveFromIndex = 33090,
        DeleteCompletely = 33110,
        Isolate = 33099,
        MakeReuseSource = 33091,
        SimpleMenu = 33115,
        FullMenu = 33116,
    };

    struct Entry {
        int id = 0; // 0 for a separator or a submenu
        QString text;
        bool enabled = true;
        bool checked = false;
        std::vector<Entry> submenu;

        bool IsSeparator() const { return id == 0 && text.isEmpty(); }
    };

    // The menu of the menu level (0 simple, else full) with its texts, check mark and greyed entries.
    static std::vector<Entry> LocalizeIndexContextMenu(const CMessageContext& context, int menuLevel,
                                                       bool distinguishPrimaryOutlineNumber);
    // Runs a chosen command on the document's item; the item is not to be used afterwards.
    static void RunCommand(int id, CDocumentData& document, CAbstractIndexItem& item);
};
