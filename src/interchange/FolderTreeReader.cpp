#include "interchange/FolderTreeReader.h"

#include "interchange/ImportProgress.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// The entries of one folder as the file system lists them, hidden and system ones included.
std::vector<QFileInfo> ListFolder(const QString& folder) {
    std::vector<QFileInfo> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        entries.push_back(it.fileInfo());
    }
    return entries;
}

} // namespace

InterchangeResult CFolderTreeReader::Open(const QString& folder, const CDocumentData& data) {
    InterchangeResult result;
    m_opened = false;
    m_entries.clear();
    if (!data.registry.origin) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    const QFileInfo info(folder);
    m_folderName = info.fileName().isEmpty() ? QDir::toNativeSeparators(info.absoluteFilePath()) : info.fileName();

    // Depth first without recursion: each level a folder's entries and the next one to take.
    struct Level {
        std::vector<QFileInfo> entries;
        size_t next = 0;
    };
    std::vector<Level> levels;
    levels.push_back({ListFolder(folder)});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        const QFileInfo entry = level.entries[level.next++];
        m_entries.push_back({entry.fileName(), static_cast<int>(levels.size()) - 1});
        if (entry.isDir() && !entry.isSymLink())
            levels.push_back({ListFolder(entry.filePath())});
    }

    if (!result.CheckRoom(static_cast<int>(m_entries.size()), data.registry)) {
        m_entries.clear();
        return result;
    }
    m_opened = true;
    return result;
}

InterchangeResult CFolderTreeReader::Import(CDocumentData& data, CImportProgress& progress) {
    InterchangeResult result;
    if (!m_opened) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    m_opened = false;
    const ModelOptions options = data.GetModelOptions();
    data.registry.origin->name = m_folderName;
    progress.SetRange(static_cast<int>(m_entries.size()));
    // The unit function of each open folder, the origin for the chosen one.
    std::vector<CUnitFunction*> parents{data.registry.origin};
    int counter = 0;
    for (const Entry& entry : m_entries) {
        ++counter;
        if (progress.IsCancelled()) {
            result.failure = InterchangeFailure::Cancelled;
            break;
        }
        progress.SetPos(counter);
        parents.resize(size_t(entry.depth) + 1);
        CUnitFunction* function = data.registry.CreateFunction(entry.name, options);
        if (!function) {
            result.failure = InterchangeFailure::Incomplete;
            break;
        }
        CUnitFunction::AppendChild(parents.back(), function);
        parents.push_back(function);
        ++result.items;
    }
    m_entries.clear();
    return result;
}
