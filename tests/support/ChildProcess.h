#pragma once

#include <QString>

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

// The exit status of a child that cannot set up what its test needs: the test is skipped.
constexpr int kChildCannotSetUp = 77;

// Runs `work` in a child process and returns its exit status (0 when `work` returns, -1 when ended by a signal).
template <class Work> int InChild(Work work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child: mounts a file system of `bytes` on `folder`, seen by this process alone; false when not allowed here.
bool MountSmallFileSystem(const QString& folder, qint64 bytes);

// In a child of the superuser: becomes `user` of the group `group`, a member of `groups` too; false when it may not.
bool BecomeUser(uid_t user, gid_t group, const std::vector<gid_t>& groups = {});
