#include "model/ModelTestSupport.h"
#include "platform/MessageBox.h"
#include "platform/ui/PropertySheet.h"
#include "settings/ui/DlgHeader.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/FontPage.h"
#include "settings/ui/FuncAttrPage.h"
#include "settings/ui/MemberDlg.h"
#include "settings/ui/OtherPage.h"
#include "settings/ui/SettingsCommands.h"
#include "settings/ui/StructurePage.h"
#include "settings/ui/TemplatePage.h"
#include "support/QStringPrinter.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include "SettingsTestHost.h"
#include "support/ui/DialogChecks.h"
#include "support/ui/ModalDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
        EXPECT_EQ(titles, (QStringList{"目次", "アウトライン順目次", "階層順目次", "構造図", "表示", "機能属性",
                                       "機能内容欄", "単位機能ヘッダー", "論理記述欄", "        論理記述の記号",
                                       "Unit function conditions", "目次と論理記述の同期", "Template", "フォント",
                                       "文言設定", "その他", "スプラッシュスクリーン"}));
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

// In English the pages and their fields are named in English, with the words of the wording table as it stands.
TEST(EnvironmentSettingsSheet, PagesFollowTheInterfaceLanguageAndTheWording) {
    SettingsTestHost host(0);
    host.context.m_settings.AddEntry(QStringLiteral("StructureDiagram"), QStringLiteral("構造図"),
                                     QStringLiteral("block chart"), QStringLiteral("block charts"));
    RunSheet(host, [](CPropertySheet& sheet) {
        QStringList titles;
        for (const CPropertyPage* page : sheet.Pages())
            titles << page->Title();
        EXPECT_EQ(titles.mid(1, 9),
                  (QStringList{"Outline number orderd table of contents", "Hierarchical table of contents",
                               "Block chart", "View", "Function attributes", "Explanation", "単位機能ヘッダー", "Logic",
                               "        論理記述の記号"}));
        EXPECT_EQ(titles.mid(13, 3), (QStringList{"Fonts", "Messages", "Others"}));
        QStringList labels;
        for (const QCheckBox* box : sheet.Pages()[HeaderPage]->findChildren<QCheckBox*>())
            labels << box->text();
        EXPECT_EQ(labels, (QStringList{"Show antecedents", "Show consequents", "Synchronize vertical splitters"}));
        const auto* zoom = sheet.Pages()[HierarchicalIndexPage]->findChild<QLineEdit*>(QStringLiteral("number0"));
        ASSERT_NE(zoom, nullptr);
        const auto* form = qobject_cast<QFormLayout*>(sheet.Pages()[HierarchicalIndexPage]->layout());
        ASSERT_NE(form, nullptr);
        const auto* label = qobject_cast<QLabel*>(form->labelForField(const_cast<QLineEdit*>(zoom)));
        EXPECT_EQ(label ? label->text() : QString(), "Zoom");
        EXPECT_EQ(sheet.Pages()[15]->findChildren<QCheckBox*>().value(3)->text(), "Synchronize horizontal splitters");
        sheet.reject();
    });
    host.context.m_language = 1;
    COtherPage other(host);
    EXPECT_EQ(other.findChildren<QCheckBox*>().value(3)->text(), "水平スプリットウィンドウを同期");
}

// Delete, Size, Browse, the font dialog's title and the explanation column read in the interface's language, as the
// captions beside them do.
TEST(SettingsPages, TheWordsBesideTheCaptionsReadInTheInterfacesLanguage) {
    const CFontInfo installed(QStringList{"Alpha"});
    for (const int language : {0, 1}) {
        SetTextLanguage(language);
        SettingsTestHost host(language);
        CFontChoice choice(FontSetting(), AllFontAttributes, CFontChoice::FromContentText);
        const CFontDlg font(host.context, installed, choice, 1.0);
        const CMemberDlg members(host);
        const CFuncAttrPage attributes(host);
        const CFontPage fonts(host);
        const CTemplatePage pattern(host);
        const QStringList words = language == 1 ? QStringList{"削除(&D)", "サイズ", "参照", "フォント", "説明"}
                                                : QStringList{"&Delete", "Size", "Browse", "Font", "Explanation"};
        EXPECT_TRUE(dialog_checks::ShownTexts(attributes).contains(words[0]));
        EXPECT_TRUE(dialog_checks::ShownTexts(fonts).contains(words[1]));
        EXPECT_TRUE(dialog_checks::ShownTexts(pattern).contains(words[2]));
        EXPECT_EQ(font.windowTitle(), words[3]);
        EXPECT_EQ(dialog_checks::ShownTexts(members).filter(words[4]).size(), 2);
        if (language == 0) {
            const QStringList shown = dialog_checks::ShownTexts(font) + dialog_checks::ShownTexts(members) +
                                      dialog_checks::ShownTexts(attributes) + dialog_checks::ShownTexts(fonts) +
                                      dialog_checks::ShownTexts(pattern);
            EXPECT_EQ(dialog_checks::JapaneseTexts(shown), QStringList());
        }
    }
    SetTextLanguage(0);
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
    EXPECT_EQ(messages.Texts(), (QStringList{"「階層順目次」ページの「Box width」の数値が範囲外です。",
                                             "「階層順目次」ページの「Box width」の数値が範囲外です。"}));
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

TEST(SettingsPages, FunctionAttributePageTakesManHourFactorsInNumberBoxes) {
    SettingsTestHost host;
    platform::ScriptedMessageSink messages;
    CFuncAttrPage page(host);
    auto* hours = page.findChild<QLineEdit*>(QStringLiteral("factor0"));
    ASSERT_NE(hours, nullptr);
    EXPECT_EQ(hours->text(), "8");
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("factor1"))->text(), "20");
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("factor2"))->text(), "12");
    hours->selectAll();
    QTest::keyClicks(hours, QStringLiteral("-7e.5x"));
    EXPECT_EQ(hours->text(), "7.5") << "only digits and the point reach the box";
    ASSERT_TRUE(page.Validate());
    page.Apply();
    EXPECT_EQ(host.data.WorkTable.UnitDayToHour, 7.5f);
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
    const InstalledFontsShell installed({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    SettingsTestHost host;
    FontSetting& font = host.data.fonts.StructureDiagramFont;
    font.faceName = QStringLiteral("No Such Face On Any Machine");
    font.pointSize = 120;
    CStructurePage page(host);
    auto* button = page.findChild<QPushButton*>(QStringLiteral("font0"));
    ASSERT_NE(button, nullptr);
    // The program's own font dialog opens on it. OK alone: nothing changes, nothing is stored.
    OnNextModalDialog<CFontDlg>([](CFontDlg& dialog) { dialog.accept(); });
    button->click();
    page.Apply();
    EXPECT_EQ(font.faceName, "No Such Face On Any Machine");
    EXPECT_EQ(host.modified, 0);

    // Another family picked: it is taken.
    QString other;
    OnNextModalDialog<CFontDlg>([&other](CFontDlg& dialog) {
        QListWidget* faces = dialog.FaceList();
        faces->setCurrentRow(faces->currentRow() == 0 ? 1 : 0);
        other = faces->currentItem()->text();
        dialog.accept();
    });
    button->click();
    page.Apply();
    EXPECT_EQ(font.faceName, other);
    EXPECT_EQ(host.modified, 1);
}

// The structure diagram's font is on two pages: what was chosen last on either of them is what OK stores.
TEST(SettingsPages, TheStructureDiagramFontChosenLastOnEitherPageIsStored) {
    const InstalledFontsShell installed({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    SettingsTestHost host;
    host.data.fonts.StructureDiagramFont.pointSize = 105;
    RunSheet(host, [](CPropertySheet& sheet) {
        auto* structure = sheet.findChild<CStructurePage*>();
        auto* fonts = sheet.findChild<CFontPage*>();
        ASSERT_TRUE(structure && fonts);
        OnNextModalDialog<CFontDlg>([](CFontDlg& dialog) {
            dialog.SizeBox()->setEditText("16");
            dialog.BoldBox()->click();
            dialog.accept();
        });
        structure->findChild<QPushButton*>(QStringLiteral("font0"))->click();
        EXPECT_TRUE(structure->findChild<QPushButton*>(QStringLiteral("font0"))->text().endsWith("16 pt"));
        fonts->TargetList()->setCurrentRow(CFontPageModel::StructureDiagramFont);
        EXPECT_DOUBLE_EQ(fonts->SizeBox()->value(), 16.0);
        EXPECT_TRUE(fonts->BoldBox()->isChecked());
        sheet.accept();
    });
    EXPECT_EQ(host.data.fonts.StructureDiagramFont.pointSize, 160);
    EXPECT_EQ(host.data.fonts.StructureDiagramFont.bold, 1);

    // And the other way round: chosen on the font page, the structure page shows it and keeps it.
    RunSheet(host, [](CPropertySheet& sheet) {
        auto* structure = sheet.findChild<CStructurePage*>();
        auto* fonts = sheet.findChild<CFontPage*>();
        fonts->TargetList()->setCurrentRow(CFontPageModel::StructureDiagramFont);
        fonts->SizeBox()->setValue(12.0);
        EXPECT_TRUE(structure->findChild<QPushButton*>(QStringLiteral("font0"))->text().endsWith("12 pt"));
        sheet.accept();
    });
    EXPECT_EQ(host.data.fonts.StructureDiagramFont.pointSize, 120);
}

} // namespace
