#include "platform/LivenessLock.h"
#include "support/LiveInstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <optional>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// Another process's look at a process of the same id that is gone, between the steps of a lock file's making or of
// its removal.
class LookBetween : public platform::LivenessLockHook {
public:
    explicit LookBetween(QString directory) : m_directory(std::move(directory)) {}

    // While this process makes its lock file, a look at its id finds the file unlocked.
    void Locking() override {
        if (!std::exchange(m_looked, true))
            m_foundAlive = platform::LivenessLock::IsAlive(m_directory, static_cast<quint32>(getpid()));
    }
    // While a look removes the unlocked file of `replacedId`, a process of that id starts: its file takes the name.
    void Removing() override {
        if (m_replacedId == 0 || m_newProcess)
            return;
        QFile::remove(m_directory + QStringLiteral("/nuv-alive-%1").arg(m_replacedId));
        m_newProcess.emplace(m_directory, m_replacedId);
    }

    bool m_looked = false;
    bool m_foundAlive = true;
    quint32 m_replacedId = 0;
    std::optional<LiveInstance> m_newProcess;

private:
    QString m_directory;
    platform::LivenessLockHookInstaller m_installer{*this};
};

} // namespace

TEST(LivenessLock, ALookAtAProcessOfTheSameIdNeverTakesALockAwayFromItsProcess) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto self = static_cast<quint32>(getpid());
    {
        // The look comes between the making of the file and its lock, and removes the file it finds unlocked.
        LookBetween look(dir.path());
        platform::LivenessLock lock;
        ASSERT_TRUE(lock.Acquire(dir.path()));
        EXPECT_TRUE(look.m_looked);
        EXPECT_FALSE(look.m_foundAlive);
        EXPECT_TRUE(platform::LivenessLock::IsAlive(dir.path(), self));
        EXPECT_TRUE(platform::LivenessLock::IsAlive(dir.path(), self));
    }
    EXPECT_FALSE(platform::LivenessLock::IsAlive(dir.path(), self));

    // A look at a dead process's file, while a new process of that id takes the name for its own.
    const quint32 reused = 999999;
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("nuv-alive-%1").arg(reused))).open(QIODevice::WriteOnly));
    LookBetween look(dir.path());
    look.m_replacedId = reused;
    EXPECT_FALSE(platform::LivenessLock::IsAlive(dir.path(), reused));
    ASSERT_TRUE(look.m_newProcess);
    EXPECT_TRUE(platform::LivenessLock::IsAlive(dir.path(), reused));
}

TEST(LivenessLock, TheLeftoversOfProcessesThatAreGoneGoButALockThatIsHeldStays) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Ids no process can have.
    const quint32 gone = 999999999;
    const quint32 started = 999999998;
    const QString goneFile = dir.filePath(QStringLiteral("nuv-alive-%1").arg(gone));
    ASSERT_TRUE(QFile(goneFile).open(QIODevice::WriteOnly));
    // As a process of that id that has started since the table's look would hold it.
    const LiveInstance holder(dir.path(), started);
    platform::LivenessLock::RemoveLeftovers(dir.path());
    EXPECT_FALSE(QFile::exists(goneFile));
    EXPECT_TRUE(platform::LivenessLock::IsAlive(dir.path(), started));
}

// Another process of this id (in another pid namespace sharing the runtime folder) holds the lock file for good, or a
// look holds it for a moment.
TEST(LivenessLock, AStartWaitsForAMomentaryLookButNotForALockHeldOnByAnother) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("nuv-alive-%1").arg(getpid())));
    // A lock taken through another open of the file is another holder's, as flock goes.
    const int holder = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);

    platform::LivenessLock held;
    auto start = std::async(std::launch::async, [&] { return held.Acquire(dir.path()); });
    const bool ended = start.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    flock(holder, LOCK_UN);
    EXPECT_TRUE(ended) << "the start waits on a lock another holds";
    EXPECT_FALSE(start.get());
    EXPECT_EQ(held.Error(), dir.filePath(QStringLiteral("nuv-alive-%1: ").arg(getpid())) +
                                QString::fromLocal8Bit(std::strerror(EWOULDBLOCK)));

    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    std::thread look([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        flock(holder, LOCK_UN);
    });
    platform::LivenessLock afterTheLook;
    EXPECT_TRUE(afterTheLook.Acquire(dir.path()));
    look.join();
    close(holder);
}
