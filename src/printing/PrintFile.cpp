#include "printing/PrintFile.h"

#include "model/ExportMessages.h"
#include "platform/DocumentHold.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>

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

int WritePrintout(platform::FileReplacement& out, const QString& path, const PrintoutPainter& print, QString& failure) {
    failure.clear();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&pdf);
        pages = print(writer);
    }
    if (pages == 0) {
        out.Cancel();
        return 0;
    }
    if (out.Device().write(pdf.data()) != pdf.data().size()) {
        failure = out.Device().errorString();
        out.Cancel();
        return 0;
    }
    if (!out.Commit()) {
        failure = ReplacementFailureText(out, path);
        return 0;
    }
    return pages;
}

int PrintToFile(const QString& path, const PrintoutPainter& print, const CMessageContext& context) {
    platform::FileReplacement out(path);
    QString failure;
    if (!out.Open())
        failure = ReplacementFailureText(out, path);
    else if (const int pages = WritePrintout(out, path, print, failure); pages > 0)
        return pages;
    if (!failure.isEmpty())
        platform::ShowMessageBox(
            LoadString(context, StringId::PrintoutNotWrittenJa, StringId::PrintoutNotWrittenEn).arg(ShownPath(path)) +
                QLatin1Char('\n') + failure,
            platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return 0;
}
