#include "model/ExportMessages.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"

bool AskOverwriteExistingFile(const QString& path) {
    return platform::ShowMessageBox(LoadString(StringId::OverwriteQuestion).arg(path), platform::MessageButtons::YesNo,
                                    platform::MessageIcon::Warning, 1) == platform::MessageAnswer::Yes;
}

void ShowExportedMessage(const QString& path, const QString& what) {
    platform::ShowMessageBox(LoadString(StringId::ExportedFile).arg(path, what), platform::MessageButtons::Ok,
                             platform::MessageIcon::Information);
}

void ShowCannotWriteFileMessage(const QString& path) {
    platform::ShowMessageBox(LoadString(StringId::CannotWriteFile).arg(path), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
}
