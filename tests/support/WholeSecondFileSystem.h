#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A file system that keeps whole seconds (ext2 with small inodes) mounted on `folder` from an image beside it while it
// lives, where the superuser may mount one. `beforeMount` may put files into the image first (with debugfs, say).
class WholeSecondFileSystem {
public:
    explicit WholeSecondFileSystem(const QString& folder,
                                   const std::function<bool(const QString& image)>& beforeMount = {});
    // Runs `program` to its end; whether it succeeded.
    static bool Run(const QString& program, const QStringList& arguments);
    ~WholeSecondFileSystem();
    WholeSecondFileSystem(const WholeSecondFileSystem&) = delete;
    WholeSecondFileSystem& operator=(const WholeSecondFileSystem&) = delete;
    bool Mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};
