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
// Items that every localisation shows greyed, whatever their update rule says.
bool IsCommandItemGreyed(int command);
// The captions of a popup's submenu titles by position, when its submenus stand exactly where those of one
// known popup stand; empty otherwise.
std::map<int, QString> MakePopupTitleCaptions(const CMessageContext& context, const std::set<int>& submenuPositions);

// The captions of the right-click menu of the rich-text edit controls: its first four items by position and
// its command items by command, none with an access key. "Replace with" names the current keywords of the Do
// and Fn statements.
struct RichEditContextMenuCaptions {
    std::vector<QString> positions;
    std::map<int, QString> commands;
};
RichEditContextMenuCaptions MakeRichEditContextMenuCaptions(const CMessageContext& context, const QString& doKeyword,
                                                            const QString& fnKeyword);
