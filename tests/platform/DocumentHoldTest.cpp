#include "platform/DocumentHold.h"
#include "platform/DocumentFileLock.h"
#include "platform/FileReplacement.h"
#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/OwnerFile.h"
#include "platform/SharedMapping.h"
#include "platform/UserName.h"
#include "support/LiveInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utility>
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

TEST_F(DocumentHold, NoReplacementOfAFileGoesOverADocumentThatIsHeld) {
    const auto replace = [](const QString& path, const platform::DocumentFileLock* ownHold = nullptr) {
        platform::FileReplacement file(path);
        if (!file.Open(ownHold))
            return std::pair{file.Refused(), file.ErrorText()};
        file.Device().write("replaced");
        return std::pair{file.Commit() ? platform::FileReplacement::Refusal::None : file.Refused(), file.ErrorText()};
    };
    const auto content = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QString path = Path("plan.nuv");
    {
        QFile document(path);
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
        document.write("the document");
    }
    ASSERT_EQ(WriteOwnerFile(path), OwnerFileWrite::Written);
    ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(Path("hard.nuv")).constData()), 0);

    // Held by this process's editor (its lock on the file): whatever is written, under any name, is refused and
    // names the holder, unless it is the save of that very hold.
    {
        platform::DocumentFileLock editing;
        ASSERT_TRUE(editing.Hold(path));
        EXPECT_EQ(replace(path), std::pair(platform::FileReplacement::Refusal::InUse, ReadOwnerFile(path)));
        for (const QString& name : {Path("hard.nuv"), Path("sub/../plan.nuv")})
            EXPECT_EQ(replace(name).first, platform::FileReplacement::Refusal::InUse) << name.toStdString();
        EXPECT_EQ(content(path), "the document");
        EXPECT_EQ(replace(path, &editing).first, platform::FileReplacement::Refusal::None);
        EXPECT_EQ(content(path), "replaced");
    }

    // Held by a running editor of the table, through a link: refused too; once it is gone, written.
    ASSERT_TRUE(QFile::link(path, Path("link.nuv")));
    {
        const LiveInstance editor(m_dir.path(), 99999);
        Register(99999, Path("link.nuv"), 1);
        EXPECT_EQ(replace(path).first, platform::FileReplacement::Refusal::InUse);
        EXPECT_EQ(content(path), "replaced");
    }
    EXPECT_EQ(replace(Path("hard.nuv")).first, platform::FileReplacement::Refusal::None);
}

TEST_F(DocumentHold, ALockWhoseHolderLeftNoOwnerFileIsNamedByItsUserAndProcess) {
    const QString path = Path("plan.nuv");
    // A process of the current user's, and one of a user who may only read the file where the test may become one.
    std::vector<uid_t> users = {getuid()};
    if (geteuid() == 0 && chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0)
        users.push_back(65534);
    for (const uid_t user : users) {
        SCOPED_TRACE(user);
        QProcess holder;
        // Holds it until its input ends.
        holder.start("setpriv", {QStringLiteral("--reuid=%1").arg(user), "flock", "-x", "-o", path, "cat"});
        ASSERT_TRUE(holder.waitForStarted());
        for (int i = 0; i < 200 && !Held(path); ++i)
            QThread::msleep(20);
        EXPECT_EQ(platform::DocumentHolder(path),
                  QStringLiteral("%1 (PID %2)").arg(platform::GetUserNameOf(user)).arg(holder.processId()));

        // The name in an owner file comes first.
        ASSERT_EQ(WriteOwnerFile(path), OwnerFileWrite::Written);
        EXPECT_EQ(platform::DocumentHolder(path), ReadOwnerFile(path));
        DeleteOwnerFile(path);
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished());
    }
    EXPECT_FALSE(Held(path));
}
