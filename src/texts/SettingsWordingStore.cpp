#include "texts/SettingsWordingStore.h"

CSettingsWordingStore::CSettingsWordingStore() : m_store(QStringLiteral("NUV_Pral")) {}

std::optional<QString> CSettingsWordingStore::ReadText(const QString& name) const {
    return m_store.ReadText(name);
}

bool CSettingsWordingStore::WriteText(const QString& name, const QString& text) {
    return m_store.WriteText(name, text);
}
