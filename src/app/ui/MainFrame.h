#pragma once

#include "app/MainFrameCommands.h"
#include "app/TabArea.h"

#include <QMainWindow>
#include <QTimer>

#include <map>

class CNUVApp;
class QAction;
class QDockWidget;
class QMenu;
class QTabWidget;
class QToolBar;

// The main window of the application: menu bar, toolbars and docked panes built from the command tables, and
// the tab area that shows the application's tabs. The converter keeps it hidden; closing it runs the document's
// close path and ends the event loop.
class CMainFrame : public QMainWindow, public CTabArea {
    Q_OBJECT
public:
    explicit CMainFrame(CNUVApp& app);
    ~CMainFrame() override;

    // "NUV FreeMind Map file converter", then " - " and the document name when there is one.
    void OnUpdateFrameTitle(const QString& documentName);
    // Runs the command `id` as its menu item or button would.
    void OnCommand(int id);
    // Enables and marks every command as its update rule says; the menu bar follows whether a document is open.
    void UpdateCommands();
    // Restores a minimised window and brings it to the front, when it shows at all.
    void Activate();
    // The timers that call the application's auto-save and read-only watch; 0 stops them.
    void SetAutoSaveTimer(int milliseconds);
    void SetReadOnlyWatchTimer(int milliseconds);
    // The running timer's interval; 0 while it is stopped.
    int AutoSaveInterval() const { return m_autoSaveTimer.isActive() ? m_autoSaveTimer.interval() : 0; }

    void CreateTabWindow(CNUVDoc& document) override;
    void ActivateTabWindow(CNUVDoc& document) override;
    void DestroyTabWindow(CNUVDoc& document) override;

    QAction* CommandAction(int id) const;
    QDockWidget* Pane(int id) const;
    QTabWidget* TabArea() const { return m_tabArea; }
    QToolBar* StandardToolBar() const { return m_standardToolBar; }
    QToolBar* NavigationToolBar() const { return m_navigationToolBar; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateToolBars();
    void CreatePanes();
    void RebuildMenuBar(bool documentOpen);
    QMenu* CreateMenu(const QString& caption, const std::vector<MainFrameCommand::MenuEntry>& entries);
    // Rewrites the captions of a popup in the current language before it shows.
    void LocalizePopup(QMenu* menu, const std::vector<MainFrameCommand::MenuEntry>& entries);
    void ShowPane(int id);
    // Refills a recent-file or history list that follows the separator `anchor` in its menu.
    void FillRecentFiles(QMenu* menu, QAction* anchor);
    void FillHistory(QMenu* menu, QAction* anchor);
    void ReplaceListActions(QMenu* menu, QAction* anchor, const QList<QAction*>& actions);
    CNUVDoc* TabDocument(int index) const;

    CNUVApp& m_app;
    int m_nApplicationLook = MainFrameCommand::DefaultApplicationLook;
    bool m_bMenuForDocument = false;
    std::map<int, QAction*> m_actions;
    std::map<int, QDockWidget*> m_panes;
    QTabWidget* m_tabArea = nullptr;
    // The tab windows by document; while the application changes the tabs their signals are not reported back.
    std::map<CNUVDoc*, QWidget*> m_tabWindows;
    bool m_bChangingTabs = false;
    QTimer m_autoSaveTimer;
    QTimer m_readOnlyWatchTimer;
    QToolBar* m_standardToolBar = nullptr;
    QToolBar* m_navigationToolBar = nullptr;
};
