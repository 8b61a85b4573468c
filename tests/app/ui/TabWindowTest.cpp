#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/MainFrame.h"
#include "app/ui/WidgetShell.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include "support/QStringPrinter.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The editor's own windows over a copy of the sample document, with one tab open on a child of the origin.
class TabWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath("cache")));
        ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", m_dir.filePath("layout.nuv")));
        m_app = std::make_unique<CNUVApp>(m_shell);
        ASSERT_TRUE(m_app->InitEditorInstance({"nuv", m_dir.filePath("layout.nuv")}));
        m_shell.ShowMainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
        CUnitFunction* origin = Data().registry.origin;
        ASSERT_FALSE(origin->children.empty());
        m_function = origin->children.back();
        m_app->Tabs().OpenFunctionTab(m_function);
        ASSERT_NE(Window(), nullptr);
    }
    void TearDown() override {
        m_app->Document().SetModified(false);
        m_shell.DestroyMainWindow();
        m_app.reset();
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }
    CMainFrame* Frame() const { return m_shell.MainFrame(); }
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

    QTemporaryDir m_dir;
    CWidgetShell m_shell{false, m_dir.path()};
    std::unique_ptr<CNUVApp> m_app;
    CUnitFunction* m_function = nullptr;
};

} // namespace

TEST_F(TabWindow, TheTabReadsTheOutlineNumberAndNameAndFollowsEveryChange) {
    EXPECT_EQ(TabText(), Number() + " " + m_function->name.left(16));

    // Renamed in the header form.
    QLineEdit& name = Window()->HeaderForm()->NameBox();
    name.setFocus();
    name.setText(QStringLiteral("A name longer than sixteen characters"));
    emit name.editingFinished();
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
