#include "generators/GeneratorFiles.h"

#include "model/CsvUtilities.h"
#include "model/ExportMessages.h"
#include "platform/CodePageTextFile.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <functional>

namespace {

bool WriteCodePageFile(const QString& path, const std::function<void(platform::CodePageTextFile&)>& write,
                       qsizetype* replaced) {
    platform::CodePageTextFile file;
    if (!file.OpenForWriting(path)) {
        ShowCannotWriteFileMessage(path, ReplacementFailureText(file, path));
        return false;
    }
    write(file);
    if (!file.Commit()) {
        ShowCannotWriteFileMessage(path, ReplacementFailureText(file, path));
        return false;
    }
    if (replaced)
        *replaced = file.ReplacedCharacters();
    return true;
}

} // namespace

QString CsvOutputName(const QString& fileName) {
    QString name = fileName;
    AppendCsvExtension(name);
    return name;
}

bool ConfirmOutputFile(const QString& fileName, const QString& outputName) {
    if (fileName.isEmpty()) {
        platform::ShowMessageBox(LoadString(StringId::FileNameNotEntered), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return false;
    }
    // The file that will be replaced is asked about, with whatever extension the generator adds.
    return ConfirmExportFile(outputName);
}

bool WriteCsvTables(const QString& path, const std::vector<CsvTable>& tables, qsizetype* replaced) {
    return WriteCodePageFile(
        path, [&tables](platform::CodePageTextFile& file) { WriteListItemsToFile(tables, file); }, replaced);
}

bool WriteCsvLines(const QString& path, const QStringList& lines, qsizetype* replaced) {
    return WriteCodePageFile(
        path, [&lines](platform::CodePageTextFile& file) { WriteLinesToFile(file, lines); }, replaced);
}
