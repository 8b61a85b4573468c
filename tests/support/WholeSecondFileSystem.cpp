#include "support/WholeSecondFileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/mount.h>
#include <unistd.h>

WholeSecondFileSystem::WholeSecondFileSystem(const QString& folder) : m_folder(folder) {
    const auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    };
    const QString image = folder + QStringLiteral(".img");
    m_mounted = geteuid() == 0 && QDir().mkpath(folder) && run("truncate", {"-s", "16M", image}) &&
                run("mkfs.ext2", {"-q", "-F", "-I", "128", image}) && run("mount", {"-o", "loop", image, folder});
}

WholeSecondFileSystem::~WholeSecondFileSystem() {
    if (m_mounted)
        umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}
