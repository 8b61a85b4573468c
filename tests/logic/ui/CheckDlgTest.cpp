#include "logic/ui/CheckDlg.h"
#include "logic/ConditionConclusionList.h"
#include "logic/InspectionView.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QRadioButton* Button(CCheckDlg& dialog, int index) {
    return dialog.findChildren<QRadioButton*>()[index];
}

QPushButton* OkButton(CCheckDlg& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "OK")
            return button;
    return nullptr;
}

} // namespace

TEST(CheckDlg, WritesTheListForTheChosenScopeAndOffersItAgain) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "if <A>{a}\nDo <X>{S}\nelse\nDo <Y>{T}\nendif");
    document.Finish();
    CMessageContext context;
    context.m_language = 1;
    CInspectionView pane;
    CConditionConclusionList::Choice choice;
    {
        CCheckDlg dialog(context, pane, document.environment, main, choice);
        EXPECT_FALSE(dialog.windowTitle().isEmpty());
        EXPECT_TRUE(Button(dialog, 0)->isChecked());
        EXPECT_TRUE(Button(dialog, 2)->isChecked());
        EXPECT_EQ(Button(dialog, 2)->text(), "&Do");
        QGroupBox* statements = dialog.findChildren<QGroupBox*>()[1];
        EXPECT_TRUE(statements->isEnabled());
        QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
        EXPECT_FALSE(statements->isEnabled()); // the current scope lists both kinds
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(pane.Lines().last(),
              "=== 条件と結論の対応一覧終了 (現在の単位機能のすべてのDo・Fnの条件を確認する) 検出数 2 ===");

    EXPECT_EQ(choice.scope, CConditionConclusionList::CurrentUnitFunction);
    CCheckDlg again(context, pane, document.environment, main, choice);
    EXPECT_TRUE(Button(again, 1)->isChecked());
    EXPECT_FALSE(again.findChildren<QGroupBox*>()[1]->isEnabled());
    // Cancel keeps the choices of the last OK; a dialog given its own choices starts from the defaults.
    QTest::mouseClick(Button(again, 0), Qt::LeftButton);
    again.reject();
    EXPECT_EQ(choice.scope, CConditionConclusionList::CurrentUnitFunction);
    CConditionConclusionList::Choice fresh;
    CCheckDlg other(context, pane, document.environment, main, fresh);
    EXPECT_TRUE(Button(other, 0)->isChecked());
}

TEST(CheckDlg, AFnCycleKeepsTheDialogOpenAndThePaneUntouched) {
    LogicTestDocument document;
    document.Add("Main", "Fn A");
    document.Add("A", "Fn Main");
    document.Finish();
    CMessageContext context;
    CInspectionView pane;
    pane.AddMessageWithoutTarget("kept");
    platform::ScriptedMessageSink sink;
    CConditionConclusionList::Choice choice{CConditionConclusionList::AllUnitFunctions,
                                            CConditionConclusionList::FnStatements};
    CCheckDlg dialog(context, pane, document.environment, nullptr, choice);
    dialog.show();
    EXPECT_TRUE(Button(dialog, 3)->isChecked());
    // On the indicator: a shown button is wider than its text, and only the two take a click.
    QTest::mouseClick(Button(dialog, 2), Qt::LeftButton, {}, QPoint(5, Button(dialog, 2)->height() / 2));
    QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(sink.Texts(), QStringList{"Fn構文が循環しているため、この機能を使用できません。"});
    EXPECT_EQ(pane.Lines(), QStringList{"kept"});
    EXPECT_EQ(choice.statementKind, CConditionConclusionList::DoStatements); // kept although refused
}
