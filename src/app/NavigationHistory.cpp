#include "app/NavigationHistory.h"

#include <algorithm>

bool CNavigationHistory::RecordTabActivation(CNUVDoc* tab) {
    if (!tab)
        return false;
    if (!m_history.empty())
        m_history.resize(m_nHistoryIndex + 1);
    std::erase(m_history, tab);
    m_history.push_back(tab);
    m_nHistoryIndex = static_cast<int>(m_history.size()) - 1;
    return true;
}

bool CNavigationHistory::RemoveFrameFromHistory(CNUVDoc* tab) {
    const auto found = std::find(m_history.begin(), m_history.end(), tab);
    if (found == m_history.end())
        return false;
    const int position = static_cast<int>(found - m_history.begin());
    m_history.erase(found);
    if (position < m_nHistoryIndex || m_nHistoryIndex >= static_cast<int>(m_history.size()))
        m_nHistoryIndex = std::max(m_nHistoryIndex - 1, 0);
    return true;
}

void CNavigationHistory::Clear() {
    m_history.clear();
    m_nHistoryIndex = 0;
}

bool CNavigationHistory::CanNavigateBack() const {
    return m_history.size() > 1 && m_nHistoryIndex != 0;
}

bool CNavigationHistory::CanNavigateForward() const {
    return m_history.size() > 1 && m_nHistoryIndex < static_cast<int>(m_history.size()) - 1;
}

CNUVDoc* CNavigationHistory::MoveTo(int position) {
    if (position < 0 || position >= static_cast<int>(m_history.size()))
        return nullptr;
    m_nHistoryIndex = position;
    return m_history[position];
}
