#include "printing/PrintFile.h"

#include "model/ExportMessages.h"
#include "platform/DocumentHold.h"
#include "platform/UserFile.h"

#include <QFileInfo>

std::optional<QString> PrintFileRefusal(const QString& path) {
    // A link that leads nowhere is no file either.
    const QFileInfo file(path);
    if (platform::IsOtherThanRegularFile(path) || (file.isSymLink() && !file.exists()))
        return ReplacementFailureText(platform::FileReplacement::Refusal::NotRegularFile, path, QString());
    if (const std::optional<QString> holder = platform::DocumentHolder(path))
        return InUseText(path, *holder);
    return std::nullopt;
}

bool RefusePrintFile(const QString& path) {
    const std::optional<QString> refusal = PrintFileRefusal(path);
    if (refusal)
        ShowCannotWriteFileMessage(path, *refusal);
    return refusal.has_value();
}
