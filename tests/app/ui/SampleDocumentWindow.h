#pragma once

#include "app/NUVApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/WidgetShell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The editor's own windows over a copy of the sample document, opened for editing; the instance table, the
// per-user settings and the cache live in a temporary folder.
class SampleDocumentWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath("cache")));
        ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", Path()));
        m_app = std::make_unique<CNUVApp>(m_shell);
        ASSERT_TRUE(m_app->InitEditorInstance({"nuv", Path()}));
        m_shell.ShowMainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    }
    void TearDown() override {
        m_shell.DestroyMainWindow();
        m_app.reset();
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }
    QString Path() const { return m_dir.filePath("layout.nuv"); }
    CMainFrame* Frame() const { return m_shell.MainFrame(); }
    CNUVApp& App() { return *m_app; }

    QTemporaryDir m_dir;
    CWidgetShell m_shell{false, m_dir.path()};
    std::unique_ptr<CNUVApp> m_app;
};
