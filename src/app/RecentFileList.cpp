#include "app/RecentFileList.h"

#include "platform/SettingsStore.h"

#include <utility>
#include <vector>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString EntryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

QStringList CRecentFileList::Paths() {
    const platform::SettingsStore store(kSection);
    QStringList paths;
    for (int i = 0; i < MaxEntries; ++i) {
        const QString path = store.ReadText(EntryName(i)).value_or(QString());
        if (!path.isEmpty() && !paths.contains(path))
            paths.append(path);
    }
    return paths;
}

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty())
        return;
    QStringList paths = Paths();
    paths.removeAll(path);
    paths.prepend(path);
    Store(paths.mid(0, MaxEntries));
}

void CRecentFileList::Remove(const QString& path) {
    QStringList paths = Paths();
    if (paths.removeOne(path))
        Store(paths);
}

void CRecentFileList::Store(const QStringList& paths) {
    std::vector<std::pair<QString, QString>> entries;
    for (int i = 0; i < MaxEntries; ++i)
        entries.emplace_back(EntryName(i), paths.value(i));
    platform::SettingsStore(kSection).WriteTexts(entries);
}
