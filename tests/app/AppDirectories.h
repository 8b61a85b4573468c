#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that the application takes for its instance table, its per-user settings and its cache (the
// backups of saves in place) while this lives.
class AppDirectories {
public:
    AppDirectories() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath("cache")));
    }
    ~AppDirectories() {
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }
    AppDirectories(const AppDirectories&) = delete;
    AppDirectories& operator=(const AppDirectories&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString Root() const { return m_dir.path(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
