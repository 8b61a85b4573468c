#include "platform/OwnerFile.h"
#include "platform/UserName.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class OwnerFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QString Me() {
    const QString name = platform::GetUserName();
    return name.isEmpty() ? QStringLiteral("Unknown") : name;
}

} // namespace

TEST_F(OwnerFileTest, APlantedLinkFolderOrPipeIsLeftAloneAndOnlyAnOwnerFileIsReplaced) {
    const QString document = Path("plan.nuv");
    const QString owner = Path("~$plan.nuv");

    // A link to a file of the user's.
    WriteFileBytes(Path("precious.txt"), "precious");
    ASSERT_TRUE(QFile::link(Path("precious.txt"), owner));
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    EXPECT_EQ(ReadFileBytes(Path("precious.txt")), "precious");
    EXPECT_EQ(ReadOwnerFile(document), "Unknown");
    // A link that leads nowhere is not followed to make its target either.
    ASSERT_TRUE(QFile::remove(owner));
    ASSERT_TRUE(QFile::link(Path("made.txt"), owner));
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    EXPECT_FALSE(QFile::exists(Path("made.txt")));
    ASSERT_TRUE(QFile::remove(owner));

    // A second name of the user's file, a folder, a pipe (read without waiting for a writer), a larger file.
    ASSERT_EQ(link(QFile::encodeName(Path("precious.txt")).constData(), QFile::encodeName(owner).constData()), 0);
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    EXPECT_EQ(ReadFileBytes(Path("precious.txt")), "precious");
    ASSERT_TRUE(QFile::remove(owner));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("~$plan.nuv"));
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    ASSERT_TRUE(QDir(m_dir.path()).rmdir("~$plan.nuv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(owner).constData(), 0600), 0);
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    EXPECT_EQ(ReadOwnerFile(document), "Unknown");
    ASSERT_TRUE(QFile::remove(owner));
    WriteFileBytes(owner, QByteArray(2000, 'x'));
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Refused);
    EXPECT_EQ(ReadFileBytes(owner), QByteArray(2000, 'x'));
    ASSERT_TRUE(QFile::remove(owner));

    // Nothing there, or an owner file another editor left: written.
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Written);
    EXPECT_EQ(ReadOwnerFile(document), Me());
    WriteFileBytes(owner, QByteArray("h\0a\0n\0a\0", 8));
    EXPECT_EQ(ReadOwnerFile(document), "hana");
    EXPECT_EQ(WriteOwnerFile(document), OwnerFileWrite::Written);
    EXPECT_EQ(ReadOwnerFile(document), Me());
}
