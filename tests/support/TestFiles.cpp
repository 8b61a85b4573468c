#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

void WriteSparseFile(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_TRUE(file.resize(size)) << path.toStdString();
}

bool WriteWithTimeSetBack(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    struct stat after {};
    EXPECT_EQ(stat(name.constData(), &before), 0) << path.toStdString();
    const int fd = open(name.constData(), O_WRONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path.toStdString();
    EXPECT_EQ(pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), bytes.size()) << path.toStdString();
    close(fd);
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    EXPECT_EQ(utimensat(AT_FDCWD, name.constData(), times, 0), 0) << path.toStdString();
    EXPECT_EQ(stat(name.constData(), &after), 0) << path.toStdString();
    return after.st_ctim.tv_sec == before.st_ctim.tv_sec && after.st_ctim.tv_nsec == before.st_ctim.tv_nsec;
}

qint64 BytesReadByProcess() {
    QFile io("/proc/self/io");
    if (io.open(QIODevice::ReadOnly))
        for (const QByteArray& line : io.readAll().split('\n'))
            if (line.startsWith("rchar:"))
                return line.mid(6).trimmed().toLongLong();
    return -1;
}
