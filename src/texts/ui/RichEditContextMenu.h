#pragma once

#include <QString>

class QAction;
class QMenu;
struct CMessageContext;

// The command id a context-menu action stands for: its data when set, else the id of the text controls'
// own edit action (undo, redo, cut, copy, paste, delete, select all); 0 for none.
int RichEditMenuCommand(const QAction& action);

// Rewrites the right-click menu of a rich-text edit control in the context's language before it shows:
// submenus at the first four places get their titles, command items their captions; items the menu does not
// hold are skipped. The keywords are the document's current Do and Fn keywords.
void LocalizeRichEditContextMenu(const CMessageContext& context, QMenu& menu, const QString& doKeyword,
                                 const QString& fnKeyword);
