#include "platform/MessageBox.h"
#include "platform/ui/PropertySheet.h"
#include "settings/ui/DlgHeader.h"
#include "settings/ui/FuncAttrPage.h"
#include "settings/ui/SettingsCommands.h"
#include "settings/ui/StructurePage.h"
#include "support/QStringPrinter.h"
#include "texts/Msg.h"

#include "ModalDialogs.h"
#include "SettingsTestHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::MessageAnswer;

// Runs the environment-settings sheet and, once it shows, `act` on it; `act` closes it.
void RunSheet(SettingsTestHost& host, std::function<void(CPropertySheet&)> act) {
    OnNextModalDialog<CPropertySheet>(std::move(act));
    RunEnvironmentSettingsSheet(host);
}

void ClickOk(CPropertySheet& sheet) {
    sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void Type(QWidget& page, const char* name, const QString& text) {
    auto* edit = page.findChild<QLineEdit*>(QString::fromLatin1(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

constexpr int HierarchicalIndexPage = 2;
constexpr int HeaderPage = 7;

TEST(EnvironmentSettingsSheet, ShowsItsPagesAndRemembersThePageAfterCancelAndOk) {
    SettingsTestHost host;
    const HierarchicalIndexSettings indexSettings = host.data.indexViewSettings;
    const HeaderIOSettings headerSettings = host.data.headerIOSettings;
    RunSheet(host, [&host](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), Msg::Text(host.context, Msg::Id::EnvironmentalSettingsPlural));
        QStringList titles;
        for (const CPropertyPage* page : sheet.Pages())
            titles << page->Title();
        EXPECT_EQ(titles, (QStringList{"目次", "アウトライン番号順目次", "階層目次", "構造図", "表示", "機能属性",
                                       "説明", "単位機能ヘッダー", "ロジック記述欄", "        論理記述の記号",
                                       "単位機能の条件", "目次と論理記述の同期", "テンプレート", "フォント", "文言設定",
                                       "その他", "スプラッシュスクリーン"}));
        sheet.SetActivePage(HierarchicalIndexPage);
        sheet.reject();
    });
    RunSheet(host, [](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.ActivePageIndex(), HierarchicalIndexPage);
        sheet.SetActivePage(HeaderPage);
        ClickOk(sheet);
    });
    // OK without a change stores and refreshes nothing.
    EXPECT_EQ(host.modified, 0);
    EXPECT_TRUE(host.refreshes.isEmpty());
    EXPECT_EQ(host.data.indexViewSettings, indexSettings);
    EXPECT_EQ(host.data.headerIOSettings, headerSettings);
    RunSheet(host, [](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.ActivePageIndex(), HeaderPage);
        sheet.reject();
    });
}

TEST(EnvironmentSettingsSheet, OkStoresATypedValueAndRefreshesTheIndexViews) {
    SettingsTestHost host;
    RunSheet(host, [](CPropertySheet& sheet) {
        sheet.SetActivePage(HierarchicalIndexPage);
        Type(*sheet.ActivePage(), "number2", QStringLiteral("80"));
        ClickOk(sheet);
    });
    EXPECT_EQ(host.data.indexViewSettings.HieBoxSizeY, 80);
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.refreshes, (QStringList{"reapply index settings", "index views"}));
}

TEST(EnvironmentSettingsSheet, AValueOutOfRangeKeepsTheSheetOnItsPage) {
    SettingsTestHost host;
    platform::ScriptedMessageSink messages;
    const quint16 width = host.data.indexViewSettings.HieBoxSizeX;
    RunSheet(host, [](CPropertySheet& sheet) {
        sheet.SetActivePage(HierarchicalIndexPage);
        Type(*sheet.ActivePage(), "number3", QStringLiteral("500"));
        ClickOk(sheet);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_FALSE(sheet.SetActivePage(0));
        EXPECT_EQ(sheet.ActivePageIndex(), HierarchicalIndexPage);
        sheet.reject();
    });
    EXPECT_EQ(messages.Texts(), (QStringList{"「階層目次」ページの「ボックスの幅」の数値が範囲外です。",
                                             "「階層目次」ページの「ボックスの幅」の数値が範囲外です。"}));
    EXPECT_EQ(host.data.indexViewSettings.HieBoxSizeX, width);
    EXPECT_EQ(host.modified, 0);
}

TEST(SettingsPages, HeaderPageLaysOutTheTabsOnlyWhenAColumnIsShownOrHidden) {
    SettingsTestHost host;
    CDlgHeader colours(host);
    auto* colour = colours.findChild<QComboBox*>(QStringLiteral("number2"));
    ASSERT_NE(colour, nullptr);
    QTest::keyClick(colour, Qt::Key_Down);
    colours.Apply();
    EXPECT_EQ(host.data.headerIOSettings.ColorNo1, 1);
    EXPECT_EQ(colours.ChangeBits(), SettingsChangeTabViews);
    EXPECT_TRUE(host.refreshes.isEmpty());

    CDlgHeader columns(host);
    columns.findChild<QCheckBox*>(QStringLiteral("number0"))->click();
    ASSERT_TRUE(columns.Validate());
    columns.Apply();
    EXPECT_EQ(host.data.headerIOSettings.Input, 1);
    EXPECT_EQ(host.refreshes, QStringList{"relayout tabs"});
    EXPECT_EQ(host.modified, 2);
}

TEST(SettingsPages, FunctionAttributePageEditsItsRowsAndAsksAboutAnEmptyOne) {
    SettingsTestHost host;
    platform::ScriptedMessageSink messages;
    CFuncAttrPage page(host);
    QTableWidget* table = page.Table();
    ASSERT_EQ(table->rowCount(), 2);
    page.findChild<QPushButton*>(QStringLiteral("add"))->click();
    ASSERT_EQ(table->rowCount(), 3);
    messages.Answer(MessageAnswer::No);
    EXPECT_FALSE(page.Validate());
    EXPECT_EQ(table->rowCount(), 3);

    table->item(2, 0)->setText(QStringLiteral("QAXYZ"));
    EXPECT_EQ(table->item(2, 0)->text(), QStringLiteral("QAXY"));
    table->item(2, 1)->setText(QStringLiteral("品質"));
    EXPECT_TRUE(page.Validate());
    page.Apply();
    ASSERT_EQ(host.data.FunctionAttributes.size(), 3u);
    EXPECT_EQ(host.data.FunctionAttributes[2].symbol, QStringLiteral("QAXY"));
    EXPECT_EQ(host.data.FunctionAttributes[2].details, QStringLiteral("品質"));
    EXPECT_EQ(host.data.FunctionAttributes[2].id, 3);
    EXPECT_EQ(page.ChangeBits(), SettingsChangeTabViews);
    EXPECT_EQ(host.modified, 1);
}

TEST(SettingsPages, StructurePageHasTheDiagramTakeAStoredChange) {
    SettingsTestHost host;
    CStructurePage unchanged(host);
    unchanged.Apply();
    EXPECT_TRUE(host.refreshes.isEmpty());

    CStructurePage page(host);
    QTest::keyClick(page.findChild<QCheckBox*>(QStringLiteral("number7")), Qt::Key_Space);
    page.Apply();
    EXPECT_EQ(host.data.environment.structureDiagram.showDepthIndicator, 1);
    EXPECT_EQ(host.refreshes, QStringList{"structure diagram"});
    EXPECT_EQ(page.ChangeBits(), 0);
    EXPECT_EQ(host.modified, 1);
}

TEST(SettingsPages, AFontButtonKeepsAMissingFaceUnlessAnotherFamilyIsPicked) {
    SettingsTestHost host;
    FontSetting& font = host.data.fonts.StructureDiagramFont;
    font.faceName = QStringLiteral("No Such Face On Any Machine");
    font.pointSize = 120;
    CStructurePage page(host);
    auto* button = page.findChild<QPushButton*>(QStringLiteral("font0"));
    ASSERT_NE(button, nullptr);
    // OK alone: nothing changes, nothing is stored.
    OnNextModalDialog<QFontDialog>([](QFontDialog& dialog) { dialog.accept(); });
    button->click();
    page.Apply();
    EXPECT_EQ(font.faceName, "No Such Face On Any Machine");
    EXPECT_EQ(host.modified, 0);

    // Another family picked: it is taken.
    QString other;
    OnNextModalDialog<QFontDialog>([&other](QFontDialog& dialog) {
        for (const QString& family : QFontDatabase::families()) {
            if (family != dialog.currentFont().family()) {
                other = family;
                break;
            }
        }
        dialog.setCurrentFont(QFont(other));
        dialog.accept();
    });
    button->click();
    page.Apply();
    EXPECT_EQ(font.faceName, other);
    EXPECT_EQ(host.modified, 1);
}

} // namespace
