#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/SplashScreenSettingsPageModel.h"

class CSettingsHost;
class QLineEdit;

// The settings page of the start-up window's time; the value is the user's, not the document's.
class CSplashScreenSettingsPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSplashScreenSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;

    QLineEdit* WaitEdit() const { return m_wait; }

private:
    CSettingsHost& m_host;
    CSplashScreenSettingsPageModel m_model;
    QLineEdit* m_wait;
};
