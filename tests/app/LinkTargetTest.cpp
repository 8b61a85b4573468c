#include "app/LinkTarget.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include "support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LinkTarget, DocumentsOpenInTheProgramAndEveryOtherFileOrAddressOnTheDesktop) {
    for (const char* address : {"https://example.org/manual?id=3", "  HTTP://example.org ", "mailto:team@example.org",
                                "ftp://example.org/a.nuv", "news:comp.lang.c++", "telnet://example.org"}) {
        const LinkTarget target = ClassifyLink(QString::fromUtf8(address));
        EXPECT_EQ(target.kind, LinkTarget::Desktop) << address;
        EXPECT_EQ(target.url, QUrl(QString::fromUtf8(address).trimmed())) << address;
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
    }
    EXPECT_EQ(ClassifyLink("one.txt", folder.path()).url, QUrl::fromLocalFile(text));
    EXPECT_EQ(ClassifyLink("sub/../one.txt", folder.path()).url, QUrl::fromLocalFile(text));
    EXPECT_EQ(ClassifyLink("Door.nuv", folder.path()).documentPath, folder.filePath("Door.nuv"));

    // Nothing names a target: no address, no file that exists, or a text that runs code.
    for (const char* refused :
         {"", "  ", "one.txt", "/home/user/missing.txt", "file:///home/user/missing.pdf", "file://server/share/a.txt",
          "javascript:alert(1)", "data:text/html,<b>x</b>", "http://", "mailto:", "C:\\plans\\Door.txt"}) {
        EXPECT_EQ(ClassifyLink(QString::fromUtf8(refused), QDir::rootPath()).kind, LinkTarget::Refused) << refused;
    }
}

TEST(LinkTarget, ALinkThatCannotBeOpenedSaysSoAndNamesIt) {
    platform::ScriptedMessageSink sink;
    QStringList documents;
    QList<QUrl> desktop;
    bool desktopOpens = true;
    const auto open = [&](const QString& link) {
        return OpenLink(
            link, QString(), [&](const QString& path) { documents << path; },
            [&](const QUrl& url) {
                desktop << url;
                return desktopOpens;
            });
    };
    EXPECT_TRUE(open("/plans/Door.nuv"));
    EXPECT_TRUE(open("https://example.org/"));
    EXPECT_EQ(documents, QStringList{"/plans/Door.nuv"});
    EXPECT_EQ(desktop, QList<QUrl>{QUrl("https://example.org/")});
    EXPECT_TRUE(sink.Texts().isEmpty());

    // No program for the address: the message says so, not that the address were wrong.
    desktopOpens = false;
    EXPECT_FALSE(open(" https://example.org/ "));
    EXPECT_FALSE(open("/home/user/missing.txt"));
    EXPECT_EQ(desktop.size(), 2);
    EXPECT_EQ(sink.Texts(), (QStringList{LoadString(StringId::LinkNotOpened).arg("https://example.org/"),
                                         LoadString(StringId::LinkNotFound).arg("/home/user/missing.txt")}));
    EXPECT_TRUE(sink.Texts().first().contains("no program")) << sink.Texts().first().toStdString();
}

TEST(LinkTarget, OnlyDroppedDocumentsOpen) {
    const QList<QUrl> dropped = {QUrl::fromLocalFile("/home/user/a.txt"), QUrl::fromLocalFile("/home/user/Door.NUV"),
                                 QUrl("https://example.org/b.nuv"), QUrl::fromLocalFile("/home/user/~$Door.nuv"),
                                 QUrl::fromLocalFile("/home/user/x/../Lamp.nuv")};
    EXPECT_EQ(DroppedDocumentPaths(dropped), QStringList({"/home/user/Door.NUV", "/home/user/Lamp.nuv"}));
    EXPECT_TRUE(DroppedDocumentPaths({QUrl::fromLocalFile("/home/user/a.mm")}).isEmpty());
}
