#include "model/DocumentFile.h"
#include "model/DocumentData.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"
#include "platform/UserSettings.h"
#include "support/AddressSpaceLimit.h"
#include "support/ProgramRun.h"
#include "support/TemporaryConfigHome.h"
#include "support/TestFiles.h"
#include "support/ToolSupport.h"
#include "support/model/DocumentFileDump.h"
#include "texts/MessageContext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const QString kDataDir = QStringLiteral(NUV_TEST_DATA_DIR "/docfile/");

ProgramRun RunNuvdump(const QStringList& arguments) {
    return RunProgram(QStringLiteral("nuvdump"), arguments);
}

LoadResult Load(CDocumentData& data, const QByteArray& text, int versionNumber = 0) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return LoadDocumentXml(buffer, data, versionNumber);
}

class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_directory.isValid()); }
    QString Path(const QString& name) const { return m_directory.filePath(name); }

    QTemporaryDir m_directory;
    platform::ScriptedMessageSink m_messages;
};

} // namespace

TEST_F(DocumentFile, GoldenLayoutReadsAndSavesToTheSameBytes) {
    // The golden file has a line break between elements for reading; the writer puts none.
    QByteArray expected = ReadFileBytes(kDataDir + "layout.nuv");
    expected.replace(">\n<", "><");

    const ProgramRun resave = RunNuvdump({"--resave", kDataDir + "layout.nuv", Path("out.nuv")});
    ASSERT_EQ(resave.exitCode, 0);
    EXPECT_EQ(ReadFileBytes(Path("out.nuv")), expected);

    // The tool prints the dump as UTF-8.
    const ProgramRun printed = RunNuvdump({kDataDir + "layout.nuv"});
    ASSERT_EQ(printed.exitCode, 0);
    const QString golden = DumpOfDocumentFile(kDataDir + "layout.nuv");
    EXPECT_EQ(QString::fromUtf8(printed.standardOutput), golden);
    EXPECT_EQ(DumpOfDocumentFile(Path("out.nuv")), golden);
    // Spot checks of what the layout pins.
    EXPECT_TRUE(golden.contains("MemoText \"abc\""));
    EXPECT_TRUE(golden.contains("  label \" 1.05\""));
    EXPECT_TRUE(golden.contains("nextVersionNumber 3"));
    EXPECT_TRUE(golden.contains("line kind=15 "));
    EXPECT_TRUE(golden.contains("line kind=14 "));
    EXPECT_TRUE(golden.contains("mark=4294967295"));
    EXPECT_TRUE(golden.contains("memo \"メモ\\x01<&>\""));
    EXPECT_TRUE(golden.contains("slot1 \" \""));
    EXPECT_TRUE(golden.contains("content \"一行目\\r\\n二行目\""));
    EXPECT_TRUE(golden.contains("panes -1 250 350 250"));
    EXPECT_TRUE(golden.contains("object AAECAwQ= original=99"));
    EXPECT_TRUE(golden.contains("outline +1"));
    // A syntax symbol stored with the plain default font keeps it.
    EXPECT_TRUE(golden.contains("id=11 \"(:\" column=2 indent=0 simple=\"CO\"\n"
                                "    font \"Times New Roman\" size=105 colour=0 bold=0"));
}

TEST_F(DocumentFile, NuvdumpNeverWritesOverItsInputUnderAnyOfItsNames) {
    const QByteArray original = ReadFileBytes(kDataDir + "layout.nuv");
    WriteFileBytes(Path("in.nuv"), original);
    ASSERT_TRUE(QFile::link(Path("in.nuv"), Path("symbolic.nuv")));
    ASSERT_EQ(link(QFile::encodeName(Path("in.nuv")).constData(), QFile::encodeName(Path("hard.nuv")).constData()), 0);
    for (const char* command : {"--resave", "--export-older"}) {
        for (const char* output : {"in.nuv", "symbolic.nuv", "hard.nuv"}) {
            const ProgramRun run = RunNuvdump({command, Path("in.nuv"), Path(output)});
            EXPECT_EQ(run.exitCode, 1) << command << output;
            EXPECT_EQ(run.standardError,
                      QStringLiteral("nuvdump: %1 is the input document; it is not written over\n").arg(Path(output)));
        }
    }
    EXPECT_EQ(ReadFileBytes(Path("in.nuv")), original);
}

TEST_F(DocumentFile, RecentFontFacesOutliveANewDocumentAndTravelWithEachSave) {
    CDocumentData data;
    data.SetDefaults();
    ASSERT_EQ(Load(data, ReadFileBytes(kDataDir + "layout.nuv")), LoadResult::Loaded);
    const QStringList faces{"Verdana", "メイリオ"};
    EXPECT_EQ(data.recentFontFaces, faces);

    // A new document in the same record keeps them and writes them into its file.
    data.ClearFunctions();
    data.SetDefaults();
    EXPECT_EQ(data.recentFontFaces, faces);
    ASSERT_TRUE(SaveDocumentXml(data, Path("new.nuv")));
    EXPECT_TRUE(ReadFileBytes(Path("new.nuv")).contains("<FontMRU>Verdana</FontMRU><FontMRU>メイリオ</FontMRU>"));

    // Another record has its own: reading a file into one does not reach the other.
    CDocumentData other;
    other.SetDefaults();
    EXPECT_TRUE(other.recentFontFaces.isEmpty());
    ASSERT_EQ(Load(other, ReadFileBytes(Path("new.nuv"))), LoadResult::Loaded);
    EXPECT_EQ(other.recentFontFaces, faces);
}

TEST_F(DocumentFile, UnreadableFilesGiveTheirLoadResult) {
    const std::pair<const char*, int> cases[] = {
        {"empty.nuv", 1}, {"malformed.nuv", 2}, {"wrong-root.nuv", 3}, {"no-document.nuv", 4}};
    for (const auto& [name, result] : cases) {
        const ProgramRun dump = RunNuvdump({kDataDir + name});
        EXPECT_EQ(dump.exitCode, result) << name;
        EXPECT_EQ(dump.standardOutput, QByteArray("load result ") + QByteArray::number(result) + "\n") << name;
    }
    const ProgramRun missing = RunNuvdump({Path("missing.nuv")});
    EXPECT_EQ(missing.exitCode, 1);
    // The system's reason follows the name.
    EXPECT_EQ(missing.standardError, "nuvdump: cannot open " + Path("missing.nuv") + ": " +
                                         QString::fromLocal8Bit(std::strerror(ENOENT)) + "\n");
    EXPECT_EQ(RunNuvdump({"--resave", kDataDir + "layout.nuv"}).exitCode, 2);

    CDocumentData data;
    data.SetDefaults();
    EXPECT_EQ(Load(data, ReadFileBytes(kDataDir + "layout.nuv"), 7), LoadResult::NoSuchVersion);
    EXPECT_TRUE(data.versionHistory.empty());
    EXPECT_EQ(Load(data, ReadFileBytes(kDataDir + "layout.nuv"), 2), LoadResult::Loaded);
    EXPECT_EQ(data.documentHeader.Minor, 10);
    EXPECT_EQ(data.documentHeader.Comment, QStringLiteral("第二版"));
    EXPECT_TRUE(m_messages.Texts().isEmpty()); // a stored version is opened without a notice
}

TEST_F(DocumentFile, OlderAndUnknownVersionsAreReadAfterANotice) {
    CDocumentData data;
    data.SetDefaults();
    EXPECT_EQ(Load(data, ReadFileBytes(kDataDir + "older-version.nuv")), LoadResult::Loaded);
    EXPECT_EQ(data.documentHeader.Title, "old");
    EXPECT_EQ(Load(data, ReadFileBytes(kDataDir + "unknown-version.nuv")), LoadResult::Loaded);
    EXPECT_EQ(data.documentHeader.Title, "new");
    EXPECT_EQ(Load(data, "<NUV><Document/></NUV>"), LoadResult::Loaded);
    ASSERT_EQ(m_messages.Requests().size(), 3);
    EXPECT_EQ(m_messages.Texts()[0],
              QStringLiteral(
                  "古いバージョンのプログラムで作られたファイルを正常に読み込みました。\n\nこのバージョンでファイル"
                  "を上書き保存すると、そのファイルは古いバージョンで読み込むことができない場合があります。"));
    const QString unknown = QStringLiteral(
        "未知のバージョンのファイルを読み込みました。\n一部の情報が正常に取得できていない可能性があります。");
    EXPECT_EQ(m_messages.Texts()[1], unknown);
    EXPECT_EQ(m_messages.Texts()[2], unknown);
    EXPECT_EQ(m_messages.Requests()[0].icon, platform::MessageIcon::Warning);
    // A document without "Functions" keeps the unit functions it had.
    EXPECT_NE(data.registry.origin, nullptr);
}

// Unit functions in a holder beside which the "Functions" element is missing are read, and kept by the next save.
TEST_F(DocumentFile, UnitFunctionsOfAHolderWithoutItsFunctionsElementAreReadAndSavedAgain) {
    const QByteArray text = R"(<?xml version="1.0" encoding="UTF-8"?>
<NUV Version="0.4.0" DocumentVersion="1"><Document>
<FunctionHolder Root="100">
<Function InternalID="100"><Name>root</Name><Child Descriptor="200"></Child></Function>
<Function Line="1" InternalID="200" PrimaryParent="100">
<Line ConstNo="4" DataNum="3"><InputStr>A</InputStr><InputStr>を</InputStr><InputStr>動作</InputStr></Line>
<Name>child</Name></Function>
</FunctionHolder>
</Document></NUV>
)";
    const auto expectTheUnitFunctions = [](const CDocumentData& data) {
        ASSERT_EQ(data.registry.origin->name, QStringLiteral("root"));
        const CUnitFunction* child = data.registry.FindByName(QStringLiteral("child"));
        ASSERT_NE(child, nullptr);
        ASSERT_EQ(child->logicLines.size(), 1u);
        EXPECT_EQ(child->logicLines[0]->textSlots[0].text, QStringLiteral("A"));
    };
    CDocumentData data;
    data.SetDefaults();
    const int formHeight = data.funcHeaderFormHeight;
    ASSERT_EQ(Load(data, text), LoadResult::Loaded);
    expectTheUnitFunctions(data);
    EXPECT_EQ(data.funcHeaderFormHeight, formHeight);
    ASSERT_TRUE(tools::SaveDocument(data, Path("saved.nuv"), false));
    CDocumentData saved;
    saved.SetDefaults();
    ASSERT_EQ(Load(saved, ReadFileBytes(Path("saved.nuv"))), LoadResult::Loaded);
    expectTheUnitFunctions(saved);
}

TEST_F(DocumentFile, HistoryKeepsTheLastTenVersions) {
    QByteArray text = "<NUV Version=\"0.4.0\">";
    for (int number = 1; number <= 12; ++number)
        text += "<Document Version=\"" + QByteArray::number(number) + "\" Major=\"1\" Minor=\"" +
                QByteArray::number(number) + "\" Author=\"a\"><Comment>c" + QByteArray::number(number) +
                "</Comment></Document>";
    text += "</NUV>";
    CDocumentData data;
    data.SetDefaults();
    ASSERT_EQ(Load(data, text), LoadResult::Loaded);
    // Without a current element the last one is read as current.
    EXPECT_EQ(data.documentHeader.Version, 12);
    EXPECT_EQ(data.documentHeader.Comment, "c12");
    ASSERT_EQ(data.versionHistory.size(), 10u);
    EXPECT_EQ(data.versionHistory.front().number, 3);
    EXPECT_EQ(data.versionHistory.back().number, 12);
    EXPECT_EQ(data.versionHistory.back().label, " 1.12");
    EXPECT_EQ(data.nextVersionNumber, 13);
}

TEST_F(DocumentFile, SaveWithHistoryWritesOnlyStoredVersions) {
    CDocumentData data;
    data.SetDefaults();
    ASSERT_EQ(Load(data, ReadFileBytes(kDataDir + "layout.nuv")), LoadResult::Loaded);
    const VersionHistoryEntry entry{2, 0, QStringLiteral("2026/03/04 05:06:07"), QStringLiteral("佐藤"),
                                    QStringLiteral("改訂")};
    QString error;
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, Path("versioned.nuv"), entry, &error)) << error.toStdString();
    EXPECT_EQ(data.nextVersionNumber, 4);
    ASSERT_EQ(data.versionHistory.size(), 3u);
    EXPECT_EQ(data.versionHistory.back().label, " 2.00");
    EXPECT_EQ(data.documentHeader.Major, 2);

    const QByteArray saved = ReadFileBytes(Path("versioned.nuv"));
    EXPECT_FALSE(saved.contains("<Document>"));
    EXPECT_TRUE(saved.contains("<Document Version=\"3\" Author=\"佐藤\" Time=\"2026/03/04 05:06:07\" Major=\"2\" "
                               "Minor=\"0\"><OpenedView"));
    EXPECT_TRUE(saved.endsWith("<Comment>改訂</Comment></Document></NUV>"));

    CDocumentData reread;
    reread.SetDefaults();
    ASSERT_EQ(Load(reread, saved), LoadResult::Loaded);
    EXPECT_EQ(reread.documentHeader.Version, 3);
    EXPECT_EQ(reread.documentHeader.Author, QStringLiteral("佐藤"));
    EXPECT_EQ(reread.versionHistory.size(), 3u);
    EXPECT_EQ(reread.registry.Count(), 5);
    EXPECT_EQ(reread.nextVersionNumber, 4);
}

TEST_F(DocumentFile, OlderFormatExportReadsBackIntoTheSameTree) {
    const ProgramRun exported = RunNuvdump({"--export-older", kDataDir + "layout.nuv", Path("older.nuv")});
    ASSERT_EQ(exported.exitCode, 0);
    const QByteArray older = ReadFileBytes(Path("older.nuv"));
    EXPECT_TRUE(
        older.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><NUV Version=\"0.3.1\" DocumentVersion=\"3\">"
                         "<Document><OpenedView"));
    EXPECT_TRUE(older.contains("<Functions FuncHeaderFormHeight=\"40\" Num=\"5\" MaxInternalID=\"5\"><Function "
                               "InternalID=\"1\"><Header ID=\"#0\" IDLevel=\"1\" "
                               "BinID=\"0x00ffffffffffffffffffffffffffffff\""));
    EXPECT_TRUE(older.contains("<FunctionHolder Num=\"5\" MaxInternalID=\"5\"><Function InternalID=\"6\">"));
    EXPECT_TRUE(older.contains("<IdName>未配置</IdName>"));
    EXPECT_TRUE(older.contains("ID=\"#+1\""));
    EXPECT_TRUE(older.contains("ID=\"#1.1/3.1\""));

    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(Path("older.nuv"), data), LoadResult::Loaded);
    QStringList tree;
    std::function<void(const CAbstractIndexItem&)> walk = [&](const CAbstractIndexItem& item) {
        tree << item.GetOutlineNumberString() + " " + item.unitFunction->name;
        for (const CAbstractIndexItem& child : item.children)
            walk(child);
    };
    walk(data.indexRoot);
    EXPECT_EQ(tree,
              (QStringList{"0 システム", "1 入力処理", "1.1 出力処理", "2 共通処理", "3 入力処理", "3.1 出力処理"}));
    EXPECT_EQ(data.registry.Count(), 5);
    const CUnitFunction* input = data.registry.origin->children.front();
    ASSERT_EQ(input->logicLines.size(), 6u);
    EXPECT_EQ(input->logicLines[0]->calledInternalID, input->children.front()->InternalID);
    ASSERT_EQ(m_messages.Texts().size(), 1); // the older-version notice
}

TEST_F(DocumentFile, FailedSaveLeavesTheTargetAndReportsTheReason) {
    CDocumentData data;
    data.SetDefaults();
    QString error;
    EXPECT_FALSE(SaveDocumentXml(data, Path("missing/folder/doc.nuv"), &error));
    EXPECT_FALSE(error.isEmpty());

    // A target that cannot be replaced stays as it was and no temporary file is left behind.
    ASSERT_TRUE(QDir(m_directory.path()).mkdir("taken"));
    ASSERT_TRUE(QFile::copy(kDataDir + "layout.nuv", Path("taken/inside.nuv")));
    error.clear();
    EXPECT_FALSE(SaveDocumentXml(data, Path("taken"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(Path("taken")).isDir());
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(SaveDocumentXmlWithHistory(data, Path("missing/doc.nuv"), VersionHistoryEntry{}, &error));
    EXPECT_TRUE(data.versionHistory.empty());
    EXPECT_EQ(data.nextVersionNumber, 1);
}

TEST_F(DocumentFile, IndentedCopyHoldsTheCurrentContentOnly) {
    CDocumentData data;
    data.SetDefaults();
    ASSERT_EQ(Load(data, ReadFileBytes(kDataDir + "layout.nuv")), LoadResult::Loaded);
    ASSERT_TRUE(WriteDocumentXmlFile(data, Path("copy.nuv")));
    const QByteArray copy = ReadFileBytes(Path("copy.nuv"));
    EXPECT_TRUE(copy.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<NUV Version=\"0.4.0\">\n\t<Document>"));
    EXPECT_EQ(copy.count("<Document"), 1);

    CDocumentData reread;
    reread.SetDefaults();
    ASSERT_EQ(Load(reread, copy), LoadResult::Loaded);
    EXPECT_EQ(reread.registry.Count(), 5);
    EXPECT_EQ(reread.MemoText, "abc");
    EXPECT_EQ(reread.documentHeader.Title, QStringLiteral("仕様書"));
}

TEST_F(DocumentFile, EnvironmentImportKeepsTitleAndFileNames) {
    CDocumentData data;
    data.SetDefaults();
    data.documentHeader.Title = QStringLiteral("mine");
    data.environment.exportMemberNamesAndStateNamesFileName = QStringLiteral("mine.csv");
    const quint32 origin = data.registry.origin->InternalID;

    QFile file(kDataDir + "layout.nuv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(ImportEnvironmentFromDocument(file, data), LoadResult::Loaded);
    EXPECT_EQ(data.documentHeader.Title, "mine");
    EXPECT_EQ(data.environment.exportMemberNamesAndStateNamesFileName, "mine.csv");
    EXPECT_EQ(data.environment.outputSourceCodeFileName, "");
    EXPECT_EQ(data.environment.outputSourceCodeFormat, "<N><c>");
    EXPECT_EQ(data.environment.synchronizeFn, 2);
    EXPECT_EQ(data.MaximumNumberOfTabs, 5);
    EXPECT_EQ(data.fonts.LogicFont.pointSize, 110);
    EXPECT_EQ(data.FAreaTable.IsDispRegisterStatus, 0);
    EXPECT_EQ(data.registry.Count(), 1);
    EXPECT_EQ(data.registry.origin->InternalID, origin);
    EXPECT_TRUE(data.MemoText.isEmpty());
    EXPECT_TRUE(m_messages.Texts().isEmpty());

    QBuffer wrong;
    wrong.setData("<map/>");
    wrong.open(QIODevice::ReadOnly);
    EXPECT_EQ(ImportEnvironmentFromDocument(wrong, data), LoadResult::NoRootElement);
}

// A document larger than a reader can hold is refused by its size before any of it is read, by every read of another
// document and by the tools, and said to be too large: nothing is filled in, and nothing runs out of memory.
TEST_F(DocumentFile, AFileTooLargeToReadIsRefusedByItsSizeAndSaidToBe) {
    const QString huge = Path("huge.nuv");
    WriteSparseFile(huge, MaxDocumentFileBytes() + 1);
    CDocumentData data;
    data.SetDefaults();
    data.environment.outputSourceCodeFormat = QStringLiteral("mine");
    const auto read = [&huge](const auto& reader) {
        QFile file(huge);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return reader(file);
    };
    EXPECT_EQ(read([&](QFile& file) { return ImportEnvironmentFromDocument(file, data); }), LoadResult::TooLarge);
    EXPECT_EQ(read([&](QFile& file) { return ImportMemberNamesFromDocument(file, data); }), LoadResult::TooLarge);
    CUnitFunctionRegistry registry;
    EXPECT_EQ(read([&](QFile& file) { return ReadFunctionsFromDocument(file, registry); }), LoadResult::TooLarge);
    EXPECT_EQ(data.environment.outputSourceCodeFormat, "mine");
    CDocumentData opened;
    EXPECT_EQ(read([&](QFile& file) { return LoadDocumentXml(file, opened, 0); }), LoadResult::TooLarge);

    const QString bound = QString::number(MaxDocumentFileBytes());
    CMessageContext context;
    context.m_language = 0;
    EXPECT_EQ(UnreadDocumentText(context, huge, LoadResult::TooLarge, "otherwise"),
              QStringLiteral("File \"%1\" cannot be read: it is larger than %2 bytes.").arg(huge, bound));
    context.m_language = 1;
    EXPECT_EQ(UnreadDocumentText(context, kDataDir + "layout.nuv", LoadResult::OutOfMemory, "otherwise"),
              QStringLiteral("ファイル \"%1\" を読み込むためのメモリが足りません。").arg(kDataDir + "layout.nuv"));

    const QString said = "cannot read " + huge + ": it is larger than " + bound + " bytes\n";
    for (const QStringList& arguments :
         {QStringList{"--merge", kDataDir + "layout.nuv", huge, Path("out.nuv")}, QStringList{huge},
          QStringList{"--resave", huge, Path("out.nuv")}, QStringList{"--export-older", huge, Path("out.nuv")}}) {
        const ProgramRun dump = RunNuvdump(arguments);
        EXPECT_EQ(dump.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(dump.standardError, "nuvdump: " + said);
        EXPECT_TRUE(dump.standardOutput.isEmpty());
        EXPECT_FALSE(QFile::exists(Path("out.nuv")));
    }
    const ProgramRun inspect = RunProgram(QStringLiteral("nuvinspect"), {"conditions", huge, "--all"});
    EXPECT_EQ(inspect.exitCode, 1);
    EXPECT_EQ(inspect.standardError, "nuvinspect: " + said);
}

// A read of another document within the bound that memory cannot hold says so through its result, and leaves the
// document it reads into as it was.
TEST_F(DocumentFile, AReadOfAnotherDocumentThatRunsOutOfMemorySaysSo) {
    if (!CanLimitMemory())
        GTEST_SKIP() << "the sanitizer build cannot run within a bounded address space";
    CDocumentData data;
    data.SetDefaults();
    data.environment.outputSourceCodeFormat = QStringLiteral("mine");
    CUnitFunctionRegistry registry;
    const QString large = Path("large.nuv");
    // Address space taken and never touched: the limit, and the bound with it, lies far above what is mapped, while
    // the room left stays small.
    constexpr std::size_t kReserved = std::size_t{1} << 30;
    void* const reserved = mmap(nullptr, kReserved, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(reserved, MAP_FAILED);
    const auto release = qScopeGuard([reserved] { munmap(reserved, kReserved); });
    {
        const AddressSpaceLimit limit(rlim_t(16) << 20);
        ASSERT_TRUE(limit.IsSet());
        // Within the bound, but more than the room left.
        const qint64 size = std::min<qint64>(MaxDocumentFileBytes(), qint64(128) << 20);
        ASSERT_GT(size, qint64(32) << 20);
        WriteSparseFile(large, size);
        for (int reader = 0; reader < 3; ++reader) {
            QFile file(large);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const LoadResult result = reader == 0   ? ImportEnvironmentFromDocument(file, data)
                                      : reader == 1 ? ImportMemberNamesFromDocument(file, data)
                                                    : ReadFunctionsFromDocument(file, registry);
            EXPECT_EQ(result, LoadResult::OutOfMemory) << reader;
        }
    }
    EXPECT_EQ(data.environment.outputSourceCodeFormat, "mine");
    EXPECT_EQ(data.registry.Count(), 1);
}

// The reuse source chosen for a common unit function comes back with the document while that parent still holds it;
// a primary parent the file names that is none of the unit function's parents gives way to the first parent.
TEST_F(DocumentFile, TheChosenReuseSourceComesBackWhileItIsStillAParent) {
    CDocumentData data;
    data.SetDefaults();
    const ModelOptions options = data.GetModelOptions();
    CUnitFunction* first = data.registry.CreateFunction("first", options);
    CUnitFunction* second = data.registry.CreateFunction("second", options);
    CUnitFunction* shared = data.registry.CreateFunction("shared", options);
    CUnitFunction::AppendChild(data.registry.origin, first);
    CUnitFunction::AppendChild(data.registry.origin, second);
    CUnitFunction::AppendChild(first, shared);
    CUnitFunction::AppendChild(second, shared);
    shared->primaryParent = first->InternalID < second->InternalID ? second : first;
    const CUnitFunction* chosen = shared->primaryParent;
    data.RebuildAndRefresh(options);
    ASSERT_TRUE(SaveDocumentXml(data, Path("reuse.nuv")));

    CDocumentData read;
    ASSERT_EQ(tools::LoadDocument(Path("reuse.nuv"), read), LoadResult::Loaded);
    const CUnitFunction* readShared = read.registry.FindByName("shared");
    ASSERT_NE(readShared, nullptr);
    ASSERT_NE(readShared->primaryParent, nullptr);
    EXPECT_EQ(readShared->primaryParent->name, chosen->name);

    // A file whose primary parent no longer holds the unit function: the first parent in the file stays.
    QByteArray text = ReadFileBytes(Path("reuse.nuv"));
    const QByteArray named = QStringLiteral("PrimaryParent=\"%1\"").arg(chosen->InternalID).toUtf8();
    ASSERT_TRUE(text.contains(named));
    text.replace(named, QStringLiteral("PrimaryParent=\"%1\"").arg(data.registry.origin->InternalID).toUtf8());
    CDocumentData stale;
    ASSERT_EQ(Load(stale, text), LoadResult::Loaded);
    const CUnitFunction* staleShared = stale.registry.FindByName("shared");
    ASSERT_NE(staleShared->primaryParent, nullptr);
    EXPECT_NE(staleShared->primaryParent->name, chosen->name);
    EXPECT_NE(staleShared->primaryParent, stale.registry.origin);
}

// A tool names the line marks a document leaves out as the editor does: in the language chosen last, English when
// none was chosen.
TEST_F(DocumentFile, ToolsNameTheMarksAFileLeavesOutInTheLanguageChosen) {
    const TemporaryConfigHome home;
    WriteFileBytes(Path("bare.nuv"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><NUV Version=\"0.4.0\"><Document>"
                                     "<FunctionHolder Root=\"1\"><Function InternalID=\"1\"/></FunctionHolder>"
                                     "</Document></NUV>");
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(Path("bare.nuv"), data), LoadResult::Loaded);
    EXPECT_EQ(data.lineMarkTable.attributes[0].name, "Under consideration");
    EXPECT_EQ(data.lineMarkTable.groupNames[3], "Automatic");
    ASSERT_TRUE(platform::WriteSetting(UserSettings::Language(), 1));
    ASSERT_EQ(tools::LoadDocument(Path("bare.nuv"), data), LoadResult::Loaded);
    EXPECT_EQ(data.lineMarkTable.attributes[0].name, "考え中");
    EXPECT_EQ(data.lineMarkTable.groupNames[0], "グループ1");
}
