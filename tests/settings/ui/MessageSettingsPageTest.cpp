#include "settings/ui/MessageSettingsPage.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The page with the file prompt answered by the test.
class ScriptedMessagePage : public CMessageSettingsPage {
public:
    using CMessageSettingsPage::CMessageSettingsPage;
    QString answer;
    QStringList offered;

protected:
    QString PromptPath(bool, const QString& initial) override {
        offered << initial;
        return answer;
    }
};

TEST(MessageSettingsPage, RowsEditsDefaultsAndTheMessagesFile) {
    QTemporaryDir directory;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(directory.path()));
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    ScriptedMessagePage page(host);
    page.show();
    auto* list = page.findChild<QTreeWidget*>("messages");
    auto* japanese = page.findChild<QLineEdit*>("japanese");
    ASSERT_EQ(list->topLevelItemCount(), 185);
    EXPECT_EQ(list->topLevelItem(184)->text(0), "185");
    EXPECT_EQ(page.Title(), QStringLiteral("文言設定"));

    // Selecting fills the edits without a change; typing changes the copy and the row at once.
    list->setCurrentItem(list->topLevelItem(2));
    const QString before = list->topLevelItem(2)->text(1);
    EXPECT_EQ(japanese->text(), before);
    EXPECT_TRUE(page.Editor().Copy() == host.context.m_settings);
    QTest::keyClicks(japanese, "X");
    EXPECT_EQ(list->topLevelItem(2)->text(1), before + "X");
    EXPECT_EQ(page.Editor().Text(2, 1), before + "X");

    // Export offers the default name, then the exported file; import takes it back after a default.
    page.answer = directory.filePath("out.txt");
    page.findChild<QPushButton*>("export")->click();
    page.findChild<QPushButton*>("default")->click();
    EXPECT_EQ(list->topLevelItem(2)->text(1), before);
    page.findChild<QPushButton*>("import")->click();
    EXPECT_EQ(list->topLevelItem(2)->text(1), before + "X");
    EXPECT_EQ(japanese->text(), before + "X");
    page.findChild<QPushButton*>("export")->click();
    EXPECT_EQ(page.offered, QStringList({"nuv-messages.txt", "", page.answer}));

    page.findChild<QPushButton*>("allDefault")->click();
    EXPECT_EQ(list->topLevelItem(2)->text(1), before);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(2));
    EXPECT_TRUE(page.Validate());
    qunsetenv("XDG_CONFIG_HOME");
}

// A click makes the row current before it is selected: the edits must still show the clicked row, and a keystroke
// must change only that row.
TEST(MessageSettingsPage, AClickedRowIsTheRowEdited) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    ScriptedMessagePage page(host);
    page.resize(900, 600);
    page.show();
    auto* list = page.findChild<QTreeWidget*>("messages");
    auto* japanese = page.findChild<QLineEdit*>("japanese");
    auto* singular = page.findChild<QLineEdit*>("singular");
    const QString first = list->topLevelItem(0)->text(1);
    const QString clickedJapanese = list->topLevelItem(5)->text(1);
    const QString clickedSingular = list->topLevelItem(5)->text(2);
    ASSERT_NE(first, clickedJapanese);

    const QRect cell = list->visualItemRect(list->topLevelItem(5));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(list->currentItem(), list->topLevelItem(5));
    EXPECT_EQ(japanese->text(), clickedJapanese);
    EXPECT_EQ(singular->text(), clickedSingular);

    QTest::keyClicks(japanese, "X");
    EXPECT_EQ(page.Editor().Text(5, 1), clickedJapanese + "X");
    EXPECT_EQ(page.Editor().Text(5, 2), clickedSingular);
    EXPECT_EQ(page.Editor().Text(0, 1), first);
}

} // namespace
