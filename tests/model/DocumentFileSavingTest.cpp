#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/ExportMessages.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"
#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kLayout = QStringLiteral(NUV_TEST_DATA_DIR "/docfile/layout.nuv");

class DocumentFileSaving : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_directory.isValid()); }
    QString Path(const QString& name) const { return m_directory.filePath(name); }
    ProgramRun Resave(const QString& output) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CACHE_HOME", m_directory.filePath("cache"));
        return RunProgram(QStringLiteral("nuvdump"), {"--resave", kLayout, output}, environment);
    }
    static unsigned Mode(const QString& path) {
        struct stat info {};
        return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
    }

    QTemporaryDir m_directory;
    platform::ScriptedMessageSink m_messages;
};

} // namespace

TEST_F(DocumentFileSaving, ATargetThatIsNoRegularFileOrIsMarkedReadOnlyIsRefusedByName) {
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.nuv")).constData(), 0644), 0);
    ProgramRun run = Resave(Path("pipe.nuv"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("\"%1\" is not a regular file").arg(Path("pipe.nuv"))))
        << run.standardError.toStdString();
    EXPECT_TRUE(S_ISFIFO(Mode(Path("pipe.nuv"))));

    WriteFileBytes(Path("locked.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("locked.nuv")).constData(), 0444), 0);
    run = Resave(Path("locked.nuv"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("\"%1\" is set to read-only").arg(Path("locked.nuv"))))
        << run.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("locked.nuv")), "old");
    EXPECT_EQ(Mode(Path("locked.nuv")) & 07777, 0444u);

    // A file that may be written keeps its permission bits.
    WriteFileBytes(Path("shared.nuv"), "old");
    ASSERT_EQ(chmod(QFile::encodeName(Path("shared.nuv")).constData(), 0664), 0);
    EXPECT_EQ(Resave(Path("shared.nuv")).exitCode, 0);
    EXPECT_EQ(Mode(Path("shared.nuv")) & 07777, 0664u);
    EXPECT_NE(ReadFileBytes(Path("shared.nuv")), "old");
}

TEST_F(DocumentFileSaving, AVersionNumberAtTheTopOfItsRangeIsNeverFollowed) {
    const QByteArray text = "<NUV Version=\"0.4.0\"><Document><Functions/></Document>"
                            "<Document Version=\"2147483647\" Major=\"1\" Minor=\"2\"><Functions/></Document></NUV>";
    CDocumentData data;
    data.SetDefaults();
    {
        QBuffer buffer;
        buffer.setData(text);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        ASSERT_EQ(LoadDocumentXml(buffer, data, 0), LoadResult::Loaded);
    }
    EXPECT_EQ(data.nextVersionNumber, INT_MAX);
    EXPECT_FALSE(HasFreeVersionNumber(data));

    // A plain save keeps the number; a save with a new version is refused and writes nothing.
    ASSERT_TRUE(SaveDocumentXml(data, Path("doc.nuv")));
    const QByteArray saved = ReadFileBytes(Path("doc.nuv"));
    EXPECT_TRUE(saved.contains("DocumentVersion=\"2147483647\"")) << saved.left(200).toStdString();
    QString error;
    EXPECT_FALSE(SaveDocumentXmlWithHistory(data, Path("doc.nuv"), VersionHistoryEntry{1, 3, "", "", ""}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFileBytes(Path("doc.nuv")), saved);
    EXPECT_EQ(data.versionHistory.size(), 1u);
    EXPECT_EQ(data.nextVersionNumber, INT_MAX);

    // The last free number is handed out once.
    data.versionHistory.back().number = INT_MAX - 1;
    ASSERT_TRUE(HasFreeVersionNumber(data));
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, Path("doc.nuv"), VersionHistoryEntry{1, 3, "", "", ""}, &error));
    EXPECT_EQ(data.versionHistory.back().number, INT_MAX);
    EXPECT_FALSE(HasFreeVersionNumber(data));
}

TEST_F(DocumentFileSaving, ASaveInPlaceKilledOnTheWayLeavesTheOldContentAndTheNextOpenSaysWhere) {
    // An older content that differs from the new one at its start and at its end.
    QByteArray old = ReadFileBytes(kLayout);
    const qsizetype selected = old.indexOf("IsSelected=\"0\"");
    ASSERT_GT(selected, 0);
    old[selected + 12] = '1';
    old += "<!-- older -->\n";
    WriteFileBytes(Path("doc.nuv"), old);
    ASSERT_EQ(link(QFile::encodeName(Path("doc.nuv")).constData(), QFile::encodeName(Path("other.nuv")).constData()),
              0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CACHE_HOME", Path("cache"));
    environment.insert("NUV_STOP_AFTER_BYTES", QString::number(old.size() + 1000));
    ASSERT_EQ(RunProgram(QStringLiteral("nuvdump"), {"--resave", kLayout, Path("doc.nuv")}, environment).exitCode, 86);
    EXPECT_NE(ReadFileBytes(Path("doc.nuv")), old);

    const QDir backups(Path("cache/nuv"));
    const QStringList names = backups.entryList(QDir::Files);
    ASSERT_EQ(names.size(), 1);
    EXPECT_TRUE(names[0].startsWith("doc.nuv-")) << names[0].toStdString();
    EXPECT_EQ(ReadFileBytes(backups.filePath(names[0])), old);

    // Opened again, the document says where its old content stays, once, and nothing is removed.
    environment.remove("NUV_STOP_AFTER_BYTES");
    const QString kept = QString(names[0]).replace(".bak", ".kept.bak");
    const ProgramRun opened = RunProgram(QStringLiteral("nuvdump"), {Path("doc.nuv")}, environment);
    EXPECT_TRUE(opened.standardError.contains(
        QStringLiteral("The save of \"%1\" stopped partway. What it held before the save is kept in this file:\n%2")
            .arg(Path("doc.nuv"), backups.filePath(kept))))
        << opened.standardError.toStdString();
    const ProgramRun resaved =
        RunProgram(QStringLiteral("nuvdump"), {"--resave", kLayout, Path("doc.nuv")}, environment);
    EXPECT_EQ(resaved.exitCode, 0);
    EXPECT_FALSE(resaved.standardError.contains(kept)) << resaved.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("other.nuv")), ReadFileBytes(Path("doc.nuv")));
    EXPECT_EQ(backups.entryList(QDir::Files), QStringList(kept));
    EXPECT_EQ(ReadFileBytes(backups.filePath(kept)), old);
}

TEST_F(DocumentFileSaving, UsersFilesBesideADocumentSurviveReadsAndSavesAndOnlyAKilledSaveIsCleanedUp) {
    WriteFileBytes(Path("doc.nuv"), ReadFileBytes(kLayout));
    // A save killed on the way, and files of the user's named as temporary files once were.
    const pid_t killed = fork();
    if (killed == 0) {
        platform::FileReplacement file(Path("doc.nuv"));
        if (file.Open())
            file.Device().write("half");
        _exit(86);
    }
    ASSERT_GT(killed, 0);
    ASSERT_EQ(waitpid(killed, nullptr, 0), killed);
    const QStringList left = QDir(m_directory.path()).entryList({".doc.nuv.*"}, QDir::Files | QDir::Hidden);
    ASSERT_EQ(left.size(), 1);
    const QStringList mine = {"doc.nuv.20241201-backup", "doc.nuv.2024-12", "doc.nuv.4242-final",
                              QStringLiteral("doc.nuv.%1-k2").arg(killed)};
    for (const QString& name : mine)
        WriteFileBytes(Path(name), "mine");
    const QStringList all = QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden);

    // Reading removes nothing; the next save removes what the killed save left, and nothing else.
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {Path("doc.nuv")}).exitCode, 0);
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden), all);
    EXPECT_EQ(Resave(Path("doc.nuv")).exitCode, 0);
    QStringList expected = all;
    expected.removeOne(left[0]);
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden), expected);
    for (const QString& name : mine)
        EXPECT_EQ(ReadFileBytes(Path(name)), "mine") << name.toStdString();
}

TEST_F(DocumentFileSaving, ASaveWithNoRoomAnywhereSaysTheRoomItWantsAndNamesNoFileItRemoved) {
    // A full file system of the test's own holds the document, and the cache folder for its old content.
    const QString small = Path("small");
    ASSERT_TRUE(QDir().mkpath(small));
    const QByteArray old(200000, 'o');
    const int status = InChild([&] {
        if (!MountSmallFileSystem(small, 256 << 10))
            _exit(kChildCannotSetUp);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(small + "/cache"));
        WriteFileBytes(small + "/doc.nuv", old);
        const int filler = open(QFile::encodeName(small + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
        static const char block[4096] = {};
        while (write(filler, block, sizeof block) > 0) {
        }
        CDocumentData data;
        data.SetDefaults();
        QString error;
        const QStringList lines = (SaveDocumentXml(data, small + "/doc.nuv", &error) ? "saved" : error).split('\n');
        fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        // The cache folder shares the file system: the room there would go to the backup, and the new copy beside
        // the file, which is smaller, is the one answer.
        _exit(lines.size() == 2 &&
                      lines[0] == "The file could not be saved for lack of free space. It can be saved when any one of "
                                  "these is free:" &&
                      lines[1].endsWith(QStringLiteral(" bytes in the folder \"%1\"").arg(small)) &&
                      ReadFileBytes(small + "/doc.nuv") == old &&
                      QDir(small).entryList(QDir::Files | QDir::Hidden) == QStringList({"doc.nuv", "filler"}) &&
                      QDir(small + "/cache/nuv").isEmpty()
                  ? 0
                  : 1);
    });
    if (status == kChildCannotSetUp)
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    EXPECT_EQ(status, 0);
}

TEST_F(DocumentFileSaving, AFileLargerThanItsFileSystemIsSaidToBeSo) {
    // A file system of 64 KiB of its own cannot hold 200,000 bytes however much of it is freed, nor 69,627 written
    // over a file there, with a second name or without.
    const QString small = Path("small");
    ASSERT_TRUE(QDir().mkpath(small));
    const int status = InChild([&] {
        if (!MountSmallFileSystem(small, 64 << 10))
            _exit(kChildCannotSetUp);
        // The old content's backup goes to another file system.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("cache")));
        const auto tooSmall = [&](const QString& name, const QByteArray& content, const QString& needed) {
            const std::optional<QString> error = ReplaceFileContent(small + '/' + name, content);
            const QStringList lines = error.value_or("saved").split('\n');
            fprintf(stderr, "%s\n", error.value_or("saved").toLocal8Bit().constData());
            return lines.size() == 2 &&
                   lines[0] == "The file could not be saved: the file system is too small for it." &&
                   lines[1].startsWith(QStringLiteral("The folder \"%1\" needs %2 bytes, and its file system holds ")
                                           .arg(small, needed)) &&
                   lines[1].endsWith(" bytes in all");
        };
        const bool newFile = tooSmall("new.nuv", QByteArray(200000, 'n'), "200,704") &&
                             QDir(small).entryList(QDir::Files | QDir::Hidden).isEmpty();
        const QByteArray old(29000, 'o');
        WriteFileBytes(small + "/doc.nuv", old);
        const bool overFile = tooSmall("doc.nuv", QByteArray(69627, 'n'), "69,632");
        const bool overLinkedFile = link(QFile::encodeName(small + "/doc.nuv").constData(),
                                         QFile::encodeName(small + "/other.nuv").constData()) == 0 &&
                                    tooSmall("doc.nuv", QByteArray(70581, 'n'), "73,728");
        _exit(newFile && overFile && overLinkedFile && ReadFileBytes(small + "/doc.nuv") == old &&
                      QDir(small).entryList(QDir::Files | QDir::Hidden) == QStringList({"doc.nuv", "other.nuv"})
                  ? 0
                  : 1);
    });
    if (status == kChildCannotSetUp)
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    EXPECT_EQ(status, 0);
}

TEST_F(DocumentFileSaving, APathThatIsNotTextIsRefusedAndNothingIsWrittenUnderAnotherName) {
    // The shell passes bytes that are not UTF-8 as they are.
    const ProgramRun run = FinishProgram(
        *StartProgram(QStringLiteral("nuvdump"), {"--resave", kLayout}, QProcessEnvironment::systemEnvironment(),
                      m_directory.path(), {"/bin/sh", "-c", "exec \"$0\" \"$@\" \"$(printf 'out\\376.nuv')\""}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.standardError.startsWith(QStringLiteral("nuvdump: \"out\uFFFD.nuv\" cannot be read as text")))
        << run.standardError.toStdString();
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(DocumentFileSaving, AnFnLineThatNamesNoUnitFunctionStaysInTheDocumentButNotInTheFile) {
    CDocumentData data;
    data.SetDefaults();
    CUnitFunction& origin = *data.registry.origin;
    CUnitFunction* callee = data.registry.CreateFunction("Callee", data.GetModelOptions());
    CUnitFunction::AppendChild(&origin, callee);
    auto bound = std::make_unique<CLogicLine>();
    bound->InitFnStatement(*callee, 0, 5);
    // A name typed into a new Fn line and not yet committed: an editor shows it.
    auto pending = std::make_unique<CLogicLine>(*bound);
    pending->calledInternalID = 0;
    pending->textSlots[0].text = "Typed";
    origin.logicLines.push_back(std::move(pending));
    origin.logicLines.push_back(std::move(bound));

    ASSERT_TRUE(SaveDocumentXml(data, Path("doc.nuv")));
    ASSERT_EQ(origin.logicLines.size(), 2u);
    EXPECT_EQ(origin.logicLines[0]->textSlots[0].text, "Typed");

    CDocumentData read;
    QFile file(Path("doc.nuv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(LoadDocumentXml(file, read, 0), LoadResult::Loaded);
    const CUnitFunction* readOrigin = read.registry.FindByInternalID(origin.InternalID);
    ASSERT_NE(readOrigin, nullptr);
    ASSERT_EQ(readOrigin->logicLines.size(), 1u);
    EXPECT_EQ(readOrigin->logicLines[0]->calledInternalID, callee->InternalID);
    EXPECT_TRUE(ReadFileBytes(Path("doc.nuv")).contains("<Function Line=\"1\""));
}

TEST_F(DocumentFileSaving, ATableOfContentsTooDeepToBeReadAgainIsNotSavedAndTheFileStays) {
    ASSERT_TRUE(QFile::copy(kLayout, Path("deep.nuv")));
    const QByteArray before = ReadFileBytes(Path("deep.nuv"));
    CDocumentData data;
    data.SetDefaults();
    const ModelOptions options = data.GetModelOptions();
    CUnitFunction* parent = data.registry.origin;
    for (int level = 0; level < kMaxOutlineDepth; ++level) {
        CUnitFunction* child = data.registry.CreateFunction(QStringLiteral("L%1").arg(level), options);
        ASSERT_NE(child, nullptr);
        CUnitFunction::AppendChild(parent, child);
        parent = child;
    }
    // At the bound the document is saved and read back.
    QString error;
    ASSERT_TRUE(SaveDocumentXml(data, Path("deep.nuv"), &error)) << error.toStdString();
    CDocumentData reread;
    reread.SetDefaults();
    QFile file(Path("deep.nuv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadDocumentXml(file, reread, 0), LoadResult::Loaded);
    file.close();

    // One level more would never open again: no way of saving writes it.
    WriteFileBytes(Path("deep.nuv"), before);
    CUnitFunction::AppendChild(parent, data.registry.CreateFunction(QStringLiteral("past"), options));
    const QString refusal =
        QStringLiteral("The document cannot be saved: its table of contents has more than %1 levels.")
            .arg(kMaxOutlineDepth);
    EXPECT_FALSE(SaveDocumentXml(data, Path("deep.nuv"), &error));
    EXPECT_EQ(error, refusal);
    EXPECT_FALSE(SaveDocumentXml(data, Path("deep.nuv"), &error, DocumentFormat::Older));
    EXPECT_FALSE(SaveDocumentXmlWithHistory(data, Path("deep.nuv"), VersionHistoryEntry{1, 0, "", "", ""}, &error));
    EXPECT_EQ(error, refusal);
    EXPECT_FALSE(WriteDocumentXmlFile(data, Path("copy.nuv"), &error));
    EXPECT_EQ(ReadFileBytes(Path("deep.nuv")), before);
    EXPECT_FALSE(QFile::exists(Path("copy.nuv")));
}
