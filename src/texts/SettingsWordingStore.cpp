#include "texts/SettingsWordingStore.h"

#include "platform/UserSettings.h"

CSettingsWordingStore::CSettingsWordingStore() : m_store(UserSettings::WordingEntry(QString()).section) {}

std::optional<QString> CSettingsWordingStore::ReadText(const QString& name) const {
    return m_store.ReadText(UserSettings::WordingEntry(name).name);
}

bool CSettingsWordingStore::WriteTexts(const std::vector<std::pair<QString, QString>>& texts) {
    std::vector<std::pair<platform::TextSetting, QString>> entries;
    entries.reserve(texts.size());
    for (const auto& [name, text] : texts)
        entries.emplace_back(UserSettings::WordingEntry(name), text);
    return platform::WriteSettings(entries);
}
