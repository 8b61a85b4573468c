#include "settings/SplashScreenSettingsPageModel.h"

#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

namespace {

// The seconds the text names, or -1 when it names none in range.
int ParseWait(const QString& text) {
    bool ok = false;
    const int wait = text.trimmed().toInt(&ok);
    return ok && wait >= 0 && wait <= CSplashScreenSettingsPageModel::MaxWait ? wait : -1;
}

} // namespace

CSplashScreenSettingsPageModel::CSplashScreenSettingsPageModel()
    : m_storedWait(platform::ReadSetting(UserSettings::StartUpWait())) {
    waitText = QString::number(m_storedWait);
}

bool CSplashScreenSettingsPageModel::Validate(const CMessageContext& context) const {
    if (waitText == QString::number(m_storedWait) || ParseWait(waitText) >= 0)
        return true;
    platform::ShowMessageBox(
        LoadString(StringId::SplashScreenWaitOutOfRange).arg(Msg::TimeToShowSplashScreen(context)).arg(MaxWait),
        platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}

bool CSplashScreenSettingsPageModel::Apply() {
    const int wait = ParseWait(waitText);
    if (wait < 0 || quint32(wait) == m_storedWait)
        return true;
    if (!platform::WriteSetting(UserSettings::StartUpWait(), quint32(wait))) {
        platform::ShowMessageBox(
            LoadString(StringId::UserSettingNotStored).arg(ShownPath(platform::SettingsStore::FilePath())),
            platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    m_storedWait = quint32(wait);
    return true;
}
