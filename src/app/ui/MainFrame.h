#pragma once

#include "app/MainFrameCommands.h"
#include "app/TabArea.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/JumpHandler.h"

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
// close path and ends the event loop. The messages pane shows the window's result pane, whose jumps it answers.
class CMainFrame : public QMainWindow, public CTabArea, private CJumpHandler {
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
    CInspectionView& InspectionPane() { return m_inspectionPane; }

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
    // Runs the whole inspection of the command on the worker, the commands greyed and auto-save held meanwhile.
    void RunWholeInspection(int command);
    void OpenConditionConclusionList();
    // All items on the active tab's unit function, and the reason check, both on this thread.
    void OnInspectCurrentUnitFunction();
    void OnReasonCheck();

    // Jumps from the result pane. The tab shows no editor yet: a line or field to go to is not shown.
    bool OpenFunction(qint32 internalId) override;
    void GoToLogicLine(qint32) override {}
    void FocusHeaderField(qint32) override {}
    void SelectExplanation(qint32, qint32) override {}
    void OfferIntraMemberConsistencyRule(const QString&, const QString&, const QString&) override {}

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
    // The runner goes first, so that a run still going has ended before its pane does.
    CInspectionView m_inspectionPane;
    CInspectionRunner m_inspectionRunner;
};
