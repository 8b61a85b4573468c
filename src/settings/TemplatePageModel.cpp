#include "settings/TemplatePageModel.h"

#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFileInfo>

CTemplatePageModel::CTemplatePageModel()
    : useTemplate(platform::ReadSetting(UserSettings::UseTemplate()) != 0),
      templateFilename(platform::ReadSetting(UserSettings::TemplateFilename())), m_storedUse(useTemplate),
      m_storedFilename(templateFilename) {}

bool CTemplatePageModel::Validate() const {
    if (!Changed() || !useTemplate)
        return true;
    QString refusal;
    if (templateFilename.isEmpty())
        refusal = LoadString(StringId::TemplateFileMissing);
    else if (!QFileInfo(templateFilename).isFile())
        refusal = LoadString(StringId::TemplateFileNotFound).arg(ShownPath(templateFilename));
    if (refusal.isEmpty())
        return true;
    platform::ShowMessageBox(refusal, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}

bool CTemplatePageModel::Apply() {
    bool stored = true;
    if (useTemplate != m_storedUse) {
        stored = platform::WriteSetting(UserSettings::UseTemplate(), useTemplate ? 1 : 0);
        if (stored)
            m_storedUse = useTemplate;
    }
    if (stored && templateFilename != m_storedFilename) {
        stored = platform::WriteSetting(UserSettings::TemplateFilename(), templateFilename);
        if (stored)
            m_storedFilename = templateFilename;
    }
    if (!stored)
        platform::ShowMessageBox(
            LoadString(StringId::UserSettingNotStored).arg(ShownPath(platform::SettingsStore::FilePath())),
            platform::MessageButtons::Ok, platform::MessageIcon::Error);
    return stored;
}
