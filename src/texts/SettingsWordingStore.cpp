#include "texts/SettingsWordingStore.h"

#include "platform/UserSettings.h"

std::optional<QString> CSettingsWordingStore::ReadText(const QString& name) const {
    return platform::StoredSetting(UserSettings::WordingEntry(name));
}

bool CSettingsWordingStore::WriteTexts(const std::vector<std::pair<QString, QString>>& texts) {
    std::vector<std::pair<platform::TextSetting, QString>> entries;
    entries.reserve(texts.size());
    for (const auto& [name, text] : texts)
        entries.emplace_back(UserSettings::WordingEntry(name), text);
    return platform::WriteSettings(entries);
}
