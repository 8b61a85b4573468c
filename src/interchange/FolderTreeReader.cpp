#include "interchange/FolderTreeReader.h"

#include "interchange/ImportProgress.h"
#include "model/DocumentData.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"

#include "texts/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Folders held open at once while the walk is below them; a deeper one is opened again from the nearest
// ancestor held when its entries are needed.
constexpr size_t kHeldFolders = 64;

struct RawEntry {
    QByteArray name;
    bool folder = false;
};

// One folder being walked: its name in its parent, its path as shown, its entries and the next one to take.
struct Level {
    QByteArray name;
    QString path;
    std::vector<RawEntry> entries;
    size_t next = 0;
    int handle = -1;
};

void CloseHandle(int& handle) {
    if (handle >= 0)
        ::close(handle);
    handle = -1;
}

int OpenFolderAt(int parent, const QByteArray& name) {
    return ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The entries of the open folder as the file system lists them, hidden ones included, whatever bytes their
// names hold; false when the listing failed (what was listed before stays).
bool ListFolder(int handle, std::vector<RawEntry>& entries) {
    const int listing = ::dup(handle);
    DIR* folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!folder) {
        if (listing >= 0)
            ::close(listing);
        return false;
    }
    bool listed = true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (!entry) {
            listed = errno == 0;
            break;
        }
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = ::fstatat(handle, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
        }
        entries.push_back({name, isFolder});
    }
    ::closedir(folder);
    return listed;
}

// The handle of the folder at `index`, opened again from the nearest ancestor held when it was let go.
int LevelHandle(std::vector<Level>& levels, size_t index) {
    size_t held = index;
    while (levels[held].handle < 0 && held > 0)
        --held;
    if (levels[held].handle < 0)
        return -1;
    for (size_t i = held + 1; i <= index; ++i) {
        levels[i].handle = OpenFolderAt(levels[i - 1].handle, levels[i].name);
        // Only the folders near `index` stay held, and the chosen one.
        if (i - 1 > 0 && index - (i - 1) >= kHeldFolders)
            CloseHandle(levels[i - 1].handle);
        if (levels[i].handle < 0)
            return -1;
    }
    return levels[index].handle;
}

} // namespace

void CFolderTreeReader::CountUnreadable(const QString& path) {
    if (m_unreadable++ < ListedUnreadable)
        m_unreadablePaths << path;
}

QString CFolderTreeReader::UnreadableText() const {
    if (m_unreadable == 0)
        return QString();
    return LoadString(StringId::FolderEntriesUnreadable).arg(m_unreadable).arg(m_unreadablePaths.join('\n'));
}

InterchangeResult CFolderTreeReader::Open(const QString& folder, const CDocumentData& data) {
    InterchangeResult result;
    m_opened = false;
    m_entries.clear();
    m_unreadable = 0;
    m_unreadablePaths.clear();
    if (!data.registry.origin) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    const QFileInfo info(folder);
    m_folderName = info.fileName().isEmpty() ? QDir::toNativeSeparators(info.absoluteFilePath()) : info.fileName();

    // Depth first without recursion, each folder opened from its parent's handle, so that neither the depth nor
    // the length of the paths has a limit.
    std::vector<Level> levels(1);
    levels[0].path = QDir::cleanPath(folder);
    levels[0].handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (levels[0].handle < 0 || !ListFolder(levels[0].handle, levels[0].entries))
        CountUnreadable(levels[0].path);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            CloseHandle(level.handle);
            levels.pop_back();
            continue;
        }
        const RawEntry entry = level.entries[level.next++];
        // An entry goes one level below the origin for each folder above it; the walk stops at the first one
        // deeper than a table of contents may be, before it goes any further down.
        if (static_cast<int>(levels.size()) > kMaxOutlineDepth) {
            for (Level& held : levels)
                CloseHandle(held.handle);
            m_entries.clear();
            result.failure = InterchangeFailure::TooDeep;
            return result;
        }
        m_entries.push_back({QFile::decodeName(entry.name), static_cast<int>(levels.size()) - 1});
        if (!entry.folder)
            continue;
        Level below;
        below.name = entry.name;
        below.path = level.path + '/' + m_entries.back().name;
        const int parent = LevelHandle(levels, levels.size() - 1);
        below.handle = parent >= 0 ? OpenFolderAt(parent, entry.name) : -1;
        if (below.handle < 0 || !ListFolder(below.handle, below.entries))
            CountUnreadable(below.path);
        if (levels.size() > kHeldFolders)
            CloseHandle(levels[levels.size() - kHeldFolders].handle);
        levels.push_back(std::move(below));
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
