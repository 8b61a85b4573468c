#include "texts/SettingsWordingStore.h"

CSettingsWordingStore::CSettingsWordingStore() : m_store(QStringLiteral("NUV_Pral")) {}

std::optional<QString> CSettingsWordingStore::ReadText(const QString& name) const {
    return m_store.ReadText(name);
}

bool CSettingsWordingStore::WriteTexts(const std::vector<std::pair<QString, QString>>& texts) {
    return m_store.WriteTexts(texts);
}
