#pragma once

#include <QString>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
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

// A child process forked from the test that runs beside it: it and the test tell each other when a step is done, a
// byte through a pipe each way. It ends when its work returns, with the work's result as its exit status, and at the
// latest with the test: this kills it unless Wait() has seen it end, and it dies with the test process.
class ChildBeside {
public:
    explicit ChildBeside(const std::function<int(ChildBeside& test)>& work);
    ~ChildBeside();
    ChildBeside(const ChildBeside&) = delete;
    ChildBeside& operator=(const ChildBeside&) = delete;

    pid_t Id() const { return m_child; }
    // Tells the other side that a step is done.
    void Tell();
    // Waits until the other side tells; false when it has ended instead.
    bool Hear();
    // Lets the child go on to its end and returns its exit status (-1 when it ended by a signal).
    int Wait();

private:
    pid_t m_child = -1;
    int m_toOther = -1;
    int m_fromOther = -1;
};

// In a child: mounts a file system of `bytes` on `folder`, seen by this process alone; false when not allowed here.
bool MountSmallFileSystem(const QString& folder, qint64 bytes);

// In a child of the superuser: becomes `user` of the group `group`, a member of `groups` too; false when it may not.
bool BecomeUser(uid_t user, gid_t group, const std::vector<gid_t>& groups = {});
