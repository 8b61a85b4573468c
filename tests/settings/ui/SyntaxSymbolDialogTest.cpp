#include "settings/ui/SyntaxSymbolDialog.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using platform::MessageAnswer;

namespace {

// The page in a sheet of its own, as the environment settings show it.
struct SymbolSheet {
    explicit SymbolSheet(SettingsTestHost& host) : sheet("sheet", remembered) {
        page = new CSyntaxSymbolDialog(host);
        sheet.AddPage(page);
        sheet.show();
        symbols = page->findChild<QListWidget*>("symbols");
        keyword = page->findChild<QLineEdit*>("keyword");
    }
    void Ok() { sheet.accept(); }
    void Type(int kind, const QString& text) {
        symbols->setCurrentRow(kind);
        keyword->selectAll();
        QTest::keyClicks(keyword, text);
    }

    int remembered = 0;
    CPropertySheet sheet;
    CSyntaxSymbolDialog* page;
    QListWidget* symbols;
    QLineEdit* keyword;
};

TEST(SyntaxSymbolDialog, ShowsTheDocumentAndRefusesBadKeywordsUntilFixed) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    SymbolSheet sheet(host);
    ASSERT_EQ(sheet.symbols->count(), 15);
    EXPECT_EQ(sheet.symbols->item(1)->text(), "if");
    EXPECT_FALSE(sheet.keyword->isEnabled());
    EXPECT_EQ(sheet.page->findChild<QListWidget*>("verbs")->count(), 5);

    // A trailing blank is asked about; OK trims it, and the sheet stays open until confirmed again.
    sheet.Type(1, "when ");
    EXPECT_EQ(sheet.symbols->item(1)->text(), "when ");
    sink.Answer(MessageAnswer::Ok);
    sheet.Ok();
    EXPECT_TRUE(sheet.sheet.isVisible());
    EXPECT_EQ(sheet.symbols->item(1)->text(), "when");
    EXPECT_EQ(sheet.keyword->text(), "when");
    EXPECT_EQ(host.data.SyntaxSymbols[1].keyword, "if");

    // Equal keywords are refused; a case-different one is accepted.
    sheet.Type(3, "when");
    sheet.Ok();
    EXPECT_TRUE(sheet.sheet.isVisible());
    EXPECT_TRUE(sink.Texts().last().contains(QStringLiteral("重複")));
    sheet.Type(3, "WHEN");
    sheet.Ok();
    EXPECT_FALSE(sheet.sheet.isVisible());
    EXPECT_EQ(host.data.SyntaxSymbols[1].keyword, "when");
    EXPECT_EQ(host.data.SyntaxSymbols[3].keyword, "WHEN");
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(sheet.sheet.CombinedChangeBits(), 2);
}

TEST(SyntaxSymbolDialog, OkWithoutAChangeStoresNothing) {
    SettingsTestHost host;
    SymbolSheet sheet(host);
    sheet.symbols->setCurrentRow(4);
    sheet.Ok();
    EXPECT_EQ(host.modified, 0);
    EXPECT_EQ(sheet.sheet.CombinedChangeBits(), 0);
}

TEST(SyntaxSymbolDialog, ColoursOnlyForKindsThatOwnOne) {
    SettingsTestHost host;
    SymbolSheet sheet(host);
    auto* colour = sheet.page->findChild<QComboBox*>("colour");
    sheet.symbols->setCurrentRow(2);
    EXPECT_FALSE(colour->isEnabled());
    sheet.symbols->setCurrentRow(1);
    ASSERT_TRUE(colour->isEnabled());
    colour->activated(0);
    EXPECT_EQ(sheet.page->Settings().Symbol(3).font.colourIndex, 0);
    sheet.page->findChild<QPushButton*>("symbolDefault")->click();
    EXPECT_EQ(sheet.page->Settings().Symbol(3).font.colourIndex, 12);
    EXPECT_EQ(colour->currentIndex(), 12);
}

TEST(SyntaxSymbolDialog, AuxiliaryVerbsAreEditedAddedAndLimited) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    SymbolSheet sheet(host);
    auto* verbs = sheet.page->findChild<QListWidget*>("verbs");
    auto* verb = sheet.page->findChild<QLineEdit*>("verb");
    auto* add = sheet.page->findChild<QPushButton*>("newVerb");
    EXPECT_TRUE(verb->isReadOnly());
    verbs->setCurrentRow(0);
    verb->selectAll();
    QTest::keyClicks(verb, "edited");
    EXPECT_EQ(verbs->item(0)->text(), "edited");
    while (verbs->count() < 32)
        add->click();
    EXPECT_EQ(verbs->currentRow(), 31);
    add->click();
    EXPECT_EQ(verbs->count(), 32);
    EXPECT_EQ(sink.Texts(), QStringList({QStringLiteral("これ以上助動詞を登録できません。")}));

    // OK asks about the empty verbs and removes them; the second OK stores.
    sheet.Ok();
    EXPECT_EQ(verbs->count(), 5);
    sheet.Ok();
    ASSERT_EQ(host.data.AuxiliaryVerbs.size(), 5u);
    EXPECT_EQ(host.data.AuxiliaryVerbs[0].verb, "edited");
    EXPECT_EQ(host.modified, 1);
}

TEST(SyntaxSymbolDialog, GoingThroughTheVerbsChangesNoneOfThem) {
    SettingsTestHost host;
    host.data.AuxiliaryVerbs[0].flag = 1;
    host.data.AuxiliaryVerbs[1].flag = 0;
    const std::vector<AuxiliaryVerb> before = host.data.AuxiliaryVerbs;
    SymbolSheet sheet(host);
    auto* verbs = sheet.page->findChild<QListWidget*>("verbs");
    auto* withTense = sheet.page->findChild<QCheckBox*>("withTense");
    verbs->setCurrentRow(0);
    EXPECT_TRUE(withTense->isChecked());
    verbs->setCurrentRow(1);
    EXPECT_FALSE(withTense->isChecked());
    verbs->setCurrentRow(0);
    sheet.Ok();
    EXPECT_EQ(host.data.AuxiliaryVerbs, before);
    EXPECT_EQ(host.modified, 0);
}

} // namespace
