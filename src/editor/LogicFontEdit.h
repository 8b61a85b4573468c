#pragma once

#include "model/FontSetting.h"

#include <QString>

#include <optional>

class CLogicEditModel;

// The font edit of the logic editor: what the font dialog opens with for the caret or the selection, and how its
// result goes back into the lines.
struct LogicFontEdit {
    FontSetting font;
    quint32 mask = AllFontAttributes;
    // The member or state name under the caret, which the dialog may give the font in every line; empty otherwise.
    QString nameAtCaret;
    int firstLine = 0;
    int lastLine = 0;
    int lineCount = 0; // whole lines selected, 0 for a selection inside one line
    int startZone = 0;
    int endZone = 0;
};

// True when the caret stands in a slot with text whose font may be set, or the selection covers lines.
bool CanEditFontAtCaret(const CLogicEditModel& model);
// What the dialog opens with; none when the unit function has no lines.
std::optional<LogicFontEdit> BeginFontEditAtCaret(const CLogicEditModel& model);
// Writes the font the dialog gave back: into every selected line's styled slots as the mask says, or into the
// slot under the caret, or, with a name, into every occurrence of that name in the document. True when lines
// may have changed.
bool ApplyFontEditAtCaret(CLogicEditModel& model, const LogicFontEdit& edit, const FontSetting& chosen, quint32 mask,
                          const QString& name);
