#include "generators/UniqueLabelClock.h"
#include "generators/ui/ChangeRequirementDialog.h"
#include "generators/ui/DecisionTblMakeDlg.h"
#include "generators/ui/FlowchartPage.h"
#include "generators/ui/GeneratorCommands.h"
#include "generators/ui/NaturalSentencePage.h"
#include "generators/ui/OutputSourceCodeWindow.h"
#include "generators/ui/TestSpecificationsDlg.h"
#include "generators/ui/TraceabilityPage.h"
#include "generators/ui/UniqueLabelDialog.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/ui/CheckThreadDialog.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/JapaneseFont.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/logic/LogicScript.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TestHost : public CGeneratorCommandHost {
public:
    TestHost() {
        data.SetDefaults();
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(*data.registry.origin, QStringLiteral("if <A>が{a}\nDo <X>を{x}せよ\nendif"), pending);
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
        context.m_language = 1;
    }
    CDocumentData& GeneratedDocument() override { return data; }
    QString GeneratedDocumentPath() const override { return folder.filePath(QStringLiteral("design.nuv")); }
    QString GeneratedDocumentName() const override { return QStringLiteral("design.nuv"); }
    void SetGeneratedDocumentModified() override { ++modified; }
    const CUnitFunction* ActiveFunction() const override { return active; }
    void ReplaceActiveContentSelection(const QString& text) override { pasted << text; }
    const CMessageContext& MessageContext() const override { return context; }
    CInspectionView& InspectionPane() override { return pane; }
    void ShowInspectionPane() override {}
    QWidget* DialogParent() override { return nullptr; }
    CInspectionRunner& InspectionRunner() override { return runner; }
    void SetInspectionWorkerRunning(bool running) override { workerStates.push_back(running); }
    DecisionTableSessionChoices& DecisionTableChoices() override { return choices; }

    QTemporaryDir folder;
    CDocumentData data;
    CMessageContext context;
    CInspectionView pane;
    CInspectionRunner runner;
    std::vector<bool> workerStates;
    DecisionTableSessionChoices choices;
    int modified = 0;
    const CUnitFunction* active = nullptr;
    QStringList pasted;
    platform::ScriptedMessageSink messages;
};

template <typename Button> Button* FindButton(QWidget& dialog, const QString& text) {
    for (Button* button : dialog.findChildren<Button*>()) {
        if (button->text() == text)
            return button;
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

TEST(GeneratorDialogsTest, DecisionTableDialogStartsFromTheDefaultsAndWritesTheTable) {
    SKIP_WITHOUT_JAPANESE_FONT(); // the radio buttons are clicked where their Japanese captions are drawn
    TestHost host;
    CDecisionTblMakeDlg dialog(host);
    dialog.show();
    EXPECT_EQ(dialog.FileNameEdit()->text(), host.folder.filePath(QStringLiteral("design 決定表.csv")));
    EXPECT_TRUE(FindButton<QRadioButton>(dialog, QStringLiteral("すべての単位機能"))->isChecked());
    EXPECT_EQ(dialog.SampleIndex(), 1);
    QTest::mouseClick(FindButton<QRadioButton>(dialog, QStringLiteral("列")), Qt::LeftButton);
    QTest::mouseClick(FindButton<QRadioButton>(dialog, QStringLiteral("末尾")), Qt::LeftButton);
    EXPECT_EQ(dialog.SampleIndex(), 4);
    QTest::mouseClick(FindButton<QRadioButton>(dialog, QStringLiteral("前件の文字コード順")), Qt::LeftButton);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(host.data.TestTable.IsIdRow, 0);
    EXPECT_EQ(host.data.TestTable.IsDoFirst, 0);
    EXPECT_EQ(host.choices.antecedentsByCharacterCode, 1);
    EXPECT_EQ(host.modified, 1);
    EXPECT_FALSE(ReadFileBytes(host.folder.filePath(QStringLiteral("design 決定表.csv"))).isEmpty());
    // Made on the worker, which held the document meanwhile.
    EXPECT_EQ(host.workerStates, (std::vector<bool>{true, false}));
}

TEST(GeneratorDialogsTest, CommentSourceOkFollowsTheTemplateAsItIsTyped) {
    TestHost host;
    COutputSourceCodeWindow dialog(host);
    EXPECT_EQ(dialog.FileNameEdit()->text(), host.folder.filePath(QStringLiteral("design.c")));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.TemplateEdit()->setPlainText(QStringLiteral("<n;"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.TemplateEdit()->setPlainText(QStringLiteral("<n><N>"));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(host.data.environment.outputSourceCodeFormat, QStringLiteral("<n><N>"));
}

TEST(GeneratorDialogsTest, ProcessNamesAreEditedInTheListAndCutTo64Characters) {
    TestHost host;
    CFlowchartPage dialog(host);
    ASSERT_EQ(dialog.ProcessList()->count(), 16);
    EXPECT_EQ(dialog.ProcessList()->item(0)->text(), QStringLiteral("工程 1: 課題検討"));
    EXPECT_TRUE(dialog.NameEdit()->isReadOnly());
    dialog.ProcessList()->setCurrentRow(9);
    QTest::keyClicks(dialog.NameEdit(), QString(70, 'p'));
    EXPECT_EQ(dialog.ProcessList()->item(9)->text(), QStringLiteral("工程10: ") + QString(64, 'p'));
    dialog.FileNameEdit()->setText(host.folder.filePath(QStringLiteral("process.csv")));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(host.data.FlowchartName[9], QString(64, 'p'));
}

} // namespace

namespace {

TEST(GeneratorDialogsTest, NaturalSentenceWordsAreEditedKindByKind) {
    CDocumentData data;
    data.SetDefaults();
    SetEnglishSentenceWords(data.naturalSentenceWords);
    data.naturalSentenceWords.NestUse = 1;
    CMessageContext context;
    context.m_language = 1;
    CNaturalSentencePage dialog(data.naturalSentenceWords, context);
    EXPECT_TRUE(dialog.WordEdit(0)->isEnabled());
    EXPECT_FALSE(dialog.WordEdit(1)->isEnabled());
    EXPECT_EQ(dialog.WordEdit(0)->text(), QStringLiteral(" is called"));
    dialog.KindList()->setCurrentRow(2);
    EXPECT_TRUE(dialog.WordEdit(3)->isEnabled());
    dialog.WordEdit(0)->setText(QStringLiteral("When "));
    dialog.KindList()->setCurrentRow(0);
    dialog.KindList()->setCurrentRow(2);
    EXPECT_EQ(dialog.WordEdit(0)->text(), QStringLiteral("When "));
    dialog.LanguageBox()->setCurrentIndex(1);
    dialog.OnAllDefault();
    EXPECT_EQ(dialog.WordEdit(0)->text(), QStringLiteral("もし"));
    // Nothing reaches the record before OK; then the words and the options kept in the boxes.
    EXPECT_EQ(data.naturalSentenceWords.BeginConditionalSequence, QStringLiteral("If "));
    dialog.accept();
    EXPECT_EQ(data.naturalSentenceWords.BeginConditionalSequence, QStringLiteral("もし"));
    EXPECT_EQ(data.naturalSentenceWords.FunctionCallPostfix, QStringLiteral("を行う"));
    EXPECT_EQ(data.naturalSentenceWords.NestUse, 1);
    EXPECT_EQ(data.naturalSentenceWords.language, 1);
}

// Runs the command and answers its modal dialog with `answer` once it shows.
void RunAnswered(const CCommandRegistry& registry, int id, std::function<void(QDialog&)> answer) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = true;
            answer(*dialog);
        }
    });
    registry.Dispatch(id);
    QApplication::processEvents();
    EXPECT_TRUE(shown);
}

TEST(GeneratorDialogsTest, NaturalSentenceCommandPutsTheActiveTabsSentencesAfterTheWordsDialog) {
    TestHost host;
    CCommandRegistry registry;
    AddGeneratorCommands(registry, host);
    ASSERT_NE(registry.Find(CommandNaturalSentences), nullptr);
    EXPECT_EQ(registry.Find(CommandNaturalSentences)->shortcut, QStringLiteral("Ctrl+Shift+N"));

    // Without a tab there is nothing to convert: no dialog either.
    registry.Dispatch(CommandNaturalSentences);
    EXPECT_TRUE(host.pasted.isEmpty());

    host.active = host.data.registry.origin;
    RunAnswered(registry, CommandNaturalSentences, [](QDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(host.pasted.isEmpty());
    EXPECT_EQ(host.modified, 0);

    RunAnswered(registry, CommandNaturalSentences, [](QDialog& dialog) {
        auto& page = dynamic_cast<CNaturalSentencePage&>(dialog);
        page.LanguageBox()->setCurrentIndex(0);
        page.OnAllDefault();
        page.accept();
    });
    EXPECT_EQ(host.pasted, QStringList{QStringLiteral("If <A>が{a} then <X>を{x}せよ.\n")});
    EXPECT_EQ(host.data.naturalSentenceWords.language, 0);
    EXPECT_EQ(host.modified, 1);

    // Lines that give no sentence leave the content alone.
    host.pasted.clear();
    host.data.registry.origin->logicLines.clear();
    RunAnswered(registry, CommandNaturalSentences, [](QDialog& dialog) { dialog.accept(); });
    EXPECT_TRUE(host.pasted.isEmpty());
}

TEST(GeneratorDialogsTest, RequirementItemsRefuseEmptyAndDuplicateItemsUntilTheUserAgrees) {
    TestHost host;
    CUnitFunction& origin = *host.data.registry.origin;
    origin.header.ownRequirements = {QStringLiteral("R2")};
    CChangeRequirementDialog dialog(host.data, origin, host.context);
    dialog.show();
    QTest::mouseClick(dialog.NewButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.ItemList()->currentRow(), 1);
    host.messages.Answer(platform::MessageAnswer::Cancel);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(origin.header.ownRequirements.size(), 1u);
    QTest::mouseClick(dialog.NewButton(), Qt::LeftButton);
    QTest::keyClicks(dialog.ItemEdit(), QStringLiteral("R1"));
    QTest::mouseClick(dialog.NewButton(), Qt::LeftButton);
    QTest::keyClicks(dialog.ItemEdit(), QStringLiteral("R1"));
    host.messages.Answer(platform::MessageAnswer::Ok); // empty items go
    host.messages.Answer(platform::MessageAnswer::Ok); // both R1 go, and the dialog stays for a look
    dialog.accept();
    EXPECT_EQ(dialog.ItemList()->count(), 1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(origin.header.ownRequirements, std::set<QString>({QStringLiteral("R2")}));
}

TEST(GeneratorDialogsTest, BrowseWithAnEmptyFileNameProposesTheDefaultName) {
    TestHost host;
    CDecisionTblMakeDlg table(host);
    CTestSpecificationsDlg draft(host);
    for (QDialog* dialog : {static_cast<QDialog*>(&table), static_cast<QDialog*>(&draft)}) {
        QLineEdit* edit = dialog == &table ? table.FileNameEdit() : draft.FileNameEdit();
        const QString defaultName = edit->text();
        ASSERT_TRUE(defaultName.endsWith(QStringLiteral(".csv"))) << defaultName.toStdString();
        edit->clear();
        QPushButton* browse = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == LoadString(StringId::BrowseButton))
                browse = button;
        ASSERT_NE(browse, nullptr);
        QString proposed;
        QTimer::singleShot(0, [&proposed] {
            if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                proposed = files->selectedFiles().value(0);
                files->reject();
            }
        });
        browse->click();
        EXPECT_EQ(QFileInfo(proposed).fileName(), QFileInfo(defaultName).fileName());
        EXPECT_TRUE(edit->text().isEmpty()); // cancelled: unchanged
    }
}

// Notes, for each message, whether a dialog still stood open over the window when it showed.
class OpenDialogNotingSink : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override {
        const QWidget* modal = QApplication::activeModalWidget();
        shown << request.text + (modal && modal->isVisible() ? QStringLiteral(" [over a dialog]") : QString());
        return request.DefaultAnswer();
    }
    QStringList shown;
    platform::MessageSinkInstaller installer{*this};
};

TEST(GeneratorDialogsTest, TheTestSpecificationDraftIsWrittenAndSaidOnceTheDialogHasClosed) {
    TestHost host;
    OpenDialogNotingSink messages;
    CCommandRegistry registry;
    AddGeneratorCommands(registry, host);
    const QString name = host.folder.filePath(QStringLiteral("draft"));
    QTimer::singleShot(0, [&name] {
        auto* dialog = qobject_cast<CTestSpecificationsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->FileNameEdit()->setText(name);
        dialog->accept();
    });
    ASSERT_TRUE(registry.Dispatch(CommandTestSpecification));
    EXPECT_EQ(host.data.testSpecificationOptions.FileName, name);
    EXPECT_EQ(host.modified, 1);
    EXPECT_FALSE(ReadFileBytes(name + QStringLiteral(".csv")).isEmpty());
    EXPECT_EQ(messages.shown,
              QStringList{QStringLiteral("ファイル \"%1.csv\" にテスト仕様原案をエクスポートしました。").arg(name)});
}

// The progress dialog open while the window's worker runs, once it shows a phase.
CCheckThreadDialog* ProgressShowingAPhase() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<CCheckThreadDialog*>(widget);
        if (progress && progress->isVisible() && !progress->findChild<QLabel*>()->text().isEmpty())
            return progress;
    }
    return nullptr;
}

TEST(GeneratorDialogsTest, TheDecisionTableIsMadeOnTheWorkerBehindItsProgressAndCancelWritesNothing) {
    TestHost host;
    // After its own lines the origin calls a chain whose unit functions call the next in both branches of an if:
    // 2^40 ways that no run walks to their end.
    std::vector<std::pair<CLogicLine*, QString>> pending;
    AppendScript(*host.data.registry.origin, QStringLiteral("Fn F1"), pending);
    for (int i = 1; i <= 40; ++i) {
        CUnitFunction* function =
            host.data.registry.CreateFunction(QStringLiteral("F%1").arg(i), host.data.GetModelOptions());
        CUnitFunction::AppendChild(host.data.registry.origin, function);
        function->name = QStringLiteral("F%1").arg(i);
        const QString call = i < 40 ? QStringLiteral("Fn F%1\n").arg(i + 1) : QString();
        AppendScript(*function, QStringLiteral("if <C>が{on}\n") + call + "else\n" + call + "endif", pending);
    }
    ResolveScriptFnLines(host.data.registry, pending);
    host.data.registry.RebuildAndNotify(host.data.indexRoot, host.data.GetModelOptions());
    OpenDialogNotingSink messages;
    CDecisionTblMakeDlg dialog(host);
    const QString name = host.folder.filePath(QStringLiteral("table"));
    dialog.FileNameEdit()->setText(name);

    // This thread takes events while the worker walks: the progress shows, and Cancel is pressed.
    QString title;
    QString phase;
    QString cancel;
    bool workerRunning = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CCheckThreadDialog* progress = ProgressShowingAPhase();
        if (!progress)
            return;
        poll.stop();
        title = progress->windowTitle();
        phase = progress->findChild<QLabel*>()->text();
        cancel = progress->findChild<QPushButton*>()->text();
        workerRunning = host.runner.IsWorkerRunning();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    poll.start(10);
    dialog.accept();
    EXPECT_EQ(title, "Making the decision table");
    EXPECT_EQ(phase, "Following the conditions and conclusions.");
    // The window's texts are all in the interface's language, its button's too.
    EXPECT_EQ(cancel, "Cancel");
    EXPECT_TRUE(workerRunning);
    EXPECT_EQ(host.workerStates, (std::vector<bool>{true, false}));
    // Cancelled: nothing written, said, and the dialog stays with its choices stored.
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(name + QStringLiteral(".csv")));
    EXPECT_EQ(messages.shown, QStringList{"Making the decision table was stopped. No file was written."});
    EXPECT_EQ(host.data.decisionTableOptions.FileName, name);
    EXPECT_EQ(ProgressShowingAPhase(), nullptr);
}

TEST(GeneratorDialogsTest, UniqueLabelDialogAssignsTheProposedNumber) {
    TestHost host;
    CFixedUniqueLabelClock clock(QDateTime::fromString(QStringLiteral("2024-03-05T07:08:09.012"), Qt::ISODateWithMs),
                                 540);
    CUnitFunction& origin = *host.data.registry.origin;
    CUniqueLabelDialog dialog(host.data, origin, clock);
    dialog.show();
    EXPECT_EQ(dialog.LabelEdit()->text(), QStringLiteral("001"));
    EXPECT_TRUE(dialog.LabelEdit()->isReadOnly());
    QTest::mouseClick(dialog.AssignButton(), Qt::LeftButton);
    EXPECT_EQ(origin.header.uniqueLabel, QStringLiteral("001"));
    EXPECT_FALSE(dialog.AssignButton()->isEnabled());

    // Adding and removing discontinued labels touch the list alone: the label stays assigned, "割り当て" disabled.
    platform::ScriptedMessageSink messages;
    QTest::keyClicks(dialog.DiscontinuedEdit(), QStringLiteral("old"));
    ASSERT_TRUE(dialog.AddButton()->isEnabled());
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.DiscontinuedList()->currentItem()->text(), QStringLiteral("old"));
    EXPECT_TRUE(dialog.RemoveButton()->isEnabled());
    EXPECT_FALSE(dialog.AssignButton()->isEnabled());
    EXPECT_EQ(dialog.LabelEdit()->text(), QStringLiteral("001"));
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.DiscontinuedList()->count(), 0);
    EXPECT_FALSE(dialog.AssignButton()->isEnabled());
    EXPECT_TRUE(messages.Requests().isEmpty());
}

// A label replaced by "割り当て" joins the discontinued list in its sorted place, selected, ready to be removed.
TEST(GeneratorDialogsTest, AReplacedLabelStandsSelectedInTheDiscontinuedList) {
    TestHost host;
    host.data.notUseUniqueLabels = {QStringLiteral("a"), QStringLiteral("c")};
    CUnitFunction& origin = *host.data.registry.origin;
    origin.header.uniqueLabel = QStringLiteral("b");
    CFixedUniqueLabelClock clock(QDateTime::currentDateTime(), 0);
    CUniqueLabelDialog dialog(host.data, origin, clock);
    dialog.show();
    platform::ScriptedMessageSink messages;
    messages.Answer(platform::MessageAnswer::Ok);
    dialog.findChildren<QRadioButton*>().at(0)->click();
    QTest::mouseClick(dialog.AssignButton(), Qt::LeftButton);
    EXPECT_EQ(origin.header.uniqueLabel, QStringLiteral("001"));
    QListWidget* list = dialog.DiscontinuedList();
    ASSERT_EQ(list->count(), 3);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("b"));
    EXPECT_TRUE(list->currentItem()->isSelected());
    EXPECT_TRUE(dialog.RemoveButton()->isEnabled());
}

TEST(GeneratorDialogsTest, UniqueLabelRemovalSelectsTheEntryNowAtItsIndex) {
    TestHost host;
    host.data.notUseUniqueLabels = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    CFixedUniqueLabelClock clock(QDateTime::currentDateTime(), 0);
    CUniqueLabelDialog dialog(host.data, *host.data.registry.origin, clock);
    dialog.show();
    QListWidget* list = dialog.DiscontinuedList();
    EXPECT_FALSE(dialog.RemoveButton()->isEnabled());
    // Tabbed into, the list makes its first entry current without selecting it: nothing is offered for removal.
    dialog_checks::TabInto(*list);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_FALSE(dialog.RemoveButton()->isEnabled());
    list->setCurrentRow(1);
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("c"));
    EXPECT_TRUE(dialog.RemoveButton()->isEnabled());
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(dialog.RemoveButton()->isEnabled());
    dialog.reject();
    EXPECT_EQ(host.data.notUseUniqueLabels.size(), 3u);
}

TEST(GeneratorDialogsTest, EveryGeneratorDialogWithATextIsWalkedInReadingOrder) {
    TestHost host;
    CUnitFunction& origin = *host.data.registry.origin;
    {
        CDecisionTblMakeDlg dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CFlowchartPage dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CNaturalSentencePage dialog(host.data.naturalSentenceWords, host.context);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        COutputSourceCodeWindow dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CTestSpecificationsDlg dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CTraceabilityPage dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        origin.header.ownRequirements = {QStringLiteral("R1")};
        CChangeRequirementDialog dialog(host.data, origin, host.context);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CFixedUniqueLabelClock clock(QDateTime::currentDateTime(), 0);
        CUniqueLabelDialog dialog(host.data, origin, clock);
        dialog_checks::ExpectReadingOrder(dialog);
    }
}

} // namespace
