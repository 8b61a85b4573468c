#include "generators/ui/DecisionTblMakeDlg.h"
#include "generators/ui/FlowchartPage.h"
#include "generators/ui/GeneratorCommands.h"
#include "generators/ui/OutputSourceCodeWindow.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

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
    QString GeneratedDocumentPath() const override { return folder.filePath(QStringLiteral("spec.nuv")); }
    QString GeneratedDocumentName() const override { return QStringLiteral("spec.nuv"); }
    void SetGeneratedDocumentModified() override { ++modified; }
    const CUnitFunction* ActiveFunction() const override { return nullptr; }
    const CMessageContext& MessageContext() const override { return context; }
    CInspectionView& InspectionPane() override { return pane; }
    void ShowInspectionPane() override {}
    QWidget* DialogParent() override { return nullptr; }
    DecisionTableSessionChoices& DecisionTableChoices() override { return choices; }

    QTemporaryDir folder;
    CDocumentData data;
    CMessageContext context;
    CInspectionView pane;
    DecisionTableSessionChoices choices;
    int modified = 0;
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
    TestHost host;
    CDecisionTblMakeDlg dialog(host);
    dialog.show();
    EXPECT_EQ(dialog.FileNameEdit()->text(), host.folder.filePath(QStringLiteral("spec 決定表.csv")));
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
    EXPECT_FALSE(ReadFileBytes(host.folder.filePath(QStringLiteral("spec 決定表.csv"))).isEmpty());
}

TEST(GeneratorDialogsTest, CommentSourceOkFollowsTheTemplateAsItIsTyped) {
    TestHost host;
    COutputSourceCodeWindow dialog(host);
    EXPECT_EQ(dialog.FileNameEdit()->text(), host.folder.filePath(QStringLiteral("spec.c")));
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
