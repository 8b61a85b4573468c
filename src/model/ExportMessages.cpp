#include "model/ExportMessages.h"

#include "platform/CodePageTextFile.h"
#include "platform/DocumentHold.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

bool RefuseFileInUse(const QString& path) {
    const std::optional<QString> holder = platform::DocumentHolder(path);
    if (holder)
        ShowCannotWriteFileMessage(path, InUseText(path, *holder));
    return holder.has_value();
}

bool ConfirmExportFile(const QString& path) {
    return !RefuseFileInUse(path) && ConfirmOverwrite(path);
}

bool ConfirmOverwrite(const QString& path) {
    return !QFileInfo::exists(path) ||
           platform::ShowMessageBox(LoadString(StringId::OverwriteQuestion).arg(ShownPath(path)),
                                    platform::MessageButtons::YesNo, platform::MessageIcon::Warning,
                                    1) == platform::MessageAnswer::Yes;
}

QString InUseText(const QString& path, const QString& holder) {
    return LoadString(StringId::DocumentEditedElsewhere).arg(ShownPath(path), holder);
}

void ShowExportedMessage(const QString& path, const QString& what, qsizetype replacedCharacters, bool inUtf8) {
    platform::ShowMessageBox(LoadString(StringId::ExportedFile).arg(ShownPath(path), what) +
                                 WrittenEncodingNote(replacedCharacters, inUtf8),
                             platform::MessageButtons::Ok, platform::MessageIcon::Information);
}

QString WrittenEncodingNote(qsizetype replacedCharacters, bool inUtf8) {
    QString note;
    if (replacedCharacters > 0)
        note += QLatin1Char('\n') + LoadString(StringId::CsvCharactersReplaced).arg(replacedCharacters);
    if (inUtf8)
        note += QLatin1Char('\n') + LoadString(StringId::CsvWrittenInUtf8);
    return note;
}

void ShowCannotWriteFileMessage(const QString& path, const QString& reason) {
    platform::ShowMessageBox(CannotWriteFileText(path, reason), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
}

QString CannotWriteFileText(const QString& path, const QString& reason) {
    QString text = LoadString(StringId::CannotWriteFile).arg(ShownPath(path));
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

QString ReplacementFailureText(platform::FileReplacement::Refusal refusal, const QString& path,
                               const QString& errorText, const QList<platform::FileReplacement::Room>& roomWanted) {
    if (!roomWanted.isEmpty()) {
        const QLocale numbers(QLocale::Japanese, QLocale::Japan);
        const bool possible = std::any_of(roomWanted.cbegin(), roomWanted.cend(),
                                          [](const platform::FileReplacement::Room& room) { return room.Possible(); });
        // Only room that can be freed is named; where none can, the file systems are too small for the file.
        QStringList lines{LoadString(possible ? StringId::SaveWantsRoom : StringId::SaveWantsLargerFileSystem)};
        for (const platform::FileReplacement::Room& room : roomWanted)
            if (room.Possible() == possible)
                lines << (possible ? LoadString(StringId::RoomInFolder)
                                         .arg(ShownPath(room.folder), numbers.toString(room.bytes))
                                   : LoadString(StringId::FileSystemTooSmall)
                                         .arg(ShownPath(room.folder), numbers.toString(room.needed),
                                              numbers.toString(room.capacity)));
        return lines.join(QLatin1Char('\n'));
    }
    switch (refusal) {
    case platform::FileReplacement::Refusal::NotRegularFile:
        return LoadString(StringId::NotARegularFile).arg(ShownPath(path));
    case platform::FileReplacement::Refusal::ReadOnly:
        return LoadString(StringId::FileMarkedReadOnly).arg(ShownPath(path));
    case platform::FileReplacement::Refusal::InUse:
        return InUseText(path, errorText);
    case platform::FileReplacement::Refusal::Changed:
        return errorText.isEmpty()
                   ? LoadString(StringId::FileChangedWhileWritten).arg(ShownPath(path))
                   : LoadString(StringId::FileChangedWhileWrittenKept).arg(ShownPath(path), ShownPath(errorText));
    case platform::FileReplacement::Refusal::Damaged:
        return LoadString(StringId::FileMayBeDamaged).arg(ShownPath(path), ShownPath(errorText));
    case platform::FileReplacement::Refusal::None:
        break;
    }
    return errorText;
}

QString ReplacementFailureText(const platform::FileReplacement& file, const QString& path) {
    return ReplacementFailureText(file.Refused(), path, file.ErrorText(), file.RoomWanted());
}

QString ReplacementFailureText(const platform::CodePageTextFile& file, const QString& path) {
    return ReplacementFailureText(file.Refused(), path, file.ErrorText(), file.RoomWanted());
}

std::optional<QString> ReplaceFileContent(const QString& path, const QByteArray& bytes) {
    platform::FileReplacement file(path);
    if (!file.Open())
        return ReplacementFailureText(file, path);
    if (file.Device().write(bytes) != bytes.size()) {
        const QString reason = file.Device().errorString();
        file.Cancel();
        return reason;
    }
    if (!file.Commit())
        return ReplacementFailureText(file, path);
    return std::nullopt;
}
