#pragma once

#include "platform/CommandRegistry.h"

#include <QString>

class CDocumentData;
class CUnitFunction;

// What the content export needs of the window that offers it.
class CContentCommandHost {
public:
    virtual CDocumentData& ContentDocument() = 0;
    // The active tab's unit function; null without a tab.
    virtual CUnitFunction* ContentExportFunction() = 0;
    // The save-file prompt for the RTF file, remembering the choice in the document; empty when cancelled.
    virtual QString PromptContentExportPath() = 0;

protected:
    ~CContentCommandHost() = default;
};

// The export of the content texts as RTF (this unit function, with its descendants, or all, as the
// document's export settings say), and the paste of the clipboard's text into the focused content text.
void AddContentCommands(CCommandRegistry& registry, CContentCommandHost& host);
