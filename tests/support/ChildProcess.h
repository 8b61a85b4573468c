#pragma once

#include <QString>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

// The exit status of a child that cannot set up what its test needs: the test is skipped.
constexpr int kChildCannotSetUp = 77;

// Runs `work` in a child process and returns its exit status (-1 when it ended by a signal). `work` ends the child
// with _exit, or returns and the child exits with 0.
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

// In a child: mounts a file system of `bytes` of its own on `folder`, seen by this process alone. False when this
// system does not let a test do it.
bool MountSmallFileSystem(const QString& folder, qint64 bytes);

// In a child of the superuser: becomes the user `user` of the group `group`, a member of `groups` too. False when
// the process may not.
bool BecomeUser(uid_t user, gid_t group, const std::vector<gid_t>& groups = {});
