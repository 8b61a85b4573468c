#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/SettingsSheetPageModel.h"
#include "settings/ui/SharedFontChoice.h"

#include <memory>

class CSettingsHost;

// A settings page drawn from its model's fields: a line per number (typed, ticked or chosen), per text and per
// font. OK refuses what the model refuses and stores what it stores, setting the modified flag.
class CSettingsSheetPage : public CPropertyPage, public CSharedFontChoice {
    Q_OBJECT
public:
    bool Validate() override;
    void Apply() override;
    void FontChosenElsewhere(const FontSetting* place, const FontSetting& font) override;

protected:
    CSettingsSheetPage(CSettingsHost& host, std::unique_ptr<CSettingsSheetPageModel> model, QWidget* parent);

    CSettingsHost& Host() { return m_host; }
    CSettingsSheetPageModel& Model() { return *m_model; }
    // What the page does beyond storing: before its values are stored, and after a change was stored.
    virtual void BeforeStoring() {}
    virtual void AfterStoring() {}

private:
    void AddNumberRow(class QFormLayout& form, size_t index);
    void AddFontRow(QFormLayout& form, size_t index);

    CSettingsHost& m_host;
    std::unique_ptr<CSettingsSheetPageModel> m_model;
};
