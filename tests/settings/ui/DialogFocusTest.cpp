#include "SettingsTestHost.h"
#include "settings/FontChoice.h"
#include "settings/ui/AddMemberDlg.h"
#include "settings/ui/AddPrefixDlg.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/InconsistencyDialog.h"
#include "settings/ui/InconsistencyPage.h"
#include "settings/ui/IntelligenceDialog.h"
#include "settings/ui/IntelligencePage.h"
#include "settings/ui/MemberDlg.h"
#include "settings/ui/MessageSettingsPage.h"
#include "settings/ui/QuantifierDialog.h"
#include "support/QStringPrinter.h"
#include "support/ui/DialogChecks.h"

#include <gtest/gtest.h>

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
