#pragma once

#include "app/DesktopOpener.h"
#include "app/MainFrameCommands.h"
#include "app/MainFrameMessages.h"
#include "app/ModelessDialogs.h"
#include "app/TabArea.h"
#include "app/ToolBarLayout.h"
#include "app/ui/FindReplaceDlg.h"
#include "editor/ui/ContentCommands.h"
#include "generators/ui/GeneratorCommands.h"
#include "interchange/ui/TreeExchangeCommands.h"
#include "interchange/ui/VersionCommands.h"
#include "logic/ConditionConclusionList.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/JumpHandler.h"
#include "logic/ui/InspectionCommands.h"
#include "model/ViewLayoutTables.h"
#include "platform/CommandRegistry.h"
#include "printing/ui/PrintCommands.h"
#include "search/ui/SearchCommands.h"
#include "settings/ui/SettingsHost.h"
#include "settings/ui/VocabularyCommands.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class CChildFrame;
class CNavigationPanes;
class CCustomizeDlg;
class CInspectionViewEdit;
class CNUVApp;
class COpenDocument;
class CPaneView;
class CZoomWindow;
class QAction;
class QDockWidget;
class QMenu;
class QPrinter;
class QTabWidget;
class QToolBar;

// The main window of the application: menu bar, toolbars and docked panes built from the command registry, and
// the tab area that shows the application's tabs. The converter keeps it hidden; closing it runs the document's
// close path and ends the event loop. The messages pane shows the window's result pane, whose jumps it answers.
// What only a shown window shows (the toolbars, the docked panes and the application's look) is made when the
// window first shows, or earlier when something asks for it; panes made late catch up with the document. So are
// the tab windows: until the window first shows, the tabs' changes are noted and made when it shows or when a
// tab window or the tab area is looked up.
class CMainFrame : public QMainWindow,
                   public CTabArea,
                   private CJumpHandler,
                   private CMainFrameTargets,
                   private CInspectionCommandHost,
                   private CContentCommandHost,
                   private CSearchCommandHost,
                   private CGeneratorCommandHost,
                   public CSettingsHost,
                   private CPrintCommandHost,
                   private CVocabularyCommandHost,
                   private CVersionCommandHost,
                   private CTreeExchangeCommandHost {
    Q_OBJECT
public:
    explicit CMainFrame(CNUVApp& app);
    ~CMainFrame() override;

    // "NUV FreeMind Map file converter", then " - " and the document name when there is one.
    void OnUpdateFrameTitle(const QString& documentName);
    // Runs the command `id` as its menu item or button would: its row's handler, or the active tab's document
    // for an id without a row.
    void OnCommand(int id);
    // The commands of the window, each subsystem's rows.
    const CCommandRegistry& Commands() const { return m_commands; }
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
    void TabsChanged() override;

    // Applies the look 210-218: the style and palette of the whole application, the mark on its item, and
    // the choice in the per-user settings.
    void OnApplicationLook(int id);
    int ApplicationLook() const { return m_nApplicationLook; }

    // The toolbars as the layout says: the program's two shown or hidden, the user's made with their buttons.
    void ApplyToolBarLayout();
    MainFrameCommand::CToolBarLayout& ToolBarLayout() { return m_toolBarLayout; }
    QToolBar* UserToolBar(int id);
    CCustomizeDlg* CustomizeDialog() const { return m_customizeDlg; }

    // The modeless dialogs made with the window: showing one (centred over the window) hides the others.
    CModelessDialogs& ModelessDialogs() { return m_modelessDialogs; }
    void ShowModelessDialog(CModelessDialog& dialog, QWidget& window);
    // Find (or with `replace` Replace) on the active tab's logic editor: the dialog open already is focused and
    // centred; else it is made, centred, the other modeless dialogs go, and the active tab's search starts at its
    // caret line.
    void ShowFindReplaceDialog(bool replace);
    CFindReplaceDlg* FindReplaceDialog(bool replace) const { return replace ? m_replaceDialog : m_findDialog; }
    // Moves the window so that it stands centred over this one, within the screen.
    void CenterOnMainFrame(QWidget& window) const;

    // Where the index views stand, for the document to store; a place given before the panes are made waits
    // for them.
    void StoreIndexViewState(IndexViewInfo& info) const;
    void RestoreIndexViewState(const IndexViewInfo& info);
    // The table of contents' tree selects the item as its current one, or scrolls it into view.
    void SelectTreeItem(const CAbstractIndexItem& item);
    void EnsureTreeItemVisible(const CAbstractIndexItem& item);

    // The views of the panes, told of a change of the document by UpdatePaneViews; null for none.
    void SetPaneView(int paneId, CPaneView* view);
    void UpdatePaneViews();
    // What the settings pages ask of the window: the structure diagram lays out again with its settings, the
    // notes pane takes the notes font, the result pane the results font, and the open document's file.
    void ApplyMemoCharFormat() override;
    void ApplyResultsTextFormat() override;
    QString SettingsDocumentPath() const override;
    // The tabs' logic editors take the application's text zoom.
    void UpdateAllDocumentViews();
    // Every tab commits what was typed and not yet committed in its logic editor, header boxes and content text
    // (before the document is saved or closed), whether or not the window has the focus; before a close, a blank Fn
    // line goes with its message.
    void CommitTabEdits(bool closing);
    // Whether a tab holds an edit not yet committed.
    bool HasPendingTabEdits() const;
    // Shows the Messages pane in front.
    void ShowInspectionPane() override;
    // Shows the docked pane `id` in front.
    void ShowPane(int id);
    // The windows dialog of the open tabs; the toolbar customisation, made once and kept.
    void OpenWindowsDialog();
    void OpenCustomizeDialog();
    void ShowZoomWindow();
    // The zoom window (not owned) that the zoom command shows and the document's zoom is applied to.
    void SetZoomWindow(CZoomWindow* window) { m_pZoomWindow = window; }
    void RestoreZoom(int zoom);
    // A print preview standing in the window: closing the window closes the preview first.
    void SetPrintPreview(QWidget* preview) { m_printPreview = preview; }

    // The tab window of a document; null for none.
    CChildFrame* TabWindow(const CNUVDoc& document) const;
    // The open tabs in the order the tab area shows them.
    std::vector<CNUVDoc*> TabsInOrder() const;

    // The command's item, with the picture its toolbar button gives it.
    QAction* CommandAction(int id);
    QDockWidget* Pane(int id);
    QTabWidget* TabArea() const {
        MakeNotedTabWindows();
        return m_tabArea;
    }
    QToolBar* StandardToolBar();
    QToolBar* NavigationToolBar();
    CInspectionView& InspectionPane() override { return m_inspectionPane; }
    // The requests of the tabs, dialogs and workers to the window.
    CMainFrameMessages& Messages() { return m_messages; }
    // A link pressed in a view, a line mark's file or a button's address: a document opens through the
    // application, any other file or address on the desktop; one that cannot be opened says so. True when
    // something was opened.
    bool OpenLink(const QString& link);
    // What opens a file or address on the desktop; false when it cannot. The desktop's opener program until
    // replaced.
    void SetDesktopOpener(std::function<bool(const QUrl&)> opener) { m_desktopOpener = std::move(opener); }

protected:
    // A modal dialog ending runs the update rules again: what it changed shows at once.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Documents dropped anywhere on the window that does not take them itself open as File Open opens them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public:
    // Makes the toolbars, the panes and the look before the window first shows.
    void setVisible(bool visible) override;

private:
    void CreateActions();
    // Each runs once, when first needed.
    void CreateToolBars();
    void CreatePanes();
    void LayOutToolBars();
    void CreateTabAreaMenu();
    void FillInstanceList(QMenu* menu);
    // After the user changed sizes all tabs share: the other tabs take them on.
    void ApplyPaneLayoutToAllTabs();
    void RebuildMenuBar(bool documentOpen);
    QMenu* CreateMenu(const QString& caption, const std::vector<MainFrameCommand::MenuEntry>& entries);
    // Rewrites the captions of a popup in the current language before it shows.
    void LocalizePopup(QMenu* menu, const std::vector<MainFrameCommand::MenuEntry>& entries);
    // Refills a recent-file or history list that follows the separator `anchor` in its menu.
    void FillRecentFiles(QMenu* menu, QAction* anchor);
    void FillHistory(QMenu* menu, QAction* anchor);
    void ReplaceListActions(QMenu* menu, QAction* anchor, const QList<QAction*>& actions);
    CNUVDoc* TabDocument(int index) const;
    void MakeTabWindow(CNUVDoc& document, CUnitFunction& function);
    // The tab window as made so far: null while its making is only noted.
    CChildFrame* MadeTabWindow(const CNUVDoc& document) const;
    void ShowTabWindow(CNUVDoc& document);
    // Of the tabs only the active one carries a close button.
    void ShowCloseButtonOnActiveTab();
    // Makes the tab changes noted before the window showed, in their order.
    void MakeNotedTabWindows() const;

    // What the inspection commands need of the window.
    const CDocumentData& InspectedDocument() const override;
    const CUnitFunction* ActiveFunction() const override;
    CConditionConclusionList::Choice& ConditionConclusionChoice() override { return m_conditionConclusionChoice; }
    const CMessageContext& MessageContext() const override;
    CInspectionRunner& InspectionRunner() override { return m_inspectionRunner; }
    // While the worker runs the commands are greyed and auto-save is held.
    void SetInspectionWorkerRunning(bool running) override;
    QWidget* DialogParent() override { return this; }
    // What the search commands need of the window beyond that.
    CDocumentData& SearchedDocument() override;
    void StartSearchWorker(std::function<bool()> job, bool mayChangeDocument) override {
        m_messages.PostStartWorker(std::move(job), mayChangeDocument);
    }
    void LineMarkSettingsChanged() override;
    bool EditObscureWordSettings() override { return m_vocabularyCommands.EditObscureWordSettings(); }

    // What the content export needs of the window.
    CDocumentData& ContentDocument() override;
    CUnitFunction* ContentExportFunction() override;
    QString PromptContentExportPath() override;
    // What the generator commands need of the window.
    CDocumentData& GeneratedDocument() override;
    QString GeneratedDocumentPath() const override;
    QString GeneratedDocumentName() const override;
    void SetGeneratedDocumentModified() override;
    void ReplaceActiveContentSelection(const QString& text) override;
    DecisionTableSessionChoices& DecisionTableChoices() override { return m_decisionTableChoices; }
    // What the print commands need of the window beyond that.
    CDocumentData& PrintedDocument() override { return GeneratedDocument(); }
    QPrinter& Printer() override;
    QString PrintedDocumentPath() const override { return GeneratedDocumentPath(); }
    void SetPrintSettingsModified() override { SetGeneratedDocumentModified(); }
    // What the settings sheet and its pages need of the window.
    CDocumentData& SettingsDocument() override;
    void SetSettingsDocumentModified() override;
    bool HasIndexViews() const override;
    void ReapplyIndexViewSettings() override;
    void UpdateIndexViews() override;
    void RefreshTabViews() override;
    void RefreshPaneViews() override { UpdatePaneViews(); }
    void RefreshAllViews() override;
    void RelayoutOpenTabs() override;
    void ApplyAutoSaveSetting() override;
    void ApplyTabLimit() override;
    void ApplyStructureDiagramSettings() override;
    // What the vocabulary commands need of the window beyond that.
    void RefreshAllTabViews() override { RefreshViewsAfterWorker(); }
    QString ActiveFunctionName() const override;
    void RegisterMemberNames(const QString& memberName) override { m_messages.PostRegisterMemberNames(memberName); }
    void PrefixUnregisteredMemberNames(const QString& prefix) override {
        m_messages.PostPrefixUnregisteredMemberNames(prefix);
    }
    void ShowModelessDialog(QDialog& dialog) override;
    void EditNameFontAtCaret() override;
    // What the version, comparison and merge commands need of the window.
    CDocumentData& VersionedDocument() override;
    QString VersionedDocumentPath() const override;
    void SetVersionedDocumentModified() override;
    bool SaveNewVersion() override;
    void OpenStoredVersion(int number) override;
    // What the folder-tree and CSV commands need of the window.
    CDocumentData& ExchangedDocument() override;
    void ImportIntoDocument(const std::function<bool()>& import) override;

    // Fills a toolbar with the commands' buttons; 0 is a separator.
    void FillToolBar(QToolBar* bar, const std::vector<int>& buttons);

    // Jumps from the result pane, in the active tab.
    bool OpenFunction(qint32 internalId) override;
    void GoToLogicLine(qint32 lineNumber) override;
    void FocusHeaderField(qint32 fieldCode) override;
    void SelectExplanation(qint32 start, qint32 length) override;
    void SelectSearchHit(const ResultLine& location, qint32 lineIndex) override;
    // The active tab's window; null without a unit-function tab.
    CChildFrame* ActiveTabWindow() const;
    QString SelectedTextForSearch() const override;
    void OfferIntraMemberConsistencyRule(const QString& member, const QString& state1, const QString& state2) override;

    // The requests' targets. The replace-all dialog's request does nothing yet.
    void GoToTabLogicLine(CNUVDoc& tab, int lineNumber) override;
    void FocusTabHeaderField(CNUVDoc& tab, HeaderField field) override;
    void SelectTabLogicRange(CNUVDoc& tab, int first, int last) override;
    void PrefixTabUnregisteredMemberNames(CNUVDoc& tab, const QString& prefix) override;
    void ShowReplaceAllDialog(const QString&) override {}
    void RefreshViewsAfterWorker() override;
    void ShowActiveFunctionInViews(CUnitFunction& function, CAbstractIndexItem* currentItem) override;
    void SetWorkerInputLock(bool locked) override;
    bool IsFocusInTabBar() const;
    // Hides the search and vocabulary dialogs, which stand over the window on their own, but `kept`.
    void HideRequestDialogs(const QDialog* kept);
    // The focus goes to the tab window of the tab: where it was in that window, else its logic editor.
    void FocusTabWindow(int index);

    CNUVApp& m_app;
    COpenDocument& m_document;
    CCommandRegistry m_commands;
    int m_nApplicationLook = MainFrameCommand::DefaultApplicationLook;
    // Every start begins with the default look, applied when the window first shows unless one was chosen.
    bool m_bLookPending = true;
    // The document's zoom given before the zoom window was made.
    std::optional<int> m_pendingZoom;
    std::unique_ptr<QPrinter> m_printer;
    CDesktopOpener m_desktop;
    std::function<bool(const QUrl&)> m_desktopOpener;
    QPointer<CFindReplaceDlg> m_findDialog;
    QPointer<CFindReplaceDlg> m_replaceDialog;
    // Numbers the Find and Replace dialogs made, for the tabs to tell a new search from the one they saw.
    int m_nSearchContext = 0;
    std::optional<IndexViewInfo> m_pendingIndexViewState;
    bool m_bMenuForDocument = false;
    std::map<int, QAction*> m_actions;
    std::map<int, QDockWidget*> m_panes;
    std::map<int, CPaneView*> m_paneViews;
    MainFrameCommand::CToolBarLayout m_toolBarLayout;
    std::map<int, QToolBar*> m_userToolBars;
    CCustomizeDlg* m_customizeDlg = nullptr;
    CModelessDialogs m_modelessDialogs;
    CZoomWindow* m_pZoomWindow = nullptr;
    std::unique_ptr<CNavigationPanes> m_navigation;
    QPointer<QWidget> m_printPreview;
    QMenu* m_instanceMenu = nullptr;
    QTabWidget* m_tabArea = nullptr;
    // The tab windows by document; while the application changes the tabs their signals are not reported back.
    std::map<CNUVDoc*, CChildFrame*> m_tabWindows;
    bool m_bChangingTabs = false;
    // The tab a click on the tab bar is activating, -1 when none.
    int m_clickedTab = -1;
    // The tabs' changes before the window first shows: a tab window made (with the name its tab had then) or
    // activated. The window that never shows (the converter's) never makes them.
    struct NotedTabChange {
        CNUVDoc* document;
        CUnitFunction* function; // null for an activation
    };
    mutable std::vector<NotedTabChange> m_notedTabChanges;
    bool m_bTabWindowsLate = true;
    QTimer m_autoSaveTimer;
    QTimer m_readOnlyWatchTimer;
    QToolBar* m_standardToolBar = nullptr;
    QToolBar* m_navigationToolBar = nullptr;
    // The runner goes first, so that a run still going has ended before its pane does.
    CInspectionView m_inspectionPane;
    // The result pane's widget, made with the panes.
    CInspectionViewEdit* m_inspectionEdit = nullptr;
    CInspectionRunner m_inspectionRunner;
    CMainFrameMessages m_messages{m_document, *this, m_inspectionPane};
    // Offered again by the next condition/conclusion list dialog.
    CConditionConclusionList::Choice m_conditionConclusionChoice;
    CSearchCommands m_searchCommands{*this};
    // Offered again by the next decision-table dialog.
    DecisionTableSessionChoices m_decisionTableChoices;
    CVocabularyCommands m_vocabularyCommands{*this, *this};
};
