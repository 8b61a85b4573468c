#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// One item of an editable settings list.
class CListedSettingsItem {
public:
    virtual ~CListedSettingsItem() = default;
    virtual bool IsInvalid() const { return false; }
    virtual bool IsEmpty() const { return GetText().isEmpty(); }
    virtual QString GetText() const = 0;
};

// An editable list that owns its items, with the checks the list dialogs make before they store it.
class CListedSettings {
public:
    using Items = std::vector<std::unique_ptr<CListedSettingsItem>>;

    void Append(std::unique_ptr<CListedSettingsItem> item) { m_items.push_back(std::move(item)); }
    const Items& GetItems() const { return m_items; }
    size_t Count() const { return m_items.size(); }
    CListedSettingsItem& ItemAt(size_t index) const { return *m_items[index]; }

    bool HasEmptyItem() const;
    void RemoveEmptyItems();
    // The text two items share, when there is one.
    std::optional<QString> HasDuplicateItem() const;
    void RemoveItemByText(const QString& text);
    // The index of the first invalid item, when there is one.
    std::optional<size_t> FindInvalidItem() const;
    void DeleteItemAt(size_t index);
    void DeleteAllItems() { m_items.clear(); }

private:
    Items m_items;
};
