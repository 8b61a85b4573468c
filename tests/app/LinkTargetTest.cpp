#include "app/LinkTarget.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(LinkTarget, OnlyWebAndMailAddressesAndDocumentsOpen) {
    EXPECT_EQ(ClassifyLink("https://example.org/manual?id=3").kind, LinkTarget::WebAddress);
    EXPECT_EQ(ClassifyLink("  HTTP://example.org ").kind, LinkTarget::WebAddress);
    EXPECT_EQ(ClassifyLink("mailto:team@example.org").kind, LinkTarget::MailAddress);

    const LinkTarget document = ClassifyLink("/home/user/plans/../plans/Door.NUV");
    EXPECT_EQ(document.kind, LinkTarget::Document);
    EXPECT_EQ(document.documentPath, "/home/user/plans/Door.NUV");
    EXPECT_EQ(ClassifyLink("file:///home/user/Door%20Plan.nuv").documentPath, "/home/user/Door Plan.nuv");

    // Whatever could run something, or names no clear target, is refused.
    for (const char* refused :
         {"", "file:///usr/bin/xterm", "/usr/bin/xterm", "/home/user/run.sh", "file://server/share/a.nuv", "Door.nuv",
          "plans/Door.nuv", "javascript:alert(1)", "ftp://example.org/a.nuv", "http://", "mailto:", "smb://host/a.nuv",
          "C:\\plans\\Door.nuv", "/home/user/~$Door.nuv", "data:text/html,<b>x</b>"}) {
        EXPECT_EQ(ClassifyLink(QString::fromUtf8(refused)).kind, LinkTarget::Refused) << refused;
    }
}

TEST(LinkTarget, OpensOnlyOnACtrlClick) {
    EXPECT_TRUE(IsLinkOpeningClick(Qt::ControlModifier));
    EXPECT_TRUE(IsLinkOpeningClick(Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(IsLinkOpeningClick(Qt::NoModifier));
    EXPECT_FALSE(IsLinkOpeningClick(Qt::AltModifier));
}

TEST(LinkTarget, OnlyDroppedDocumentsOpen) {
    const QList<QUrl> dropped = {QUrl::fromLocalFile("/home/user/a.txt"), QUrl::fromLocalFile("/home/user/Door.NUV"),
                                 QUrl("https://example.org/b.nuv"), QUrl::fromLocalFile("/home/user/~$Door.nuv"),
                                 QUrl::fromLocalFile("/home/user/x/../Lamp.nuv")};
    EXPECT_EQ(DroppedDocumentPaths(dropped), QStringList({"/home/user/Door.NUV", "/home/user/Lamp.nuv"}));
    EXPECT_TRUE(DroppedDocumentPaths({QUrl::fromLocalFile("/home/user/a.mm")}).isEmpty());
}
