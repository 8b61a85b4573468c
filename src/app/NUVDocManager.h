#pragma once

#include <memory>
#include <vector>

class CApplicationShell;
class CNUVDoc;
class CNUVMultiDocTemplate;
class CUnitFunction;

// Keeps the document templates and opens new tab documents for a given unit function.
class CNUVDocManager {
public:
    explicit CNUVDocManager(CApplicationShell& shell);
    ~CNUVDocManager();

    void AddDocTemplate(std::unique_ptr<CNUVMultiDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CNUVMultiDocTemplate>>& Templates() const { return m_templates; }

    CNUVDoc* OnFileNew() { return OnFileNewWithMode(nullptr); }
    // Opens a tab document for `function`. With more than one template the user chooses among those that
    // offer a name for new documents (no choice is shown when only one does); null when there is no
    // template (said in a message), none is chosen, or the document cannot be made.
    CNUVDoc* OnFileNewWithMode(CUnitFunction* function);
    // Closes the tab document without asking anything; false when no template holds it.
    bool CloseDocument(CNUVDoc* document);
    // Closes every tab document without asking anything.
    void CloseAllDocuments();

private:
    CApplicationShell& m_shell;
    std::vector<std::unique_ptr<CNUVMultiDocTemplate>> m_templates;
};
