#include "platform/DocumentHold.h"
#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/SharedMapping.h"
#include "support/LiveInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

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
    EXPECT_FALSE(platform::IsEditedByLiveInstance(Path("plan.nuv")));
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
    EXPECT_FALSE(platform::IsEditedByLiveInstance(Path("plan.nuv")));
    for (const QString& file : deadFiles)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();

    // A running editor holds it, also when the document is named through a link or a detour.
    const LiveInstance editor(m_dir.path(), 99999);
    Register(99999, Path("plan.nuv"), 1);
    ASSERT_TRUE(QFile::link(Path("plan.nuv"), Path("link.nuv")));
    EXPECT_TRUE(platform::IsEditedByLiveInstance(Path("link.nuv")));
    EXPECT_TRUE(platform::IsEditedByLiveInstance(Path("sub/../plan.nuv")));
    EXPECT_FALSE(platform::IsEditedByLiveInstance(Path("PLAN.nuv")));
}
