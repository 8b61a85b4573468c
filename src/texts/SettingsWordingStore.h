#pragma once

#include "platform/SettingsStore.h"
#include "texts/WordingStore.h"

// The wording kept among the program's per-user values, one text value per entry.
class CSettingsWordingStore : public CWordingStore {
public:
    CSettingsWordingStore();

    std::optional<QString> ReadText(const QString& name) const override;
    bool WriteText(const QString& name, const QString& text) override;

private:
    platform::SettingsStore m_store;
};
