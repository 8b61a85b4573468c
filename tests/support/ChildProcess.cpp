#include "support/ChildProcess.h"

#include <QFile>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>

bool MountSmallFileSystem(const QString& folder, qint64 bytes) {
    const uid_t user = geteuid();
    const gid_t group = getegid();
    if (unshare(user == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    if (user != 0) {
        const auto put = [](const char* file, const QByteArray& text) {
            QFile map(file);
            return map.open(QIODevice::WriteOnly) && map.write(text) == text.size();
        };
        if (!put("/proc/self/setgroups", "deny") ||
            !put("/proc/self/uid_map", "0 " + QByteArray::number(user) + " 1") ||
            !put("/proc/self/gid_map", "0 " + QByteArray::number(group) + " 1"))
            return false;
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("nuvtest", QFile::encodeName(folder).constData(), "tmpfs", 0,
                 ("size=" + QByteArray::number(bytes)).constData()) == 0;
}

bool BecomeUser(uid_t user, gid_t group, const std::vector<gid_t>& groups) {
    return geteuid() == 0 && setgroups(groups.size(), groups.data()) == 0 && setresgid(group, group, group) == 0 &&
           setresuid(user, user, user) == 0;
}
