#include "support/ChildProcess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>

ChildBeside::ChildBeside(const std::function<int(ChildBeside& test)>& work) {
    int toChild[2];
    int toTest[2];
    if (pipe2(toChild, O_CLOEXEC) != 0)
        return;
    if (pipe2(toTest, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    const pid_t test = getpid();
    m_child = fork();
    if (m_child == 0) {
        // Killed with the test, should the test end before it does.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != test)
            _exit(1);
        close(toChild[1]);
        close(toTest[0]);
        m_fromOther = toChild[0];
        m_toOther = toTest[1];
        _exit(work(*this));
    }
    close(toChild[0]);
    close(toTest[1]);
    m_toOther = toChild[1];
    m_fromOther = toTest[0];
    if (m_child < 0) {
        close(m_toOther);
        close(m_fromOther);
        m_toOther = m_fromOther = -1;
    }
}

ChildBeside::~ChildBeside() {
    if (m_child > 0) {
        kill(m_child, SIGKILL);
        Wait();
    }
}

void ChildBeside::Tell() {
    const char step = 1;
    while (write(m_toOther, &step, 1) < 0 && errno == EINTR) {
    }
}

bool ChildBeside::Hear() {
    char step = 0;
    ssize_t got = 0;
    do
        got = read(m_fromOther, &step, 1);
    while (got < 0 && errno == EINTR);
    return got == 1;
}

int ChildBeside::Wait() {
    if (m_child <= 0)
        return -1;
    close(m_toOther);
    close(m_fromOther);
    m_toOther = m_fromOther = -1;
    int status = 0;
    while (waitpid(m_child, &status, 0) < 0 && errno == EINTR) {
    }
    m_child = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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
