#pragma once

#include "platform/UserSettings.h"

#include <QString>
#include <QStringList>

// The documents opened or saved last, newest first, at most four. The list lives in the per-user settings
// store and is read before every change, so that processes running side by side keep each other's entries.
class CRecentFileList {
public:
    static constexpr int MaxEntries = UserSettings::RecentFileCount;

    // The entries as stored; entries that are empty or repeated are left out.
    static QStringList Paths();
    // Puts the path first; an entry equal to it moves there, and the oldest beyond four goes.
    static void Add(const QString& path);
    // Removes the first entry equal to the path.
    static void Remove(const QString& path);

private:
    static void Store(const QStringList& paths);
};
