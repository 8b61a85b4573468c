#include "app/AppDirectories.h"
#include "app/FakeApplicationShell.h"
#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/MainFrame.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/NUVView.h"
#include "generators/ui/ChangeRequirementDialog.h"
#include "generators/ui/NaturalSentencePage.h"
#include "generators/ui/UniqueLabelDialog.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"

#include "support/QStringPrinter.h"
#include "support/logic/LogicScript.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A shown main window over a document of one unit function with an if block, its tab open.
class TabGenerators : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.IsValid());
        const QString path = SaveScriptDocument(m_dir.Path("d.nuv"), {{"Main", "if <A>{a}\nDo <X>{x}\nendif"}});
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        shell.openPath = path;
        frame.OnCommand(MainFrameCommand::FileOpen);
        ASSERT_EQ(app.Document().OpenMode(), COpenDocument::Editing);
        function = app.Document().DocumentData().registry.FindByName("Main");
        ASSERT_NE(function, nullptr);
        ASSERT_TRUE(app.Tabs().OpenFunctionTab(function));
        tab = frame.TabWindow(*app.Tabs().GetActiveTab());
        ASSERT_NE(tab, nullptr);
        app.Document().SetModified(false);
    }
    void TearDown() override {
        app.Document().SetModified(false);
        EXPECT_TRUE(app.CloseDocument());
    }

    // Runs `action`, answering the modal dialog it opens with `answer`.
    template <class Dialog> void Answered(const std::function<void()>& action, std::function<void(Dialog&)> answer) {
        bool shown = false;
        QTimer::singleShot(0, &frame, [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                shown = true;
                answer(*dialog);
            } else if (QWidget* other = QApplication::activeModalWidget()) {
                other->close();
            }
        });
        action();
        EXPECT_TRUE(shown);
    }

    AppDirectories m_dir;
    FakeShell shell;
    CNUVApp app{shell};
    CMainFrame frame{app};
    CUnitFunction* function = nullptr;
    CChildFrame* tab = nullptr;
};

TEST_F(TabGenerators, NaturalSentencesReplaceTheContentSelectionUndoably) {
    function->header.contentText = QStringLiteral("before|old|after");
    CFunctionContentView& content = *tab->ContentView();
    content.Fill();
    QTextCursor cursor = content.textCursor();
    cursor.setPosition(7);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    content.setTextCursor(cursor);

    Answered<CNaturalSentencePage>([&] { frame.OnCommand(MainFrameCommand::NaturalSentences); },
                                   [](CNaturalSentencePage& page) {
                                       page.LanguageBox()->setCurrentIndex(0);
                                       page.OnAllDefault();
                                       page.accept();
                                   });
    const QString converted = QStringLiteral("before|If <A> is {a} then <X> {x}.\n|after");
    EXPECT_EQ(content.ContentText(), converted);
    EXPECT_EQ(function->header.contentText, converted);
    EXPECT_TRUE(app.Document().IsModified());
    EXPECT_EQ(frame.focusWidget(), &content);

    content.undo();
    EXPECT_EQ(content.ContentText(), QStringLiteral("before|old|after"));
    EXPECT_TRUE(content.StoreContent());
    EXPECT_EQ(function->header.contentText, QStringLiteral("before|old|after"));
}

TEST_F(TabGenerators, TheHeaderButtonsOpenTheLabelAndRequirementDialogs) {
    CNUVView& form = *tab->HeaderForm();
    ASSERT_TRUE(form.UniqueLabelButton().isEnabled());
    ASSERT_TRUE(form.RequirementsButton().isEnabled());
    function->header.uniqueLabel.clear();
    form.Fill();

    QString proposed;
    QString shownWhileOpen;
    Answered<CUniqueLabelDialog>([&] { QTest::mouseClick(&form.UniqueLabelButton(), Qt::LeftButton); },
                                 [&](CUniqueLabelDialog& dialog) {
                                     proposed = dialog.LabelEdit()->text();
                                     QTest::mouseClick(dialog.AssignButton(), Qt::LeftButton);
                                     // The form shows the new label before the dialog closes.
                                     shownWhileOpen = form.UniqueLabelBox().text();
                                     dialog.reject(); // the label is assigned already
                                 });
    EXPECT_EQ(shownWhileOpen, proposed);
    EXPECT_FALSE(proposed.isEmpty());
    EXPECT_EQ(function->header.uniqueLabel, proposed);
    EXPECT_EQ(form.UniqueLabelBox().text(), proposed);
    EXPECT_TRUE(app.Document().IsModified());

    app.Document().SetModified(false);
    Answered<CChangeRequirementDialog>([&] { QTest::mouseClick(&form.RequirementsButton(), Qt::LeftButton); },
                                       [](CChangeRequirementDialog& dialog) {
                                           QTest::mouseClick(dialog.NewButton(), Qt::LeftButton);
                                           QTest::keyClicks(dialog.ItemEdit(), QStringLiteral("R1"));
                                           dialog.accept();
                                       });
    EXPECT_EQ(function->header.ownRequirements, std::set<QString>{QStringLiteral("R1")});
    EXPECT_EQ(form.RequirementsBox().text(), QStringLiteral("R1"));
    EXPECT_TRUE(app.Document().IsModified());

    // Cancel changes nothing.
    app.Document().SetModified(false);
    Answered<CChangeRequirementDialog>([&] { QTest::mouseClick(&form.RequirementsButton(), Qt::LeftButton); },
                                       [](CChangeRequirementDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(app.Document().IsModified());
}

} // namespace
