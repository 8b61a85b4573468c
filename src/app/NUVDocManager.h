#pragma once

#include <memory>
#include <vector>

class CNUVDoc;
class CNUVMultiDocTemplate;
class CUnitFunction;

// Keeps the document templates and opens new tab documents for a given unit function.
class CNUVDocManager {
public:
    CNUVDocManager();
    ~CNUVDocManager();

    void AddDocTemplate(std::unique_ptr<CNUVMultiDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CNUVMultiDocTemplate>>& Templates() const { return m_templates; }

    CNUVDoc* OnFileNew() { return OnFileNewWithMode(nullptr); }
    // Opens a tab document for `function` with the first template; null when there is none or it fails.
    CNUVDoc* OnFileNewWithMode(CUnitFunction* function);
    // Closes the tab document without asking anything; false when no template holds it.
    bool CloseDocument(CNUVDoc* document);
    // Closes every tab document without asking anything.
    void CloseAllDocuments();

private:
    std::vector<std::unique_ptr<CNUVMultiDocTemplate>> m_templates;
};
