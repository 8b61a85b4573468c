#include "PagesTestSheet.h"
#include "SettingsTestHost.h"
#include "settings/FontChoice.h"
#include "settings/ui/AddMemberDlg.h"
#include "settings/ui/AddPrefixDlg.h"
#include "settings/ui/DisplayPage.h"
#include "settings/ui/DlgHeader.h"
#include "settings/ui/DlgIndexView.h"
#include "settings/ui/ExplanationSettingsPage.h"
#include "settings/ui/FAreaDialog.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/FontPage.h"
#include "settings/ui/FuncAttrPage.h"
#include "settings/ui/FunctionConditionsPage.h"
#include "settings/ui/HierarchicalIndexSettingsPage.h"
#include "settings/ui/InconsistencyDialog.h"
#include "settings/ui/InconsistencyPage.h"
#include "settings/ui/IntelligenceDialog.h"
#include "settings/ui/IntelligencePage.h"
#include "settings/ui/MemberDlg.h"
#include "settings/ui/MessageSettingsPage.h"
#include "settings/ui/OtherPage.h"
#include "settings/ui/OutlineNumberOrderdIndexSettingsPage.h"
#include "settings/ui/QuantifierDialog.h"
#include "settings/ui/SplashScreenSettingsPage.h"
#include "settings/ui/StructurePage.h"
#include "settings/ui/SynchronizationSettingsPage.h"
#include "settings/ui/SyntaxSymbolDialog.h"
#include "settings/ui/TemplatePage.h"
#include "support/QStringPrinter.h"
#include "support/ui/DialogChecks.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <functional>

TEST(DialogFocus, EverySettingsDialogWithATextIsWalkedInReadingOrder) {
    const CMessageContext context;
    {
        const CFontInfo installed(EnumerateFonts());
        FontSetting font;
        font.faceName = installed.Faces().value(0);
        font.pointSize = 105;
        CFontChoice choice(font, AllFontAttributes, CFontChoice::FromContentText);
        CFontDlg dialog(context, installed, choice, 1.0);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        InconsistencyRuleList rules;
        CInconsistencyDialog dialog(context, nullptr, rules);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        IntraMemberConsistencyRuleList rules;
        CIntelligenceDialog dialog(context, nullptr, rules, 0);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CAddMemberDlg dialog(
            context, [](const QString&) {}, nullptr);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CAddPrefixDlg dialog(
            context, [](const QString&) {}, nullptr);
        dialog_checks::ExpectReadingOrder(dialog);
    }
}

// In either language every column of the lists is at least as wide as its title.
TEST(DialogFocus, NoListCutsAColumnTitle) {
    for (const int language : {0, 1}) {
        SettingsTestHost host(language);
        CQuantifierDialog quantifiers(host);
        EXPECT_EQ(dialog_checks::CutColumnTitles(quantifiers), QStringList()) << language;
        CIntelligencePage rules(host);
        EXPECT_EQ(dialog_checks::CutColumnTitles(rules), QStringList()) << language;
        CInconsistencyPage relations(host);
        EXPECT_EQ(dialog_checks::CutColumnTitles(relations), QStringList()) << language;
        InconsistencyRuleList list;
        CInconsistencyDialog relation(host.MessageContext(), nullptr, list);
        EXPECT_EQ(dialog_checks::CutColumnTitles(relation), QStringList()) << language;
        CMemberDlg members(host);
        EXPECT_EQ(dialog_checks::CutColumnTitles(members), QStringList()) << language;
        CMessageSettingsPage messages(host);
        EXPECT_EQ(dialog_checks::CutColumnTitles(messages), QStringList()) << language;
    }
}

namespace {

// `prepare` brings the page into the state its fields are edited in.
template <typename Page> void ExpectPageReadingOrder(const std::function<void(Page&)>& prepare = {}) {
    PagesTestSheet test;
    Page* page = test.Open<Page>();
    if (prepare)
        prepare(*page);
    SCOPED_TRACE(test.sheet.windowTitle().toStdString() + " / " + typeid(Page).name());
    dialog_checks::ExpectReadingOrder(test.sheet);
}

} // namespace

TEST(DialogFocus, EveryEnvironmentSettingsPageIsWalkedInReadingOrder) {
    ExpectPageReadingOrder<CDlgIndexView>();
    ExpectPageReadingOrder<COutlineNumberOrderdIndexSettingsPage>();
    ExpectPageReadingOrder<CHierarchicalIndexSettingsPage>();
    ExpectPageReadingOrder<CStructurePage>();
    ExpectPageReadingOrder<CDisplayPage>();
    ExpectPageReadingOrder<CFuncAttrPage>();
    ExpectPageReadingOrder<CExplanationSettingsPage>();
    ExpectPageReadingOrder<CDlgHeader>();
    ExpectPageReadingOrder<CFAreaDialog>();
    // The keyword and colour of a symbol take input once a symbol is chosen.
    ExpectPageReadingOrder<CSyntaxSymbolDialog>(
        [](CSyntaxSymbolDialog& page) { page.findChild<QListWidget*>("symbols")->setCurrentRow(0); });
    ExpectPageReadingOrder<CFunctionConditionsPage>();
    ExpectPageReadingOrder<CSynchronizationSettingsPage>();
    ExpectPageReadingOrder<CTemplatePage>();
    ExpectPageReadingOrder<CFontPage>();
    ExpectPageReadingOrder<CMessageSettingsPage>();
    ExpectPageReadingOrder<COtherPage>();
    ExpectPageReadingOrder<CSplashScreenSettingsPage>();
}
