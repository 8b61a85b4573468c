#pragma once

#include "platform/SettingsStore.h"
#include "texts/WordingStore.h"

// The wording kept among the program's per-user values, one text value per entry; the file is read once for all
// of them and written once for all of them.
class CSettingsWordingStore : public CWordingStore {
public:
    CSettingsWordingStore();

    std::optional<QString> ReadText(const QString& name) const override;
    bool WriteTexts(const std::vector<std::pair<QString, QString>>& texts) override;

private:
    platform::SettingsStore m_store;
};
