#include "app/MainFrameCommands.h"
#include "FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "texts/MenuBarCaptions.h"
#include "texts/MessageContext.h"
#include "texts/TextHelpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace MainFrameCommand;

namespace {

CMessageContext Context(int language) {
    CMessageContext context;
    context.m_language = language;
    return context;
}

const MenuEntry& TopLevel(const std::vector<MenuEntry>& bar, int index) {
    return bar.at(static_cast<size_t>(index));
}

} // namespace

TEST(MainFrameCommands, TheMenuBarIsCaptionedInBothLanguages) {
    const std::vector<QString> english = MenuBarCaptions(Context(0), DocumentMenuBar());
    EXPECT_EQ(english,
              std::vector<QString>({"&File", "&Edit", "&View", "&Terminology", "&Inspections", "&Vesk", "&Fonts",
                                    "&Environmental settings", "&Collaboration", "&Help", "&Language"}));
    const std::vector<QString> japanese = MenuBarCaptions(Context(1), DocumentMenuBar());
    EXPECT_EQ(japanese.front(), "ファイル(&F)");
    EXPECT_EQ(japanese.back(), "&Language");
    // Without a document: file, view and help are captioned, the language popup keeps its own.
    EXPECT_EQ(MenuBarCaptions(Context(0), NoDocumentMenuBar()),
              std::vector<QString>({"&File", "&View", "&Help", "&Language"}));
}

TEST(MainFrameCommands, PopupsAreCaptionedItemByItemAndBySubmenuPlaces) {
    const CMessageContext english = Context(0);
    const CMessageContext japanese = Context(1);
    EXPECT_EQ(MakeCommandCaption(english, FileNew), "&New");
    EXPECT_EQ(MakeCommandCaption(japanese, FileNew), "新規作成(&N)");
    // Commands the localisation has no row for have a caption of their own in either language; the languages
    // are named the same in both.
    EXPECT_EQ(MakeCommandCaption(english, CommentSource), "コメントソース");
    EXPECT_EQ(MakeCommandCaption(japanese, CommentSource), "コメントソース");
    EXPECT_EQ(MakeCommandCaption(english, ExportOlderFormat), "Export in 2013-June format");
    EXPECT_EQ(MakeCommandCaption(japanese, ExportOlderFormat), "2013-June形式でエクスポート");
    EXPECT_EQ(MakeCommandCaption(japanese, ShowOutlineIndex), "アウトライン順目次");
    EXPECT_EQ(MakeCommandCaption(japanese, Find), "検索");
    EXPECT_EQ(MakeCommandCaption(english, Replace), "Replace");
    EXPECT_EQ(MakeCommandCaption(japanese, WindowManager), "ウィンドウ(&W)...");
    EXPECT_EQ(MakeCommandCaption(english, SwitchToJapanese), "&Japanese");
    EXPECT_EQ(MakeCommandCaption(japanese, SwitchToJapanese), "&Japanese");

    const std::vector<QString> file = PopupCaptions(english, TopLevel(DocumentMenuBar(), 0).entries);
    EXPECT_EQ(file.at(0), "&New");
    EXPECT_EQ(file.at(6), "&Import and export");
    const std::vector<QString> view = PopupCaptions(japanese, TopLevel(DocumentMenuBar(), 2).entries);
    EXPECT_EQ(view.at(2), "アプリケーションの外観(&A)");
    EXPECT_EQ(view.at(3), "移動(&M)");
    const std::vector<QString> inspections = PopupCaptions(english, TopLevel(DocumentMenuBar(), 4).entries);
    EXPECT_EQ(inspections.at(0), "&Inspect Current function");
    EXPECT_EQ(inspections.at(1), "&Inspect All functions");
    const std::vector<QString> collaboration = PopupCaptions(english, TopLevel(DocumentMenuBar(), 8).entries);
    EXPECT_EQ(collaboration.at(5), "&ZIPC");
    EXPECT_EQ(collaboration.at(7), "コメントソース");
    // The View menu without a document has its one submenu at 0: no title map fits, the caption stays.
    EXPECT_EQ(PopupCaptions(english, TopLevel(NoDocumentMenuBar(), 1).entries).at(0),
              "ツール バーとドッキング ウィンドウ");
}

TEST(MainFrameCommands, RecentFileEntriesAreNumberedWithTheirDigitUpToNine) {
    EXPECT_EQ(RecentFileCaption(0, "/data/rice-cooker.nuv"), "&1 /data/rice-cooker.nuv");
    EXPECT_EQ(RecentFileCaption(8, "a.nuv"), "&9 a.nuv");
    EXPECT_EQ(RecentFileCaption(9, "a.nuv"), "10 a.nuv");
    EXPECT_EQ(RecentFileCaption(0, "/data/R&D.nuv"), "&1 /data/R&&D.nuv");
}

TEST(MainFrameCommands, LongRecentFilePathsAreShortenedInTheirMiddle) {
    // A path of hundreds of characters no longer makes the menu as wide as the screen.
    const QString deep = "/home/" + QString("folder/").repeated(36) + "specs/rice-cooker.nuv";
    const QString caption = RecentFileCaption(0, deep);
    EXPECT_EQ(caption, "&1 /home/…/folder/folder/folder/folder/folder/specs/rice-cooker.nuv");
    EXPECT_LE(caption.size() - 3, RecentFilePathLength);
    EXPECT_EQ(RecentFileCaption(1, "/data/rice-cooker.nuv"), "&2 /data/rice-cooker.nuv");
    // A path of exactly the length shows whole; one character more drops a folder.
    EXPECT_EQ(ShortenPathInMiddle("/a/bb/ccc/d.nuv", 15), "/a/bb/ccc/d.nuv");
    EXPECT_EQ(ShortenPathInMiddle("/a/bb/ccc/d.nuv", 14), "/a/…/ccc/d.nuv");
    EXPECT_EQ(ShortenPathInMiddle("docs/bb/ccc/d.nuv", 12), "docs/…/d.nuv");
    // A file name too long for any folder to give way is cut in its middle, never inside a character.
    const QString name = "/" + QString("😀").repeated(40) + ".nuv";
    const QString cut = ShortenPathInMiddle(name, 20);
    EXPECT_LE(cut.size(), 20);
    EXPECT_TRUE(cut.startsWith("/😀"));
    EXPECT_TRUE(cut.endsWith(".nuv"));
    EXPECT_TRUE(cut.contains(QChar(0x2026)));
    for (qsizetype i = 0; i < cut.size(); ++i) {
        EXPECT_FALSE(cut.at(i).isLowSurrogate()) << i;
        if (cut.at(i).isHighSurrogate()) {
            EXPECT_TRUE(++i < cut.size() && cut.at(i).isLowSurrogate()) << i;
        }
    }
}

TEST(MainFrameCommands, TheStateFollowsTheOpenDocument) {
    QTemporaryDir dir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    {
        FakeShell shell;
        CNUVApp app(shell);
        EXPECT_FALSE(StateOf(app.Document(), 214, false).documentOpen);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        const State state = StateOf(app.Document(), 212, true);
        EXPECT_TRUE(state.documentOpen);
        EXPECT_TRUE(state.workerRunning);
        EXPECT_EQ(state.applicationLook, 212);
        EXPECT_EQ(shell.title, "NUV");
    }
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CONFIG_HOME");
}
