#include "TobrelProcess.h"

#include "model/DocumentData.h"
#include "model/OutlineNumber.h"
#include "support/ToolSupport.h"
#include "support/model/LockHolderName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCannotOpenForSaving = QStringLiteral("ファイルが開けないため、保存できませんでした。\n");
const QString kOnlyOneFile = QStringLiteral("複数ファイルをドラッグ＆ドロップしても1ファイルのみ変換します。");

// The converted document as an indented outline, one unit function a line: its name and, after " | ",
// its content text when it has one.
QStringList ReadOutline(const QString& path) {
    CDocumentData data;
    const std::optional<LoadResult> result = tools::LoadDocument(path, data);
    if (!result)
        return {"(no document)"};
    if (result != LoadResult::Loaded || !data.registry.origin)
        return {"(unreadable document)"};
    QStringList lines;
    struct Entry {
        const CUnitFunction* function;
        int depth;
    };
    std::vector<Entry> pending{{data.registry.origin, 0}};
    while (!pending.empty()) {
        const Entry entry = pending.back();
        pending.pop_back();
        QString line = QString(entry.depth * 2, QChar(u' ')) + entry.function->name;
        if (!entry.function->header.contentText.isEmpty())
            line += " | " + entry.function->header.contentText;
        lines << line;
        for (auto child = entry.function->children.rbegin(); child != entry.function->children.rend(); ++child)
            pending.push_back({*child, entry.depth + 1});
    }
    EXPECT_EQ(static_cast<int>(data.registry.Count()), lines.size()) << "every unit function is in the tree once";
    return lines;
}

QByteArray Note(const QByteArray& html) {
    return "<richcontent TYPE=\"NOTE\"><html><head></head><body>" + html + "</body></html></richcontent>";
}

} // namespace

TEST(TobrelConversion, NamesNotesAndOrderFollowTheMap) {
    TobrelSandbox sandbox;
    sandbox.WriteFile(
        "plan.mm",
        "<map version=\"1.0.1\">\n<node TEXT=\"炊飯器\" ID=\"ID_1\" COLOR=\"#000000\">\n<font NAME=\"SansSerif\" "
        "SIZE=\"12\"/>\n"
        "<node TEXT=\"A\">" +
            Note("<p>\n  first\n</p><p>second<![CDATA[ skipped ]]></p>") +
            "</node>\n"
            "<node><richcontent TYPE=\"NODE\"><html><body><p> Hello </p><p><b>World</b></p></body></html>"
            "</richcontent></node>\n"
            "<node TEXT=\"空のノート\">" +
            Note("<p>   </p>") +
            "</node>\n"
            "<node TEXT=\"D\"><node TEXT=\"E\"/>" +
            Note("<p>after the child</p>") +
            "</node>\n"
            "<node TEXT=\"F\">" +
            Note("<p>one</p>") + Note("<p>two</p>") +
            "</node>\n"
            "<node TEXT=\"X\"/><node TEXT=\"X\"/>\n"
            "<node TEXT=\"G\"><hook NAME=\"x\"><node TEXT=\"hidden\"/></hook><icon BUILTIN=\"idea\"/></node>\n"
            "<node TEXT=\" spaced \"/>\n"
            "</node>\n</map>\n");
    const TobrelSandbox::Result result = sandbox.Run({"plan.mm"});
    EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
    // The hidden node is counted in the bar's total though it is not converted.
    EXPECT_TRUE(result.standardError.startsWith("進行状況 0/12\n")) << result.standardError.toStdString();
    EXPECT_TRUE(result.standardError.endsWith("進行状況 11/12\nMapファイルの変換が終了しました。\n"));
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("plan.nuv")), (QStringList{
                                                             "炊飯器",
                                                             "  A | firstsecond",
                                                             "  HelloWorld",
                                                             "  空のノート",
                                                             "  D",
                                                             "    E",
                                                             "  F | one",
                                                             "  X",
                                                             "  X",
                                                             "  G",
                                                             "   spaced ",
                                                         }));
}

// The converter speaks English: so do the line-mark names of every document it writes.
TEST(TobrelConversion, LineMarksCarryTheInterfaceLanguagesNames) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("marks.mm", "<map version=\"1.0.1\">\n<node TEXT=\"Root\"/>\n</map>\n");
    ASSERT_EQ(sandbox.Run({"marks.mm"}).exitCode, 0);
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(sandbox.WorkPath("marks.nuv"), data), LoadResult::Loaded);
    const LineMarkTable& marks = data.lineMarkTable;
    EXPECT_EQ(marks.attributes[0].name, "Under consideration");
    EXPECT_EQ(marks.attributes[6].name, "Review");
    EXPECT_EQ(marks.attributes[12].name, "Group 13");
    EXPECT_EQ(marks.groupNames[0], "Group 1");
    EXPECT_EQ(marks.groupNames[3], "Automatic");
}

TEST(TobrelConversion, SecondTopLevelNodeRenamesTheOriginAndAddsItsChildren) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("two.mm", R"(<map><node TEXT="First"><node TEXT="A"/></node><node TEXT="Second">)" +
                                    Note("<p>top</p>") + R"(<node TEXT="B"/></node></map>)");
    EXPECT_EQ(sandbox.Run({"two.mm"}).exitCode, 0);
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("two.nuv")), (QStringList{"Second | top", "  A", "  B"}));
}

TEST(TobrelConversion, OutputIsNamedAfterTheMapAndReplacesAnOldDocument) {
    TobrelSandbox sandbox;
    const QByteArray map = R"(<map><node TEXT="Root"/></map>)";
    QDir(sandbox.WorkPath("")).mkpath("a.b");
    const std::vector<std::pair<QString, QString>> names = {
        {"Plan.MM", "Plan.nuv"}, {"x.Mm", "x.nuv"},      {"Plan.txt", "Plan.txt.nuv"},
        {"Plan", "Plan.nuv"},    {"a.b/c", "a.b/c.nuv"}, {"-style", "-style.nuv"},
        {"mm", "mm.nuv"},
    };
    for (const auto& [input, output] : names) {
        sandbox.WriteFile(input, map);
        EXPECT_EQ(sandbox.Run({input}).exitCode, 0) << input.toStdString();
        EXPECT_TRUE(QFile::exists(sandbox.WorkPath(output))) << output.toStdString();
    }

    sandbox.WriteFile("Plan.MM", R"(<map><node TEXT="Replaced"/></map>)");
    EXPECT_EQ(sandbox.Run({"Plan.MM"}).exitCode, 0);
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("Plan.nuv")), QStringList{"Replaced"});
    // Nothing is left beside the documents but the documents.
    EXPECT_EQ(QDir(sandbox.WorkPath("")).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden),
              (QStringList{"-style.nuv", "mm.nuv", "Plan.nuv", "Plan.txt.nuv", "x.nuv"}));
}

TEST(TobrelConversion, AMapNameThatIsNotTextIsRefusedAndNothingIsWrittenUnderAnotherName) {
    TobrelSandbox sandbox;
    const QByteArray name = QFile::encodeName(sandbox.WorkPath("map")) + "\xFE.mm";
    const int fd = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray map = R"(<map><node TEXT="Root"/></map>)";
    ASSERT_EQ(write(fd, map.constData(), static_cast<size_t>(map.size())), map.size());
    close(fd);
    // The shell passes the bytes as they are.
    sandbox.launcher = {"/bin/sh", "-c", "exec \"$0\" \"$(printf 'map\\376.mm')\""};
    const TobrelSandbox::Result result = sandbox.Run({});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.standardError.contains(
        QStringLiteral("\"map\uFFFD.mm\" holds bytes that are not characters: it cannot be used as a file name.")))
        << result.standardError.toStdString();
    EXPECT_EQ(QDir(sandbox.WorkPath("")).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden), QStringList());
}

TEST(TobrelConversion, SeveralArgumentsConvertOnlyTheFirst) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("one.mm", R"(<map><node TEXT="One"/></map>)");
    sandbox.WriteFile("two.mm", R"(<map><node TEXT="Two"/></map>)");
    const TobrelSandbox::Result result = sandbox.Run({"one.mm", "two.mm", "three.mm"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardError.count(kOnlyOneFile), 1);
    EXPECT_TRUE(QFile::exists(sandbox.WorkPath("one.nuv")));
    EXPECT_FALSE(QFile::exists(sandbox.WorkPath("two.nuv")));
}

TEST(TobrelConversion, ADocumentThatCannotBeWrittenIsReportedAndLeftAlone) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("held.mm", R"(<map><node TEXT="New"/></map>)");
    sandbox.WriteFile("held.nuv", "the document another instance edits");
    // Another process holds the document for editing.
    const int fd = open(QFile::encodeName(sandbox.WorkPath("held.nuv")).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    TobrelSandbox::Result result = sandbox.Run({"held.mm"});
    close(fd);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.endsWith(
        kCannotOpenForSaving + QStringLiteral("held.nuv は使用中です。\n\n使用者は'%1'です。\n").arg(LockHolderName())))
        << result.standardError.toStdString();
    QFile held(sandbox.WorkPath("held.nuv"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    EXPECT_EQ(held.readAll(), "the document another instance edits");

    // Where the document should go there is a directory.
    sandbox.WriteFile("folder.mm", R"(<map><node TEXT="New"/></map>)");
    QDir(sandbox.WorkPath("")).mkdir("folder.nuv");
    result = sandbox.Run({"folder.mm"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.endsWith(
        kCannotOpenForSaving + QStringLiteral("\"folder.nuv\" is not a regular file: it cannot be overwritten.\n")))
        << result.standardError.toStdString();
    EXPECT_EQ(QDir(sandbox.WorkPath("")).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden), QStringList{"held.nuv"});

    // A link planted under the name the document takes is not followed, whatever it leads to.
    sandbox.WriteFile("linked.mm", R"(<map><node TEXT="New"/></map>)");
    sandbox.WriteFile("elsewhere.txt", "a file the link leads to");
    ASSERT_TRUE(QFile::link(sandbox.WorkPath("elsewhere.txt"), sandbox.WorkPath("linked.nuv")));
    result = sandbox.Run({"linked.mm"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.endsWith(
        QStringLiteral("ファイル \"linked.nuv\" に書き込みできませんでした。\n"
                       "\"linked.nuv\" is not a regular file: it cannot be overwritten.\n")))
        << result.standardError.toStdString();
    QFile elsewhere(sandbox.WorkPath("elsewhere.txt"));
    ASSERT_TRUE(elsewhere.open(QIODevice::ReadOnly));
    EXPECT_EQ(elsewhere.readAll(), "a file the link leads to");
    EXPECT_TRUE(QFileInfo(sandbox.WorkPath("linked.nuv")).isSymLink());

    // A pipe where the document should go is named in the message and left a pipe.
    sandbox.WriteFile("pipe.mm", R"(<map><node TEXT="New"/></map>)");
    ASSERT_EQ(mkfifo(QFile::encodeName(sandbox.WorkPath("pipe.nuv")).constData(), 0644), 0);
    result = sandbox.Run({"pipe.mm"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("\"pipe.nuv\" is not a regular file")))
        << result.standardError.toStdString();
    struct stat pipe {};
    ASSERT_EQ(stat(QFile::encodeName(sandbox.WorkPath("pipe.nuv")).constData(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
}

TEST(TobrelConversion, AMapWithMoreNodesThanInternalIdsIsRefusedBeforeAnythingIsWritten) {
    TobrelSandbox sandbox;
    const auto flatMap = [](int children) {
        QByteArray map = "<map><node TEXT=\"Root\">";
        for (int i = 0; i < children; ++i)
            map += "<node TEXT=\"n\"/>";
        return map + "</node></map>";
    };
    // The top node becomes the origin; its children need the other 32766 IDs.
    sandbox.WriteFile("full.mm", flatMap(32766));
    EXPECT_EQ(sandbox.Run({"full.mm"}).exitCode, 0);
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("full.nuv")).size(), 32767);

    sandbox.WriteFile("over.mm", flatMap(32767));
    const TobrelSandbox::Result result = sandbox.Run({"over.mm"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.standardError,
              "The Map file cannot be converted: its 32767 nodes are more than the 32766 unit functions that can be "
              "made.\n");
    EXPECT_FALSE(QFile::exists(sandbox.WorkPath("over.nuv")));
}

TEST(TobrelConversion, DeepMapsAndDeepRichTextAreWalkedWithoutRecursion) {
    TobrelSandbox sandbox;
    // The top node becomes the origin: the deepest table of contents a document may have.
    const int depth = kMaxOutlineDepth + 1;
    const int markup = 200000;
    QByteArray map = "<map>";
    for (int i = 0; i < depth; ++i)
        map += "<node TEXT=\"n\">";
    map += "<richcontent TYPE=\"NODE\">" + QByteArray("<b>").repeated(markup) + "deep" +
           QByteArray("</b>").repeated(markup) + "</richcontent>";
    for (int i = 0; i < depth; ++i)
        map += "</node>";
    sandbox.WriteFile("deep.mm", map + "</map>");
    EXPECT_EQ(sandbox.Run({"deep.mm"}).exitCode, 0);
    const QStringList outline = ReadOutline(sandbox.WorkPath("deep.nuv"));
    ASSERT_EQ(outline.size(), depth);
    EXPECT_EQ(outline.back().trimmed(), "ndeep");

    // One level more is refused before anything is made.
    sandbox.WriteFile("deeper.mm", "<map><node TEXT=\"top\">" + map.mid(5) + "</node></map>");
    const TobrelSandbox::Result deeper = sandbox.Run({"deeper.mm"});
    EXPECT_EQ(deeper.exitCode, 1);
    EXPECT_EQ(deeper.standardError,
              "The Map file cannot be converted: its nodes are nested more than 10000 levels deep.\n");
    EXPECT_FALSE(QFile::exists(sandbox.WorkPath("deeper.nuv")));
}

// A file system that is full, or too small for the document: a small one mounted where only this test sees it, when
// the system lets a user have a mount namespace of their own.
TEST(TobrelConversion, AFullDiskIsReportedWithItsCauseAndNothingIsWritten) {
    if (QProcess::execute("unshare", {"-rm", "true"}) != 0)
        GTEST_SKIP() << "no user and mount namespaces here";
    TobrelSandbox sandbox;
    sandbox.WriteFile("small.mm", "<map><node TEXT=\"a\"/></map>");
    QByteArray large = "<map><node TEXT=\"Root\">";
    for (int i = 0; i < 400; ++i)
        large += "<node TEXT=\"n\"/>";
    sandbox.WriteFile("large.mm", large + "</node></map>");
    ASSERT_TRUE(QDir(sandbox.WorkPath(".")).mkdir("full"));
    // The small document fits in the file buffer and fails as it is flushed, on a file system smaller than the file;
    // the large one fails on the way, on a file system that would hold it but is full.
    const QString tooSmall =
        QStringLiteral("ファイル \"full/small.nuv\" に書き込みできませんでした。\nThe file could not "
                       "be saved: the file system is too small for it.\nThe folder \"%1\" needs ")
            .arg(sandbox.WorkPath("full"));
    const QString full =
        QStringLiteral("ファイル \"full/large.nuv\" に書き込みできませんでした。\nThe file could not be "
                       "saved for lack of free space. It can be saved when any one of these is free:\n");
    for (const auto& [name, size, said, left] :
         {std::tuple{"small", "8k", tooSmall, QStringLiteral(" bytes in all\nsmall.mm\n")},
          std::tuple{
              "large", "1m", full,
              QStringLiteral(" bytes in the folder \"%1\"\nfiller\nlarge.mm\n").arg(sandbox.WorkPath("full"))}}) {
        // What is left in the file system is listed after the messages.
        const QString script =
            QStringLiteral("mount -t tmpfs -o size=%1 tmpfs full && cp \"$0\" full/ && "
                           "{ [ %1 = 8k ] || cat /dev/zero >full/filler 2>/dev/null; true; } && \"$@\"; "
                           "status=$?; ls -A full >&2; exit $status")
                .arg(size);
        sandbox.launcher = {"unshare", "-rm", "sh", "-c", script, QStringLiteral("%1.mm").arg(name)};
        const TobrelSandbox::Result result = sandbox.Run({QStringLiteral("full/%1.mm").arg(name)});
        EXPECT_EQ(result.exitCode, 1) << name;
        // The room the new file wants is named, or the file system too small, and nothing is left but the map.
        EXPECT_TRUE(result.standardError.contains(said)) << result.standardError.toStdString();
        EXPECT_TRUE(result.standardError.endsWith(left)) << result.standardError.toStdString();
    }
}

// A file system mounted read-only refuses the document whatever the modes of its file and folder allow: the system's
// reason is said, for a document that exists and for one to be made.
TEST(TobrelConversion, AReadOnlyFileSystemIsReportedWithTheSystemsReason) {
    if (QProcess::execute("unshare", {"-rm", "true"}) != 0)
        GTEST_SKIP() << "no user and mount namespaces here";
    TobrelSandbox sandbox;
    sandbox.WriteFile("plan.mm", "<map><node TEXT=\"a\"/></map>");
    ASSERT_TRUE(QDir(sandbox.WorkPath(".")).mkdir("shelf"));
    for (const bool exists : {true, false}) {
        const QString script =
            QStringLiteral("mount -t tmpfs tmpfs shelf && cp \"$0\" shelf/ && %1 mount -o remount,ro shelf && \"$@\"")
                .arg(exists ? "echo old > shelf/plan.nuv && chmod 644 shelf/plan.nuv &&" : "");
        sandbox.launcher = {"unshare", "-rm", "sh", "-c", script, "plan.mm"};
        const TobrelSandbox::Result result = sandbox.Run({"shelf/plan.mm"});
        EXPECT_EQ(result.exitCode, 1) << exists;
        EXPECT_TRUE(result.standardError.endsWith(
            QStringLiteral("ファイル \"shelf/plan.nuv\" に書き込みできませんでした。\n%1\n").arg(std::strerror(EROFS))))
            << result.standardError.toStdString();
    }
}

TEST(TobrelConversion, AMapInADeclaredLegacyEncodingIsDecoded) {
    TobrelSandbox sandbox;
    QByteArray map = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<map><node TEXT=\"";
    map += QByteArray::fromHex("908694d18aed"); // 炊飯器 in Shift_JIS
    sandbox.WriteFile("sjis.mm", map + "\"/></map>");
    EXPECT_EQ(sandbox.Run({"sjis.mm"}).exitCode, 0);
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("sjis.nuv")), QStringList{"炊飯器"});
}

TEST(TobrelConversion, EntitiesOfAMapAreNeverExpandedOrLoaded) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("secret.txt", "secret-content");
    sandbox.WriteFile("xxe.mm", "<?xml version=\"1.0\"?>\n<!DOCTYPE map [\n"
                                "<!ENTITY xxe SYSTEM \"file://" +
                                    QFile::encodeName(sandbox.WorkPath("secret.txt")) +
                                    "\">\n"
                                    "<!ENTITY lol \"lollollollollol\">\n"
                                    "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n]>\n"
                                    "<map><node TEXT=\"A&xxe;B&lol2;C\">" +
                                    Note("<p>&xxe;</p>") + "</node></map>");
    EXPECT_EQ(sandbox.Run({"xxe.mm"}).exitCode, 0);
    EXPECT_EQ(ReadOutline(sandbox.WorkPath("xxe.nuv")), QStringList{"A&xxe;B&lol2;C | &xxe;"});
}
