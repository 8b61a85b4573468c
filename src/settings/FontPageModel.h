#pragma once

#include "model/FontSetting.h"
#include "settings/SettingsSheet.h"

#include <QString>

#include <array>

class CDocumentData;
struct CMessageContext;

// What the font page edits: the fonts of the logic description, the explanation, the structure diagram, the
// notes and the results.
class CFontPageModel {
public:
    enum Target { LogicFont, ExplanationFont, StructureDiagramFont, NotesFont, ResultsFont, TargetCount };
    // The sheet's change bit that has the views of every tab refreshed.
    static constexpr int TabViewsChangeBit = SettingsChangeTabViews;

    // What an applied change asks of the views.
    struct Changes {
        bool stored = false;           // something was stored
        bool tabViews = false;         // the views of every tab show a changed font
        bool structureDiagram = false; // the diagram lays out again with its changed font
        bool notes = false;            // the notes pane takes its changed font
        bool results = false;          // the result pane takes its changed font
    };

    explicit CFontPageModel(const CDocumentData& document);

    static QString TargetName(Target target, const CMessageContext& context);
    // Where the document keeps the target's font.
    static const FontSetting* DocumentFont(const CDocumentData& document, Target target);
    // Every font as a new document has it.
    void RestoreDefaults();
    // Every face must be named and fit its field; false after telling the user which font is wrong.
    bool Validate(const CMessageContext& context) const;
    // Stores the fonts that differ from the document's.
    Changes Apply(CDocumentData& document) const;

    std::array<FontSetting, TargetCount> fonts;
};
