#include "support/WholeSecondFileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/mount.h>
#include <unistd.h>

WholeSecondFileSystem::WholeSecondFileSystem(const QString& folder,
                                             const std::function<bool(const QString& image)>& beforeMount)
    : m_folder(folder) {
    const QString image = folder + QStringLiteral(".img");
    m_mounted = geteuid() == 0 && QDir().mkpath(folder) && Run("truncate", {"-s", "16M", image}) &&
                Run("mkfs.ext2", {"-q", "-F", "-I", "128", image}) && (!beforeMount || beforeMount(image)) &&
                Run("mount", {"-o", "loop", image, folder});
}

bool WholeSecondFileSystem::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

WholeSecondFileSystem::~WholeSecondFileSystem() {
    if (m_mounted)
        umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}
