#pragma once

#include "settings/ListedSettings.h"

#include <QString>

// An auxiliary verb as the syntax-symbol page edits it; id -1 until the page stores a verb made on it.
class CAuxiliaryVerbListedSettingsItem : public CListedSettingsItem {
public:
    CAuxiliaryVerbListedSettingsItem(QString verb, bool tense, int verbId)
        : text(std::move(verb)), withTense(tense), id(verbId) {}

    bool IsInvalid() const override;
    QString GetText() const override { return text; }

    QString text;
    bool withTense = false;
    int id = -1;
};
