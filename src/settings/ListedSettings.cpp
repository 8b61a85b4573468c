#include "settings/ListedSettings.h"

#include <QSet>

#include <algorithm>

bool CListedSettings::HasEmptyItem() const {
    return std::ranges::any_of(m_items, [](const auto& item) { return item->IsEmpty(); });
}

void CListedSettings::RemoveEmptyItems() {
    std::erase_if(m_items, [](const auto& item) { return item->IsEmpty(); });
}

std::optional<QString> CListedSettings::HasDuplicateItem() const {
    QSet<QString> seen;
    for (const auto& item : m_items) {
        const QString text = item->GetText();
        if (seen.contains(text))
            return text;
        seen.insert(text);
    }
    return std::nullopt;
}

void CListedSettings::RemoveItemByText(const QString& text) {
    std::erase_if(m_items, [&text](const auto& item) { return item->GetText() == text; });
}

std::optional<size_t> CListedSettings::FindInvalidItem() const {
    const auto invalid = std::ranges::find_if(m_items, [](const auto& item) { return item->IsInvalid(); });
    if (invalid == m_items.end())
        return std::nullopt;
    return static_cast<size_t>(invalid - m_items.begin());
}

void CListedSettings::DeleteItemAt(size_t index) {
    if (index < m_items.size())
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}
