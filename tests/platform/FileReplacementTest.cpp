#include "platform/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileReplacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir("cache"));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath("cache")));
    }
    void TearDown() override { qunsetenv("XDG_CACHE_HOME"); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Replaces the file's content as a save does; false with `error` set when refused or failed.
    static bool Replace(const QString& path, const QByteArray& content, QString* error = nullptr,
                        platform::FileReplacement::Refusal* refusal = nullptr, bool* inPlace = nullptr) {
        platform::FileReplacement file(path);
        bool done = file.Open() && file.Device().write(content) == content.size() && file.Commit();
        if (error)
            *error = file.ErrorText();
        if (refusal)
            *refusal = file.Refused();
        if (inPlace)
            *inPlace = file.WritesInPlace();
        return done;
    }
    static void Write(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    static struct stat Stat(const QString& path) {
        struct stat info {};
        EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
        return info;
    }
    QStringList CacheEntries() const {
        return QDir(platform::FileReplacement::BackupDirectory()).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileReplacementTest, AReplacedFileKeepsItsPermissionBitsAndANewOneIsMade) {
    Write(Path("doc.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("doc.nuv")).constData(), 0640), 0);
    bool inPlace = true;
    ASSERT_TRUE(Replace(Path("doc.nuv"), "new", nullptr, nullptr, &inPlace));
    EXPECT_FALSE(inPlace);
    EXPECT_EQ(Read(Path("doc.nuv")), "new");
    EXPECT_EQ(Stat(Path("doc.nuv")).st_mode & 07777, 0640u);

    // Through a link the file it leads to is replaced, and the link stays a link.
    ASSERT_TRUE(QFile::link(Path("doc.nuv"), Path("link.nuv")));
    ASSERT_TRUE(Replace(Path("link.nuv"), "through the link"));
    EXPECT_TRUE(QFileInfo(Path("link.nuv")).isSymLink());
    EXPECT_EQ(Read(Path("doc.nuv")), "through the link");

    ASSERT_TRUE(Replace(Path("fresh.nuv"), "made"));
    EXPECT_EQ(Read(Path("fresh.nuv")), "made");
    EXPECT_EQ(QDir(m_dir.path()).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden),
              QStringList({"doc.nuv", "fresh.nuv", "link.nuv"}));
}

TEST_F(FileReplacementTest, OnlyRegularFilesNotMarkedReadOnlyAreReplaced) {
    using Refusal = platform::FileReplacement::Refusal;
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(Path("nowhere"), Path("dangling")));
    ASSERT_TRUE(QFile::link("/dev/null", Path("device")));
    for (const QString& path : {Path("pipe"), Path("folder"), Path("dangling"), Path("device"), QString("/dev/null")}) {
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(path, "new", nullptr, &refusal)) << path.toStdString();
        EXPECT_EQ(refusal, Refusal::NotRegularFile) << path.toStdString();
    }
    EXPECT_TRUE(S_ISFIFO(Stat(Path("pipe")).st_mode));
    EXPECT_TRUE(S_ISCHR(Stat("/dev/null").st_mode));
    EXPECT_TRUE(QFileInfo(Path("dangling")).isSymLink());
    EXPECT_FALSE(QFile::exists(Path("nowhere")));

    // Read-only for everybody binds the superuser too.
    Write(Path("locked.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("locked.nuv")).constData(), 0444), 0);
    Refusal refusal = Refusal::None;
    EXPECT_FALSE(Replace(Path("locked.nuv"), "new", nullptr, &refusal));
    EXPECT_EQ(refusal, Refusal::ReadOnly);
    EXPECT_EQ(Read(Path("locked.nuv")), "old");
    EXPECT_EQ(Stat(Path("locked.nuv")).st_mode & 07777, 0444u);
}

TEST_F(FileReplacementTest, AFileWithOtherLinksOrNoRoomBesideItIsWrittenInPlace) {
    Write(Path("doc.nuv"), "old content");
    ASSERT_EQ(link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()),
              0);
    const ino_t inode = Stat(Path("doc.nuv")).st_ino;
    bool inPlace = false;
    ASSERT_TRUE(Replace(Path("doc.nuv"), "new", nullptr, nullptr, &inPlace));
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(Stat(Path("doc.nuv")).st_ino, inode);
    EXPECT_EQ(Read(Path("other.nuv")), "new");
    EXPECT_TRUE(CacheEntries().isEmpty()) << CacheEntries().join(' ').toStdString();

    // A name of the longest length leaves no room for a temporary name beside it.
    const QString longest = Path(QString(251, u'x') + ".nuv");
    Write(longest, "old");
    inPlace = false;
    QString error;
    ASSERT_TRUE(Replace(longest, "new, and longer", &error, nullptr, &inPlace)) << error.toStdString();
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(Read(longest), "new, and longer");
    EXPECT_TRUE(CacheEntries().isEmpty());
}

TEST_F(FileReplacementTest, AFailedWriteInPlacePutsTheOldContentBack) {
    Write(Path("doc.nuv"), "old content");
    ASSERT_EQ(link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()),
              0);
    QString error;
    {
        // The new content cannot be written whole; the old one, shorter, can.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old;
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_FALSE(Replace(Path("doc.nuv"), QByteArray(1000, 'n'), &error));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(Path("doc.nuv")), "old content");
    EXPECT_TRUE(CacheEntries().isEmpty());

    // Without a cache folder for the old content nothing is written.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("other.nuv")));
    EXPECT_FALSE(Replace(Path("doc.nuv"), "new", &error));
    EXPECT_EQ(Read(Path("doc.nuv")), "old content");
}
