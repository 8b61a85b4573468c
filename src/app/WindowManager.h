#pragma once

#include <QStringList>

#include <functional>
#include <vector>

class COpenDocument;
class CNUVDoc;

// What the dialog of the open tab windows does: it lists the tabs in the order the tab area shows them;
// Activate brings the chosen one to the front, Save saves the document (every tab is a part of the one
// document) and Close closes the chosen tabs.
class CWindowManager {
public:
    // `tabs` gives the open tabs in the order they show, each time it is asked.
    CWindowManager(COpenDocument& document, std::function<std::vector<CNUVDoc*>()> tabs);

    // What the tabs read, in their order.
    QStringList Captions() const;

    struct Buttons {
        bool activate = false;
        bool save = false;
        bool close = false;
    };
    // Activate wants exactly one tab, Save and Close at least one.
    Buttons ButtonsFor(int selectedCount) const;

    // False, changing nothing, for a position that shows no tab.
    bool Activate(int position);
    // The document's ordinary save; nothing without a document.
    void Save();
    // Closes the tabs at those positions; the last tab closed brings back the origin's tab.
    void Close(const std::vector<int>& positions);

private:
    COpenDocument& m_document;
    std::function<std::vector<CNUVDoc*>()> m_tabs;
};
