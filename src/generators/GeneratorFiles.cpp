#include "generators/GeneratorFiles.h"

#include "model/CsvUtilities.h"
#include "model/ExportMessages.h"
#include "platform/CodePageTextFile.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <functional>

CsvFileWrite WriteCodePageFileUnsaid(const QString& path, const std::function<void(platform::CodePageTextFile&)>& write,
                                     platform::CodePageTextFile::Fallback fallback) {
    CsvFileWrite result;
    platform::CodePageTextFile file;
    if (!file.OpenForWriting(path, fallback)) {
        result.failure = ReplacementFailureText(file, path);
        return result;
    }
    write(file);
    result.written = file.Commit();
    if (!result.written)
        result.failure = ReplacementFailureText(file, path);
    result.replaced = file.ReplacedCharacters();
    result.inUtf8 = file.WroteUtf8();
    return result;
}

namespace {

bool WriteCodePageFile(const QString& path, const std::function<void(platform::CodePageTextFile&)>& write,
                       qsizetype* replaced) {
    const CsvFileWrite result = WriteCodePageFileUnsaid(path, write);
    if (result.written && replaced)
        *replaced = result.replaced;
    return SayCsvFileFailure(path, result);
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

bool SayCsvFileFailure(const QString& path, const CsvFileWrite& write) {
    if (!write.written)
        ShowCannotWriteFileMessage(path, write.failure);
    return write.written;
}

bool WriteCsvLines(const QString& path, const QStringList& lines, qsizetype* replaced) {
    return WriteCodePageFile(
        path, [&lines](platform::CodePageTextFile& file) { WriteLinesToFile(file, lines); }, replaced);
}

CsvFileWrite WriteCsvLinesUnsaid(const QString& path, const QStringList& lines,
                                 platform::CodePageTextFile::Fallback fallback) {
    return WriteCodePageFileUnsaid(
        path, [&lines](platform::CodePageTextFile& file) { WriteLinesToFile(file, lines); }, fallback);
}
