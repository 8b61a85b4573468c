#include "platform/UserFile.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace platform;

TEST(UserFile, OnlyRegularFilesAreOpenedAndNothingWaitsOnAPipe) {
    QTemporaryDir dir;
    const QString regular = dir.filePath("a.txt");
    WriteFileBytes(regular, "text");
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {pipe, dir.path(), QStringLiteral("/dev/zero"), dir.filePath("absent")}) {
        QFile file;
        EXPECT_FALSE(OpenRegularFileForReading(file, path)) << path.toStdString();
        EXPECT_FALSE(file.isOpen());
        QByteArray bytes = "left";
        EXPECT_FALSE(ReadUserFile(path, 1 << 20, bytes)) << path.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
    QByteArray bytes;
    EXPECT_TRUE(ReadUserFile(regular, 4, bytes));
    EXPECT_EQ(bytes, "text");
}

TEST(UserFile, ContentOverTheBoundIsRefusedWithoutGrowingPastIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    WriteFileBytes(path, "12345");
    QByteArray bytes;
    EXPECT_TRUE(ReadUserFile(path, 5, bytes));
    EXPECT_EQ(bytes, "12345");
    EXPECT_FALSE(ReadUserFile(path, 4, bytes));
    EXPECT_TRUE(bytes.isEmpty());
    // A device without an end stops one step past the bound.
    QFile zero(QStringLiteral("/dev/zero"));
    ASSERT_TRUE(zero.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ReadBounded(zero, 3 << 20, bytes));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_LE(zero.pos(), (3 << 20) + 1);
}
