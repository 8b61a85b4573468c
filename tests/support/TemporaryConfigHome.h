#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// A settings store of the test's own: while it lives, per-user values are read from and written to an empty
// configuration folder that goes with it.
class TemporaryConfigHome {
public:
    TemporaryConfigHome() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path())); }
    ~TemporaryConfigHome() { qunsetenv("XDG_CONFIG_HOME"); }
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;

    QTemporaryDir dir;
};
