#include "platform/FileReplacement.h"
#include "platform/ContentDigest.h"
#include "support/ChildProcess.h"
#include "support/InPlaceWriteMoment.h"
#include "support/TemporaryWriteMoment.h"
#include "support/TestFiles.h"
#include "support/WholeSecondFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <future>
#include <limits>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <utility>

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

// A file system that cannot set permission bits (a share mounted through FUSE) shows the bits it gives every file: a
// new file keeps them, a document whose bits the new file shows is replaced, and one whose bits it does not show is
// written in place. A refusal for want of permission still stops the save.
TEST_F(FileReplacementTest, ASaveGoesOnWhereTheFileSystemCannotSetPermissionBits) {
    struct BitsRefused : platform::TemporaryWriteHook {
        int error = 0;
        int Writing(qint64, qint64) override { return 0; }
        int SettingBits() override { return error; }
    } bits;
    const platform::TemporaryWriteHookInstaller installed(bits);
    const QString doc = Path("doc.nuv");
    for (const int unsupported : {EOPNOTSUPP, ENOSYS}) {
        bits.error = unsupported;
        QFile::remove(doc);
        bool inPlace = true;
        ASSERT_TRUE(Replace(doc, "made", nullptr, nullptr, &inPlace)) << unsupported;
        EXPECT_FALSE(inPlace);
        EXPECT_EQ(Stat(doc).st_mode & 07777, 0600u);
        const ino_t made = Stat(doc).st_ino;
        ASSERT_TRUE(Replace(doc, "beside", nullptr, nullptr, &inPlace));
        EXPECT_FALSE(inPlace);
        EXPECT_NE(Stat(doc).st_ino, made);

        ASSERT_EQ(chmod(QFile::encodeName(doc).constData(), 0644), 0);
        const ino_t shown = Stat(doc).st_ino;
        ASSERT_TRUE(Replace(doc, "in place", nullptr, nullptr, &inPlace));
        EXPECT_TRUE(inPlace);
        EXPECT_EQ(Read(doc), "in place");
        EXPECT_EQ(Stat(doc).st_ino, shown);
        EXPECT_EQ(Stat(doc).st_mode & 07777, 0644u);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"doc.nuv"}));
    }

    // The backup folder stays readable to others where its bits cannot be set.
    const QByteArray folder = QFile::encodeName(platform::FileReplacement::BackupDirectory());
    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
    ASSERT_TRUE(Replace(doc, "linked"));
    EXPECT_EQ(Read(Path("other.nuv")), "linked");
    EXPECT_EQ(Stat(folder).st_mode & 07777, 0755u);

    bits.error = EPERM;
    QString error;
    EXPECT_FALSE(Replace(Path("fresh.nuv"), "new", &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EPERM)));
    ASSERT_EQ(unlink(QFile::encodeName(Path("other.nuv")).constData()), 0);
    EXPECT_FALSE(Replace(doc, "refused", &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EPERM)));
    EXPECT_EQ(Read(doc), "linked");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"doc.nuv"}));
}

// The same on a FAT image mounted through FUSE, where the superuser may mount one: it answers ENOSYS.
TEST_F(FileReplacementTest, ADocumentOnAFatImageMountedThroughFuseIsMadeAndSaved) {
    const QString folder = Path("fat");
    const QString image = Path("fat.img");
    struct FuseMount {
        QString folder;
        bool mounted = false;
        ~FuseMount() {
            if (mounted)
                WholeSecondFileSystem::Run("fusermount", {"-u", "-z", folder});
        }
    } mount{folder};
    mount.mounted = geteuid() == 0 && QDir().mkpath(folder) &&
                    WholeSecondFileSystem::Run("truncate", {"-s", "8M", image}) &&
                    WholeSecondFileSystem::Run("mkfs.vfat", {image}) &&
                    WholeSecondFileSystem::Run("fusefat", {"-o", "rw+", image, folder});
    if (!mount.mounted)
        GTEST_SKIP() << "no FAT image can be mounted through FUSE here";
    const QString doc = folder + "/doc.nuv";
    ASSERT_TRUE(Replace(doc, "made"));
    ASSERT_TRUE(Replace(doc, "saved"));
    EXPECT_EQ(Read(doc), "saved");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"doc.nuv"}));
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

    // The backup folder, whose names tell what the user edits, is made the user's alone.
    const QByteArray folder = QFile::encodeName(platform::FileReplacement::BackupDirectory());
    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    ASSERT_TRUE(Replace(Path("doc.nuv"), "newer"));
    EXPECT_EQ(Stat(folder).st_mode & 07777, 0700u);
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
        platform::FileReplacement file(Path("doc.nuv"));
        EXPECT_FALSE(file.Open() && file.Device().write(QByteArray(1000, 'n')) == 1000 && file.Commit());
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
        error = file.ErrorText();
        // The file written holds its old content: the digest is of that, not of what the write meant to put there.
        platform::ContentDigest held;
        held.Add("old content");
        EXPECT_TRUE(file.WrittenFile().file.exists);
        EXPECT_EQ(file.WrittenDigest(), held.Result());
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(Path("doc.nuv")), "old content");
    EXPECT_TRUE(CacheEntries().isEmpty());

    // Without a cache folder for the old content nothing is written.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("other.nuv")));
    EXPECT_FALSE(Replace(Path("doc.nuv"), "new", &error));
    EXPECT_EQ(Read(Path("doc.nuv")), "old content");
    // The refusal names the folder it could not make, and why.
    EXPECT_EQ(error, Path("other.nuv/nuv") + ": " + QString::fromLocal8Bit(std::strerror(ENOTDIR)));

    // A cache folder that is a link to nothing says so: the link, where it points and that nothing is there.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("cache")));
    ASSERT_TRUE(QDir(Path("cache/nuv")).removeRecursively());
    ASSERT_TRUE(QFile::link(Path("gone"), Path("cache/nuv")));
    EXPECT_FALSE(Replace(Path("doc.nuv"), "new", &error));
    EXPECT_EQ(Read(Path("doc.nuv")), "old content");
    EXPECT_EQ(error, Path("cache/nuv") + " -> " + Path("gone") + ": " + QString::fromLocal8Bit(std::strerror(ENOENT)));
}

namespace {

// Writes in pieces of 1000 bytes; once the first writer has begun to write the file itself, it lets the second one
// start and goes on only a while later.
class SecondWriterMidway : public platform::InPlaceWriteHook {
public:
    explicit SecondWriterMidway(qint64 backupSize) : m_backupSize(backupSize) {}
    qint64 Writing(qint64 done, qint64 wanted) override {
        if (std::this_thread::get_id() == m_first && done > m_backupSize && !m_released) {
            m_released = true;
            m_go.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        return std::min<qint64>(wanted, 1000);
    }
    std::future<void> Go() { return m_go.get_future(); }

private:
    const std::thread::id m_first = std::this_thread::get_id();
    const qint64 m_backupSize;
    bool m_released = false;
    std::promise<void> m_go;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};

} // namespace

TEST_F(FileReplacementTest, AWriteGoesOnlyIntoTheFileItFoundAndNeverThroughALinkPutInItsPlace) {
    using Refusal = platform::FileReplacement::Refusal;
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    Write(Path("victim"), "the saver's own");
    Write(Path("other.nuv"), "old");
    // With a second name the document is written in place; just before that, a link to the saver's own file or
    // another file takes its name.
    for (const bool toLink : {true, false}) {
        SCOPED_TRACE(toLink);
        QFile::remove(Path("doc.nuv"));
        ASSERT_EQ(link(encoded(Path("other.nuv")).constData(), encoded(Path("doc.nuv")).constData()), 0);
        const InPlaceWriteMoment swap(InPlaceWriteMoment::BeforeOpening, [&] {
            if (toLink)
                ASSERT_TRUE(QFile::link(Path("victim"), Path("theirs")));
            else
                Write(Path("theirs"), "theirs");
            ASSERT_EQ(rename(encoded(Path("theirs")).constData(), encoded(Path("doc.nuv")).constData()), 0);
        });
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(Path("doc.nuv"), "new", nullptr, &refusal));
        EXPECT_EQ(refusal, Refusal::Changed);
        EXPECT_EQ(Read(Path("victim")), "the saver's own");
        EXPECT_EQ(Read(Path("other.nuv")), "old");
        EXPECT_TRUE(CacheEntries().isEmpty());
    }

    // A file put at the name while the found one was written in place is kept, and the save is no save of it.
    QFile::remove(Path("doc.nuv"));
    ASSERT_EQ(link(encoded(Path("other.nuv")).constData(), encoded(Path("doc.nuv")).constData()), 0);
    {
        const InPlaceWriteMoment put(InPlaceWriteMoment::AfterWriting, [&] {
            Write(Path("theirs"), "theirs");
            ASSERT_EQ(rename(encoded(Path("theirs")).constData(), encoded(Path("doc.nuv")).constData()), 0);
        });
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(Path("doc.nuv"), "new", nullptr, &refusal));
        EXPECT_EQ(refusal, Refusal::Changed);
        EXPECT_EQ(Read(Path("doc.nuv")), "theirs");
        EXPECT_EQ(Read(Path("other.nuv")), "new");
        EXPECT_TRUE(CacheEntries().isEmpty());
    }

    // A writer that names the file it expects there writes no other, nor one where it expects none, nor the one it
    // expects written since.
    const auto opens = [&](const struct stat& expected, bool exists) {
        platform::FileReplacement file(Path("doc.nuv"));
        platform::FileReplacement::FileState state = platform::FileReplacement::StateOf(expected);
        state.file.exists = exists;
        return file.Open(nullptr, state);
    };
    EXPECT_FALSE(opens(Stat(Path("other.nuv")), true));
    EXPECT_FALSE(opens({}, false));
    struct stat grown = Stat(Path("doc.nuv"));
    ++grown.st_size;
    EXPECT_FALSE(opens(grown, true));
    EXPECT_TRUE(opens(Stat(Path("doc.nuv")), true));
}

TEST_F(FileReplacementTest, AWriteInPlaceLeavesAFileChangedSinceItWasFoundAndReadsBackWhatItWrote) {
    using Refusal = platform::FileReplacement::Refusal;
    const QString doc = Path("doc.nuv");
    const auto writeAt = [&](qint64 offset, const QByteArray& bytes, bool truncate) {
        const int fd = open(QFile::encodeName(doc).constData(), O_WRONLY | (truncate ? O_TRUNC : 0));
        ASSERT_GE(fd, 0);
        EXPECT_EQ(pwrite(fd, bytes.constData(), size_t(bytes.size()), offset), bytes.size());
        close(fd);
    };
    // Another program rewrites the file, or changes it and sets its modification time back, after the save found it
    // and before the save opens it: the save writes nothing and leaves what that program wrote.
    const auto cutAndWrite = [&] { writeAt(0, "14 bytes of it", true); };
    const auto changeAndSetTimeBack = [&] {
        const struct stat before = Stat(doc);
        writeAt(0, "OLD", false);
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(doc).constData(), times, 0), 0);
    };
    for (const auto& [act, left] : {std::pair{std::function<void()>(cutAndWrite), QByteArray("14 bytes of it")},
                                    {std::function<void()>(changeAndSetTimeBack), QByteArray("OLD content")}}) {
        QFile::remove(doc);
        QFile::remove(Path("other.nuv"));
        Write(doc, "old content");
        ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        const InPlaceWriteMoment change(InPlaceWriteMoment::BeforeOpening, act);
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(doc, "new content", nullptr, &refusal));
        EXPECT_EQ(refusal, Refusal::Changed);
        EXPECT_EQ(Read(doc), left);
        EXPECT_TRUE(CacheEntries().isEmpty());
    }

    // A program that writes into the file while the save writes it leaves a file that is neither: the save says it
    // may be damaged and keeps the old content in the backup it names.
    ASSERT_TRUE(Replace(doc, "old content"));
    const InPlaceWriteMoment intrude(InPlaceWriteMoment::AfterWriting, [&] { writeAt(20, "theirs", false); });
    platform::FileReplacement file(doc);
    ASSERT_TRUE(file.Open());
    ASSERT_EQ(file.Device().write("new content"), 11);
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.Refused(), Refusal::Damaged);
    EXPECT_FALSE(file.WrittenFile().file.exists);
    EXPECT_EQ(Read(file.ErrorText()), "old content");
    EXPECT_EQ(CacheEntries().size(), 1);
    EXPECT_EQ(Read(doc), QByteArray("new content") + QByteArray(9, '\0') + "theirs");
}

TEST_F(FileReplacementTest, EachLookAtAFileWrittenInPlaceSparesTheNextStepAndAWriteDuringItsReadBackIsSaid) {
    using Moment = platform::InPlaceWriteHook::Moment;
    using Refusal = platform::FileReplacement::Refusal;
    const QString doc = Path("doc.nuv");
    // Another program writes into the file and sets its modification time back: only the time of change tells.
    const auto writeWithTimeSetBack = [&](const QByteArray& bytes) { WriteWithTimeSetBack(doc, bytes); };
    const auto withSecondName = [&](const QByteArray& content) {
        QFile::remove(doc);
        QFile::remove(Path("other.nuv"));
        Write(doc, content);
        ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
    };
    // A change while the write waited for its lock is not read, one while the old content was read gets no backup,
    // and one while the backup was written is not overwritten.
    for (const auto& [moment, spared] : {std::pair{Moment::Locked, Moment::OldContentRead},
                                         {Moment::OldContentRead, Moment::BackupWritten},
                                         {Moment::BackupWritten, Moment::FileWritten}}) {
        SCOPED_TRACE(int(moment));
        withSecondName("old content");
        const InPlaceWriteMoment change(moment, [&] { writeWithTimeSetBack("OLD"); });
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(doc, "new content", nullptr, &refusal));
        EXPECT_EQ(refusal, Refusal::Changed);
        EXPECT_FALSE(change.WasReached(spared));
        EXPECT_EQ(Read(doc), "OLD content");
        EXPECT_TRUE(CacheEntries().isEmpty());
    }

    // A write while the file is read back, after the part it wrote was read, is another program's too: the file is
    // not taken for the one written, and its old content is kept in a backup named for why. Once the process is
    // gone, the backup is found as one of a file written into, not of a save that stopped.
    withSecondName("old content");
    ASSERT_EQ(InChild([&] {
                  const InPlaceWriteMoment intrude(Moment::ReadBack, [&] { writeWithTimeSetBack("THEIRS"); });
                  platform::FileReplacement file(doc);
                  const bool refused = file.Open() && file.Device().write("new content") == 11 && !file.Commit() &&
                                       file.Refused() == Refusal::Damaged && !file.WrittenFile().file.exists &&
                                       file.ErrorText().endsWith(".mixed.bak") &&
                                       Read(file.ErrorText()) == "old content";
                  _exit(refused ? 0 : 1);
              }),
              0);
    EXPECT_EQ(Read(doc), "THEIRSntent");
    EXPECT_TRUE(platform::FileReplacement::LeftBackups(doc).isEmpty());
    const QStringList kept =
        platform::FileReplacement::LeftBackups(doc, platform::FileReplacement::BackupCause::WrittenInto);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Read(kept[0]), "old content");
}

TEST_F(FileReplacementTest, OnlyItsOwnTemporaryFileIsRemovedWhenASaveFails) {
    // Another program puts its file at the temporary file's name while the save writes; the write then fails.
    const QString doc = Path("doc.nuv");
    Write(doc, "old");
    Write(Path("theirs"), "theirs");
    struct Intrusion : platform::TemporaryWriteHook {
        QString folder;
        QString temporary;
        int Writing(qint64, qint64) override {
            temporary = QDir(folder).entryList({".doc.nuv.nuvsave-*"}, QDir::Files | QDir::Hidden).value(0);
            rename(QFile::encodeName(folder + "/theirs").constData(),
                   QFile::encodeName(folder + '/' + temporary).constData());
            return EIO;
        }
    } intrusion;
    intrusion.folder = m_dir.path();
    const platform::TemporaryWriteHookInstaller installed(intrusion);
    EXPECT_FALSE(Replace(doc, "new"));
    ASSERT_FALSE(intrusion.temporary.isEmpty());
    EXPECT_EQ(Read(Path(intrusion.temporary)), "theirs");
    EXPECT_EQ(Read(doc), "old");
}

TEST_F(FileReplacementTest, AFilePutInTheFilesPlaceWhileItIsWrittenBesideIsKept) {
    using Refusal = platform::FileReplacement::Refusal;
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const QString doc = Path("doc.nuv");
    const auto putTheirs = [&] {
        Write(Path("theirs"), "theirs");
        ASSERT_EQ(rename(encoded(Path("theirs")).constData(), encoded(doc).constData()), 0);
    };
    const auto appendToIt = [&] {
        QFile file(doc);
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_EQ(file.write("+theirs"), 7);
    };
    const auto rewriteWithTheTimeSetBack = [&] {
        const struct stat before = Stat(doc);
        Write(doc, "OLD");
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, encoded(doc).constData(), times, 0), 0);
    };
    // With names exchanged, and on a file system that cannot exchange them.
    for (const int renameError : {0, EINVAL}) {
        SCOPED_TRACE(renameError);
        // A file put in the place of the one found, that one written meanwhile, and one put where none was.
        for (const auto& [existing, act, left] : {std::tuple{true, std::function<void()>(putTheirs), "theirs"},
                                                  {true, std::function<void()>(appendToIt), "old+theirs"},
                                                  {true, std::function<void()>(rewriteWithTheTimeSetBack), "OLD"},
                                                  {false, std::function<void()>(putTheirs), "theirs"}}) {
            QFile::remove(doc);
            if (existing)
                Write(doc, "old");
            const TemporaryWriteMoment hook(act, renameError);
            Refusal refusal = Refusal::None;
            EXPECT_FALSE(Replace(doc, "new", nullptr, &refusal));
            EXPECT_EQ(refusal, Refusal::Changed);
            EXPECT_EQ(Read(doc), left);
            EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"doc.nuv"}));
        }

        // Gone meanwhile, it is made anew; a writer that expects it there writes nothing.
        Write(doc, "old");
        {
            const TemporaryWriteMoment hook([&] { ASSERT_TRUE(QFile::remove(doc)); }, renameError);
            ASSERT_TRUE(Replace(doc, "new"));
            EXPECT_EQ(Read(doc), "new");
        }
        const TemporaryWriteMoment hook([&] { ASSERT_TRUE(QFile::remove(doc)); }, renameError);
        platform::FileReplacement file(doc);
        ASSERT_TRUE(file.Open(nullptr, platform::FileReplacement::StateOf(Stat(doc))));
        ASSERT_EQ(file.Device().write("newer"), 5);
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.Refused(), Refusal::Changed);
        EXPECT_FALSE(QFile::exists(doc));
        EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

TEST_F(FileReplacementTest, TwoWritesInPlaceOfOneFileAtOnceLeaveOneWholeContent) {
    const QByteArray old(2000, 'o');
    const QByteArray first(5000, 'a');
    const QByteArray second(3000, 'b');
    Write(Path("doc.nuv"), old);
    ASSERT_EQ(link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()),
              0);
    SecondWriterMidway hook(old.size());
    // The second writer is let in before the first takes the file: once that has it, it is in use.
    platform::FileReplacement secondFile(Path("other.nuv"));
    ASSERT_TRUE(secondFile.Open());
    std::future<bool> secondDone = std::async(std::launch::async, [&, go = hook.Go()]() mutable {
        go.wait();
        return secondFile.Device().write(second) == second.size() && secondFile.Commit();
    });
    EXPECT_TRUE(Replace(Path("doc.nuv"), first));
    // The second writer waited for the first, and then found the file changed since it looked: it writes nothing,
    // and the first one's content is the file's, whole.
    EXPECT_FALSE(secondDone.get());
    EXPECT_EQ(secondFile.Refused(), platform::FileReplacement::Refusal::Changed);
    EXPECT_EQ(Read(Path("doc.nuv")), first);
    EXPECT_TRUE(CacheEntries().isEmpty());
}

namespace {

// Ends the process once a write in place has written `bytes` of the backup and the file, as a kill would.
class StopAt : public platform::InPlaceWriteHook {
public:
    explicit StopAt(qint64 bytes) : m_bytes(bytes) {}
    qint64 Writing(qint64 done, qint64 wanted) override {
        if (done >= m_bytes)
            _exit(86);
        return std::min(wanted, m_bytes - done);
    }

private:
    qint64 m_bytes;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};

} // namespace

TEST_F(FileReplacementTest, ASaveOfAnyLegalNameIsWrittenBesideAndWhatAKilledOneLeftGoes) {
    // Names of 255 bytes there already, one ending in a character of three bytes, and a new one of 241.
    for (const QString& name :
         {QString(251, u'x') + ".nuv", QString(248, u'x') + "仕.nuv", QString(79, u'仕') + ".nuv"}) {
        SCOPED_TRACE(name.toStdString());
        const bool existing = name.startsWith(u'x');
        if (existing)
            Write(Path(name), "old");
        ASSERT_EQ(InChild([&] {
                      platform::FileReplacement file(Path(name));
                      if (file.Open())
                          file.Device().write("half");
                      _exit(86);
                  }),
                  86);
        ASSERT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), existing ? 2 : 1);
        bool inPlace = true;
        ASSERT_TRUE(Replace(Path(name), "new", nullptr, nullptr, &inPlace));
        EXPECT_FALSE(inPlace);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(name));
        QFile::remove(Path(name));
    }
}

TEST_F(FileReplacementTest, AWriteInPlaceKilledAtAnyPointLeavesTheFileOrItsBackupWhole) {
    const QByteArray old(3000, 'o');
    const QByteArray replacement(5000, 'n');
    // At the first byte of the backup, within it, once it is synced, within the file, once the file is synced.
    for (const qint64 stop : {0, 1500, 3000, 3001, 5500, 8000}) {
        SCOPED_TRACE(stop);
        Write(Path("doc.nuv"), old);
        QFile::remove(Path("other.nuv"));
        ASSERT_EQ(
            link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        ASSERT_EQ(InChild([&] {
                      const StopAt hook(stop);
                      Replace(Path("doc.nuv"), replacement);
                  }),
                  86);
        const QByteArray content = Read(Path("doc.nuv"));
        const QStringList backups = platform::FileReplacement::LeftBackups(Path("doc.nuv"));
        if (content == old || content == replacement) {
            // The file was not torn: a backup is only kept when the file was being written.
            EXPECT_LE(backups.size(), 1);
        } else {
            ASSERT_EQ(backups.size(), 1) << content.left(20).toStdString();
            EXPECT_EQ(Read(backups[0]), old);
            EXPECT_TRUE(backups[0].contains("/nuv/doc.nuv-")) << backups[0].toStdString();
        }
        for (const QString& backup : backups)
            EXPECT_EQ(Read(backup), old);
        EXPECT_EQ(Read(Path("other.nuv")), content);

        // The next save removes a backup that was not complete yet and keeps a complete one.
        ASSERT_TRUE(Replace(Path("doc.nuv"), "next"));
        EXPECT_EQ(platform::FileReplacement::LeftBackups(Path("doc.nuv")), backups);
        EXPECT_EQ(CacheEntries().size(), backups.size()) << CacheEntries().join(' ').toStdString();
        for (const QString& backup : backups)
            QFile::remove(backup);
    }
}

TEST_F(FileReplacementTest, TheBackupOfAWriterThatEndedIsFoundBeforeItsExitStatusIsTaken) {
    Write(Path("doc.nuv"), QByteArray(3000, 'o'));
    ASSERT_EQ(link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()),
              0);
    // The writer ends within the file, and stays a zombie until its exit status is taken.
    const pid_t writer = fork();
    if (writer == 0) {
        const StopAt hook(5500);
        Replace(Path("doc.nuv"), QByteArray(5000, 'n'));
        _exit(0);
    }
    ASSERT_GT(writer, 0);
    siginfo_t ended{};
    ASSERT_EQ(waitid(P_PID, id_t(writer), &ended, WEXITED | WNOWAIT), 0);
    const QStringList backups = platform::FileReplacement::LeftBackups(Path("doc.nuv"));
    waitpid(writer, nullptr, 0);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(Read(backups[0]), QByteArray(3000, 'o'));
}

TEST_F(FileReplacementTest, OnlyTheTemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    Write(Path("doc.nuv"), "old");
    // A save killed before its commit, one still at work, and the user's own files of all kinds of names: some
    // like the temporary files of older builds, one with the mark of ours but not its digest.
    ASSERT_EQ(InChild([&] {
                  platform::FileReplacement file(Path("doc.nuv"));
                  if (file.Open())
                      file.Device().write("half");
                  _exit(86);
              }),
              86);
    const QStringList leftByKilled = QDir(m_dir.path()).entryList({".doc.nuv.*"}, QDir::Files | QDir::Hidden);
    ASSERT_EQ(leftByKilled.size(), 1);
    platform::FileReplacement working(Path("doc.nuv"));
    ASSERT_TRUE(working.Open());
    const QStringList mine = {"doc.nuv.20241201-backup",
                              "doc.nuv.2024-12",
                              "doc.nuv.4242-final",
                              "doc.nuv.1-abc",
                              ".doc.nuv.nuvsave-4000001-0123456789abcdef",
                              ".doc.nuv.nuvsave-4000001-1"};
    for (const QString& name : mine)
        Write(Path(name), "mine");
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);

    // The next save removes what the killed one left, and nothing else.
    ASSERT_TRUE(Replace(Path("doc.nuv"), "new"));
    QStringList expected = before;
    expected.removeOne(leftByKilled[0]);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), expected);
    for (const QString& name : mine)
        EXPECT_EQ(Read(Path(name)), "mine") << name.toStdString();

    // The save still at work is not disturbed: its file is exchanged with the one the other save wrote meanwhile,
    // which, not the file it found, is kept.
    ASSERT_EQ(working.Device().write("working"), 7);
    EXPECT_FALSE(working.Commit());
    EXPECT_EQ(working.Refused(), platform::FileReplacement::Refusal::Changed);
    EXPECT_EQ(Read(Path("doc.nuv")), "new");
}

namespace {

// Lets the file system run out of room for temporary files once `bytes` of one are written.
class NoRoomAfter : public platform::TemporaryWriteHook {
public:
    NoRoomAfter(qint64 bytes, int error) : m_bytes(bytes), m_error(error) {}
    int Writing(qint64 done, qint64 wanted) override { return done + wanted > m_bytes ? m_error : 0; }

private:
    qint64 m_bytes;
    int m_error;
    platform::TemporaryWriteHookInstaller m_installer{*this};
};

// Writes `content` in pieces as a save does, and commits it.
bool ReplaceInPieces(const QString& path, const QByteArray& content, QString* error, bool* inPlace) {
    platform::FileReplacement file(path);
    bool written = file.Open();
    for (qsizetype at = 0; written && at < content.size(); at += 65536) {
        written = file.Device().write(content.mid(at, 65536)) == std::min<qsizetype>(65536, content.size() - at);
        if (!written) {
            *error = file.Device().errorString();
            return false;
        }
    }
    written = written && file.Commit();
    *error = file.ErrorText();
    *inPlace = file.WritesInPlace();
    return written;
}

} // namespace

TEST_F(FileReplacementTest, ASaveWithNoRoomForASecondCopyIsWrittenInPlace) {
    const QByteArray old(2000000, 'o');
    QByteArray replacement(2500000, 'n');
    replacement[0] = 'N';
    replacement[2499999] = 'E';
    // No room at the first stretch, in the middle, at the last one (written at the commit); a full quota too.
    for (const auto& [bytes, error] : {std::pair{0, ENOSPC}, {1500000, ENOSPC}, {2400000, EDQUOT}}) {
        SCOPED_TRACE(bytes);
        Write(Path("doc.nuv"), old);
        const ino_t inode = Stat(Path("doc.nuv")).st_ino;
        const NoRoomAfter full(bytes, error);
        QString reason;
        bool inPlace = false;
        ASSERT_TRUE(ReplaceInPieces(Path("doc.nuv"), replacement, &reason, &inPlace)) << reason.toStdString();
        EXPECT_TRUE(inPlace);
        EXPECT_EQ(Stat(Path("doc.nuv")).st_ino, inode);
        EXPECT_TRUE(Read(Path("doc.nuv")) == replacement);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("doc.nuv"));
        EXPECT_TRUE(CacheEntries().isEmpty());
    }

    const NoRoomAfter full(1000, ENOSPC);
    QString reason;
    bool inPlace = false;
    // A new file has nothing to be written into: the room its whole content wants is named, and nothing is left.
    EXPECT_FALSE(ReplaceInPieces(Path("new.nuv"), replacement, &reason, &inPlace));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    platform::FileReplacement fresh(Path("new.nuv"));
    ASSERT_TRUE(fresh.Open());
    EXPECT_EQ(fresh.Device().write(replacement), replacement.size());
    EXPECT_FALSE(fresh.Commit());
    ASSERT_EQ(fresh.RoomWanted().size(), 1);
    EXPECT_EQ(fresh.RoomWanted()[0].folder, m_dir.path());
    EXPECT_GE(fresh.RoomWanted()[0].bytes, replacement.size());
    EXPECT_LT(fresh.RoomWanted()[0].bytes, replacement.size() + 65536);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("doc.nuv"));
    // Where the old content cannot be kept either, the file stays as it was and the reason is told.
    Write(Path("doc.nuv"), old);
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("doc.nuv")));
    EXPECT_FALSE(ReplaceInPieces(Path("doc.nuv"), replacement, &reason, &inPlace));
    EXPECT_EQ(reason, Path("doc.nuv/nuv") + ": " + QString::fromLocal8Bit(std::strerror(ENOTDIR)));
    EXPECT_TRUE(Read(Path("doc.nuv")) == old);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("doc.nuv"));
}

TEST_F(FileReplacementTest, ASaveOnAFullFileSystemWithRoomForTheChangeSucceeds) {
    // A file system of 1 MiB of its own, in a namespace of the test's, holding a document of 600 kB.
    const QString small = Path("small");
    ASSERT_TRUE(QDir().mkpath(small));
    const QByteArray old(600000, 'o');
    const QByteArray replacement(620000, 'n');
    const int status = InChild([&] {
        if (!MountSmallFileSystem(small, 1 << 20))
            _exit(kChildCannotSetUp);
        Write(small + "/doc.nuv", old);
        if (Replace(small + "/doc.nuv", replacement) && Read(small + "/doc.nuv") == replacement &&
            QDir(small).entryList(QDir::Files | QDir::Hidden) == QStringList("doc.nuv"))
            _exit(0);
        _exit(1);
    });
    if (status == kChildCannotSetUp)
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    EXPECT_EQ(status, 0);
}

TEST_F(FileReplacementTest, TheRoomAWriteInPlaceWantsForItsBackupAndTheGrowthIsNamedAndLetsItThrough) {
    // A file system of 1 MiB of its own, filled, holds the document (with a second name) and the cache folder.
    const QString small = Path("small");
    ASSERT_TRUE(QDir().mkpath(small));
    const QByteArray old(100000, 'o');
    const QByteArray replacement(150000, 'n');
    const int status = InChild([&] {
        if (!MountSmallFileSystem(small, 1 << 20))
            _exit(kChildCannotSetUp);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(small + "/cache"));
        Write(small + "/doc.nuv", old);
        const int filler = open(QFile::encodeName(small + "/filler").constData(), O_RDWR | O_CREAT, 0600);
        static const char block[4096] = {};
        while (write(filler, block, sizeof block) > 0) {
        }
        if (link(QFile::encodeName(small + "/doc.nuv").constData(),
                 QFile::encodeName(small + "/other.nuv").constData()))
            _exit(kChildCannotSetUp);
        // Frees `bytes` more and writes: the room then wanted, in pages of the file system.
        const auto freeAndReplace = [&](qint64 bytes) {
            if (ftruncate(filler, lseek(filler, 0, SEEK_END) - bytes) != 0)
                _exit(kChildCannotSetUp);
            platform::FileReplacement file(small + "/doc.nuv");
            if (file.Open() && file.Device().write(replacement) == replacement.size() && file.Commit())
                return qint64(0);
            const bool one = file.RoomWanted().size() == 1 && file.RoomWanted()[0].folder == small;
            return one && Read(small + "/doc.nuv") == old ? file.RoomWanted()[0].bytes / 4096 : -1;
        };
        // The backup of the old content takes 25 pages and the growth 12: both are wanted at once, also when the
        // room for the backup alone was there.
        _exit(freeAndReplace(0) == 37 && freeAndReplace(25 * 4096) == 37 && freeAndReplace(12 * 4096) == 0 &&
                      Read(small + "/other.nuv") == replacement
                  ? 0
                  : 1);
    });
    if (status == kChildCannotSetUp)
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    EXPECT_EQ(status, 0);
}

namespace {

bool SetAttribute(const QString& path, const char* name, const QByteArray& value) {
    return setxattr(QFile::encodeName(path).constData(), name, value.constData(), value.size(), 0) == 0;
}

// "(none)" when the file has no attribute of that name.
QByteArray Attribute(const QString& path, const char* name) {
    QByteArray value(4096, '\0');
    const ssize_t size = getxattr(QFile::encodeName(path).constData(), name, value.data(), value.size());
    return size < 0 ? QByteArray("(none)") : value.left(size);
}

} // namespace

TEST_F(FileReplacementTest, TheTemporaryFileIsTheOwnersAloneUntilItIsGivenTheFilesBits) {
    // A document there (its bits kept whatever the mask), and new ones under file creation masks.
    for (const auto& [name, mode, mask, expected] : {std::tuple{"group.nuv", 0660u, 077u, 0660u},
                                                     {"shared.nuv", 0u, 0u, 0666u},
                                                     {"private.nuv", 0u, 077u, 0600u}}) {
        SCOPED_TRACE(name);
        if (mode != 0) {
            Write(Path(name), "old");
            ASSERT_EQ(chmod(QFile::encodeName(Path(name)).constData(), mode), 0);
        }
        const mode_t before = umask(mask);
        platform::FileReplacement file(Path(name));
        ASSERT_TRUE(file.Open());
        const QStringList temporary =
            QDir(m_dir.path()).entryList({"." + QString(name) + ".nuvsave-*"}, QDir::Files | QDir::Hidden);
        ASSERT_EQ(temporary.size(), 1);
        EXPECT_EQ(Stat(Path(temporary[0])).st_mode & 07777, 0600u);
        EXPECT_TRUE(file.Commit());
        umask(before);
        EXPECT_EQ(Stat(Path(name)).st_mode & 07777, expected);
    }
}

TEST_F(FileReplacementTest, AReplacedFileKeepsItsAclAndExtendedAttributesAndANewOneGetsItsFoldersAcl) {
    // As stored in its attribute: user::rw-, user:4321:rw-, group::---, mask::rw-, other::---.
    const QByteArray acl = QByteArray::fromHex("02000000"
                                               "01000600ffffffff02000600e110000004000000ffffffff10000600ffffffff"
                                               "20000000ffffffff");
    Write(Path("doc.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("doc.nuv")).constData(), 0600), 0);
    if (!SetAttribute(Path("doc.nuv"), "user.note", "kept") ||
        !SetAttribute(Path("doc.nuv"), "system.posix_acl_access", acl))
        GTEST_SKIP() << "the file system of " << m_dir.path().toStdString() << " keeps no ACL or extended attributes";
    // A folder whose default ACL names a user, holding a document made before it had one.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("team"));
    Write(Path("team/plain.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("team/plain.nuv")).constData(), 0640), 0);
    ASSERT_TRUE(SetAttribute(Path("team"), "system.posix_acl_default", acl));

    const mode_t before = umask(022);
    for (const auto& [name, expectedAcl, expectedNote, expectedMode] :
         {std::tuple{"doc.nuv", acl, QByteArray("kept"), 0660u},
          {"team/plain.nuv", QByteArray("(none)"), QByteArray("(none)"), 0640u},
          {"team/new.nuv", acl, QByteArray("(none)"), 0660u}}) {
        SCOPED_TRACE(name);
        bool inPlace = true;
        ASSERT_TRUE(Replace(Path(name), "new", nullptr, nullptr, &inPlace));
        EXPECT_FALSE(inPlace);
        EXPECT_EQ(Attribute(Path(name), "system.posix_acl_access"), expectedAcl);
        EXPECT_EQ(Attribute(Path(name), "user.note"), expectedNote);
        EXPECT_EQ(Stat(Path(name)).st_mode & 07777, expectedMode);
    }
    umask(before);
}

TEST_F(FileReplacementTest, AnotherUsersDocumentKeepsItsOwnerAndGroup) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can make files of other users and save as one";
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    constexpr uid_t author = 4243, saver = 4244;
    constexpr gid_t team = 4242;
    // A team folder, whose new files take its group.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("team"));
    ASSERT_EQ(chown(QFile::encodeName(Path("team")).constData(), 0, team), 0);
    ASSERT_EQ(chmod(QFile::encodeName(Path("team")).constData(), 02770), 0);
    // A colleague's document, and the saver's own of a group the saver is not in, can only be written in place.
    for (const auto& [name, owner, group, savedBy, inPlace] : {std::tuple{"colleague.nuv", author, team, saver, true},
                                                               {"foreign.nuv", saver, author, saver, true},
                                                               {"own.nuv", saver, saver, saver, false},
                                                               {"author.nuv", author, team, 0u, false}}) {
        SCOPED_TRACE(name);
        const QString path = Path(QString("team/") + name);
        Write(path, "old");
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), owner, group), 0);
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0660), 0);
        const QString cache = Path(QString("cache-%1").arg(savedBy));
        ASSERT_TRUE(QDir().mkpath(cache));
        ASSERT_EQ(chown(QFile::encodeName(cache).constData(), savedBy, savedBy), 0);
        const ino_t inode = Stat(path).st_ino;
        ASSERT_EQ(InChild([&, user = savedBy] {
                      qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
                      if (user != 0 && !BecomeUser(user, user, {team}))
                          _exit(kChildCannotSetUp);
                      // Saved in place after all, the save has no failure to tell.
                      QString error;
                      _exit(!Replace(path, "new", &error) ? 1 : error.isEmpty() ? 0 : 2);
                  }),
                  0);
        const struct stat saved = Stat(path);
        EXPECT_EQ(saved.st_uid, owner);
        EXPECT_EQ(saved.st_gid, group);
        EXPECT_EQ(saved.st_ino == inode, inPlace);
        EXPECT_EQ(QDir(Path("team")).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
    }
}

TEST_F(FileReplacementTest, OnlyTheSavingUsersKilledSavesAreCleanedUp) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can save as another user";
    // A shared folder where only a file's owner removes it; the superuser may all the same.
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 01777), 0);
    Write(Path("doc.nuv"), "old");
    constexpr uid_t user = 4243;
    ASSERT_EQ(chown(QFile::encodeName(Path("doc.nuv")).constData(), user, user), 0);
    const auto saveAsUser = [&](bool killed) {
        return InChild([&] {
            if (!BecomeUser(user, user))
                _exit(kChildCannotSetUp);
            platform::FileReplacement file(Path("doc.nuv"));
            const bool opened = file.Open() && file.Device().write("the user's") == 10;
            _exit(killed ? 86 : opened && file.Commit() ? 0 : 1);
        });
    };
    ASSERT_EQ(saveAsUser(true), 86);
    const auto left = [&] { return QDir(m_dir.path()).entryList({".doc.nuv.*"}, QDir::Files | QDir::Hidden); };
    ASSERT_EQ(left().size(), 1);
    // The superuser's save leaves it; the user's own next save removes it.
    ASSERT_TRUE(Replace(Path("doc.nuv"), "new"));
    EXPECT_EQ(left().size(), 1);
    ASSERT_EQ(saveAsUser(false), 0);
    EXPECT_EQ(left(), QStringList());
}

TEST(FileStateTimes, VouchForTheContentOnlyOnceTheTickOfTheLastChangeHasPassed) {
    constexpr qint64 kSecond = 1000000000;
    constexpr qint64 kMillisecond = 1000000;
    const auto state = [](qint64 changed, qint64 taken) {
        platform::FileReplacement::FileState state;
        state.file.exists = true;
        state.changed = changed;
        state.taken = taken;
        return state;
    };
    const qint64 wholeSecond = 1700000000 * kSecond;
    // Whole seconds are taken for two (FAT's modification times).
    EXPECT_FALSE(state(wholeSecond, wholeSecond + kSecond + 900 * kMillisecond).TimesVouch());
    EXPECT_TRUE(state(wholeSecond, wholeSecond + 2 * kSecond).TimesVouch());
    // Times in hundredths (exFAT's) and in nanoseconds.
    const qint64 hundredths = wholeSecond + 120 * kMillisecond;
    EXPECT_FALSE(state(hundredths, hundredths + 9 * kMillisecond).TimesVouch());
    EXPECT_TRUE(state(hundredths, hundredths + 100 * kMillisecond).TimesVouch());
    const qint64 fine = wholeSecond + 123456789;
    EXPECT_FALSE(state(fine, fine).TimesVouch());
    EXPECT_TRUE(state(fine, fine + 100 * kMillisecond).TimesVouch());
    // A change is stamped from the kernel's coarse clock: finer times vouch only once two of its ticks have passed.
    struct timespec coarse {};
    ASSERT_EQ(clock_getres(CLOCK_REALTIME_COARSE, &coarse), 0);
    const qint64 kernelTick = coarse.tv_sec * kSecond + coarse.tv_nsec;
    EXPECT_FALSE(state(fine, fine + 2 * kernelTick - 1).TimesVouch());
    EXPECT_TRUE(state(fine, fine + 2 * kernelTick).TimesVouch());
    // A time of change ahead of the moment the state was taken, and one too far off to count in nanoseconds.
    EXPECT_FALSE(state(fine + 3600 * kSecond, fine).TimesVouch());
    struct stat farOff {};
    farOff.st_ctim.tv_sec = farOff.st_mtim.tv_sec = std::numeric_limits<time_t>::max() / 2;
    const platform::FileReplacement::FileState far = platform::FileReplacement::StateOf(farOff, fine);
    EXPECT_FALSE(far.TimesVouch());
    EXPECT_GT(far.changed, fine);
    // A state taken at no known moment, and no file.
    EXPECT_FALSE(state(fine, 0).TimesVouch());
    platform::FileReplacement::FileState none;
    none.taken = fine + kSecond * 10;
    EXPECT_FALSE(none.TimesVouch());
}

TEST_F(FileReplacementTest, AFileWhoseTimesCannotVouchForItIsComparedByItsContentBeforeItIsReplaced) {
    using Refusal = platform::FileReplacement::Refusal;
    const QString doc = Path("doc.nuv");
    const auto digestOf = [](const QByteArray& bytes) {
        platform::ContentDigest digest;
        digest.Add(bytes);
        return digest.Result();
    };
    // The state the writer recorded: the file's times as they are now, taken within their tick or long after it,
    // with the content it recorded; another program's change within that tick left the times as they were.
    const auto recorded = [&](bool vouching) {
        platform::FileReplacement::FileState state = platform::FileReplacement::StateOf(Stat(doc));
        state.taken = state.changed + (vouching ? 10000000000 : 0);
        return state;
    };
    const auto replace = [&](const platform::FileReplacement::FileState& expected, const QByteArray& recordedContent) {
        platform::FileReplacement file(doc);
        const bool done = file.Open(nullptr, expected, digestOf(recordedContent)) &&
                          file.Device().write("new content") == 11 && file.Commit();
        return done ? Refusal::None : file.Refused();
    };
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "beside");
        QFile::remove(doc);
        QFile::remove(Path("other.nuv"));
        Write(doc, "THEIRS content");
        if (secondName) {
            ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        }
        EXPECT_EQ(replace(recorded(false), "OURS content"), Refusal::Changed);
        EXPECT_EQ(Read(doc), "THEIRS content");
        EXPECT_TRUE(CacheEntries().isEmpty());
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), secondName ? 2 : 1);
        // The content the writer recorded, or times that vouch, let the write through.
        EXPECT_EQ(replace(recorded(false), "THEIRS content"), Refusal::None);
        EXPECT_EQ(Read(doc), "new content");
        Write(doc, "THEIRS content");
        EXPECT_EQ(replace(recorded(true), "OURS content"), Refusal::None);
        EXPECT_EQ(Read(doc), "new content");
    }
}

// Another program that holds a file open writes into it while its content is compared, the last read before the file
// is replaced, and sets its modification time back: written in place, renamed over where names cannot be exchanged, or
// exchanged out of its name, which moved the file's time of change. The write comes a little after the read starts,
// as in a compare of a larger file.
TEST_F(FileReplacementTest, AWriteByAnotherProgramWhileTheContentIsComparedIsNeverOverwritten) {
    using Moment = platform::InPlaceWriteHook::Moment;
    platform::ContentDigest old;
    old.Add("old content");
    const QString doc = Path("doc.nuv");
    for (const char* way : {"in place", "renamed over", "exchanged"}) {
        SCOPED_TRACE(way);
        const bool inPlace = way == std::string("in place");
        QFile::remove(Path("other.nuv"));
        Write(doc, "old content");
        if (inPlace) {
            ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        }
        // The file's last change lies well past the clock's tick, so that a write gives it another time of change,
        // and its state is recorded as taken within that tick: its times cannot vouch for it.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        platform::FileReplacement::FileState recorded = platform::FileReplacement::StateOf(Stat(doc));
        recorded.taken = recorded.changed;
        const int theirs = open(QFile::encodeName(doc).constData(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(theirs, 0);
        const struct timespec modified = Stat(doc).st_mtim;
        const auto write = [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ASSERT_EQ(pwrite(theirs, "THEIRS", 6, 0), 6);
            const struct timespec times[2] = {{0, UTIME_OMIT}, modified};
            ASSERT_EQ(futimens(theirs, times), 0);
        };
        std::optional<InPlaceWriteMoment> atCompare;
        std::optional<TemporaryWriteMoment> besideCompare;
        if (inPlace)
            atCompare.emplace(Moment::ContentCompared, write);
        else
            besideCompare.emplace(write, way == std::string("renamed over") ? EINVAL : 0, true);
        platform::FileReplacement file(doc);
        ASSERT_TRUE(file.Open(nullptr, recorded, old.Result()));
        EXPECT_EQ(file.WritesInPlace(), inPlace);
        ASSERT_EQ(file.Device().write("new content"), 11);
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.Refused(), platform::FileReplacement::Refusal::Changed);
        EXPECT_TRUE(inPlace ? atCompare->WasReached(Moment::ContentCompared) : besideCompare->Acted());
        close(theirs);
        EXPECT_EQ(Read(doc), "THEIRSntent");
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), inPlace ? 2 : 1);
        EXPECT_TRUE(CacheEntries().isEmpty());
    }
}

TEST_F(FileReplacementTest, AStatusChangedWhileASaveInPlaceIsReadBackLeavesTheSaveWhole) {
    const QString doc = Path("doc.nuv");
    Write(doc, "old content");
    ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
    // Another program turns the group's read bit over and gives the file a third name as the save reads it back.
    const InPlaceWriteMoment status(platform::InPlaceWriteHook::Moment::ReadBack, [&] {
        ASSERT_EQ(chmod(QFile::encodeName(doc).constData(), Stat(doc).st_mode ^ S_IRGRP), 0);
        ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("third.nuv")).constData()), 0);
    });
    platform::FileReplacement file(doc);
    ASSERT_TRUE(file.Open());
    ASSERT_EQ(file.Device().write("new content"), 11);
    EXPECT_TRUE(file.Commit()) << file.ErrorText().toStdString();
    EXPECT_EQ(file.Refused(), platform::FileReplacement::Refusal::None);
    EXPECT_TRUE(status.WasReached(platform::InPlaceWriteHook::Moment::ReadBack));
    // What the save recorded is the file as it is now.
    const platform::FileReplacement::FileState now = platform::FileReplacement::StateOf(Stat(doc));
    EXPECT_EQ(file.WrittenFile().changed, now.changed);
    EXPECT_EQ(file.WrittenFile().size, 11);
    EXPECT_EQ(Read(Path("third.nuv")), "new content");
    EXPECT_TRUE(CacheEntries().isEmpty());
}

TEST_F(FileReplacementTest, AWriteNeverWaitsOnAFilesTimesButComparesItsContentWhereTheyCannotVouchForIt) {
    // Documents changed an hour ahead of the clock (a clock set back, another machine's), one with a second name, on
    // a file system of whole seconds.
    Write(Path("seed"), "old content");
    const QString ahead = QStringLiteral("@%1").arg(time(nullptr) + 3600);
    const auto debugfs = [](const QString& image, const QString& request) {
        return WholeSecondFileSystem::Run("debugfs", {"-w", "-R", request, image});
    };
    const WholeSecondFileSystem coarse(Path("coarse"), [&](const QString& image) {
        return debugfs(image, "write " + Path("seed") + " doc.nuv") &&
               debugfs(image, "write " + Path("seed") + " linked.nuv") && debugfs(image, "ln linked.nuv other.nuv") &&
               debugfs(image, "sif linked.nuv links_count 2") && debugfs(image, "sif doc.nuv ctime " + ahead) &&
               debugfs(image, "sif linked.nuv ctime " + ahead);
    });
    if (!coarse.Mounted())
        GTEST_SKIP() << "no file system of whole seconds can be mounted here";
    for (const QString name : {"doc.nuv", "linked.nuv"}) {
        SCOPED_TRACE(name.toStdString());
        const QString doc = Path("coarse/" + name);
        ASSERT_GT(Stat(doc).st_ctim.tv_sec, time(nullptr) + 3000);
        // Written at once: the child is stopped long before the hour has passed.
        EXPECT_EQ(InChild([&] {
                      alarm(30);
                      _exit(Replace(doc, "new content") ? 0 : 1);
                  }),
                  0);
        EXPECT_EQ(Read(doc), "new content");
    }

    // Just written, within its second: another program that writes into the file while it is replaced and sets its
    // modification time back leaves the time of change as it was, and its content tells.
    const QString doc = Path("coarse/doc.nuv");
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "beside");
        Write(doc, "old content");
        if (secondName) {
            QFile::remove(Path("coarse/other.nuv"));
            ASSERT_EQ(link(QFile::encodeName(doc).constData(), QFile::encodeName(Path("coarse/other.nuv")).constData()),
                      0);
        }
        platform::FileReplacement file(doc);
        ASSERT_TRUE(file.Open());
        WriteWithTimeSetBack(doc, "THEIRS");
        ASSERT_EQ(file.Device().write("new content"), 11);
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.Refused(), platform::FileReplacement::Refusal::Changed);
        EXPECT_EQ(Read(doc), "THEIRSntent");
        QFile::remove(doc);
    }
    // New bits given within that second leave its time of change as it was too: the file written beside gets them.
    Write(doc, "old content");
    ASSERT_EQ(chmod(QFile::encodeName(doc).constData(), 0644), 0);
    {
        const TemporaryWriteMoment bits([&] { ASSERT_EQ(chmod(QFile::encodeName(doc).constData(), 0604), 0); });
        ASSERT_TRUE(Replace(doc, "new content"));
    }
    EXPECT_EQ(Stat(doc).st_mode & 07777, 0604u);
}

TEST_F(FileReplacementTest, AnotherProgramsSavesByRenameDuringASaveBesideAreKeptAndTheOlderOneIsNamed) {
    using Refusal = platform::FileReplacement::Refusal;
    const QString doc = Path("doc.nuv");
    const auto files = [&] { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); };
    // Saved by the other program right before the names are exchanged: the file exchanged out is not the one found,
    // and it gets its name back.
    Write(doc, "old");
    {
        const SavesByRename theirs(doc, {"theirs 1"});
        QString error;
        Refusal refusal = Refusal::None;
        EXPECT_FALSE(Replace(doc, "new", &error, &refusal));
        EXPECT_EQ(refusal, Refusal::Changed);
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(Read(doc), "theirs 1");
        EXPECT_EQ(files(), QStringList({"doc.nuv"}));
    }
    // Saved again as that file is to get the name back: the newer save keeps the name, and the older one is kept
    // beside it under a name no later save removes, said by the write. Written by a process that is gone, so that
    // the next save looks for what it left.
    Write(doc, "old");
    QString keptPath;
    ASSERT_EQ(InChild([&] {
                  const SavesByRename theirs(doc, {"theirs 1", "theirs 2"});
                  platform::FileReplacement file(doc);
                  const bool refused = file.Open() && file.Device().write("new") == 3 && !file.Commit() &&
                                       file.Refused() == Refusal::Changed;
                  const QString kept = file.ErrorText();
                  _exit(refused && Read(kept) == "theirs 1" && Read(doc) == "theirs 2" ? 0 : 1);
              }),
              0);
    ASSERT_TRUE(Replace(doc, "ours"));
    EXPECT_EQ(Read(doc), "ours");
    const QStringList left = files();
    ASSERT_EQ(left.size(), 2);
    EXPECT_TRUE(left[0].startsWith(".doc.nuv.nuvsave-") && left[0].endsWith(".kept")) << left[0].toStdString();
    EXPECT_EQ(Read(Path(left[0])), "theirs 1");
}

// Another program's older save, kept beside a document, gets a name that fits the file system's limit for the longest
// process id the system can give (4,194,303), however long the document's name; where the name it is to get is taken,
// it stays under the temporary name, and no later save of any document removes it, whatever the cache folder holds and
// wherever its folder moves. Each written by a process that is gone, so that the next save looks for what it left.
TEST_F(FileReplacementTest, AnotherProgramsOlderSaveIsKeptUnderANameThatFitsOrNeverRemoved) {
    using Refusal = platform::FileReplacement::Refusal;
    const long nameLimit = pathconf(QFile::encodeName(m_dir.path()).constData(), _PC_NAME_MAX);
    // What is beside the document, but for documents and the cache folder.
    const auto leftBeside = [&](const QString& doc) {
        QStringList left =
            QFileInfo(doc).dir().entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeIf([](const QString& name) { return name.endsWith(".nuv") || name == "cache"; });
        return left;
    };
    // Saves the document while another program saves it twice by rename; the older save is kept.
    const auto keepTheirs = [&](const QString& doc, bool keptNameTaken) {
        return InChild([&] {
            const SavesByRename theirs(doc, {"theirs 1", "theirs 2"});
            const QStringList before = leftBeside(doc);
            platform::FileReplacement file(doc);
            if (!file.Open())
                _exit(2);
            const QDir folder = QFileInfo(doc).dir();
            QStringList temporary = leftBeside(doc);
            temporary.removeIf([&](const QString& name) { return before.contains(name); });
            if (temporary.size() != 1 || (keptNameTaken && !folder.mkdir(temporary[0] + ".kept")))
                _exit(3);
            const bool refused =
                file.Device().write("new") == 3 && !file.Commit() && file.Refused() == Refusal::Changed;
            const QString kept = folder.filePath(keptNameTaken ? temporary[0] : temporary[0] + ".kept");
            _exit(refused && file.ErrorText() == kept && Read(kept) == "theirs 1" && Read(doc) == "theirs 2" ? 0 : 1);
        });
    };
    // Names of 240 bytes, which leave room for the other program's ".theirs": ASCII, and Japanese of three bytes each.
    for (const QString& name : {QString(236, QLatin1Char('n')) + ".nuv", QString(78, QChar(0x3042)) + "nn.nuv"}) {
        const QString doc = Path(name);
        ASSERT_EQ(QFile::encodeName(name).size(), 240);
        Write(doc, "old");
        ASSERT_EQ(keepTheirs(doc, false), 0);
        ASSERT_TRUE(Replace(doc, "ours"));
        const QStringList left = leftBeside(doc);
        ASSERT_EQ(left.size(), 1);
        EXPECT_EQ(Read(Path(left[0])), "theirs 1");
        const QString pid = left[0].section('-', -2, -2);
        EXPECT_LE(QFile::encodeName(left[0]).size() - pid.size() + 7, nameLimit) << left[0].toStdString();
        QFile::remove(Path(left[0]));
        QFile::remove(doc);
    }

    // The kept name taken: saved again after the cache folder is emptied, after the folder is renamed, and a document
    // whose name starts with the same 213 bytes, so that their temporary names start alike.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    const QString doc = Path("folder/doc.nuv");
    Write(doc, "old");
    ASSERT_EQ(keepTheirs(doc, true), 0);
    const QStringList left = leftBeside(doc);
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[1], left[0] + ".kept");
    ASSERT_TRUE(QDir(Path("cache")).removeRecursively());
    ASSERT_TRUE(Replace(doc, "ours"));
    ASSERT_TRUE(QDir(m_dir.path()).rename("folder", "moved"));
    ASSERT_TRUE(Replace(Path("moved/doc.nuv"), "ours again"));
    EXPECT_EQ(leftBeside(Path("moved/doc.nuv")), left);
    EXPECT_EQ(Read(Path("moved/" + left[0])), "theirs 1");

    const QString first = Path("moved/" + QString(236, QLatin1Char('n')) + ".nuv");
    const QString second = Path("moved/" + QString(236, QLatin1Char('n')) + "x.nuv");
    Write(first, "old");
    ASSERT_EQ(keepTheirs(first, true), 0);
    ASSERT_TRUE(Replace(second, "ours"));
    QStringList keptOfFirst = leftBeside(first);
    keptOfFirst.removeIf([&](const QString& name) { return left.contains(name); });
    ASSERT_EQ(keptOfFirst.size(), 2);
    EXPECT_EQ(Read(QFileInfo(first).dir().filePath(keptOfFirst[0])), "theirs 1");
}

TEST_F(FileReplacementTest, AStatusChangedAloneWhileAFileIsReplacedLetsTheWriteThroughAndIsKept) {
    using Moment = platform::InPlaceWriteHook::Moment;
    const QString doc = Path("doc.nuv");
    const QByteArray encoded = QFile::encodeName(doc);
    Write(doc, "probe");
    if (setxattr(encoded.constData(), "user.probe", "", 0, 0) != 0 && errno == ENOTSUP)
        GTEST_SKIP() << "the file system of " << m_dir.path().toStdString() << " keeps no extended attributes";
    // New bits, a new group (by the superuser), an extended attribute, a time of access; written in place, a new name.
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"bits", [&] { ASSERT_EQ(chmod(encoded.constData(), 0604), 0); }},
        {"group", [&] { ASSERT_EQ(chown(encoded.constData(), uid_t(-1), geteuid() == 0 ? 4321 : getegid()), 0); }},
        {"attribute", [&] { ASSERT_EQ(setxattr(encoded.constData(), "user.note", "theirs", 6, 0), 0); }},
        {"access", [&] {
             const struct timespec times[2] = {{1000, 0}, {0, UTIME_OMIT}};
             ASSERT_EQ(utimensat(AT_FDCWD, encoded.constData(), times, 0), 0);
         }}};
    const auto expectKept = [&](const char* change) {
        EXPECT_EQ(Read(doc), "new content");
        const struct stat now = Stat(doc);
        if (std::strcmp(change, "bits") == 0) {
            EXPECT_EQ(now.st_mode & 07777, 0604u);
        }
        if (std::strcmp(change, "group") == 0 && geteuid() == 0) {
            EXPECT_EQ(now.st_gid, 4321u);
        }
        if (std::strcmp(change, "attribute") == 0) {
            EXPECT_EQ(Attribute(doc, "user.note"), "theirs");
        }
        EXPECT_TRUE(CacheEntries().isEmpty());
    };
    const auto fresh = [&](bool secondName) {
        for (const QString& name : QDir(m_dir.path()).entryList({"*.nuv"}, QDir::Files | QDir::Hidden))
            QFile::remove(Path(name));
        Write(doc, "old content");
        ASSERT_EQ(chmod(encoded.constData(), 0644), 0);
        if (secondName) {
            ASSERT_EQ(link(encoded.constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        }
    };
    for (const auto& [change, act] : changes) {
        SCOPED_TRACE(change);
        // Written beside, while the new content is written.
        fresh(false);
        {
            const TemporaryWriteMoment status(act);
            QString error;
            EXPECT_TRUE(Replace(doc, "new content", &error)) << error.toStdString();
        }
        expectKept(change);
        // Written in place, at each look at the file.
        for (const Moment moment : {Moment::Opening, Moment::Locked, Moment::OldContentRead, Moment::BackupWritten}) {
            SCOPED_TRACE(int(moment));
            fresh(true);
            const InPlaceWriteMoment status(moment, act);
            QString error;
            EXPECT_TRUE(Replace(doc, "new content", &error)) << error.toStdString();
            EXPECT_TRUE(status.WasReached(Moment::FileWritten));
            expectKept(change);
        }
    }
    // A new name before the old content is read, and a status that moves during two reads back in a row.
    fresh(true);
    {
        const InPlaceWriteMoment status(Moment::Locked, [&] {
            ASSERT_EQ(link(encoded.constData(), QFile::encodeName(Path("third.nuv")).constData()), 0);
        });
        EXPECT_TRUE(Replace(doc, "new content"));
    }
    EXPECT_EQ(Read(Path("third.nuv")), "new content");
    fresh(true);
    {
        class EachReadBack : public platform::InPlaceWriteHook {
        public:
            explicit EachReadBack(std::function<void()> act) : m_act(std::move(act)) {}
            qint64 Writing(qint64, qint64 wanted) override { return wanted; }
            void Reached(Moment moment) override {
                if (moment == Moment::ReadBack && ++m_reads <= 2)
                    m_act();
            }

        private:
            std::function<void()> m_act;
            int m_reads = 0;
            platform::InPlaceWriteHookInstaller m_installer{*this};
        } status([&] { ASSERT_EQ(chmod(encoded.constData(), Stat(doc).st_mode ^ S_IRGRP), 0); });
        QString error;
        platform::FileReplacement::Refusal refusal{};
        EXPECT_TRUE(Replace(doc, "new content", &error, &refusal)) << error.toStdString();
        EXPECT_EQ(refusal, platform::FileReplacement::Refusal::None);
    }
    EXPECT_TRUE(CacheEntries().isEmpty());

    // A writer that names the state it expects, with what the file held: the status moved since it looked.
    fresh(false);
    platform::FileReplacement::FileState expected = platform::FileReplacement::StateOf(Stat(doc));
    expected.taken = expected.changed + 10000000000;
    ASSERT_EQ(chmod(encoded.constData(), 0604), 0);
    platform::ContentDigest digest;
    digest.Add("old content");
    platform::FileReplacement file(doc);
    ASSERT_TRUE(file.Open(nullptr, expected, digest.Result()));
    ASSERT_EQ(file.Device().write("new content"), 11);
    EXPECT_TRUE(file.Commit());
    expectKept("bits");
}
