#include "app/WindowManager.h"

#include "app/NUVDoc.h"
#include "app/OpenDocument.h"
#include "model/UnitFunction.h"

#include <algorithm>

CWindowManager::CWindowManager(COpenDocument& document, std::function<std::vector<CNUVDoc*>()> tabs)
    : m_document(document), m_tabs(std::move(tabs)) {}

QStringList CWindowManager::Captions() const {
    QStringList captions;
    for (const CNUVDoc* tab : m_tabs())
        captions << tab->Caption(m_document.DocumentData());
    return captions;
}

CWindowManager::Buttons CWindowManager::ButtonsFor(int selectedCount) const {
    const bool document = m_document.CanSaveDocument();
    return {selectedCount == 1, document && selectedCount >= 1, selectedCount >= 1};
}

bool CWindowManager::Activate(int position) {
    const std::vector<CNUVDoc*> tabs = m_tabs();
    if (position < 0 || position >= static_cast<int>(tabs.size()))
        return false;
    return m_document.Tabs().OpenFunctionTab(tabs[position]->m_pUnitFunction) != nullptr;
}

void CWindowManager::Save() {
    if (m_document.CanSaveDocument())
        m_document.OnFileSave();
}

void CWindowManager::Close(const std::vector<int>& positions) {
    const std::vector<CNUVDoc*> tabs = m_tabs();
    std::vector<CNUVDoc*> chosen;
    for (int position : positions) {
        if (position >= 0 && position < static_cast<int>(tabs.size()))
            chosen.push_back(tabs[position]);
    }
    for (CNUVDoc* tab : chosen) {
        // An earlier close may have taken this tab already (the tab limit, the origin's tab).
        const std::vector<CNUVDoc*>& open = m_document.Tabs().RecentTabs();
        if (std::find(open.begin(), open.end(), tab) != open.end())
            m_document.Tabs().CloseTab(tab);
    }
}
