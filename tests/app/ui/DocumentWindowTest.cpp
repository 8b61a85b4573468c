#include "app/MainFrameCommandIds.h"
#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/SavingRules.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/DocumentFileDialog.h"
#include "app/ui/FileVersion.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SampleDocumentWindow.h"
#include "app/ui/WidgetShell.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/ReasoningDlg.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "platform/TerminationRequests.h"
#include "platform/ui/MessageBoxSink.h"
#include "views/ui/LexicographicalView.h"
#include "views/ui/ZoomDialog.h"

#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace {

using platform::MessageAnswer;

using DocumentWindow = SampleDocumentWindow;

// Runs `answer` on the dialog of that class once it shows, as the user would answer it.
template <class Dialog> void WhenShown(std::function<void(Dialog&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                answer(*dialog);
                return;
            }
        }
    });
    timer->start();
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

std::vector<StoredVersion> StoredVersionsOf(const QString& path) {
    CDocumentData data;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadDocumentXml(file, data, 0), LoadResult::Loaded);
    return data.versionHistory;
}

// Opens the tab of a unit function of the sample without logic lines in the active window; null when there is none.
CChildFrame* OpenTabWithoutLogicLines(CNUVApp& app, CMainFrame& frame) {
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    for (auto& [id, function] : app.Document().DocumentData().registry.Functions()) {
        if (function.logicLines.empty())
            return frame.TabWindow(*app.Tabs().OpenFunctionTab(&function));
    }
    return nullptr;
}

// Runs the window's event loop, in which `start` runs first, until the window has closed.
void RunWindowLoopUntilClosed(QWidget& window, const std::function<void()>& start) {
    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (!window.isVisible())
            loop.quit();
    });
    watch.start(10);
    QTimer::singleShot(0, &loop, start);
    loop.exec();
}

} // namespace

TEST_F(DocumentWindow, SaveRecordsTheVersionTheDialogGivesAndACancelledDialogWritesNothing) {
    App().Document().DocumentData().VersionControlTable = {1, 0, 1};
    const size_t stored = App().Document().DocumentData().versionHistory.size();
    const ProposedVersion proposal = ProposeVersionNumber(App().Document().DocumentData());
    platform::ScriptedMessageSink messages;

    // Yes, the question's default, shows the dialog with the proposed number, the time and the user.
    WhenShown<CFileVersion>([&](CFileVersion& dialog) {
        EXPECT_EQ(dialog.MajorBox()->value(), proposal.major);
        EXPECT_EQ(dialog.MinorBox()->value(), proposal.minor);
        EXPECT_EQ(dialog.TimeEdit()->text().size(), 19) << dialog.TimeEdit()->text().toStdString();
        dialog.MinorBox()->selectAll();
        QTest::keyClicks(dialog.MinorBox(), "7");
        QTest::keyClicks(dialog.CommentEdit(), "review");
        Press(dialog, QDialogButtonBox::Ok);
    });
    App().Document().SetModified();
    Frame()->OnCommand(MainFrameCommand::FileSave);
    ASSERT_EQ(messages.Texts(), QStringList{QStringLiteral("版の履歴を保存しますか？")});
    EXPECT_FALSE(App().Document().IsModified());
    std::vector<StoredVersion> versions = StoredVersionsOf(Path());
    ASSERT_EQ(versions.size(), stored + 1);
    EXPECT_EQ(versions.back().label, QStringLiteral("%1.07").arg(proposal.major, 2));
    EXPECT_EQ(versions.back().comment, "review");
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path()));

    const QByteArray saved = ReadFileBytes(Path());
    WhenShown<CFileVersion>([](CFileVersion& dialog) { Press(dialog, QDialogButtonBox::Cancel); });
    App().Document().SetModified();
    Frame()->OnCommand(MainFrameCommand::FileSave);
    EXPECT_TRUE(App().Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path()), saved);
}

TEST_F(DocumentWindow, FileCloseClosesTheWindowUnlessTheChangesAreKept) {
    platform::ScriptedMessageSink messages;
    App().Document().SetModified();
    messages.Answer(MessageAnswer::Cancel);
    Frame()->OnCommand(MainFrameCommand::FileClose);
    EXPECT_EQ(messages.Requests().size(), 1);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(App().Document().DocumentData().DataReady);
    // The close given up, a click on an entry of the table of contents opens its tab at once.
    EXPECT_FALSE(App().TakeSkipNextTabOpen());
    Frame()->ShowPane(MainFrameCommand::OutlineIndexPane);
    auto* tree = qobject_cast<CLexicographicalView*>(Frame()->Pane(MainFrameCommand::OutlineIndexPane)->widget());
    ASSERT_NE(tree, nullptr);
    QCoreApplication::processEvents();
    const CUnitFunction* active = App().Tabs().ActiveTabFunction();
    QTreeWidgetItem* other = nullptr;
    for (QTreeWidgetItemIterator entry(tree); *entry && !other; ++entry)
        if (CLexicographicalView::IndexItem(*entry)->unitFunction != active)
            other = *entry;
    ASSERT_NE(other, nullptr);
    tree->scrollToItem(other);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(other).center());
    EXPECT_EQ(App().Tabs().ActiveTabFunction(), CLexicographicalView::IndexItem(other)->unitFunction);

    // The changes given up, the window closes, and the document with it.
    messages.Answer(MessageAnswer::No);
    Frame()->OnCommand(MainFrameCommand::FileClose);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_FALSE(App().Document().DocumentData().DataReady);
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(Path())));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(Path()));
}

TEST(DocumentFileDialog, ListsDocumentsButNotTheOwnerFilesBesideThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"plan.nuv", "~$plan.nuv", "review.nuv"})
        WriteFileBytes(dir.filePath(name), "x");
    CDocumentFileDialog dialog(nullptr, QFileDialog::AcceptOpen, QStringLiteral("ファイルを開く"), QString());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ファイルを開く"));
    dialog.setDirectory(dir.path());
    QAbstractProxyModel* proxy = dialog.proxyModel();
    ASSERT_NE(proxy, nullptr);
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    const auto listed = [&] {
        QStringList names;
        const QModelIndex folder = proxy->mapFromSource(files->index(dir.path()));
        for (int row = 0; row < proxy->rowCount(folder); ++row)
            names << proxy->index(row, 0, folder).data().toString();
        names.sort();
        return names;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() >= 2; }, 5000)) << listed().join(' ').toStdString();
    EXPECT_EQ(listed(), QStringList({"plan.nuv", "review.nuv"}));

    // The save prompt leaves the question about an existing file to the save, which first refuses a held one.
    CDocumentFileDialog save(nullptr, QFileDialog::AcceptSave, QString(), QStringLiteral("plan.nuv"));
    EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
    // A name typed without an extension is a document's; one with an extension keeps it.
    save.setDirectory(dir.path());
    save.selectFile(QStringLiteral("rice"));
    EXPECT_EQ(save.selectedFiles(), QStringList{dir.filePath("rice.nuv")});
    save.selectFile(QStringLiteral("rice.xml"));
    EXPECT_EQ(save.selectedFiles(), QStringList{dir.filePath("rice.xml")});
}

// A remembered name whose folder is gone opens the prompt in the nearest folder left, with the name; Open takes the
// file shown there, never one found relative to the current folder.
TEST(DocumentFileDialog, ARememberedNameInAFolderThatIsGoneStartsInTheNearestFolderLeft) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFileBytes(dir.filePath("env.nuv"), "x");
    CDocumentFileDialog dialog(nullptr, QFileDialog::AcceptOpen, QString(), dir.filePath("gone/deeper/env.nuv"));
    EXPECT_EQ(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
    // Open, and Cancel should Open refuse what the dialog shows.
    QTimer::singleShot(0, &dialog, [&dialog] {
        QMetaObject::invokeMethod(&dialog, "accept");
        if (dialog.isVisible())
            dialog.reject();
    });
    EXPECT_EQ(dialog.Ask(), dir.filePath("env.nuv"));
}

TEST_F(DocumentWindow, TheZoomWindowScalesTheLogicEditorsOfOpenAndLaterTabs) {
    CDocumentData& data = App().Document().DocumentData();
    CUnitFunction* origin = data.registry.origin;
    ASSERT_FALSE(origin->children.empty());
    App().Tabs().OpenFunctionTab(origin);
    auto* editor = Frame()->findChild<CSplREdit*>();
    ASSERT_NE(editor, nullptr);
    // The first character of a line that has text, as the editor shows it.
    const auto shownSize = [](const CSplREdit& shown) {
        for (QTextBlock block = shown.document()->begin(); block.isValid(); block = block.next()) {
            if (!block.text().trimmed().isEmpty()) {
                QTextCursor cursor(block);
                cursor.movePosition(QTextCursor::NextCharacter);
                return cursor.charFormat().fontPointSize();
            }
        }
        return 0.0;
    };
    // The document was saved at the slider's position 96, 200 %.
    EXPECT_EQ(data.environment.zoom, 96);
    EXPECT_DOUBLE_EQ(App().ZoomFactor(), 2.0);
    const double actual = shownSize(*editor) / 2;
    ASSERT_GT(actual, 0.0);

    Frame()->ShowZoomWindow();
    auto* zoom = Frame()->findChild<CZoomDialog*>();
    ASSERT_NE(zoom, nullptr);
    zoom->Slider()->setValue(64); // 400 %
    EXPECT_DOUBLE_EQ(App().ZoomFactor(), 4.0);
    EXPECT_EQ(data.environment.zoom, 64);
    EXPECT_DOUBLE_EQ(editor->ZoomFactor(), 4.0);
    EXPECT_DOUBLE_EQ(shownSize(*editor), actual * 4);

    App().Tabs().OpenFunctionTab(origin->children.front());
    for (const CSplREdit* each : Frame()->findChildren<CSplREdit*>())
        EXPECT_DOUBLE_EQ(each->ZoomFactor(), 4.0);
    QTest::mouseClick(zoom->ActualSizeButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(shownSize(*editor), actual);
    EXPECT_EQ(data.environment.zoom, 128);
}

TEST_F(DocumentWindow, ASaveCommitsTheFnNameTypedInAnEditorFirst) {
    CDocumentData& data = App().Document().DocumentData();
    // A unit function without logic lines gets one Fn line, its name typed and not yet committed.
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    CSplREdit* editor = &tab->FunctionView()->Editor();
    CLogicEditModel& model = editor->Model();
    const CUnitFunction* edited = &model.Function();
    editor->setFocus();
    editor->RunCommand(LogicEditCommand::AddDoAtCurrent);
    editor->RunCommand(LogicEditCommand::AddFnAfter);
    ASSERT_EQ(model.RecordCount(), 2);
    QTest::keyClicks(editor, "Written first");
    platform::ScriptedMessageSink messages;
    Frame()->OnCommand(MainFrameCommand::FileSave);

    // The line was bound to a new unit function before the file was written, and the file holds it.
    const CUnitFunction* created = data.registry.FindByName("Written first");
    ASSERT_NE(created, nullptr);
    ASSERT_EQ(model.RecordCount(), 2);
    EXPECT_EQ(model.Record(1)->calledInternalID, created->InternalID);
    EXPECT_FALSE(App().Document().IsModified());
    {
        CDocumentData saved;
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_EQ(LoadDocumentXml(file, saved, 0), LoadResult::Loaded);
        const CUnitFunction* savedEdited = saved.registry.FindByInternalID(edited->InternalID);
        ASSERT_NE(savedEdited, nullptr);
        ASSERT_EQ(savedEdited->logicLines.size(), 2u);
        const CUnitFunction* savedCreated = saved.registry.FindByName("Written first");
        ASSERT_NE(savedCreated, nullptr);
        EXPECT_EQ(savedEdited->logicLines.back()->calledInternalID, savedCreated->InternalID);
    }

    // A click on the first line afterwards leaves the line where it is.
    QTextCursor first(editor->document()->firstBlock());
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, editor->cursorRect(first).center());
    EXPECT_EQ(model.RecordCount(), 2);
    EXPECT_EQ(editor->document()->findBlockByNumber(1).text(), model.LineText(1));
    EXPECT_TRUE(model.LineText(1).contains("Written first"));
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('|').toStdString();
}

namespace {

// Shows each message as a window of its own that takes the focus, as a message box does, and answers with the
// default; records the texts.
class FocusTakingMessageSink : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override {
        texts << request.text;
        QWidget box;
        auto* button = new QPushButton(request.text, &box);
        box.show();
        box.activateWindow();
        button->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        QApplication::processEvents();
        return request.DefaultAnswer();
    }
    QStringList texts;

private:
    platform::MessageSinkInstaller m_installer{*this};
};

} // namespace

TEST_F(DocumentWindow, TheTickLeavesAnEditBeingTypedAsItIsAndTheDocumentModified) {
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    CSplREdit* editor = &tab->FunctionView()->Editor();
    CLogicEditModel& model = editor->Model();
    FocusTakingMessageSink messages;

    // A name being typed in the name box, man-hours and content text are not saved by the tick: the document stays
    // modified.
    const auto tickWhileTyping = [&](QWidget* box, const char* typed) {
        Frame()->OnCommand(MainFrameCommand::FileSave);
        ASSERT_FALSE(App().Document().IsModified());
        box->setFocus();
        QTest::keyClicks(box, typed);
        App().Document().SetModified();
        App().Document().OnAutoSaveTimer();
        EXPECT_TRUE(App().Document().IsModified()) << typed;
    };
    tickWhileTyping(&tab->HeaderForm()->NameBox(), "x");
    tickWhileTyping(&tab->HeaderForm()->ManHoursBox(), "7");
    tickWhileTyping(tab->ContentView(), "y");

    // A tick that cannot write says so; the blank Fn line stays, waiting for its name.
    editor->setFocus();
    editor->RunCommand(LogicEditCommand::AddDoAtCurrent);
    editor->RunCommand(LogicEditCommand::AddFnAfter);
    const QByteArray file = QFile::encodeName(Path());
    ASSERT_EQ(chmod(file.constData(), 0444), 0);
    App().Document().OnAutoSaveTimer();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(QStringLiteral("The file cannot be saved automatically.")));
    EXPECT_EQ(model.RecordCount(), 2);
    EXPECT_TRUE(model.IsFnNameChanged());
    ASSERT_EQ(chmod(file.constData(), 0644), 0);

    // Nor is the Fn name typed.
    editor->setFocus();
    QTest::keyClicks(editor, "abc");
    App().Document().OnAutoSaveTimer();
    EXPECT_TRUE(App().Document().IsModified());
    EXPECT_EQ(messages.texts.size(), 1) << messages.texts.join('|').toStdString();
    EXPECT_EQ(App().Document().DocumentData().registry.FindByName("abc"), nullptr);
}

TEST_F(DocumentWindow, AMessageLeavesANameBeingTypedUnrenamed) {
    const CUnitFunctionRegistry& registry = App().Document().DocumentData().registry;
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    QLineEdit& name = tab->HeaderForm()->NameBox();
    const QString typed = name.text() + QStringLiteral("z");
    name.setFocus();
    name.end(false);
    QTest::keyClicks(&name, "z");
    {
        FocusTakingMessageSink messages;
        platform::ShowMessageBox(QStringLiteral("notice"));
    }
    EXPECT_EQ(registry.FindByName(typed), nullptr);
    EXPECT_EQ(name.text(), typed);
    // Renamed when the user leaves the box.
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    name.setFocus();
    tab->FunctionView()->Editor().setFocus();
    EXPECT_NE(registry.FindByName(typed), nullptr);
}

// A close from outside (another editor's Exit, a signal) while a dialog of the tab runs with a message over it ends
// both as Cancel would and waits until the window's own event loop runs again. Then it finds what the tab's boxes hold
// though none of them has the focus (as while another program has it), commits it and asks; Yes writes it, without
// what the dialog held.
TEST_F(DocumentWindow, ACloseFromOutsideEndsTheDialogsThenCommitsWhatTheBoxesHoldAndAsks) {
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    const CUnitFunction& function = tab->FunctionView()->Editor().Model().Function();
    const quint32 id = function.InternalID;
    const float work = function.header.Work;
    const QString reason = function.header.Reasoning;
    CNUVView& header = *tab->HeaderForm();
    tab->FunctionView()->Editor().setFocus();
    header.NameBox().selectAll();
    QTest::keyClicks(&header.NameBox(), "RENAMED");
    header.ManHoursBox().selectAll();
    QTest::keyClicks(&header.ManHoursBox(), "7");
    QTest::keyClicks(tab->ContentView(), "typed content");
    ASSERT_FALSE(App().Document().IsModified());

    platform::ScriptedMessageSink messages;
    messages.Answer(MessageAnswer::Yes);
    int messageAnswer = -1;
    WhenShown<CReasoningDlg>([&](CReasoningDlg& dialog) {
        QTest::keyClicks(dialog.findChild<QPlainTextEdit*>(), "unconfirmed reason");
        QMessageBox message(QMessageBox::Question, QString(), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
        QTimer::singleShot(0, &message, [this] { App().OnCloseRequested(); });
        messageAnswer = message.exec();
    });
    bool openAfterwards = false;
    RunWindowLoopUntilClosed(*Frame(), [&] {
        header.ReasonButton().click();
        // The code that opened the dialog goes on in an event loop of its own (a drag's): the close waits for it too.
        QEventLoop drag;
        QTimer::singleShot(100, &drag, &QEventLoop::quit);
        drag.exec();
        openAfterwards = Frame()->isVisible() && App().Document().DocumentData().DataReady;
    });
    EXPECT_TRUE(openAfterwards);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(messageAnswer, QMessageBox::No);
    EXPECT_EQ(messages.Requests().size(), 1) << messages.Texts().join('|').toStdString();
    CDocumentData saved;
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(LoadDocumentXml(file, saved, 0), LoadResult::Loaded);
    const CUnitFunction* written = saved.registry.FindByInternalID(id);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->name, "RENAMED");
    EXPECT_NE(written->header.Work, work);
    EXPECT_TRUE(written->header.contentText.startsWith("typed content")) << written->header.contentText.toStdString();
    EXPECT_EQ(written->header.Reasoning, reason);
}

// A signal asks to close; when the user declines the close, the program goes on as before, and a later signal asks
// again instead of ending the process with the unsaved edit.
TEST_F(DocumentWindow, ASignalAfterADeclinedCloseAsksAgain) {
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    CNUVView& header = *tab->HeaderForm();
    header.NameBox().selectAll();
    QTest::keyClicks(&header.NameBox(), "RENAMED");
    platform::ScriptedMessageSink messages;
    const platform::TerminationRequests termination([this] { App().OnCloseRequested(); });
    for (int request = 1; request <= 2; ++request) {
        messages.Answer(MessageAnswer::Cancel);
        raise(SIGTERM);
        EXPECT_TRUE(QTest::qWaitFor([&] { return messages.Requests().size() == request; }, 5000)) << request;
        EXPECT_TRUE(Frame()->isVisible()) << request;
    }
    EXPECT_EQ(platform::TerminationRequests::Count(), 2);
}

namespace {

// What a test does at each new question the close asks.
using QuestionStep = std::function<void()>;

// Runs the steps in turn, each once a message box shows that none of the earlier steps saw.
void AtEachNewQuestion(std::vector<QuestionStep> steps) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, steps = std::move(steps), next = size_t{0}]() mutable {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible() || box->property("seen").toBool())
                continue;
            box->setProperty("seen", true);
            if (next + 1 == steps.size())
                timer->deleteLater();
            steps[next++]();
            return;
        }
    });
    timer->start();
}

} // namespace

// A close from outside (another editor's Exit) that ends the close's own question is no answer of the user: the close
// asks again, and a second request to end the process, with that question open, ends it, whoever opened the question
// (a first request, or the user closing the window).
TEST_F(DocumentWindow, ASecondRequestEndsTheProcessAfterACloseFromOutsideEndedTheQuestion) {
    // Each child process that this ends leaves its temporary folder: in this one, which goes with the test.
    QTemporaryDir childTemporary;
    ASSERT_TRUE(childTemporary.isValid());
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(childTemporary.path()));
    const std::string style = GTEST_FLAG_GET(death_test_style);
    // The child runs the test from its start in a program of its own: the window's threads are not copied.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const bool openedByUser : {false, true}) {
        SCOPED_TRACE(openedByUser);
        EXPECT_EXIT(
            {
                const platform::TerminationRequests termination([this] { App().OnCloseRequested(); });
                platform::QMessageBoxSink boxes;
                const platform::MessageSinkInstaller shown(boxes);
                App().Document().SetModified();
                QElapsedTimer sinceFirstRequest;
                const auto request = [&] {
                    sinceFirstRequest.start();
                    raise(SIGTERM);
                };
                const auto secondRequest = [&] {
                    QTest::qWait(platform::TerminationRequests::kSameRequestMilliseconds + 100 -
                                 static_cast<int>(sinceFirstRequest.elapsed()));
                    raise(SIGTERM);
                };
                const auto closeFromOutside = [this] { App().OnCloseRequested(); };
                if (openedByUser) {
                    AtEachNewQuestion({closeFromOutside, request, secondRequest});
                    QTimer::singleShot(0, Frame(), [this] { Frame()->close(); });
                } else {
                    AtEachNewQuestion({closeFromOutside, secondRequest});
                    request();
                }
                // Still running by then, with a question open: the process ends, and the test fails.
                QTimer::singleShot(10000, [] { std::_Exit(0); });
                QTest::qWait(20000);
            },
            testing::KilledBySignal(SIGTERM), "");
    }
    GTEST_FLAG_SET(death_test_style, style);
    if (temporary.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", temporary);
}

namespace {

// Asks to close from outside once a dialog of that class shows; true when the request ended it, false when it was
// still open after seconds and the test cancelled it.
template <class Dialog> std::shared_ptr<bool> CloseFromOutsideWhenShown(const std::function<void()>& request) {
    auto ended = std::make_shared<bool>(true);
    WhenShown<Dialog>([ended, request](Dialog& dialog) {
        QTimer::singleShot(3000, &dialog, [ended, &dialog] {
            *ended = false;
            dialog.reject();
        });
        request();
    });
    return ended;
}

} // namespace

// The save's file prompt and the version dialog wait for the user while the save owns the document: a close from
// outside (a signal, another editor's Exit) ends them as Cancel, as it ends every other dialog, and the close asks at
// once, instead of waiting for as long as the dialog stays open.
TEST_F(DocumentWindow, ACloseFromOutsideEndsTheSavesFilePromptAndVersionDialogAndAsks) {
    const QByteArray saved = ReadFileBytes(Path());
    const platform::TerminationRequests termination([this] { App().OnCloseRequested(); });
    platform::ScriptedMessageSink messages;
    App().Document().SetModified();
    messages.Answer(MessageAnswer::Cancel);
    const std::shared_ptr<bool> promptEnded = CloseFromOutsideWhenShown<CDocumentFileDialog>([] { raise(SIGTERM); });
    Frame()->OnCommand(MainFrameCommand::FileSaveAs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.Requests().size() == 1; }, 5000));
    EXPECT_TRUE(*promptEnded);

    App().Document().DocumentData().VersionControlTable = {1, 0, 1};
    messages.Answer(MessageAnswer::Yes);
    messages.Answer(MessageAnswer::Cancel);
    const std::shared_ptr<bool> versionEnded =
        CloseFromOutsideWhenShown<CFileVersion>([this] { App().OnCloseRequested(); });
    Frame()->OnCommand(MainFrameCommand::FileSave);
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.Requests().size() == 3; }, 5000));
    EXPECT_TRUE(*versionEnded);

    const QString question = LoadString(StringId::DocumentModifiedQuestion).arg(QFileInfo(Path()).fileName());
    EXPECT_EQ(messages.Texts(), QStringList({question, LoadString(StringId::SaveVersionQuestion), question}));
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(App().Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path()), saved);
}

// Commands given in a row run in turn: each once the one before has ended, with the work it started on the window's
// worker. Exit after the whole inspection closes the window once the inspection has run to its end.
TEST_F(DocumentWindow, CommandsInARowRunEachOnceTheWorkOfTheOneBeforeHasEnded) {
    // A command whose handler returns while its worker goes on for a while.
    constexpr int kStartWorker = 1;
    std::vector<bool> busyAtStart;
    QStringList resultsAtExit;
    const auto run = [&](int id) {
        busyAtStart.push_back(App().Document().IsBusy());
        if (id == MainFrameCommand::AppExit)
            resultsAtExit = Frame()->InspectionPane().Lines();
        if (id != kStartWorker) {
            Frame()->OnCommand(id);
            return;
        }
        App().Document().BeginWork(COpenDocument::Work::Worker);
        QTimer::singleShot(200, Frame(), [this] { App().Document().EndWork(COpenDocument::Work::Worker); });
    };
    RunWindowLoopUntilClosed(*Frame(), [&] {
        MainFrameCommand::RunCommandsInTurn(
            *Frame(), App().Document(), {kStartWorker, MainFrameCommand::InspectAll, MainFrameCommand::AppExit}, run);
    });
    EXPECT_EQ(busyAtStart, std::vector<bool>(3, false));
    EXPECT_FALSE(resultsAtExit.isEmpty());
    EXPECT_FALSE(resultsAtExit.contains(LoadString(StringId::InspectionAborted)))
        << resultsAtExit.join('|').toStdString();
}

// A message shown while a document opens (one that cannot be read, as at start-up) ends at the first request from
// outside, and the window closes.
TEST_F(DocumentWindow, ACloseFromOutsideEndsAMessageOfTheOpeningAndCloses) {
    const QString unreadable = m_dir.filePath("unreadable.nuv");
    WriteFileBytes(unreadable, "not a document");
    platform::QMessageBoxSink boxes;
    const platform::MessageSinkInstaller shown(boxes);
    const std::shared_ptr<bool> ended = CloseFromOutsideWhenShown<QMessageBox>([this] { App().OnCloseRequested(); });
    RunWindowLoopUntilClosed(*Frame(), [&] { App().Document().OpenDocumentFile(unreadable, 0); });
    EXPECT_TRUE(*ended);
    EXPECT_FALSE(Frame()->isVisible());
}

// At a close from outside a blank Fn line goes with its message, once: neither the close nor the save it asks for
// asks for a name that nobody can give any more.
TEST_F(DocumentWindow, ACloseFromOutsideSaysOnceThatABlankFnLineGoes) {
    CChildFrame* tab = OpenTabWithoutLogicLines(App(), *Frame());
    ASSERT_NE(tab, nullptr);
    CSplREdit& editor = tab->FunctionView()->Editor();
    editor.setFocus();
    editor.RunCommand(LogicEditCommand::AddFnAtCurrent);
    ASSERT_TRUE(editor.Model().IsCaretOnBlankFnLine());
    platform::ScriptedMessageSink messages;
    messages.Answer(MessageAnswer::Ok);
    messages.Answer(MessageAnswer::Yes);
    RunWindowLoopUntilClosed(*Frame(), [this] { App().OnCloseRequested(); });
    EXPECT_EQ(messages.Texts(),
              QStringList({LoadString(StringId::BlankFnDeleted),
                           LoadString(StringId::DocumentModifiedQuestion).arg(QFileInfo(Path()).fileName())}));
}
