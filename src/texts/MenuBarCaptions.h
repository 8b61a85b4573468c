#pragma once

#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

struct CMessageContext;

// The captions of the menu bar's first top-level buttons, chosen by how many buttons the bar holds
// (the document menu, the menu without a document). Buttons beyond the result keep their own captions.
std::vector<QString> MakeMenuBarButtonCaptions(const CMessageContext& context, int buttonCount);

// The caption of a command item of the main menus in the context's language; empty for a command without a
// row of its own, which keeps the caption it has.
std::optional<QString> MakeCommandItemCaption(const CMessageContext& context, int command);
// The caption of an item of the "編集" popup of the content text and the side panes: in Japanese as the popup
// names it, in English as the main menus do; empty for a command the popup does not hold.
std::optional<QString> MakeEditPopupCaption(const CMessageContext& context, int command);
// The caption of a command item, keyed by its text id: the localised one above or, for a command the
// localisation has no row for, its own in the context's language; empty for an unknown text id.
QString MakeCommandCaption(const CMessageContext& context, int text);
// The same without its access key, for tooltips and lists: "&Save", "保存(&S)" give "Save", "保存".
QString MakeCommandCaptionWithoutAccessKey(const CMessageContext& context, int text);
// The caption and tooltip of a toolbar button: the command's own where its menu item reads as another's in a
// different submenu (both inspections read "Total inspection"), else the caption without its access key.
QString MakeToolBarButtonCaption(const CMessageContext& context, int text);
// Items that every localisation shows greyed, whatever their update rule says.
bool IsCommandItemGreyed(int command);
// The captions of a popup's submenu titles by position, when its submenus stand exactly where those of one
// known popup stand; empty otherwise.
std::map<int, QString> MakePopupTitleCaptions(const CMessageContext& context, const std::set<int>& submenuPositions);

// The submenus of the main menus. They hold their captions as the menus are built, before the localisation
// rewrites those it knows.
enum class MenuCaption {
    File,
    ImportAndExport,
    Edit,
    View,
    ToolBarsAndDockingWindows,
    ApplicationLook,
    Move,
    SemanticSettings,
    Inspections,
    InspectCurrentFunction,
    InspectAllFunctions,
    Vesk,
    Fonts,
    Collaboration,
    Zipc,
    TeamFoundationServer,
    Help,
    Language,
};
QString MakeMenuCaption(MenuCaption caption);

// The captions of the right-click menu of the rich-text edit controls: its first four items by position and
// its command items by command, none with an access key. "Replace with" names the current keywords of the Do
// and Fn statements.
struct RichEditContextMenuCaptions {
    std::vector<QString> positions;
    std::map<int, QString> commands;
};
RichEditContextMenuCaptions MakeRichEditContextMenuCaptions(const CMessageContext& context, const QString& doKeyword,
                                                            const QString& fnKeyword);
