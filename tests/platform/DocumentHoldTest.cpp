#include "platform/DocumentHold.h"
#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/OwnerFile.h"
#include "platform/SharedMapping.h"
#include "platform/UserName.h"
#include "support/LiveInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class DocumentHold : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        QFile document(Path("plan.nuv"));
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    static bool Held(const QString& path) { return platform::DocumentHolder(path).has_value(); }

    // Adds a record to the table that the instances share, making the table when there is none.
    void Register(quint32 pid, const QString& path, int32_t state) {
        platform::NamedLock mutex;
        platform::SharedMapping mapping;
        ASSERT_TRUE(mutex.Open(m_dir.path(), kInstanceMutexName));
        ASSERT_TRUE(mapping.Open(m_dir.path(), kInstanceMappingName, sizeof(InstanceTable)));
        platform::NamedLockGuard lock(mutex);
        InstanceRecord record{};
        record.processId = pid;
        record.SetPath(path);
        record.state = state;
        ASSERT_TRUE(static_cast<InstanceTable*>(mapping.Data())->Register(record));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(DocumentHold, OnlyARunningEditorOfTheDocumentHoldsIt) {
    // Without a table no editor runs, and asking makes none.
    EXPECT_FALSE(Held(Path("plan.nuv")));
    EXPECT_FALSE(QFile::exists(Path(kInstanceMappingName)));

    // An editor that was killed left its record, liveness lock file and socket; a running process views the
    // document read-only; a running editor edits another document; this process edits it too.
    const quint32 dead = 4000001;
    const QStringList deadFiles = {Path(QStringLiteral("nuv-alive-%1").arg(dead)),
                                   platform::InstanceSocketPath(m_dir.path(), dead)};
    for (const QString& file : deadFiles)
        ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    Register(dead, Path("plan.nuv"), 1);
    const LiveInstance viewer(m_dir.path(), 77777);
    Register(77777, Path("plan.nuv"), 2);
    const LiveInstance other(m_dir.path(), 88888);
    Register(88888, Path("other.nuv"), 1);
    Register(static_cast<quint32>(getpid()), Path("plan.nuv"), 1);
    EXPECT_FALSE(Held(Path("plan.nuv")));
    for (const QString& file : deadFiles)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();

    // A running editor holds it, also when the document is named through a link or a detour.
    const LiveInstance editor(m_dir.path(), 99999);
    Register(99999, Path("plan.nuv"), 1);
    ASSERT_TRUE(QFile::link(Path("plan.nuv"), Path("link.nuv")));
    EXPECT_TRUE(Held(Path("link.nuv")));
    EXPECT_TRUE(Held(Path("sub/../plan.nuv")));
    EXPECT_FALSE(Held(Path("PLAN.nuv")));
}

TEST_F(DocumentHold, AnEditorHoldsItsDocumentUnderAPathTooLongForItsRecordAndUnderItsOtherNames) {
    // The record keeps 259 units of the path; the editor names it whole in its liveness lock file.
    const QString folder = Path(QString(120, u'f')) + QLatin1Char('/') + QString(120, u'g');
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/plan.nuv");
    const QString sibling = folder + QStringLiteral("/plan.nuw");
    for (const QString& file : {path, sibling})
        ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    ASSERT_GT(path.size(), kInstancePathLength - 1);
    ASSERT_EQ(path.left(kInstancePathLength - 1), sibling.left(kInstancePathLength - 1));
    const LiveInstance editor(m_dir.path(), 99999);
    Register(99999, path, 1);
    QFile wholePath(Path("nuv-alive-99999"));
    ASSERT_TRUE(wholePath.open(QIODevice::WriteOnly));
    wholePath.write(path.toUtf8());
    wholePath.close();
    ASSERT_EQ(WriteOwnerFile(path), OwnerFileWrite::Written);
    EXPECT_EQ(platform::DocumentHolder(path), ReadOwnerFile(path));
    EXPECT_FALSE(Held(sibling));

    // Another hard link of the file is the same document: the holder is read beside the editor's name.
    ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(Path("hard.nuv")).constData()), 0);
    EXPECT_EQ(platform::DocumentHolder(Path("hard.nuv")), ReadOwnerFile(path));
}

namespace {

// Another process holding a lock on a file, as the user `userId` (when it may become that user), until it ends.
class LockingProcess {
public:
    LockingProcess(const QString& path, uid_t userId) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(m_stop) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(ready[0]);
            close(m_stop[1]);
            const int fd = open(QFile::encodeName(path).constData(), O_RDONLY);
            if (fd < 0 || flock(fd, LOCK_EX) != 0 || (userId != geteuid() && setresuid(userId, userId, userId) != 0))
                _exit(1);
            char byte = 'r';
            if (write(ready[1], &byte, 1) != 1 || read(m_stop[0], &byte, 1) < 0)
                _exit(1);
            _exit(0);
        }
        close(ready[1]);
        close(m_stop[0]);
        char byte = 0;
        m_ready = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
    }
    ~LockingProcess() {
        close(m_stop[1]);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    LockingProcess(const LockingProcess&) = delete;
    LockingProcess& operator=(const LockingProcess&) = delete;
    bool Ready() const { return m_ready; }
    pid_t Pid() const { return m_pid; }

private:
    int m_stop[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_ready = false;
};

} // namespace

TEST_F(DocumentHold, ALockWhoseHolderLeftNoOwnerFileIsNamedByItsUserAndProcess) {
    const QString path = Path("plan.nuv");
    // The current user, and another one where the test may become another user.
    std::vector<uid_t> users = {geteuid()};
    if (geteuid() == 0)
        users.push_back(65534);
    for (const uid_t user : users) {
        SCOPED_TRACE(user);
        const LockingProcess holder(path, user);
        ASSERT_TRUE(holder.Ready());
        EXPECT_EQ(platform::DocumentHolder(path),
                  QStringLiteral("%1 (PID %2)").arg(platform::GetUserNameOf(user)).arg(holder.Pid()));

        // The name in an owner file comes first.
        ASSERT_EQ(WriteOwnerFile(path), OwnerFileWrite::Written);
        EXPECT_EQ(platform::DocumentHolder(path), ReadOwnerFile(path));
        DeleteOwnerFile(path);
    }
    EXPECT_FALSE(Held(path));
}
