#pragma once

#include "app/ApplicationShell.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CMainFrame;
namespace platform {
class InstanceChannel;
}

// The windowing side of the application object: the real main window, the progress dialog (or, without
// a display, progress on standard error) and the local socket that other instances reach us through.
class CWidgetShell : public CApplicationShell {
public:
    CWidgetShell(bool headless, const QString& runtimeDirectory);
    ~CWidgetShell() override;

    bool CreateMainWindow(CNUVApp& app) override;
    quint32 MainWindowHandle() const override;
    void UpdateFrameTitle(const QString& documentName) override;
    void DocumentReplaced() override;
    void PostCloseToMainWindow() override;
    void EndDialogsUntilClose() override;
    void CloseMainWindow() override;
    void PostCloseToInstance(quint32 processId) override;
    void ActivateInstance(quint32 processId) override;
    std::unique_ptr<CImportProgress> CreateImportProgress() override;
    QStringList InstalledFontFaces() const override;
    void SetWaitCursor(bool wait) override;
    QString PromptSaveFileName(const QString& proposedName, bool copy) override;
    // The version dialog; without a display its proposal is taken as given.
    std::optional<VersionHistoryEntry> AskVersionEntry(int major, int minor) override;
    QString PromptOpenFileName(const QString& title, const QString& startPath) override;
    QString PromptExportFileName(const QString& proposedName, const QString& filter, const QString& extension) override;
    int ChooseDocTemplate(const QStringList& names) override;
    QString PromptMapFileName() override;
    void SetAutoSaveTimer(int milliseconds) override;
    void SetReadOnlyWatchTimer(int milliseconds) override;
    void ReleaseKeyboardFocus() override;
    void RestoreKeyboardFocus() override;
    void CommitPendingEdits(bool closing) override;
    bool HasPendingEdits() const override;
    void RestoreZoom(int zoom) override;
    // The name and move prompts of the table of contents.
    bool PromptFunctionName(QString& name, bool isolated) override;
    void RunMoveDialog(CAbstractIndexItem& item) override;
    void StoreIndexViewState(IndexViewInfo& info) override;
    void RestoreIndexViewState(const IndexViewInfo& info) override;
    void SelectTreeItem(CAbstractIndexItem& item) override;
    void EnsureTreeItemVisible(CAbstractIndexItem& item) override;
    void RelayoutOpenTabs() override;
    void ApplyResultsTextFormat() override;

    // The editor shows the main window; the converter keeps it hidden.
    void ShowMainWindow();
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // The window shows the application's tabs: it goes before the application object does.
    void DestroyMainWindow();
    // Other instances can no longer reach this one: its socket goes.
    void StopListening();

private:
    // The posted close: once no dialog runs over the window and its event loop is the window's own.
    void CloseOnceNoDialogRuns();
    // Ends what opens over the window until a close is posted.
    void EndDialogsWhileCloseWaits();

    bool m_bHeadless;
    // The level of the window's event loop: the program runs it after making the shell. A deeper one is a dialog's.
    const int m_windowLoopLevel;
    CNUVApp* m_pApp = nullptr;
    std::unique_ptr<platform::InstanceChannel> m_channel;
    std::unique_ptr<CMainFrame> m_mainFrame;
    bool m_bListening = false;
    bool m_bClosePosted = false;
    bool m_bCloseWaits = false;
    QPointer<QWidget> m_focusBeforeRelease;
};
