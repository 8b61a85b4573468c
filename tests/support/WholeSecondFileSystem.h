#pragma once

#include <QString>

// A file system that keeps whole seconds (ext2 with small inodes) mounted on `folder` from an image beside it while it
// lives, where the superuser may mount one.
class WholeSecondFileSystem {
public:
    explicit WholeSecondFileSystem(const QString& folder);
    ~WholeSecondFileSystem();
    WholeSecondFileSystem(const WholeSecondFileSystem&) = delete;
    WholeSecondFileSystem& operator=(const WholeSecondFileSystem&) = delete;
    bool Mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};
