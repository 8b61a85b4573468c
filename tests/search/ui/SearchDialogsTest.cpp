#include "search/ui/SearchDialogs.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "search/ui/LengthSpinBox.h"
#include "search/ui/VeskDialogs.h"
#include "support/QStringPrinter.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPushButton* OkButton(QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

TEST(AdvancedSearchDlg, EnablingFollowsTheFindBoxAndTheTargets) {
    CMessageContext context;
    std::vector<SearchRequest> sent;
    CAdvancedSearchDlg dialog(context, [&sent](const SearchRequest& request) { sent.push_back(request); });
    dialog.show();
    EXPECT_FALSE(dialog.SearchButton()->isEnabled());
    QTest::keyClick(dialog.FindBox(), Qt::Key_Return);
    EXPECT_TRUE(sent.empty()) << "Enter with an empty find box does nothing";

    QTest::keyClicks(dialog.FindBox(), "abc");
    EXPECT_TRUE(dialog.SearchButton()->isEnabled());
    dialog.Box(1630)->click();
    EXPECT_FALSE(dialog.Box(1633)->isEnabled());
    EXPECT_TRUE(dialog.Box(1633)->isChecked()) << "greyed boxes keep their marks";
    dialog.Box(1631)->click();
    dialog.Box(1632)->click();
    EXPECT_FALSE(dialog.SearchButton()->isEnabled());
    dialog.Box(1632)->click();
    QTest::keyClick(dialog.FindBox(), Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].findText, "abc");
    EXPECT_EQ(sent[0].searchUnitFunction, 0);
    EXPECT_EQ(sent[0].searchLogicDescriptionField, 1);
    EXPECT_EQ(sent[0].outlineNumber, 1);
    EXPECT_TRUE(dialog.isVisible());
}

// Enter searches wherever the focus stands while the search button may, on the Close button too; it never closes.
TEST(AdvancedSearchDlg, EnterSearchesFromEveryControl) {
    CMessageContext context;
    int searches = 0;
    CAdvancedSearchDlg dialog(context, [&searches](const SearchRequest&) { ++searches; });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.SetFindText(QStringLiteral("abc"));
    QPushButton* close = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button != dialog.SearchButton())
            close = button;
    }
    ASSERT_NE(close, nullptr);
    for (QWidget* control : {static_cast<QWidget*>(close), static_cast<QWidget*>(dialog.Box(1640)),
                             static_cast<QWidget*>(dialog.SearchButton())}) {
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << control->metaObject()->className();
    }
    EXPECT_EQ(searches, 3);
}

TEST(AllReplaceDlg, BracketsAreRefusedAndTheContinueBoxClearsOnShow) {
    CMessageContext context;
    std::vector<ReplaceRequest> sent;
    CAllReplaceDlg dialog(context, [&sent](const ReplaceRequest& request) { sent.push_back(request); });
    dialog.show();
    EXPECT_FALSE(dialog.ReplaceButton()->isEnabled());
    QTest::keyClicks(dialog.ReplaceBox(), "<x>");
    EXPECT_TRUE(dialog.ReplaceButton()->isEnabled()) << "a replacement alone may fill empty texts";
    platform::ScriptedMessageSink sink;
    QTest::mouseClick(dialog.ReplaceButton(), Qt::LeftButton);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(sink.Texts(), QStringList{"置換する文字に括弧は使用できません。"});

    dialog.Box(1797)->click();
    EXPECT_FALSE(dialog.Box(1461)->isEnabled());
    dialog.Box(1078)->setChecked(true);
    QTest::mouseClick(dialog.ReplaceButton(), Qt::LeftButton);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0].continueOverLengthLimit);
    dialog.hide();
    dialog.show();
    EXPECT_FALSE(dialog.Box(1078)->isChecked());

    // Each scope button gathers what its caption says, as in the search dialog.
    const std::pair<QString, int> scopes[] = {
        {Msg::CurrentFunctionAndDescendantsLabel(context), SearchRequest::CurrentAndDescendants},
        {Msg::CurrentFunctionLabel(context), SearchRequest::CurrentFunction}};
    for (const auto& [caption, scope] : scopes) {
        for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            if (radio->text() == caption)
                radio->click();
        QTest::mouseClick(dialog.ReplaceButton(), Qt::LeftButton);
        EXPECT_EQ(sent.back().scope, scope) << caption.toStdString();
    }
}

TEST(SimilarDlg, StoredRateAndTheMinimumsRange) {
    CMessageContext context;
    SimilarWordSettings settings;
    settings.agreement = 75;
    CSimilarDlg dialog(context, settings);
    dialog.show();
    EXPECT_EQ(dialog.RateList()->currentText(), "60");
    platform::ScriptedMessageSink sink;
    dialog.LengthBox()->clear();
    QTest::keyClicks(dialog.LengthBox(), "0");
    QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(sink.Texts(), QStringList{"「文字数」の数値が範囲外です。"});
    dialog.LengthBox()->clear();
    QTest::keyClicks(dialog.LengthBox(), "645");
    EXPECT_EQ(dialog.LengthBox()->text(), "64") << "two characters at most";
    QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.length, 64);
    EXPECT_EQ(settings.agreement, 60);

    // The spin steps the box within 1 to 64.
    settings.length = 63;
    CSimilarDlg spun(context, settings);
    spun.show();
    EXPECT_EQ(spun.LengthSpin()->minimum(), 1);
    EXPECT_EQ(spun.LengthSpin()->maximum(), 64);
    spun.LengthSpin()->stepUp();
    spun.LengthSpin()->stepUp();
    EXPECT_EQ(spun.LengthBox()->text(), "64");
    QTest::mouseClick(OkButton(spun), Qt::LeftButton);
    EXPECT_EQ(settings.length, 64);
}

// With the focus moving as on a desktop, OK by the mouse or by Enter reads what the box shows: 0, nothing and 65 are
// refused with the message and the dialog stays; a stored 0 shows as it is.
TEST(SimilarDlg, OutOfRangeMinimumsAreRefusedWhereverTheFocusGoes) {
    CMessageContext context;
    SimilarWordSettings settings;
    settings.length = 0;
    CSimilarDlg dialog(context, settings);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.LengthBox()->text(), "0");
    platform::ScriptedMessageSink sink;
    const auto type = [&dialog](const QString& text) {
        dialog.LengthSpin()->setFocus(Qt::TabFocusReason);
        dialog.LengthBox()->selectAll();
        QTest::keyClick(dialog.LengthBox(), Qt::Key_Backspace);
        QTest::keyClicks(dialog.LengthBox(), text);
    };
    int refusals = 0;
    for (const QString& text : {QString("0"), QString(), QString("65")}) {
        type(text);
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << text.toStdString();
        EXPECT_EQ(sink.Texts().size(), ++refusals) << text.toStdString();
        EXPECT_EQ(dialog.LengthBox()->text(), text) << "the box keeps what was typed";
        type(text);
        QTest::keyClick(dialog.LengthBox(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << text.toStdString();
        EXPECT_EQ(sink.Texts().size(), ++refusals) << text.toStdString();
    }
    EXPECT_EQ(sink.Texts().last(), "「文字数」の数値が範囲外です。");
    EXPECT_EQ(settings.length, 0);
    type("12");
    QTest::keyClick(dialog.LengthBox(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.length, 12);
}

TEST(VeskDialogs, SearchModesAndADuplicateAttributeName) {
    CMessageContext context;
    LineMarkTable table;
    for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
        table.attributes[k].name = QStringLiteral("a%1").arg(k);
    CVeskSearchDlg search(context, table);
    search.show();
    EXPECT_FALSE(search.GroupList()->isEnabled());
    search.Modes()->button(2)->click();
    EXPECT_TRUE(search.AttributeList()->isEnabled());
    search.AttributeList()->setCurrentIndex(5);
    QTest::mouseClick(OkButton(search), Qt::LeftButton);
    EXPECT_EQ(search.RequestValue(), LineMarkSearchRequestValue(AttributeLineMarks, 5));

    CVeskSettingDlg settings(context, table);
    settings.show();
    EXPECT_FALSE(settings.ChangeAttributeButton()->isEnabled());
    settings.AttributeList()->setCurrentRow(3);
    EXPECT_EQ(settings.AttributeName()->text(), "a3");
    settings.AttributeName()->setText("a0");
    platform::ScriptedMessageSink sink;
    QTest::mouseClick(settings.ChangeAttributeButton(), Qt::LeftButton);
    EXPECT_EQ(sink.Texts(), QStringList{"その属性名は既に使用されています。"});
    settings.AttributeName()->setText("fresh");
    QTest::mouseClick(settings.ChangeAttributeButton(), Qt::LeftButton);
    EXPECT_EQ(settings.AttributeList()->item(3)->text(), "fresh");
    EXPECT_EQ(table.attributes[3].name, "a3") << "nothing is stored before OK";
    QTest::mouseClick(OkButton(settings), Qt::LeftButton);
    EXPECT_TRUE(settings.Changed());
    EXPECT_EQ(table.attributes[3].name, "fresh");
}
