#include "TabFormHost.h"
#include "editor/ui/NUVView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

class HeaderFormTest : public ::testing::Test {
protected:
    HeaderFormTest() {
        document.SetDefaults();
        document.environment.enableDuplicateFunctionName = 0;
        const ModelOptions options = document.GetModelOptions();
        callee = document.registry.CreateFunction(QStringLiteral("Callee"), options);
        CUnitFunction::AppendChild(document.registry.origin, callee);
        other = document.registry.CreateFunction(QStringLiteral("Other"), options);
        CUnitFunction::AppendChild(document.registry.origin, other);
        isolated = document.registry.CreateFunction(QStringLiteral("Isolated"), options);
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(*document.registry.origin, QStringLiteral("Fn Callee\nFn Other"), pending);
        AppendScript(*other, QStringLiteral("Fn Callee"), pending);
        ResolveScriptFnLines(document.registry, pending);
        document.registry.RebuildAndNotify(document.indexRoot, options);
    }
    // Types `text` over the box's text and leaves it with Enter.
    static void Retype(QLineEdit& box, const QString& text) {
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
        QTest::keyClick(&box, Qt::Key_Return);
    }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    CMessageContext messages;
    CRecordingFormHost host;
    CUnitFunction* callee = nullptr;
    CUnitFunction* other = nullptr;
    CUnitFunction* isolated = nullptr;
};

TEST_F(HeaderFormTest, RenameUpdatesEveryCallingFnLineAndRefusesDuplicatesWithTheirMessage) {
    CNUVView form(document, *callee, host, messages);
    EXPECT_EQ(form.NameBox().text(), QStringLiteral("Callee"));

    Retype(form.NameBox(), QStringLiteral("Other"));
    ASSERT_EQ(sink.Texts().size(), 1);
    EXPECT_EQ(sink.Texts().last(), QStringLiteral("単位機能名 \"Other\" はすでに使われています。"));
    EXPECT_EQ(form.NameBox().text(), QStringLiteral("Callee"));
    EXPECT_EQ(callee->name, QStringLiteral("Callee"));

    Retype(form.NameBox(), QStringLiteral("Isolated"));
    ASSERT_EQ(sink.Texts().size(), 2);
    EXPECT_TRUE(sink.Texts().last().contains(QStringLiteral("目次にはありませんが、単位機能一覧に存在します。")));

    Retype(form.NameBox(), QStringLiteral("Cook{rice}"));
    ASSERT_EQ(sink.Texts().size(), 3);
    EXPECT_EQ(callee->name, QStringLiteral("Callee"));
    EXPECT_TRUE(host.reports.isEmpty());

    Retype(form.NameBox(), QStringLiteral("Cook"));
    EXPECT_EQ(sink.Texts().size(), 3);
    EXPECT_EQ(callee->name, QStringLiteral("Cook"));
    EXPECT_EQ(document.registry.origin->logicLines[0]->textSlots[0].text, QStringLiteral("Cook"));
    EXPECT_EQ(document.registry.origin->logicLines[1]->textSlots[0].text, QStringLiteral("Other"));
    EXPECT_EQ(other->logicLines[0]->textSlots[0].text, QStringLiteral("Cook"));
    EXPECT_EQ(host.reports, QStringList{QStringLiteral("renamed")});
    EXPECT_TRUE(form.TabTitle().endsWith(QStringLiteral(" Cook")));
}

TEST_F(HeaderFormTest, ALongNameIsShownWholeAndKeptUnlessEditedAndTypingStopsAt64) {
    const QString longName = QString(300, QChar(u'名'));
    callee->name = longName;
    CNUVView form(document, *callee, host, messages);
    QLineEdit& box = form.NameBox();
    EXPECT_EQ(box.text(), longName);
    // Entering and leaving the box changes nothing.
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(callee->name, longName);
    EXPECT_TRUE(host.reports.isEmpty());
    // A long name does not grow by typing, nor back to its length once shortened.
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_EQ(box.text(), longName);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, QStringLiteral("x"));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(callee->name, longName.chopped(1));

    // A short name grows to 64 characters by typing, and no further.
    Retype(box, QString(70, QChar(u'a')));
    EXPECT_EQ(callee->name, QString(64, QChar(u'a')));
    form.Fill();
    EXPECT_EQ(box.text(), callee->name);
}

TEST_F(HeaderFormTest, ANameLongerThanTheBoxIsKeptByAVisitAndAnEditKeepsTheRest) {
    const QString start = QString(32767, u'a');
    const QString rest = QString(52889 - 32767, u'b');
    callee->name = start + rest;
    CNUVView form(document, *callee, host, messages);
    form.resize(600, 173);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit& box = form.NameBox();
    EXPECT_TRUE(box.text() == start);
    EXPECT_TRUE(box.toolTip().contains(QStringLiteral("52889")));

    // A search hit the box shows is selected; of one beyond it the user hears where it is.
    form.ShowNameHit(callee->name, 5, 3);
    EXPECT_EQ(box.selectionStart(), 5);
    EXPECT_EQ(box.selectedText().size(), 3);
    form.ShowNameHit(callee->name, 40000, 3);
    EXPECT_EQ(sink.Texts(), QStringList{QStringLiteral("The text found is 3 characters from character 40001 of the "
                                                       "function name. The name box shows only its first 32767 "
                                                       "characters.")});

    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::mouseClick(&form.CodeSymbolBox(), Qt::LeftButton);
    ASSERT_FALSE(box.hasFocus());
    EXPECT_TRUE(callee->name == start + rest);
    EXPECT_TRUE(host.reports.isEmpty());

    // The last character the box shows is typed over: the rest of the name stays after it.
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(&box, QStringLiteral("X"));
    form.CodeSymbolBox().setFocus();
    EXPECT_TRUE(callee->name == start.chopped(1) + u'X' + rest);
    EXPECT_EQ(host.reports, QStringList{QStringLiteral("renamed")});

    // The full box takes no more characters, at its end or its start, and says why.
    ASSERT_TRUE(box.text().size() == 32767);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClicks(&box, QStringLiteral("Y"));
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClicks(&box, QStringLiteral("Z"));
    const QString full = QStringLiteral(
        "The function name box holds no more than 32767 characters. Delete some, or type over a selection.");
    EXPECT_EQ(sink.Texts().mid(1), (QStringList{full, full}));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(callee->name == start.chopped(1) + u'X' + rest);

    // Typed over all the box shows, a name replaces the whole of the long one.
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("NewName"));
    form.CodeSymbolBox().setFocus();
    EXPECT_TRUE(callee->name == QStringLiteral("NewName")) << callee->name.size();
}

// The box's undo of an edit that replaced all it showed brings the rest of the name back with it, and its redo
// drops it again, whichever way they run and whatever was committed between.
TEST_F(HeaderFormTest, UndoAndRedoInTheNameBoxKeepTheRestOfALongNameExactlyAsTheEditsLeaveIt) {
    const QString name = QString(40000, u'a') + QStringLiteral("TAIL");
    callee->name = name;
    CNUVView form(document, *callee, host, messages);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit& box = form.NameBox();
    const auto replaceAllWithX = [&box] {
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&box, QStringLiteral("X"));
    };
    replaceAllWithX();
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(callee->name.size(), 40003);
    EXPECT_TRUE(callee->name.endsWith(QStringLiteral("TAIL")));
    EXPECT_TRUE(sink.Texts().isEmpty());

    // Redone, the replacement is the whole name again.
    callee->name = name;
    form.Fill();
    replaceAllWithX();
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(callee->name == QStringLiteral("X")) << callee->name.size();
    // Undone after it was renamed, the name comes back whole; the Edit menu's Undo is the box's.
    form.RunEditCommand(box, ContentMenuUndo);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(callee->name == name) << callee->name.size();
}

// The code symbol and the reason show the start of a text longer than a box holds; an edit keeps the rest, and
// undoing an edit that replaced it all brings the rest back.
TEST_F(HeaderFormTest, TheCodeSymbolAndTheReasonKeepWhatTheirBoxesDoNotHold) {
    const QString text = QString(40000, u'c') + QStringLiteral("TAIL");
    callee->codeSymbol = text;
    callee->header.Reasoning = text;
    CNUVView form(document, *callee, host, messages);
    form.show();
    for (QLineEdit* box : {&form.CodeSymbolBox(), &form.ReasonBox()}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("X"));
        form.RunEditCommand(*box, ContentMenuUndo);
    }
    EXPECT_EQ(callee->codeSymbol.size(), 40003);
    EXPECT_TRUE(callee->codeSymbol.endsWith(QStringLiteral("TAIL")));
    EXPECT_EQ(callee->header.Reasoning.size(), 40003);
    EXPECT_TRUE(callee->header.Reasoning.endsWith(QStringLiteral("TAIL")));
}

TEST_F(HeaderFormTest, ManHoursConvertWithTheDocumentsRatiosAndUndoTwice) {
    document.WorkTable.UnitDayToHour = 7.5f;
    callee->header.Unit = ManHours;
    callee->header.Work = 3.0f;
    CNUVView form(document, *callee, host, messages);
    EXPECT_EQ(form.ManHoursBox().text(), QStringLiteral("3.00"));

    form.ManHoursUnitList().setCurrentIndex(ManDays);
    EXPECT_EQ(callee->header.Unit, ManDays);
    EXPECT_EQ(form.ManHoursBox().text(), QStringLiteral("0.40"));

    Retype(form.ManHoursBox(), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(callee->header.Work, 7.5f);
    EXPECT_EQ(form.ManHoursBox().text(), QStringLiteral("1.00"));
    EXPECT_EQ(host.reports, (QStringList{"header", "rebuild", "header", "rebuild"}));

    QTest::keyClick(&form.ManHoursBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(callee->header.Work, 3.0f);
    EXPECT_EQ(form.ManHoursBox().text(), QStringLiteral("0.40"));
    QTest::keyClick(&form.ManHoursBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(callee->header.Work, 7.5f);

    // Typing gives the box an undo of its own, which goes first and forgets the stored value's.
    QTest::keyClicks(&form.ManHoursBox(), QStringLiteral("9"));
    QTest::keyClick(&form.ManHoursBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.ManHoursBox().text(), QStringLiteral("1.00"));
    QTest::keyClick(&form.ManHoursBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(callee->header.Work, 7.5f);
}

TEST_F(HeaderFormTest, BoxesShowTheirWholeTextAndPassingTheFocusStoresNothing) {
    document.WorkTable.UnitDayToHour = 8.0f;
    callee->header.Unit = ManDays;
    callee->header.Work = 12345.0f;
    callee->header.ownRequirements = {QStringLiteral("REQ-0001-ALPHA"), QStringLiteral("REQ-0002-BETA"),
                                      QStringLiteral("REQ-0003-GAMMA")};
    document.registry.RebuildAndNotify(document.indexRoot, document.GetModelOptions());
    CNUVView form(document, *callee, host, messages);
    form.show();
    EXPECT_EQ(form.RequirementsBox().text(), QStringLiteral("REQ-0001-ALPHA, REQ-0002-BETA, REQ-0003-GAMMA"));
    QLineEdit& box = form.ManHoursBox();
    EXPECT_EQ(box.text(), QStringLiteral("1543.13"));

    // In and out again, by Tab or Enter, without typing: the stored hours stay exact.
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Tab);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FLOAT_EQ(callee->header.Work, 12345.0f);
    EXPECT_EQ(box.text(), QStringLiteral("1543.13"));
    EXPECT_TRUE(host.reports.isEmpty());

    // Typing still stops at 5 characters, and what is typed is stored.
    Retype(box, QStringLiteral("1234567"));
    EXPECT_FLOAT_EQ(callee->header.Work, 12345.0f * 8.0f);
    EXPECT_EQ(box.text(), QStringLiteral("12345.00"));
}

TEST_F(HeaderFormTest, DraggingInsideABoxsSelectionMovesNoText) {
    callee->codeSymbol = QStringLiteral("cook_rice");
    CNUVView form(document, *callee, host, messages);
    form.resize(600, 173);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QLineEdit& box = form.CodeSymbolBox();
    box.setFocus();
    box.setSelection(0, 4);
    const QPoint inside(box.fontMetrics().horizontalAdvance(QStringLiteral("co")) + 4, box.height() / 2);
    QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(&box, inside + QPoint(40, 0));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, inside + QPoint(40, 0));
    EXPECT_EQ(box.text(), QStringLiteral("cook_rice"));
    EXPECT_EQ(callee->codeSymbol, QStringLiteral("cook_rice"));
    EXPECT_TRUE(host.reports.isEmpty());
}

TEST_F(HeaderFormTest, ReasonOfSeveralLinesIsShownShortenedAndKeptWhole) {
    callee->header.Reasoning = QStringLiteral("so that...\nit keeps warm");
    callee->header.UnNecessaryReasoning = 1;
    CNUVView form(document, *callee, host, messages);
    // A reason shows the omit flag cleared; showing the tab changes nothing in the document.
    EXPECT_FALSE(form.OmitReasonBox().isChecked());
    EXPECT_EQ(callee->header.UnNecessaryReasoning, 1);
    EXPECT_TRUE(host.reports.isEmpty());
    EXPECT_EQ(form.ReasonBox().text(), QStringLiteral("so that......"));
    EXPECT_TRUE(form.ReasonBox().isReadOnly());
    EXPECT_FALSE(form.OmitReasonBox().isEnabled());

    callee->header.Reasoning.clear();
    callee->header.UnNecessaryReasoning = 1;
    form.Fill();
    EXPECT_TRUE(form.OmitReasonBox().isChecked());
    EXPECT_FALSE(form.ReasonBox().isEnabled());
    QTest::mouseClick(&form.OmitReasonBox(), Qt::LeftButton);
    EXPECT_EQ(callee->header.UnNecessaryReasoning, 0);
    EXPECT_TRUE(form.ReasonBox().isEnabled());
    form.ReasonBox().setFocus();
    QTest::keyClicks(&form.ReasonBox(), QStringLiteral("wait..."));
    EXPECT_EQ(callee->header.Reasoning, QStringLiteral("wait..."));
    EXPECT_FALSE(form.OmitReasonBox().isEnabled());
}

TEST_F(HeaderFormTest, AttributeAndCodeSymbolAreStoredAndReported) {
    CNUVView form(document, *callee, host, messages);
    ASSERT_GT(form.AttributeList().count(), 1);
    form.AttributeList().setCurrentIndex(1);
    EXPECT_EQ(callee->header.Type, document.FunctionAttributes.front().symbol);
    EXPECT_EQ(callee->header.TypeNo, document.FunctionAttributes.front().id);
    form.CodeSymbolBox().setFocus();
    QTest::keyClicks(&form.CodeSymbolBox(), QStringLiteral("CK"));
    EXPECT_EQ(callee->codeSymbol, QStringLiteral("CK"));
    EXPECT_EQ(host.reports.size(), 3);

    // A number typed into the outline box goes to the table of contents; an isolated one cannot move.
    Retype(form.OutlineNumberBox(), QStringLiteral("2"));
    EXPECT_EQ(host.reports.last(), QStringLiteral("move 2"));
    CNUVView isolatedForm(document, *isolated, host, messages);
    Retype(isolatedForm.OutlineNumberBox(), QStringLiteral("2"));
    EXPECT_EQ(sink.Texts().last(), QStringLiteral("移動元が存在しないため、移動できません。"));
}

TEST_F(HeaderFormTest, LabelAndRequirementButtonsOpenTheDialogsTheOwnerGives) {
    CNUVView form(document, *callee, host, messages);
    EXPECT_FALSE(form.UniqueLabelButton().isEnabled());
    EXPECT_FALSE(form.RequirementsButton().isEnabled());

    QStringList opened;
    bool changes = false;
    const auto dialog = [&](const QString& name, const std::function<void()>& change) {
        return [&, name, change](QWidget* parent) {
            EXPECT_EQ(parent, &form);
            opened << name;
            change();
            return changes;
        };
    };
    form.SetFieldDialogs(dialog(QStringLiteral("label"), [&] { callee->header.uniqueLabel = QStringLiteral("L-1"); }),
                         dialog(QStringLiteral("items"), [&] {
                             callee->header.ownRequirements = {QStringLiteral("R")};
                             document.registry.RebuildAndNotify(document.indexRoot, document.GetModelOptions());
                         }));
    ASSERT_TRUE(form.UniqueLabelButton().isEnabled());
    ASSERT_TRUE(form.RequirementsButton().isEnabled());

    // A dialog that changed nothing leaves the boxes as they were; after a change they show the unit function.
    QTest::mouseClick(&form.UniqueLabelButton(), Qt::LeftButton);
    EXPECT_EQ(form.UniqueLabelBox().text(), QString());
    changes = true;
    QTest::mouseClick(&form.UniqueLabelButton(), Qt::LeftButton);
    EXPECT_EQ(form.UniqueLabelBox().text(), QStringLiteral("L-1"));
    QTest::mouseClick(&form.RequirementsButton(), Qt::LeftButton);
    EXPECT_EQ(form.RequirementsBox().text(), QStringLiteral("R"));
    EXPECT_EQ(opened, QStringList({QStringLiteral("label"), QStringLiteral("label"), QStringLiteral("items")}));
}

} // namespace

TEST_F(HeaderFormTest, TheCollapsedRowShowsWholeRowsOnlyAndTheAttributeListIsReadable) {
    // In a window of its own, as in a tab.
    QWidget window;
    window.resize(700, HeaderRowFullHeight);
    CNUVView form(document, *callee, host, messages, &window);
    form.resize(700, HeaderRowSmallHeight);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QWidget* rows = form.NameBox().parentWidget();
    ASSERT_NE(rows, &form);
    // The second row starts within the small height; none of it shows.
    const int secondRowTop = form.UniqueLabelBox().mapTo(rows, QPoint(0, 0)).y();
    ASSERT_LT(secondRowTop, HeaderRowSmallHeight);
    ASSERT_FALSE(rows->mask().isEmpty());
    EXPECT_LT(rows->mask().boundingRect().bottom(), secondRowTop);
    EXPECT_GE(rows->mask().boundingRect().bottom(), form.NameBox().mapTo(rows, QPoint(0, 0)).y());

    form.resize(700, HeaderRowFullHeight);
    EXPECT_TRUE(rows->mask().isEmpty());
    // The attribute symbols are a letter or two; the list still shows them and its arrow side by side.
    EXPECT_GE(form.AttributeList().width(), 100);
}
