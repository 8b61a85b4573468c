#include "app/LinkTarget.h"

#include "app/DesktopOpener.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <pthread.h>
#include <sys/stat.h>

TEST(LinkTarget, DocumentsOpenInTheProgramAndEveryOtherFileOrAddressOnTheDesktop) {
    // Web and mail addresses open at once; any other scheme may start a program.
    const std::pair<bool, QStringList> addresses[] = {
        {false,
         {"https://example.org/manual?id=3", "  HTTP://example.org ", "mailto:team@example.org",
          "mailto:team@example.org?subject=attachments&body=attach%20it"}},
        {true,
         {"ftp://example.org/a.nuv", "news:comp.lang.c++", "telnet://example.org", "smb://server/share/run.exe",
          "x-man-page:ls", "view-source:https://example.org/", "mailto:team@example.org?attach=/home/user/.ssh/id_rsa",
          "MAILTO:team@example.org?subject=x&Attachment=%2Fetc%2Fpasswd", "mailto:team@example.org?%61ttach=a",
          "mailto:team@example.org%3FATTACH%3Da", "mailto:team@example.org?%2561ttachment=a"}}};
    for (const auto& [mayStartProgram, group] : addresses) {
        for (const QString& address : group) {
            const LinkTarget target = ClassifyLink(address);
            EXPECT_EQ(target.kind, LinkTarget::Desktop) << address.toStdString();
            EXPECT_EQ(target.url, QUrl(address.trimmed())) << address.toStdString();
            EXPECT_EQ(target.mayStartProgram, mayStartProgram) << address.toStdString();
        }
    }

    const LinkTarget document = ClassifyLink("/home/user/plans/../plans/Door.NUV");
    EXPECT_EQ(document.kind, LinkTarget::Document);
    EXPECT_EQ(document.documentPath, "/home/user/plans/Door.NUV");
    EXPECT_EQ(ClassifyLink("file:///home/user/Door%20Plan.nuv").documentPath, "/home/user/Door Plan.nuv");

    // Files that exist, by their path, as a file address, or by a name in the document's folder.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString text = folder.filePath("one.txt");
    const QString pdf = folder.filePath("plan b.pdf");
    for (const QString& path : {text, pdf}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    for (const QString& link : {pdf, QUrl::fromLocalFile(pdf).toString(), QStringLiteral("file://") + pdf}) {
        const LinkTarget target = ClassifyLink(link);
        EXPECT_EQ(target.kind, LinkTarget::Desktop) << link.toStdString();
        EXPECT_EQ(target.url, QUrl::fromLocalFile(pdf)) << link.toStdString();
        EXPECT_FALSE(target.mayStartProgram) << link.toStdString();
    }
    // A name, bare or as a file address, is looked for in the document's folder, not in the current one.
    ASSERT_NE(QDir::currentPath(), folder.path());
    for (const char* name : {"one.txt", "sub/../one.txt", "file:one.txt", "file:sub/../one.txt"})
        EXPECT_EQ(ClassifyLink(QString::fromUtf8(name), folder.path()).url, QUrl::fromLocalFile(text)) << name;
    EXPECT_EQ(ClassifyLink("Door.nuv", folder.path()).documentPath, folder.filePath("Door.nuv"));
    EXPECT_EQ(ClassifyLink("file:Door.nuv", folder.path()).documentPath, folder.filePath("Door.nuv"));

    // Nothing names a target: no address, no file that exists, or a text that runs code, also behind a wrapper.
    for (const char* refused :
         {"", "  ", "one.txt", "/home/user/missing.txt", "file:///home/user/missing.pdf", "file://server/share/a.txt",
          "javascript:alert(1)", "JavaScript:alert(1)", "vbscript:msgbox(1)", "data:text/html,<b>x</b>",
          "view-source:javascript:alert(1)", "view-source:%6Aavascript:alert(1)", "feed:view-source:data:text/html,x",
          "view-source:java%09script:alert(1)", "http://", "mailto:", "C:\\plans\\Door.txt"}) {
        EXPECT_EQ(ClassifyLink(QString::fromUtf8(refused), QDir::rootPath()).kind, LinkTarget::Refused) << refused;
    }
}

namespace {

// The head of a zip archive whose entries, stored empty, carry these names.
QByteArray ZipEntries(const QList<QByteArray>& names) {
    QByteArray zip;
    for (const QByteArray& name : names) {
        QByteArray header("PK\x03\x04\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 26);
        header.append(char(name.size() & 0xff)).append(char(name.size() >> 8)).append("\0\0", 2);
        zip += header + name;
    }
    return zip;
}

} // namespace

// A local file opens at once only when its names, as linked and of the file a link leads to, and its content are
// documents that agree: the desktop's opener picks the program by the content. A program, a launcher, a script, an
// archive or package and a file of unknown type may start a program whatever their names, and so may a folder, a
// pipe or a device, whose content is never waited for.
TEST(LinkTarget, OnlyDocumentsOpenWithoutAQuestion) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray script = "#!/bin/sh\necho run\n";
    const QByteArray pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const QByteArray mp4("\0\0\0\x18"
                         "ftypmp42\0\0\0\0mp42isom",
                         24);
    const QByteArray binary("\x7f"
                            "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0\x3e\0",
                            20);
    const QByteArray launcher = "[Desktop Entry]\nType=Application\nExec=sh -c 'echo run'\n";
    const QByteArray odt = ZipEntries({"mimetypeapplication/vnd.oasis.opendocument.text", "content.xml"});
    const QByteArray docx = ZipEntries({"[Content_Types].xml", "_rels/.rels", "word/document.xml"});
    const QByteArray xlsx = ZipEntries({"_rels/.rels", "[Content_Types].xml", "xl/workbook.xml"});
    const QByteArray zip = ZipEntries({"META-INF/MANIFEST.MF", "Main.class"});
    // A compound file as a spreadsheet or a presentation holds it (the type database names neither by content), and
    // as Word marks its documents.
    const QByteArray compound = QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8) + QByteArray(1024, '\0');
    const QByteArray word = QByteArray(compound).replace(546, 4, "bjbj");
    const QByteArray listing = "page one\n\fpage two\n";
    const struct {
        QString name;
        QByteArray content;
        QFile::Permissions executable;
        bool mayStartProgram;
    } files[] = {{"run.sh", script, QFile::ExeOwner, true},
                 {"others.txt", "plain words\n", QFile::ExeOther, true},
                 {"start.Desktop", launcher, {}, true},
                 {"notes.sh", script, {}, true},
                 {"tool", script, {}, true},
                 {"setup.deb", "!<arch>\ndebian-binary   ", {}, true},
                 {"app.jar", zip, {}, true},
                 {"setup.exe", "MZ\x90\0", {}, true},
                 {"App.AppImage", binary, {}, true},
                 {"blob", binary, {}, true},
                 {"jottings", "plain words\n", {}, true},
                 // Names and content that disagree: a program, a script, a launcher and archives named as documents.
                 {"x.pdf", binary, {}, true},
                 {"y.pdf", script, {}, true},
                 {"z.txt", binary, {}, true},
                 {"z.png", binary, {}, true},
                 {"z.mp4", binary, {}, true},
                 {"entry.pdf", launcher, {}, true},
                 {"entry.txt", launcher, {}, true},
                 {"archive.docx", zip, {}, true},
                 {"archive.odt", zip, {}, true},
                 {"sheet.docx", xlsx, {}, true},
                 {"text.pdf", "plain words\n", {}, true},
                 {"listing.pdf", listing, {}, true},
                 {"setup.msi", compound, {}, true},
                 {"compound.pdf", compound, {}, true},
                 {"compound.txt", compound, {}, true},
                 {"word.xls", word, {}, true},
                 // Documents of each kind.
                 {"plan.pdf", pdf, {}, false},
                 {"notes.txt", "plain words\n", {}, false},
                 {"table.csv", "a,b\n1,2\n", {}, false},
                 {"photo.png", png, {}, false},
                 {"clip.mp4", mp4, {}, false},
                 {"page.html", "<!DOCTYPE html><html></html>\n", {}, false},
                 {"letter.odt", odt, {}, false},
                 {"letter.docx", docx, {}, false},
                 {"sums.xlsx", xlsx, {}, false},
                 {"empty.txt", {}, {}, false},
                 {"listing.txt", listing, {}, false},
                 {"coloured.txt", "\x1b[1mbold\x1b[0m and \x07\b_\n", {}, false},
                 {"letter.doc", word, {}, false},
                 {"old letter.doc", compound, {}, false},
                 {"sums.xls", compound, {}, false},
                 {"slides.ppt", compound, {}, false}};
    for (const auto& [name, content, executable, mayStartProgram] : files) {
        WriteFileBytes(folder.filePath(name), content);
        ASSERT_TRUE(QFile::setPermissions(folder.filePath(name), QFile::ReadOwner | QFile::WriteOwner | executable));
        // A link named as a script is asked about whatever the file it leads to is.
        ASSERT_TRUE(QFile::link(folder.filePath(name), folder.filePath(name + ".sh")));
        for (const auto& [link, asked] : {std::pair(name, mayStartProgram), std::pair(name + ".sh", true)}) {
            const LinkTarget target = ClassifyLink(link, folder.path());
            EXPECT_EQ(std::pair(target.kind, target.mayStartProgram), std::pair(LinkTarget::Desktop, asked))
                << link.toStdString();
        }
    }
    // A link named as a document leads to one of its type: no question; to one of another type: a question.
    ASSERT_TRUE(QFile::link(folder.filePath("plan.pdf"), folder.filePath("plan link.pdf")));
    ASSERT_TRUE(QFile::link(folder.filePath("plan.pdf"), folder.filePath("plan link.png")));
    EXPECT_FALSE(ClassifyLink("plan link.pdf", folder.path()).mayStartProgram);
    EXPECT_TRUE(ClassifyLink("plan link.png", folder.path()).mayStartProgram);

    // The question says when a name and the content disagree, with their types.
    const struct {
        QString link;
        QString namedType;
        QString contentType;
    } looks[] = {
        {"x.pdf", "application/pdf", "application/x-executable"},
        {"entry.txt", "text/plain", "application/x-desktop"},
        {"archive.docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document", "application/zip"},
        {"compound.pdf", "application/pdf", "application/x-ole-storage"},
        {"plan link.png", "image/png", "application/pdf"},
        {"run.sh", {}, {}},
        {"others.txt", {}, {}},
        {"blob", {}, {}},
        {"sums.xls", {}, {}}};
    for (const auto& [link, namedType, contentType] : looks) {
        const LinkTarget target = ClassifyLink(link, folder.path());
        EXPECT_EQ(std::pair(target.namedType, target.contentType), std::pair(namedType, contentType))
            << link.toStdString();
    }

    // A folder, a pipe without a writer and a device are asked about, and looked at without waiting.
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.pdf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath("pipe.txt")).constData(), 0600), 0);
    for (const QString& special : {folder.filePath("folder.pdf"), folder.filePath("pipe.txt"), QString("/dev/null")}) {
        const LinkTarget target = ClassifyLink(special);
        EXPECT_EQ(std::pair(target.kind, target.mayStartProgram), std::pair(LinkTarget::Desktop, true))
            << special.toStdString();
    }
}

// What may start a program reaches the desktop only when the user agrees to the question that names it, No being
// the default; a link longer than a program can be given says so in a message of bounded size.
TEST(LinkTarget, ALinkThatMayStartAProgramIsAskedAboutAndOneTooLongIsRefused) {
    QTemporaryDir folder;
    const QString script = folder.filePath("run.sh");
    WriteFileBytes(script, "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
    const QString tooLong = "https://example.org/" + QString(199'980, 'a');
    const QString tooLongEncoded = "https://example.org/" + QString(50'000, QChar(0x6F22));
    const struct {
        QString link;
        QString named;
    } links[] = {{"run.sh", script}, {"ssh://example.org", "ssh://example.org"}, {tooLong, {}}, {tooLongEncoded, {}}};
    for (const auto& [link, named] : links) {
        platform::ScriptedMessageSink sink;
        const auto open = [&, &text = link] {
            return OpenLink(text, folder.path(), {}, [](const QUrl&) { return true; });
        };
        EXPECT_FALSE(open());
        sink.Answer(platform::MessageAnswer::Yes);
        EXPECT_EQ(open(), !named.isEmpty());
        ASSERT_FALSE(sink.Requests().isEmpty());
        const platform::MessageRequest& first = sink.Requests().first();
        if (named.isEmpty()) {
            EXPECT_TRUE(first.text.contains(QString::number(link.size()))) << first.text.left(200).toStdString();
            EXPECT_LT(first.text.size(), 3'000);
            continue;
        }
        EXPECT_EQ(first.text, LoadString(StringId::LinkMayStartProgram).arg(named));
        EXPECT_EQ(first.DefaultAnswer(), platform::MessageAnswer::No);
        EXPECT_EQ(sink.Requests().size(), 2) << "nothing said but the questions";
    }

    // A file whose name and content disagree is asked about with both types, in either language.
    const QString named = folder.filePath("plan.pdf");
    WriteFileBytes(named, "#!/bin/sh\n");
    for (const int language : {1, 0}) {
        SetTextLanguage(language);
        platform::ScriptedMessageSink sink;
        EXPECT_FALSE(OpenLink("plan.pdf", folder.path(), {}, [](const QUrl&) { return true; }));
        EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::LinkNameDisagreesWithContent)
                                                .arg(named, "application/pdf", "application/x-shellscript")});
        EXPECT_TRUE(sink.Texts().value(0).contains(language == 1 ? "一致しません" : "disagree"));
    }
}

namespace {

// Waits for the opener and for what its end starts.
void WaitForOpener(const CDesktopOpener& desktop) {
    for (bool waited = true; waited;) {
        waited = false;
        for (QProcess* process : desktop.findChildren<QProcess*>()) {
            if (process->state() != QProcess::NotRunning) {
                process->waitForFinished(10'000);
                waited = true;
            }
        }
    }
}

} // namespace

// The desktop's opener is given a file by its path. Its failure is said, naming the target, only when it is its own:
// the file is gone, or the desktop's list of handlers names no program for the target. A program that the opener ran
// in the foreground and that ended with a failure is not the opener's failure; an opener that cannot start fails at
// once.
TEST(LinkTarget, TheDesktopOpenerReportsOnlyItsOwnFailure) {
    QTemporaryDir folder;
    const QString given = folder.filePath("given");
    const QString asked = folder.filePath("asked");
    const QString plan = folder.filePath("plan b.pdf");
    WriteFileBytes(plan, "%PDF-1.4\n");
    const auto script = [&](const QString& name, const QString& body) {
        const QString path = folder.filePath(name);
        WriteFileBytes(path, ("#!/bin/sh\n" + body).toUtf8());
        EXPECT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
        return path;
    };
    // The list of handlers names a viewer for documents and nothing for the rest.
    const QString handlers =
        script("handlers", QStringLiteral("printf '%s ' \"$@\" > '%1'\n"
                                          "[ \"$3\" = application/pdf ] && echo viewer.desktop\nexit 0\n")
                               .arg(asked));
    const QString noHandlerList = folder.filePath("no-such-program");
    const QUrl unhandled("x-unknown:thing");
    const struct {
        int status;
        QUrl url;
        QString handlerQuery;
        QStringList said;
    } cases[] = {
        {0, QUrl::fromLocalFile(plan), handlers, {}},
        {4, QUrl::fromLocalFile(plan), handlers, {}}, // the viewer ran and was closed with a failure
        {3, QUrl::fromLocalFile(plan), handlers, {}},
        {3, unhandled, handlers, {LoadString(StringId::LinkNotOpened).arg("x-unknown:thing")}},
        {4, QUrl::fromLocalFile(plan), noHandlerList, {LoadString(StringId::LinkNotOpened).arg(plan)}},
        {2, QUrl::fromLocalFile(given + ".gone"), handlers, {LoadString(StringId::LinkNotFound).arg(given + ".gone")}},
        {-1, QUrl::fromLocalFile(plan), handlers, {}},
    };
    for (const auto& [status, url, handlerQuery, said] : cases) {
        SCOPED_TRACE(status);
        SCOPED_TRACE(url.toString().toStdString());
        QFile::remove(given);
        QFile::remove(asked);
        const QString opener =
            status >= 0
                ? script(QString::number(status),
                         QStringLiteral("printf %s \"$1\" > '%1'\nexit %2\n").arg(given, QString::number(status)))
                : folder.filePath("no-opener");
        platform::ScriptedMessageSink sink;
        CDesktopOpener desktop(opener, handlerQuery);
        EXPECT_EQ(desktop.Open(url), status >= 0);
        WaitForOpener(desktop);
        if (status >= 0) {
            EXPECT_EQ(ReadFileBytes(given), OpenerArgument(url).toUtf8());
        }
        EXPECT_EQ(sink.Texts(), said);
        if (status > 0 && status != 2 && handlerQuery == handlers) {
            EXPECT_EQ(ReadFileBytes(asked), "query default " + HandlerType(url).toUtf8() + " ");
        }
    }
    EXPECT_EQ(HandlerType(QUrl::fromLocalFile(plan)), "application/pdf");
    EXPECT_EQ(HandlerType(QUrl("MAILTO:team@example.org")), "x-scheme-handler/mailto");
}

// The opener, and what it starts, begins with the signals as a program started from a shell has them: SIGXFSZ, which
// the editor ignores, takes its default action, and no signal is blocked.
TEST(LinkTarget, TheDesktopOpenerStartsWithTheDefaultSignals) {
    QTemporaryDir folder;
    const QString opener = folder.filePath("opener");
    WriteFileBytes(opener, QStringLiteral("#!/usr/bin/awk -f\nBEGIN { while ((getline l < \"/proc/self/status\") > 0) "
                                          "if (l ~ /^Sig(Blk|Ign)/) print substr(l, 9) > \"%1\" }\n")
                               .arg(folder.filePath("status"))
                               .toUtf8());
    ASSERT_TRUE(QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner));
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    sigset_t blocked;
    sigset_t before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &blocked, &before);
    CDesktopOpener desktop(opener, folder.filePath("no-query"));
    EXPECT_TRUE(desktop.Open(QUrl::fromLocalFile(opener)));
    WaitForOpener(desktop);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    std::signal(SIGXFSZ, handler);
    const QList<QByteArray> masks = ReadFileBytes(folder.filePath("status")).split('\n');
    ASSERT_GE(masks.size(), 2);
    EXPECT_EQ(masks[0].toULongLong(nullptr, 16), 0u) << "blocked " << masks[0].toStdString();
    EXPECT_EQ(masks[1].toULongLong(nullptr, 16) & (1ULL << (SIGXFSZ - 1)), 0u) << "ignored " << masks[1].toStdString();
}

TEST(LinkTarget, OnlyDroppedDocumentsOpen) {
    const QList<QUrl> dropped = {QUrl::fromLocalFile("/home/user/a.txt"), QUrl::fromLocalFile("/home/user/Door.NUV"),
                                 QUrl("https://example.org/b.nuv"), QUrl::fromLocalFile("/home/user/~$Door.nuv"),
                                 QUrl::fromLocalFile("/home/user/x/../Lamp.nuv")};
    EXPECT_EQ(DroppedDocumentPaths(dropped), QStringList({"/home/user/Door.NUV", "/home/user/Lamp.nuv"}));
    EXPECT_TRUE(DroppedDocumentPaths({QUrl::fromLocalFile("/home/user/a.mm")}).isEmpty());
}
