#include "settings/ui/QuantifierDialog.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "settings/ui/VocabularyTable.h"
#include "support/QStringPrinter.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using platform::MessageAnswer;
using platform::ScriptedMessageSink;

TEST(QuantifierDialog, ShowsTheListAndStoresOnlyWhatChanged) {
    SettingsTestHost host;
    const CQuantifierSettings before = host.data.quantifiers;
    {
        CQuantifierDialog dialog(host);
        CVocabularyTable& table = *dialog.Table();
        ASSERT_EQ(table.RowCount(), static_cast<int>(before.entries.size()));
        EXPECT_EQ(table.Text(1, CQuantifierDialog::QuantifierColumn), "∃");
        EXPECT_EQ(table.Text(1, CQuantifierDialog::OppositeColumn), "∀");
        EXPECT_TRUE(table.IsChecked(1, CQuantifierDialog::ExistentialColumn));
        EXPECT_FALSE(table.IsChecked(1, CQuantifierDialog::InfixColumn));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.Stored());
        EXPECT_EQ(host.modified, 0) << "OK without a change stores nothing";
    }
    {
        CQuantifierDialog dialog(host);
        dialog.Table()->SetChecked(0, CQuantifierDialog::InfixColumn, true);
        dialog.reject();
        EXPECT_EQ(host.data.quantifiers, before) << "Cancel stores nothing";
    }
    CQuantifierDialog dialog(host);
    CVocabularyTable& table = *dialog.Table();
    QTest::mouseClick(table.NewButton(), Qt::LeftButton);
    const int added = table.RowCount() - 1;
    table.SetText(added, CQuantifierDialog::QuantifierColumn, "every ");
    table.SetText(added, CQuantifierDialog::OppositeColumn, "some ");
    table.SetChecked(added, CQuantifierDialog::InfixColumn, true);
    dialog.accept();
    EXPECT_TRUE(dialog.Stored());
    EXPECT_EQ(host.modified, 1);
    ASSERT_EQ(host.data.quantifiers.entries.size(), before.entries.size() + 1);
    EXPECT_EQ(host.data.quantifiers.entries.back(), (QuantifierEntry{"every ", "some ", 0, 1}));
}

TEST(QuantifierDialog, AnEmptyRowIsAskedAboutAndTheDialogStaysOpen) {
    SettingsTestHost host;
    const CQuantifierSettings before = host.data.quantifiers;
    CQuantifierDialog dialog(host);
    dialog.show();
    CVocabularyTable& table = *dialog.Table();
    QTest::mouseClick(table.NewButton(), Qt::LeftButton);
    ScriptedMessageSink sink;
    sink.Answer(MessageAnswer::Ok);
    dialog.accept();
    EXPECT_EQ(sink.Texts(), QStringList{"空の量化記号があります。\n空の量化記号を削除してよろしいですか？"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(table.RowCount(), static_cast<int>(before.entries.size())) << "the table shows the list without it";
    // The first row deleted by its button: OK stores the shorter list.
    table.Table()->setCurrentCell(0, 0);
    QTest::mouseClick(table.DeleteButton(), Qt::LeftButton);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(host.data.quantifiers.entries.size(), before.entries.size() - 1);
    EXPECT_EQ(host.data.quantifiers.entries.front(), before.entries[1]);
    EXPECT_EQ(host.modified, 1);
}

TEST(QuantifierDialog, ARowWithoutItsOppositeIsRefusedAndStaysToBeFilledIn) {
    SettingsTestHost host;
    const CQuantifierSettings before = host.data.quantifiers;
    CQuantifierDialog dialog(host);
    dialog.show();
    CVocabularyTable& table = *dialog.Table();
    QTest::mouseClick(table.NewButton(), Qt::LeftButton);
    const int added = table.RowCount() - 1;
    table.SetText(added, CQuantifierDialog::QuantifierColumn, "12");
    ScriptedMessageSink sink;
    dialog.accept();
    EXPECT_EQ(sink.Texts().size(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(host.data.quantifiers, before);
    ASSERT_EQ(table.RowCount(), added + 1);
    table.SetText(added, CQuantifierDialog::OppositeColumn, "21");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(host.data.quantifiers.entries.back(), (QuantifierEntry{"12", "21", 0, 0}));
}
