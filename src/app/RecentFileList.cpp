#include "app/RecentFileList.h"

#include "platform/UserSettings.h"

#include <utility>
#include <vector>

QStringList CRecentFileList::Paths() {
    QStringList paths;
    for (int i = 0; i < MaxEntries; ++i) {
        const QString path = platform::ReadSetting(UserSettings::RecentFile(i));
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
    std::vector<std::pair<platform::TextSetting, QString>> entries;
    for (int i = 0; i < MaxEntries; ++i)
        entries.emplace_back(UserSettings::RecentFile(i), paths.value(i));
    platform::WriteSettings(entries);
}
