#include "settings/ui/VocabularyCommands.h"

#include "SettingsTestHost.h"
#include "settings/ui/QuantifierDialog.h"
#include "settings/ui/VocabularyTable.h"
#include "support/QStringPrinter.h"
#include "support/ui/ModalDialogs.h"

#include <QDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class VocabularyTestHost : public CVocabularyCommandHost {
public:
    void RefreshAllTabViews() override { ++refreshed; }
    QString ActiveFunctionName() const override { return functionName; }
    QString SelectedTextForSearch() const override { return selectedText; }
    void RegisterMemberNames(const QString& memberName) override { registered << memberName; }
    void PrefixUnregisteredMemberNames(const QString& prefix) override { prefixes << prefix; }
    void EditNameFontAtCaret() override { ++nameFontEdits; }
    void ShowModelessDialog(QDialog& dialog) override {
        dialog.show();
        shown = &dialog;
    }

    QString functionName;
    QString selectedText;
    QStringList registered;
    QStringList prefixes;
    QDialog* shown = nullptr;
    int refreshed = 0;
    int nameFontEdits = 0;
};

} // namespace

TEST(VocabularyCommands, TheModelessDialogsOpenWithTheirTextAndHandItOnWithOk) {
    SettingsTestHost settings;
    VocabularyTestHost host;
    CVocabularyCommands commands(settings, host);
    CCommandRegistry registry;
    commands.AddTo(registry);
    for (int id : {CommandRegisterMemberNames, CommandPrefixUnregisteredMemberNames,
                   CommandRegisterUnregisteredMemberName, CommandQuantifiers})
        ASSERT_NE(registry.Find(id), nullptr) << id;
    EXPECT_EQ(registry.Find(CommandQuantifiers)->rule, CommandRule::None);
    EXPECT_EQ(registry.Find(CommandNameFont)->rule, CommandRule::NameAtCaret);
    registry.Dispatch(CommandNameFont);
    EXPECT_EQ(host.nameFontEdits, 1);

    host.functionName = "Heater";
    registry.Dispatch(CommandPrefixUnregisteredMemberNames);
    ASSERT_NE(commands.AddPrefixDialog(), nullptr);
    EXPECT_EQ(host.shown, commands.AddPrefixDialog());
    EXPECT_EQ(commands.AddPrefixDialog()->Text(), "Heater");
    commands.AddPrefixDialog()->Edit()->setText("Heater_");
    commands.AddPrefixDialog()->accept();
    EXPECT_EQ(host.prefixes, QStringList{"Heater_"});
    EXPECT_FALSE(commands.AddPrefixDialog()->isVisible());

    // Without a selection the dialog keeps the last name; the same dialog shows again.
    host.selectedText = "Door";
    registry.Dispatch(CommandRegisterUnregisteredMemberName);
    CVocabularyRequestDlg* addMember = commands.AddMemberDialog();
    addMember->accept();
    host.selectedText.clear();
    registry.Dispatch(CommandRegisterUnregisteredMemberName);
    EXPECT_EQ(commands.AddMemberDialog(), addMember);
    EXPECT_EQ(addMember->Text(), "Door");
    EXPECT_EQ(host.registered, QStringList{"Door"});
}

TEST(VocabularyCommands, TheQuantifierCommandRefreshesTheTabsOnlyAfterAStoredChange) {
    SettingsTestHost settings;
    VocabularyTestHost host;
    CVocabularyCommands commands(settings, host);
    OnNextModalDialog<CQuantifierDialog>([](CQuantifierDialog& dialog) { dialog.accept(); });
    commands.OnQuantifiers();
    EXPECT_EQ(host.refreshed, 0);
    OnNextModalDialog<CQuantifierDialog>([](CQuantifierDialog& dialog) {
        dialog.Table()->SetText(0, CQuantifierDialog::OppositeColumn, "∃!");
        dialog.accept();
    });
    commands.OnQuantifiers();
    EXPECT_EQ(host.refreshed, 1);
    EXPECT_EQ(settings.modified, 1);
    EXPECT_EQ(settings.data.quantifiers.entries[0].opposite, "∃!");
}
