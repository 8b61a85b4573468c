#include "interchange/ui/TreeExchangeCommands.h"

#include "interchange/CsvTreeReader.h"
#include "interchange/CsvTreeWriter.h"
#include "interchange/FolderTreeReader.h"
#include "interchange/ui/FileDialogEx.h"
#include "interchange/ui/FolderChooser.h"
#include "interchange/ui/ImportProgressDlg.h"
#include "model/ExportMessages.h"
#include "model/OutlineNumber.h"
#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFile>

namespace {

// Says why an import that the document cannot take was refused; false when it was not refused for that.
bool ShowLimitRefusal(const InterchangeResult& result) {
    QString text;
    if (result.failure == InterchangeFailure::LimitExceeded)
        text = LoadString(StringId::TooManyImportedFunctions).arg(result.needed).arg(result.available);
    else if (result.failure == InterchangeFailure::TooDeep)
        text = LoadString(StringId::ImportTooDeep).arg(kMaxOutlineDepth);
    else
        return false;
    platform::ShowMessageBox(text, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return true;
}

// The folder chooser; empty when cancelled.
QString PromptImportFolder(QWidget* parent) {
    CFolderChooser dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.ChosenFolder() : QString();
}

// Every file and folder below the chosen folder becomes a unit function below the origin, which takes the
// folder's name; a progress dialog shows the walk and can stop it, keeping what was made.
void ImportFolderTree(CTreeExchangeCommandHost& host) {
    const QString folder = PromptImportFolder(host.DialogParent());
    if (folder.isEmpty())
        return;
    CDocumentData& data = host.ExchangedDocument();
    CFolderTreeReader reader;
    const InterchangeResult opened = reader.Open(folder, data);
    ShowLimitRefusal(opened);
    if (!opened.Succeeded())
        return;
    host.ImportIntoDocument([&] {
        CImportProgressDlg progress(host.DialogParent());
        reader.Import(data, progress);
        // The origin has taken the folder's name at least.
        return true;
    });
    if (reader.Unreadable() > 0)
        platform::ShowMessageBox(reader.UnreadableText(), platform::MessageButtons::Ok, platform::MessageIcon::Warning);
}

void ImportCsv(CTreeExchangeCommandHost& host) {
    CFileDialogEx dialog(true, QString(), host.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    CDocumentData& data = host.ExchangedDocument();
    QFile file;
    CCsvTreeReader reader;
    // Anything but a regular file is refused as an unreadable one.
    InterchangeResult opened;
    opened.failure = InterchangeFailure::Unreadable;
    if (platform::OpenRegularFileForReading(file, dialog.GetPathName()))
        opened = reader.Open(file, data);
    if (ShowLimitRefusal(opened))
        return;
    if (!opened.Succeeded()) {
        platform::ShowMessageBox(UnreadFileText(host.MessageContext(), dialog.GetPathName(),
                                                CCsvTreeReader::MaxFileBytes, reader.RefusalText()),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    host.ImportIntoDocument([&] {
        reader.Import(data);
        return true;
    });
}

void ExportCsv(CTreeExchangeCommandHost& host) {
    CCsvTreeWriter writer;
    if (!writer.Open(host.ExchangedDocument()).Succeeded()) {
        const bool tooFew = writer.Refused() == CCsvTreeWriter::Refusal::TooFewFunctions;
        platform::ShowMessageBox(LoadString(tooFew ? StringId::CsvTooFewFunctions : StringId::CsvNoColumnPart));
        return;
    }
    CFileDialogEx dialog(false, QStringLiteral("csv"), host.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.GetPathName();
    if (!ConfirmExportFile(path))
        return;
    const InterchangeResult written = writer.Write(path);
    if (!written.Succeeded()) {
        ShowCannotWriteFileMessage(path, written.detail);
        return;
    }
    platform::ShowMessageBox(LoadString(StringId::CsvExportFinished) + WrittenEncodingNote(0, written.writtenInUtf8));
}

} // namespace

void AddTreeExchangeCommands(CCommandRegistry& registry, CTreeExchangeCommandHost& host) {
    using enum CommandRule;
    registry.Add({CommandImportFileTree, [&host](int) { ImportFolderTree(host); }, DocumentOpen, CommandImportFileTree,
                  "", CommandIcon::None});
    registry.Add(
        {CommandImportCsv, [&host](int) { ImportCsv(host); }, DocumentOpen, CommandImportCsv, "", CommandIcon::None});
    registry.Add(
        {CommandExportCsv, [&host](int) { ExportCsv(host); }, DocumentOpen, CommandExportCsv, "", CommandIcon::None});
}
