#pragma once

#include "app/ApplicationShell.h"
#include "app/NUVApp.h"
#include "interchange/ImportProgress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <vector>

// Stands in for the windows: records what the application object asks of them. Its progress can ask
// to stop, run out of memory and deliver another instance's close request in the middle of the walk.
class FakeShell : public CApplicationShell {
public:
    struct Progress : CImportProgress {
        explicit Progress(FakeShell& shell) : m_shell(shell) {}
        void SetRange(int total) override { m_shell.total = total; }
        void SetPos(int position) override {
            if (position == 2 && m_shell.closeRequestDuringWalk)
                m_shell.app->OnCloseRequested();
            if (position == m_shell.cancelAt)
                m_cancelled = true;
            if (position == m_shell.outOfMemoryAt)
                throw std::bad_alloc();
        }
        bool IsCancelled() const override { return m_cancelled; }
        void ShowFinished() override { ++m_shell.finishedShown; }

        FakeShell& m_shell;
        bool m_cancelled = false;
    };

    bool CreateMainWindow(CNUVApp& created) override {
        app = &created;
        if (whileCreatingMainWindow)
            whileCreatingMainWindow();
        return true;
    }
    quint32 MainWindowHandle() const override { return 0; }
    void UpdateFrameTitle(const QString& documentName) override { title = documentName; }
    void PostCloseToMainWindow() override {
        ++closesPosted;
        closePostedWhileConverting |= app && app->Document().IsConverting();
    }
    void CloseMainWindow() override {
        ++mainWindowCloses;
        if (whileMainWindowCloses)
            whileMainWindowCloses();
    }
    void ReleaseKeyboardFocus() override { ++focusReleases; }
    void CommitPendingEdits(bool) override {
        ++commits;
        pendingEdits = false;
        if (whileCommitting)
            whileCommitting();
    }
    bool HasPendingEdits() const override { return pendingEdits; }
    QStringList InstalledFontFaces() const override { return installedFonts; }
    void PostCloseToInstance(quint32 processId) override { instancesClosed.push_back(processId); }
    void ActivateInstance(quint32 processId) override { activated.push_back(processId); }
    void StartInstance(const QStringList& arguments) override { started.push_back(arguments); }
    std::unique_ptr<CImportProgress> CreateImportProgress() override { return std::make_unique<Progress>(*this); }
    void SetWaitCursor(bool) override {}
    QString PromptSaveFileName(const QString& proposedName, bool) override {
        proposedNames << proposedName;
        return savePath;
    }
    std::optional<VersionHistoryEntry> AskVersionEntry(int major, int minor) override {
        askedVersions << QStringLiteral("%1.%2").arg(major).arg(minor);
        if (whileVersionAsked)
            whileVersionAsked();
        return versionEntry;
    }
    void SetAutoSaveTimer(int milliseconds) override { autoSaveInterval = milliseconds; }
    QString PromptOpenFileName(const QString& title, const QString& startPath) override {
        openPromptTitle = title;
        openPromptStart = startPath;
        return openPath;
    }
    void SetReadOnlyWatchTimer(int milliseconds) override { watchInterval = milliseconds; }
    QString PromptExportFileName(const QString& proposedName, const QString& filter,
                                 const QString& extension) override {
        exportPrompts << QStringList({proposedName, filter, extension});
        return savePath;
    }
    int ChooseDocTemplate(const QStringList& names) override {
        offeredTemplates.push_back(names);
        return chosenTemplate;
    }
    QString PromptMapFileName() override { return mapPath; }
    void RelayoutOpenTabs() override { ++tabRelayouts; }
    void ApplyResultsTextFormat() override { ++resultsFormats; }
    void StoreIndexViewState(IndexViewInfo& info) override {
        if (indexViewState)
            info = *indexViewState;
    }
    void RestoreIndexViewState(const IndexViewInfo& info) override { restoredIndexViewStates.push_back(info); }
    void SelectTreeItem(CAbstractIndexItem& item) override { treeSelections.push_back(&item); }
    void EnsureTreeItemVisible(CAbstractIndexItem& item) override { treeScrolls.push_back(&item); }

    CNUVApp* app = nullptr; // the application whose main window was created
    bool closeRequestDuringWalk = false;
    int cancelAt = -1;
    int outOfMemoryAt = -1; // where memory runs out in the walk
    int total = 0;
    int finishedShown = 0;
    int closesPosted = 0;
    int mainWindowCloses = 0;
    int tabRelayouts = 0;
    int resultsFormats = 0;
    std::optional<IndexViewInfo> indexViewState; // where the index views stand; none: they leave the document's
    std::vector<IndexViewInfo> restoredIndexViewStates;
    std::vector<CAbstractIndexItem*> treeSelections; // the items the tree selected, then scrolled to
    std::vector<CAbstractIndexItem*> treeScrolls;
    QStringList installedFonts; // what the font system lists, read when the application is made
    bool closePostedWhileConverting = false;
    std::vector<quint32> instancesClosed;
    QString title;
    QString savePath; // what the save prompt answers; empty cancels
    QStringList proposedNames;
    std::optional<VersionHistoryEntry> versionEntry; // what the version dialog answers
    QStringList askedVersions;
    std::function<void()> whileVersionAsked;
    // Runs while the main window is made: the process is registered, without a window yet.
    std::function<void()> whileCreatingMainWindow;
    std::function<void()> whileMainWindowCloses;
    // Runs where the editors would commit what is being typed (and ask about a blank Fn line).
    std::function<void()> whileCommitting;
    // An editor holds an edit that no commit has taken yet.
    bool pendingEdits = false;
    int commits = 0;
    int focusReleases = 0;
    int autoSaveInterval = 0;
    std::vector<quint32> activated;
    std::vector<QStringList> started; // arguments of the processes started
    QString openPath;                 // what the open prompt answers; empty cancels
    QString openPromptTitle;
    QString openPromptStart;
    int watchInterval = 0;
    QList<QStringList> exportPrompts;          // proposed name, filter, extension
    std::vector<QStringList> offeredTemplates; // the names each template chooser offered
    int chosenTemplate = -1;                   // what the chooser answers; -1 cancels
    QString mapPath;                           // what the map prompt answers; empty cancels
};
