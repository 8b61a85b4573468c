#include "interchange/VersionManager.h"
#include "interchange/ui/DlgFileAdd.h"
#include "interchange/ui/ExportContentDialog.h"
#include "interchange/ui/FileControl.h"
#include "interchange/ui/ShowDifferenceDialog.h"
#include "interchange/ui/VersionCommands.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TestHost : public CVersionCommandHost {
public:
    TestHost() {
        path = SaveScriptDocument(folder.filePath(QStringLiteral("doc.nuv")),
                                  {{"origin", "Fn step"}, {"step", "Do <A>を{a}せよ\nDo <B>を{b}せよ"}});
        EXPECT_EQ(tools::LoadDocument(path, data), LoadResult::Loaded);
        context.m_language = 1;
    }
    CDocumentData& VersionedDocument() override { return data; }
    QString VersionedDocumentPath() const override { return path; }
    void SetVersionedDocumentModified() override { ++modified; }
    // Refuses as the main window does, with the refusal as a message.
    bool SaveNewVersion() override {
        QString refusal;
        if (!CVersionManager::CanStoreVersion(data, &refusal)) {
            platform::ShowMessageBox(refusal, platform::MessageButtons::Ok, platform::MessageIcon::Error);
            return false;
        }
        ++saves;
        return SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, saves, "2026/12/07 10:00:00", "me", ""});
    }
    void OpenStoredVersion(int number) override { opened.push_back(number); }
    const CMessageContext& MessageContext() const override { return context; }
    CInspectionView& InspectionPane() override { return pane; }
    void ShowInspectionPane() override { ++paneShown; }
    QWidget* DialogParent() override { return nullptr; }

    QTemporaryDir folder;
    QString path;
    CDocumentData data;
    CMessageContext context;
    CInspectionView pane;
    int modified = 0;
    int saves = 0;
    int paneShown = 0;
    std::vector<int> opened;
    platform::ScriptedMessageSink messages;
};

TEST(VersionDialogs, TheVersionListStoresTenRefusesTheEleventhAndRemovesTheChosenOne) {
    TestHost host;
    CFileControl dialog(host);
    dialog.show();
    for (int i = 0; i < CDocumentData::MaxStoredVersions; ++i)
        QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(host.saves, 10);
    ASSERT_EQ(dialog.VersionList()->rowCount(), 10);
    EXPECT_EQ(dialog.VersionList()->item(2, 0)->text(), " 1.03");
    EXPECT_FALSE(dialog.RemoveButton()->isEnabled());

    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(host.saves, 10);
    ASSERT_EQ(host.messages.Texts().size(), 1);
    EXPECT_TRUE(host.messages.Texts()[0].startsWith("版の管理で保存できる数は最大10個までです。"));

    dialog.VersionList()->selectRow(2);
    ASSERT_TRUE(dialog.RemoveButton()->isEnabled());
    host.messages.Answer(platform::MessageAnswer::No);
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(host.data.versionHistory.size(), 10u);
    dialog.VersionList()->selectRow(2);
    host.messages.Answer(platform::MessageAnswer::Yes);
    QTest::mouseClick(dialog.RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(host.messages.Texts().last(), "Do you want to delete the version \"1.03\"?");
    ASSERT_EQ(dialog.VersionList()->rowCount(), 9);
    EXPECT_EQ(dialog.VersionList()->item(2, 0)->text(), " 1.04");
    EXPECT_EQ(host.modified, 1);
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.VersionList()->rowCount(), 10);
}

TEST(VersionDialogs, TheVersionListSetsTheVersionOptionsAndOpensTheChosenVersion) {
    TestHost host;
    CFileControl dialog(host);
    dialog.show();
    EXPECT_FALSE(dialog.AutoVersionBox()->isChecked());
    QTest::keyClick(dialog.AutoVersionBox(), Qt::Key_Space);
    QTest::keyClick(dialog.UpdateMinorBox(), Qt::Key_Space);
    EXPECT_EQ(host.data.VersionControlTable, (VersionControlSettings{1, 0, 1}));
    EXPECT_EQ(host.modified, 2);

    EXPECT_FALSE(dialog.OpenButton()->isEnabled());
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    dialog.VersionList()->selectRow(1);
    ASSERT_TRUE(dialog.OpenButton()->isEnabled());
    QTest::mouseClick(dialog.OpenButton(), Qt::LeftButton);
    EXPECT_EQ(host.opened, std::vector<int>{host.data.versionHistory[1].number});
    // A version is opened from the document's file: a document without one opens none.
    host.path.clear();
    dialog.VersionList()->selectRow(0);
    EXPECT_FALSE(dialog.OpenButton()->isEnabled());
}

TEST(VersionDialogs, TwoStoredVersionsAreComparedWhenTheWorkingDataIsNot) {
    TestHost host;
    ASSERT_TRUE(host.SaveNewVersion());
    CUnitFunction* step = host.data.registry.FindByName("step");
    step->logicLines.pop_back();
    ASSERT_TRUE(host.SaveNewVersion());
    step->logicLines.clear();

    CShowDifferenceDialog dialog(host);
    ASSERT_EQ(dialog.NewerVersionBox()->count(), 2);
    EXPECT_FALSE(dialog.NewerVersionBox()->isEnabled());
    dialog.VersionBox()->setCurrentIndex(0);
    QTest::keyClick(dialog.WorkingDataBox(), Qt::Key_Space);
    ASSERT_TRUE(dialog.NewerVersionBox()->isEnabled());
    dialog.NewerVersionBox()->setCurrentIndex(1);
    dialog.accept();
    EXPECT_EQ(host.pane.Lines(),
              (QStringList{"[1] The unit function \"step\" was changed.", "[1 Line 2] Deleted: Do<B>を{b}せよ",
                           "Unit functions added: 0, deleted: 0, changed: 1."}));
}

TEST(VersionDialogs, TheComparisonWithAStoredVersionFillsTheResultPaneAndAnUnreadableFileIsSaid) {
    TestHost host;
    ASSERT_TRUE(host.SaveNewVersion());
    CUnitFunction* step = host.data.registry.FindByName("step");
    step->logicLines.pop_back();

    CShowDifferenceDialog dialog(host);
    dialog.FileEdit()->setText(host.folder.filePath("missing.nuv"));
    dialog.accept();
    EXPECT_EQ(host.messages.Texts().value(0),
              QStringLiteral("The file \"%1\" could not be read.").arg(host.folder.filePath("missing.nuv")));
    EXPECT_EQ(host.paneShown, 0);

    dialog.FileEdit()->clear();
    ASSERT_EQ(dialog.VersionBox()->count(), 1);
    dialog.accept();
    EXPECT_EQ(host.paneShown, 1);
    EXPECT_EQ(host.pane.Lines(),
              (QStringList{"[1] The unit function \"step\" was changed.", "[1 Line 2] Deleted: Do<B>を{b}せよ",
                           "Unit functions added: 0, deleted: 0, changed: 1."}));
    EXPECT_EQ(host.pane.GetLineRecord(0)->internalId, static_cast<qint32>(step->InternalID));
}

TEST(VersionDialogs, TheMergeAddsBelowTheChosenDestinationAndSaysWhatItRenumberedAndWhichLabelsItDropped) {
    TestHost host;
    CUnitFunction* step = host.data.registry.FindByName("step");
    step->header.uniqueLabel = "S1";
    ASSERT_TRUE(tools::SaveDocument(host.data, host.path, false));
    CDlgFileAdd dialog(host);
    ASSERT_EQ(dialog.DestinationBox()->count(), 2);
    EXPECT_EQ(dialog.DestinationBox()->itemText(1), "1 step");
    dialog.DestinationBox()->setCurrentIndex(1);
    dialog.FileEdit()->setText(host.path);
    // The report is in the interface's language, every line of it.
    SetTextLanguage(1);
    dialog.accept();
    SetTextLanguage(0);
    EXPECT_EQ(
        host.messages.Texts(),
        QStringList{"2 個の単位機能を結合しました。\n2 個の単位機能は内部IDが重なったため、新しい内部IDを付けました。\n"
                    "1 個の単位機能はユニークラベルが既に使われているため、ユニークラベルなしで結合しました。"});
    EXPECT_EQ(host.data.registry.Count(), 4);
    EXPECT_EQ(step->children[0]->children[0]->header.uniqueLabel, "");
    ASSERT_EQ(step->children.size(), 1u);
    EXPECT_EQ(step->children[0]->name, "origin");
    EXPECT_EQ(host.modified, 1);
}

// Names and authors of any length: the dialogs that list them open within the screen.
TEST(VersionDialogs, LongNamesKeepTheDialogsWithinTheScreen) {
    TestHost host;
    host.data.registry.FindByName("step")->name = QString(160, QChar(u'長'));
    StoredVersion version;
    version.label = " 1.01";
    version.author = QString(160, QChar(u'名'));
    host.data.versionHistory.push_back(version);
    {
        CDlgFileAdd dialog(host);
        dialog_checks::ExpectWithinScreen(dialog);
    }
    {
        CShowDifferenceDialog dialog(host);
        dialog_checks::ExpectWithinScreen(dialog);
    }
    // The merge's destinations show a name as the views do, cut with "…"; the entry still names its unit function.
    CUnitFunction* step = host.data.registry.FindByName(QString(160, QChar(u'長')));
    step->name = QString(200000, QChar(u'長'));
    CDlgFileAdd dialog(host);
    const QString entry = dialog.DestinationBox()->itemText(1);
    EXPECT_LE(entry.size(), 1100);
    EXPECT_TRUE(entry.endsWith(QChar(0x2026)));
    ASSERT_TRUE(tools::SaveDocument(host.data, host.path, false));
    dialog.DestinationBox()->setCurrentIndex(1);
    dialog.FileEdit()->setText(host.path);
    dialog.accept();
    EXPECT_EQ(step->children.size(), 1u);
}

TEST(VersionDialogs, TheWorkItemCommandSaysThatNoConnectorExists) {
    TestHost host;
    CCommandRegistry registry;
    AddVersionCommands(registry, host);
    EXPECT_TRUE(registry.Dispatch(CommandConnectTeamFoundationServer));
    EXPECT_EQ(host.messages.Texts(),
              QStringList{"No work item can be added: there is no component that connects to Team Foundation Server."});
}

TEST(VersionDialogs, TheContentExportKeepsTheFileAndScopeOnlyOnOkAndAsksBeforeReplacingAFile) {
    QTemporaryDir folder;
    platform::ScriptedMessageSink messages;
    const CMessageContext context;
    ExportExplanationsOptions options;
    const QString path = folder.filePath(QStringLiteral("content.rtf"));
    {
        CExportContentDialog dialog(context, options, path);
        EXPECT_EQ(dialog.ScopeButtons()->checkedId(), 2);
        dialog.ScopeButtons()->button(1)->click();
        dialog.reject();
    }
    EXPECT_EQ(options, ExportExplanationsOptions());

    options.Domain = 7;
    CExportContentDialog dialog(context, options, QString());
    EXPECT_EQ(dialog.ScopeButtons()->checkedId(), 2);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.FileEdit()->setText(path);
    dialog.ScopeButtons()->button(0)->click();
    WriteFileBytes(path, "kept");
    messages.Answer(platform::MessageAnswer::No);
    dialog.accept();
    EXPECT_EQ(messages.Requests().size(), 1);
    EXPECT_TRUE(options.FileName.isEmpty());
    messages.Answer(platform::MessageAnswer::Yes);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(options.FileName, path);
    EXPECT_EQ(options.Domain, 0);
}

TEST(VersionDialogs, EveryDialogWithATextIsWalkedInReadingOrder) {
    TestHost host;
    {
        CDlgFileAdd dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CShowDifferenceDialog dialog(host);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        ExportExplanationsOptions options;
        CExportContentDialog dialog(host.context, options, QStringLiteral("content.rtf"));
        dialog_checks::ExpectReadingOrder(dialog);
    }
    // Tab leaves the version list for the options below it, however many versions it shows.
    ASSERT_TRUE(host.SaveNewVersion());
    ASSERT_TRUE(host.SaveNewVersion());
    CFileControl dialog(host);
    EXPECT_EQ(dialog_checks::CutColumnTitles(dialog), QStringList());
    dialog_checks::ExpectReadingOrder(dialog);
}

// The dialogs' own texts show in the interface's language, as their captions from the wording table do; the version
// list's column and buttons and the content export's title, file label and whole-document scope take their words from
// the message table.
TEST(VersionDialogs, TheDialogsShowTheirTextsInTheInterfacesLanguage) {
    TestHost host;
    const auto texts = dialog_checks::ShownTexts;
    for (const int language : {0, 1}) {
        SetTextLanguage(language);
        host.context.m_language = language;
        ExportExplanationsOptions options;
        CDlgFileAdd merge(host);
        CShowDifferenceDialog comparison(host);
        CExportContentDialog content(host.context, options, QStringLiteral("content.rtf"));
        CFileControl versions(host);
        const QStringList shown = texts(merge) + texts(comparison) + texts(content) + texts(versions);
        if (language == 1) {
            EXPECT_TRUE(shown.contains(QStringLiteral("参照"))) << shown.join('|').toStdString();
            EXPECT_TRUE(shown.contains(QStringLiteral("キャンセル"))) << shown.join('|').toStdString();
            EXPECT_EQ(versions.VersionList()->horizontalHeaderItem(0)->text(), "版");
            for (const char* word : {"開く", "削除", "閉じる"})
                EXPECT_TRUE(shown.contains(QString::fromUtf8(word))) << word << ": " << shown.join('|').toStdString();
            EXPECT_EQ(texts(content).mid(0, 1), QStringList{"機能内容欄"});
            for (const char* word : {"ファイル名", "すべての単位機能"})
                EXPECT_TRUE(texts(content).contains(QString::fromUtf8(word))) << word;
        } else {
            EXPECT_EQ(versions.VersionList()->horizontalHeaderItem(0)->text(), "Version");
            for (const char* word : {"Open", "Delete", "Close"})
                EXPECT_TRUE(shown.contains(QString::fromUtf8(word))) << word << ": " << shown.join('|').toStdString();
            EXPECT_EQ(texts(content).mid(0, 1), QStringList{"Explanation"});
            for (const char* word : {"File name", "All functions"})
                EXPECT_TRUE(texts(content).contains(QString::fromUtf8(word))) << word;
            EXPECT_EQ(dialog_checks::JapaneseTexts(shown), QStringList());
        }
    }
    SetTextLanguage(0);
}

} // namespace
