#pragma once

#include "platform/CommandRegistry.h"

#include <functional>

class CDocumentData;
class QWidget;

// The ids of the folder-tree and CSV commands in the main window's menus.
enum TreeExchangeCommandId {
    CommandImportFileTree = 33093,
    CommandImportCsv = 33101,
    CommandExportCsv = 33103,
};

// What the folder-tree and CSV commands need of the window that offers them.
struct CMessageContext;

class CTreeExchangeCommandHost {
public:
    virtual CDocumentData& ExchangedDocument() = 0;
    // Runs `import` while the document is busy with it, so that no timer, close request or open reaches the
    // document while the import serves events; then rebuilds the registry, the table of contents and every view,
    // and marks the document modified when `import` returns true (it changed the document).
    virtual void ImportIntoDocument(const std::function<bool()>& import) = 0;
    virtual QWidget* DialogParent() = 0;
    // The language of the messages.
    virtual const CMessageContext& MessageContext() const = 0;

protected:
    ~CTreeExchangeCommandHost() = default;
};

// The rows of the folder-tree import, the CSV import and the CSV export.
void AddTreeExchangeCommands(CCommandRegistry& registry, CTreeExchangeCommandHost& host);
