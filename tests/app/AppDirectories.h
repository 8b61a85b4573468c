#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that the application takes for its instance table and its per-user settings while this
// lives.
class AppDirectories {
public:
    AppDirectories() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }
    ~AppDirectories() {
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
    }
    AppDirectories(const AppDirectories&) = delete;
    AppDirectories& operator=(const AppDirectories&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString Root() const { return m_dir.path(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
