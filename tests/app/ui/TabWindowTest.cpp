#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SampleDocumentWindow.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/InputView.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/OutputView.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "settings/ui/VocabularyRequestDlg.h"
#include "texts/StringTable.h"
#include "views/ui/LexicographicalView.h"

#include "support/QStringPrinter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The editor's own windows over a copy of the sample document, with one tab open on a child of the origin.
class TabWindow : public SampleDocumentWindow {
protected:
    void SetUp() override {
        SampleDocumentWindow::SetUp();
        if (HasFatalFailure())
            return;
        CUnitFunction* origin = Data().registry.origin;
        ASSERT_FALSE(origin->children.empty());
        m_function = origin->children.back();
        m_app->Tabs().OpenFunctionTab(m_function);
        ASSERT_NE(Window(), nullptr);
    }
    void TearDown() override {
        m_app->Document().SetModified(false);
        SampleDocumentWindow::TearDown();
    }
    CDocumentData& Data() { return m_app->Document().DocumentData(); }
    CChildFrame* Window() const {
        const CNUVDoc* tab = m_app->Tabs().GetActiveTab();
        return tab ? Frame()->TabWindow(*tab) : nullptr;
    }
    QString TabText() const {
        QTabWidget* area = Frame()->TabArea();
        return area->tabText(area->indexOf(Window()));
    }
    QString Number() const { return m_function->GetOutlineNumberText(false); }
    // The tab's logic description without lines.
    void EmptyLogic() {
        m_function->logicLines.clear();
        Window()->ShowDocumentChanges();
    }

    CUnitFunction* m_function = nullptr;
};

} // namespace

TEST_F(TabWindow, TheTabReadsTheOutlineNumberAndNameAndFollowsEveryChange) {
    EXPECT_EQ(TabText(), Number() + " " + m_function->name.left(16));

    // Renamed in the header form.
    QLineEdit& name = Window()->HeaderForm()->NameBox();
    name.setFocus();
    name.setText(QStringLiteral("A name longer than sixteen characters"));
    QTest::keyClick(&name, Qt::Key_Return);
    EXPECT_EQ(TabText(), Number() + " A name longer th");

    // Renamed elsewhere (the import of a folder tree renames the origin the same way): the model change reaches
    // every tab.
    m_function->name = QStringLiteral("Renamed");
    m_app->Document().RebuildDocument();
    EXPECT_EQ(TabText(), Number() + " Renamed");

    // A unit function put in front of it renumbers it.
    const QString before = Number();
    CUnitFunction* added = Data().registry.CreateFunction(QStringLiteral("Added"), Data().GetModelOptions());
    CUnitFunction::InsertChild(Data().registry.origin, added, 0);
    m_app->Document().RebuildDocument();
    EXPECT_NE(Number(), before);
    EXPECT_EQ(TabText(), Number() + " Renamed");

    // Without the outline numbers: the first 24 characters of the name.
    Data().environment.showOutlineNumberInTabTitle = 0;
    m_function->name = QStringLiteral("Twenty-five characters!!!");
    Data().registry.UpdateAllFunctionViews(Data().indexRoot);
    EXPECT_EQ(TabText(), "Twenty-five characters!!");
}

TEST_F(TabWindow, TheTabAndTheTabListShowAnAmpersandOfTheNameAsWritten) {
    QTabWidget* area = Frame()->TabArea();
    auto* listButton = qobject_cast<QToolButton*>(area->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(listButton, nullptr);
    m_function->name = QStringLiteral("Script&Add-on");
    Data().registry.UpdateAllFunctionViews(Data().indexRoot);
    // "&&" shows one ampersand where a single one would be an access key.
    EXPECT_EQ(TabText(), Number() + QStringLiteral(" Script&&Add-on"));
    emit listButton->menu()->aboutToShow();
    ASSERT_GT(listButton->menu()->actions().size(), area->indexOf(Window()));
    EXPECT_EQ(listButton->menu()->actions().at(area->indexOf(Window()))->text(), TabText());
}

TEST_F(TabWindow, AnItemOpenedInTheTreeShowsItsPlaceAndTheTreeFollowsTheActiveTab) {
    // The tab's unit function stands at a second place.
    CUnitFunction* origin = Data().registry.origin;
    CUnitFunction* holder = Data().registry.CreateFunction(QStringLiteral("Holder"), Data().GetModelOptions());
    CUnitFunction::AppendChild(origin, holder);
    CUnitFunction::AppendChild(holder, m_function);
    m_app->Document().RebuildDocument();
    const std::vector<OutlineNumber> places = m_function->GetOutlineNumbers();
    ASSERT_GE(places.size(), 2u);
    EXPECT_EQ(TabText(), Number() + " " + m_function->name.left(16));
    ASSERT_TRUE(Number().contains(u'/'));

    // Opened at one of them, the tab and its outline-number box show that place, and the tree selects it.
    CAbstractIndexItem& root = Data().indexRoot;
    CAbstractIndexItem* shared = CAbstractIndexItem::FindByOutlineNumber(&root, places.back(), 0);
    ASSERT_TRUE(shared && shared->unitFunction == m_function);
    CAbstractIndexItem::Open(root, *shared);
    const QString place = GetOutlineNumberText(places.back());
    EXPECT_EQ(Window()->HeaderForm()->OutlineNumberBox().text(), place);
    EXPECT_EQ(TabText(), place + " " + m_function->name.left(16));
    auto* tree = Frame()->findChild<CLexicographicalView*>();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(CLexicographicalView::IndexItem(tree->currentItem()), shared);

    // Switching tabs moves the tree's selection to the active tab's place, for a tab not opened from the tree too.
    CUnitFunction* other = Data().registry.FindByInternalID(200);
    if (other == m_function)
        other = Data().registry.FindByInternalID(300);
    ASSERT_TRUE(other && other != m_function);
    // With the focus in the tab bar the views stay as they are; elsewhere they follow.
    tree->setFocus();
    m_app->Tabs().OpenFunctionTab(other);
    QCoreApplication::processEvents();
    ASSERT_NE(CLexicographicalView::IndexItem(tree->currentItem()), nullptr);
    EXPECT_EQ(CLexicographicalView::IndexItem(tree->currentItem())->unitFunction, other);
    tree->setFocus();
    m_app->Tabs().OpenFunctionTab(m_function);
    QCoreApplication::processEvents();
    EXPECT_EQ(CLexicographicalView::IndexItem(tree->currentItem()), shared);
}

TEST_F(TabWindow, ObjectCommandsFollowTheFocusInTheContentText) {
    QAction* insert = Frame()->CommandAction(MainFrameCommand::InsertObject);
    QAction* properties = Frame()->CommandAction(MainFrameCommand::ObjectProperties);
    Window()->FunctionView()->Editor().setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(insert->isEnabled());
    EXPECT_FALSE(properties->isEnabled());

    Window()->ContentView()->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(insert->isEnabled());
    EXPECT_TRUE(properties->isEnabled());
    platform::ScriptedMessageSink messages;
    insert->trigger();
    properties->trigger();
    EXPECT_EQ(messages.Texts(), QStringList(2, LoadString(StringId::ObjectsNotSupported)));

    Window()->HeaderForm()->NameBox().setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(insert->isEnabled());
}

TEST_F(TabWindow, PasteAndSelectAllOfTheEditMenuAndPasteAsPlainTextServeTheFocusedContentText) {
    QAction* paste = Frame()->CommandAction(MainFrameCommand::EditPaste);
    QAction* plain = Frame()->CommandAction(MainFrameCommand::PastePlainText);
    QAction* selectAll = Frame()->CommandAction(MainFrameCommand::EditSelectAll);
    CFunctionContentView& content = *Window()->ContentView();
    QApplication::clipboard()->clear();
    content.clear();
    content.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(plain->isEnabled());
    EXPECT_FALSE(selectAll->isEnabled());

    QApplication::clipboard()->setText(QStringLiteral("rice"));
    QApplication::processEvents();
    ASSERT_TRUE(plain->isEnabled());
    QTest::keyClick(&content, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(content.ContentText(), "rice");
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(content.ContentText(), "ricerice");
    Frame()->UpdateCommands();
    ASSERT_TRUE(selectAll->isEnabled());
    selectAll->trigger();
    EXPECT_EQ(content.textCursor().selectedText(), "ricerice");

    // In the logic editor paste as plain text has nothing to do.
    Window()->FunctionView()->Editor().setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(plain->isEnabled());
}

// The menus' access keys open their menus from every box of the tab; in the logic lines they type nothing.
TEST_F(TabWindow, AltWithAMenusLetterOpensItFromEveryBoxOfTheTab) {
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    const auto menuOf = [this](Qt::Key letter) -> QMenu* {
        for (QAction* action : Frame()->menuBar()->actions()) {
            if (action->menu() && QKeySequence::mnemonic(action->text()) == QKeySequence(Qt::ALT | letter))
                return action->menu();
        }
        return nullptr;
    };
    QMenu* file = menuOf(Qt::Key_F);
    QMenu* edit = menuOf(Qt::Key_E);
    ASSERT_TRUE(file && edit);
    Data().headerIOSettings.Input = Data().headerIOSettings.Output = 1;
    Window()->ApplyPaneLayout();
    ASSERT_TRUE(Window()->InputView() && Window()->OutputView());

    platform::ScriptedMessageSink messages;
    CSplREdit& editor = Window()->FunctionView()->Editor();
    CLogicEditModel& model = Window()->FunctionView()->Model();
    EmptyLogic();
    editor.setFocus();
    ASSERT_TRUE(editor.RunCommand(LogicEditCommand::AddSwitchAtCurrent));
    QTest::keyClicks(&editor, "sw");
    QTest::keyClick(&editor, Qt::Key_Left);
    const int line = model.CaretLine();
    const QString typed = model.LineText(line);

    QWidget* const boxes[] = {&editor, &Window()->HeaderForm()->NameBox(), &Window()->InputView()->LeftColumn(),
                              &Window()->OutputView()->RightColumn(), Window()->ContentView()};
    for (QWidget* box : boxes) {
        for (const auto& [letter, menu] : {std::pair{Qt::Key_F, file}, std::pair{Qt::Key_E, edit}}) {
            box->setFocus();
            QApplication::processEvents();
            QTest::keyClick(box, letter, Qt::AltModifier);
            EXPECT_TRUE(menu->isVisible()) << box->metaObject()->className() << " " << letter;
            menu->close();
            Frame()->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        }
    }
    EXPECT_EQ(model.LineText(line), typed);
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('|').toStdString();
}

// After the prefix, Undo cannot take one line's member back to its old name while the others keep the prefix.
TEST_F(TabWindow, TheMemberPrefixIsNotHalfUndone) {
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    platform::ScriptedMessageSink messages;
    CFunctionView& form = *Window()->FunctionView();
    CSplREdit& editor = form.Editor();
    CLogicEditModel& model = form.Model();
    EmptyLogic();
    editor.setFocus();
    ASSERT_TRUE(editor.RunCommand(LogicEditCommand::AddDoAtCurrent));
    const int first = model.CaretLine();
    QTest::keyClicks(&editor, "qx");
    ASSERT_TRUE(editor.RunCommand(LogicEditCommand::AddDoAfter));
    const int second = model.CaretLine();
    QTest::keyClicks(&editor, "qy");
    ASSERT_TRUE(model.IsUndoAvailable());

    Frame()->CommandAction(MainFrameCommand::PrefixUnregisteredMemberNames)->trigger();
    auto* prefix = Frame()->findChild<CVocabularyRequestDlg*>();
    ASSERT_TRUE(prefix && prefix->isVisible());
    prefix->Edit()->setText(QStringLiteral("R_"));
    prefix->accept();
    QApplication::processEvents();
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Frame(); }));
    editor.setFocus();
    ASSERT_EQ(model.Record(first)->textSlots[0].text, "R_qx");
    ASSERT_EQ(model.Record(second)->textSlots[0].text, "R_qy");
    EXPECT_FALSE(form.ToolboxButton(1325)->isEnabled());
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model.Record(first)->textSlots[0].text, "R_qx");
    EXPECT_EQ(model.Record(second)->textSlots[0].text, "R_qy");
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('|').toStdString();
}

TEST_F(TabWindow, TheEditCommandsActOnAndFollowTheFocusedHeaderBoxAndContentText) {
    QAction* undo = Frame()->CommandAction(MainFrameCommand::EditUndo);
    QAction* cut = Frame()->CommandAction(MainFrameCommand::EditCut);
    QAction* copy = Frame()->CommandAction(MainFrameCommand::EditCopy);
    QAction* paste = Frame()->CommandAction(MainFrameCommand::EditPaste);
    QAction* clear = Frame()->CommandAction(MainFrameCommand::EditClear);
    QAction* selectAll = Frame()->CommandAction(MainFrameCommand::EditSelectAll);
    const auto enabled = [&] {
        QStringList names;
        for (const auto& [action, name] : {std::pair{undo, "undo"},
                                           {cut, "cut"},
                                           {copy, "copy"},
                                           {paste, "paste"},
                                           {clear, "clear"},
                                           {selectAll, "selectAll"}}) {
            if (action->isEnabled())
                names << name;
        }
        return names;
    };
    QApplication::clipboard()->clear();

    // A header box: the items follow its selection, text and undo as they change.
    QLineEdit& code = Window()->HeaderForm()->CodeSymbolBox();
    code.setText(QStringLiteral("cook_rice"));
    code.setFocus();
    QApplication::processEvents();
    code.setCursorPosition(0);
    EXPECT_EQ(enabled(), QStringList{"selectAll"});
    code.setSelection(0, 4);
    EXPECT_EQ(enabled(), (QStringList{"cut", "copy", "clear", "selectAll"}));
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "cook");
    cut->trigger();
    EXPECT_EQ(code.text(), "_rice");
    EXPECT_EQ(m_function->codeSymbol, "_rice");
    EXPECT_EQ(enabled(), (QStringList{"undo", "paste", "selectAll"}));
    undo->trigger();
    EXPECT_EQ(m_function->codeSymbol, "cook_rice");
    selectAll->trigger();
    EXPECT_EQ(code.selectedText(), "cook_rice");
    clear->trigger();
    EXPECT_EQ(m_function->codeSymbol, "");
    paste->trigger();
    EXPECT_EQ(m_function->codeSymbol, "cook");

    // Alt and the menu's letter give the menu bar the focus (the box drops its selection as it always does):
    // the items still serve the box.
    Frame()->menuBar()->setFocus(Qt::MenuBarFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(enabled(), (QStringList{"undo", "paste", "selectAll"}));
    selectAll->trigger();
    EXPECT_EQ(code.selectedText(), "cook");
    undo->trigger();
    EXPECT_EQ(m_function->codeSymbol, "");
    code.setFocus();
    QApplication::processEvents();

    // A read-only box offers copying and selecting only.
    QLineEdit& total = Window()->HeaderForm()->TotalBox();
    total.setFocus();
    QApplication::processEvents();
    total.selectAll();
    EXPECT_EQ(enabled(), (QStringList{"copy", "selectAll"}));

    // The content text: Undo after typing, Cut, Copy and Delete with a selection.
    CFunctionContentView& content = *Window()->ContentView();
    content.clear();
    content.setFocus();
    QApplication::processEvents();
    QTest::keyClicks(&content, QStringLiteral("rice"));
    EXPECT_EQ(enabled(), (QStringList{"undo", "paste", "selectAll"}));
    content.selectAll();
    EXPECT_EQ(enabled(), (QStringList{"undo", "cut", "copy", "paste", "clear", "selectAll"}));
    clear->trigger();
    EXPECT_EQ(content.ContentText(), "");
    undo->trigger();
    EXPECT_EQ(content.ContentText(), "rice");
}
