#include "app/FunctionTabs.h"

#include "app/NUVDoc.h"
#include "app/NUVDocManager.h"
#include "app/TabArea.h"
#include "model/DocumentData.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kMinimumTabLimit = 2;

} // namespace

CFunctionTabs::CFunctionTabs(CNUVDocManager& documents, CDocumentData& data) : m_documents(documents), m_data(data) {}

CUnitFunction* CFunctionTabs::ActiveTabFunction() const {
    const CNUVDoc* active = GetActiveTab();
    return active ? active->m_pUnitFunction : nullptr;
}

CNUVDoc* CFunctionTabs::FindTab(const CUnitFunction* function) const {
    const auto found = std::find_if(m_recentTabs.begin(), m_recentTabs.end(),
                                    [function](const CNUVDoc* tab) { return tab->m_pUnitFunction == function; });
    return found == m_recentTabs.end() ? nullptr : *found;
}

int CFunctionTabs::TabLimit() const {
    // The file may hold any number; fewer than two would close the tab just opened.
    return std::clamp(m_data.MaximumNumberOfTabs, kMinimumTabLimit, DocumentHeader::MaxOpenViews);
}

CNUVDoc* CFunctionTabs::OpenFunctionTab(CUnitFunction* function) {
    if (!function)
        return nullptr;
    if (CNUVDoc* open = FindTab(function)) {
        ActivateTab(open);
        return open;
    }
    if (static_cast<int>(m_recentTabs.size()) >= TabLimit())
        CloseTab(m_recentTabs.back());
    CNUVDoc* tab = m_documents.OnFileNewWithMode(function);
    if (!tab)
        return nullptr;
    m_recentTabs.insert(m_recentTabs.begin(), tab);
    if (m_pTabArea)
        m_pTabArea->CreateTabWindow(*tab);
    ActivateTab(tab);
    return tab;
}

void CFunctionTabs::CloseTab(CNUVDoc* tab) {
    const auto found = std::find(m_recentTabs.begin(), m_recentTabs.end(), tab);
    if (found == m_recentTabs.end())
        return;
    const bool wasActive = found == m_recentTabs.begin();
    m_recentTabs.erase(found);
    m_history.RemoveFrameFromHistory(tab);
    if (m_pActivatedTab == tab)
        m_pActivatedTab = nullptr;
    if (m_pTabArea)
        m_pTabArea->DestroyTabWindow(*tab);
    m_documents.CloseDocument(tab);
    if (m_recentTabs.empty())
        OpenFunctionTab(m_data.registry.origin);
    else if (wasActive)
        ActivateTab(m_recentTabs.front());
    NotifyTabArea();
}

void CFunctionTabs::CloseFunctionTab(const CUnitFunction* function) {
    if (CNUVDoc* tab = FindTab(function))
        CloseTab(tab);
}

void CFunctionTabs::DocumentChanged(DocumentChange change, CUnitFunction* function) {
    if (change == DocumentChange::FunctionRemoved)
        CloseFunctionTab(function);
}

void CFunctionTabs::CloseExcessTabs() {
    while (static_cast<int>(m_recentTabs.size()) > TabLimit())
        CloseTab(m_recentTabs.back());
}

void CFunctionTabs::CloseAllTabs() {
    const std::vector<CNUVDoc*> tabs = std::exchange(m_recentTabs, {});
    m_history.Clear();
    m_pActivatedTab = nullptr;
    if (m_pTabArea) {
        for (CNUVDoc* tab : tabs)
            m_pTabArea->DestroyTabWindow(*tab);
    }
    m_documents.CloseAllDocuments();
}

bool CFunctionTabs::OnTabActivated(CNUVDoc* tab) {
    const auto found = std::find(m_recentTabs.begin(), m_recentTabs.end(), tab);
    if (found == m_recentTabs.end())
        return false;
    std::rotate(m_recentTabs.begin(), found, found + 1);
    if (std::exchange(m_pActivatedTab, tab) != tab && !m_bNavigating)
        m_history.RecordTabActivation(tab);
    NotifyTabArea();
    return true;
}

bool CFunctionTabs::NavigateTo(int position) {
    // The entry is current before its tab is activated, so the activation leaves the history as it is.
    CNUVDoc* tab = m_history.MoveTo(position);
    if (!tab)
        return false;
    const bool navigating = std::exchange(m_bNavigating, true);
    ActivateTab(tab);
    m_bNavigating = navigating;
    // The tab may have been the active one already; the index has moved all the same.
    NotifyTabArea();
    return true;
}

void CFunctionTabs::NotifyTabArea() {
    if (m_pTabArea)
        m_pTabArea->TabsChanged();
}

void CFunctionTabs::ActivateTab(CNUVDoc* tab) {
    // The tab area reports the activation back as well; the second report changes nothing.
    if (m_pTabArea)
        m_pTabArea->ActivateTabWindow(*tab);
    OnTabActivated(tab);
}

void CFunctionTabs::ReopenSavedTabs() {
    const DocumentHeader& header = m_data.documentHeader;
    const int count = std::min<int>(header.openViewCount, DocumentHeader::MaxOpenViews);
    CUnitFunction* selected = nullptr;
    for (int i = 0; i < count; ++i) {
        const OpenView& view = header.openViews[i];
        CUnitFunction* function = m_data.registry.FindByInternalID(static_cast<quint32>(view.FunctionDescriptor));
        if (!function)
            continue;
        OpenFunctionTab(function);
        if (view.IsSelected)
            selected = function;
    }
    OpenFunctionTab(selected ? selected : m_data.registry.origin);
}

void CFunctionTabs::StoreOpenTabs(DocumentHeader& header) const {
    header.openViews.fill(OpenView());
    header.openViewCount = 0;
    for (auto tab = m_recentTabs.rbegin(); tab != m_recentTabs.rend(); ++tab) {
        if (!(*tab)->m_pUnitFunction || header.openViewCount >= DocumentHeader::MaxOpenViews)
            continue;
        header.openViews[header.openViewCount++] = {static_cast<qint32>((*tab)->m_pUnitFunction->InternalID), 0};
    }
    if (header.openViewCount > 0)
        header.openViews[header.openViewCount - 1].IsSelected = 1;
}
