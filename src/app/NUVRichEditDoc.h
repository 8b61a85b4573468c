#pragma once

#include <functional>
#include <memory>
#include <vector>

class COpenDocument;
class CNUVCntrItem;

// The document of a tab's content view. It is no document of its own: Save, Save As and Close chosen while
// the content view has the focus save and close the one open document through the document owner, never the
// content text alone. It keeps the items of the objects embedded in the content.
class CNUVRichEditDoc {
public:
    explicit CNUVRichEditDoc(COpenDocument& document);
    ~CNUVRichEditDoc();
    CNUVRichEditDoc(const CNUVRichEditDoc&) = delete;
    CNUVRichEditDoc& operator=(const CNUVRichEditDoc&) = delete;

    // A new item for an embedded object of this document.
    CNUVCntrItem& CreateClientItem();
    const std::vector<std::unique_ptr<CNUVCntrItem>>& Items() const { return m_items; }

    // The content view shows the document anew when asked; set by the view, empty without one.
    void SetViewUpdate(std::function<void()> update) { m_updateViews = std::move(update); }
    void UpdateAllViews() const;

    // Runs the document command `id` (Save, Save As, Close) as the application does; false for another one.
    bool OnCmdMsg(int id);

private:
    COpenDocument& m_document;
    std::vector<std::unique_ptr<CNUVCntrItem>> m_items;
    std::function<void()> m_updateViews;
};
