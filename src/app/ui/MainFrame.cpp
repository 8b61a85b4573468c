#include "app/ui/MainFrame.h"

#include "app/ApplicationLooks.h"
#include "app/DocumentExports.h"
#include "app/LinkTarget.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/PaneView.h"
#include "app/WindowManager.h"
#include "app/ZoomWindow.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/CustomizeDlg.h"
#include "app/ui/NavigationPanes.h"
#include "app/ui/ShellCommands.h"
#include "app/ui/WindowsDlg.h"
#include "editor/FunctionHeaderEdit.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/ui/FontFaces.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/JumpDlg.h"
#include "editor/ui/LogicEditorCommands.h"
#include "editor/ui/SplREdit.h"
#include "interchange/ui/ExportContentDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "model/LogicLine.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "platform/ui/CommandIcons.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/RuleCommands.h"
#include "settings/ui/SettingsCommands.h"
#include "texts/MenuBarCaptions.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"
#include "texts/ui/RichEditContextMenu.h"
#include "views/ui/HierarchicalChartCommands.h"
#include "views/ui/HierarchicalView.h"
#include "views/ui/LexicographicalView.h"
#include "views/ui/MemoView.h"
#include "views/ui/StructureDiagram.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using namespace MainFrameCommand;

namespace {

// Marks the actions of a list the window fills, which the localisation leaves alone.
const char* const kListEntry = "listEntry";

QColor Rgb(uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QPalette LookPalette(const ApplicationLook& look) {
    QPalette palette;
    palette.setColor(QPalette::Window, Rgb(look.window));
    palette.setColor(QPalette::WindowText, Rgb(look.windowText));
    palette.setColor(QPalette::Base, Rgb(look.base));
    palette.setColor(QPalette::AlternateBase, Rgb(look.alternateBase));
    palette.setColor(QPalette::Text, Rgb(look.text));
    palette.setColor(QPalette::Button, Rgb(look.button));
    palette.setColor(QPalette::ButtonText, Rgb(look.buttonText));
    palette.setColor(QPalette::Highlight, Rgb(look.highlight));
    palette.setColor(QPalette::HighlightedText, Rgb(look.highlightedText));
    palette.setColor(QPalette::ToolTipBase, Rgb(look.base));
    palette.setColor(QPalette::ToolTipText, Rgb(look.text));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, Rgb(look.disabledText));
    return palette;
}

// The keyword of the statement kind in the document's syntax symbols; empty before a document is there.
QString SyntaxKeyword(const CDocumentData& data, int kind) {
    return kind < static_cast<int>(data.SyntaxSymbols.size()) ? data.SyntaxSymbols[size_t(kind)].keyword : QString();
}

} // namespace

CMainFrame::CMainFrame(CNUVApp& app) : m_app(app), m_document(app.Document()) {
    setMinimumSize(300, 300);
    setAcceptDrops(true);
    m_tabArea = new QTabWidget(this);
    m_tabArea->setDocumentMode(true);
    m_tabArea->setMovable(true);
    m_tabArea->setTabsClosable(true);
    setCentralWidget(m_tabArea);
    connect(m_tabArea->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index != m_tabArea->currentIndex())
            m_clickedTab = index;
    });
    connect(m_tabArea, &QTabWidget::currentChanged, this, [this](int index) {
        ShowCloseButtonOnActiveTab();
        // The tab bar holds the focus when nothing else took it, as after a document opened. A tab clicked then
        // takes the focus into its window, as every activated tab window gives it to its view, and the views
        // follow the tab.
        if (std::exchange(m_clickedTab, -1) == index && IsFocusInTabBar())
            FocusTabWindow(index);
        if (!m_bChangingTabs)
            m_document.Tabs().OnTabActivated(TabDocument(index));
        m_messages.PostActiveTabNotice(IsFocusInTabBar());
    });
    connect(m_tabArea, &QTabWidget::tabCloseRequested, this, [this](int index) {
        if (CNUVDoc* document = TabDocument(index))
            m_document.Tabs().CloseTab(document);
    });
    connect(&m_autoSaveTimer, &QTimer::timeout, this, [this] { m_document.OnAutoSaveTimer(); });
    connect(&m_readOnlyWatchTimer, &QTimer::timeout, this, [this] { m_document.OnReadOnlyWatchTimer(); });
    // The worker writes the pane; the document's results time is written here, on this thread.
    connect(&m_inspectionPane, &CInspectionView::ResultsTimeChanged, this,
            [this](qint64 resultsTime) { m_document.SetResultsTime(resultsTime); });
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);
    AddShellCommands(m_commands, *this, m_app);
    AddInspectionCommands(m_commands, *this);
    AddHierarchicalChartCommands(
        m_commands,
        [this]() -> CHierarchicalView& {
            CreatePanes();
            return *m_navigation->HierarchicalView();
        },
        [this]() -> QPrinter& { return Printer(); });
    AddLogicEditorCommands(
        m_commands,
        [this]() -> CSplREdit* {
            CChildFrame* window = ActiveTabWindow();
            return window ? &window->FunctionView()->Editor() : nullptr;
        },
        [this](QWidget* parent, int lineCount) {
            platform::Trace("CMainFrame", "OnEditJump");
            CJumpDlg dialog(lineCount, m_app.MessageContext(), parent);
            return dialog.exec() == QDialog::Accepted ? dialog.LineNumber() : -1;
        });
    // The edit commands follow the focus, and the selection, text and undo state of the focused control.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (CSplREdit* editor = FocusedLogicEditor())
            connect(editor, &CSplREdit::ModelChanged, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
        else if (auto* box = qobject_cast<QLineEdit*>(now)) {
            connect(box, &QLineEdit::selectionChanged, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
            connect(box, &QLineEdit::textChanged, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
        } else if (auto* text = qobject_cast<QTextEdit*>(now)) {
            connect(text, &QTextEdit::selectionChanged, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
            connect(text, &QTextEdit::undoAvailable, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
            connect(text, &QTextEdit::textChanged, this, &CMainFrame::UpdateCommands, Qt::UniqueConnection);
        }
        UpdateCommands();
    });
    // Paste follows what the clipboard holds.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommands);
    AddContentCommands(m_commands, *this);
    m_searchCommands.AddTo(m_commands);
    AddGeneratorCommands(m_commands, *this);
    AddRuleCommands(m_commands, *this);
    AddPrintCommands(m_commands, *this);
    AddSettingsCommands(m_commands, *this);
    m_vocabularyCommands.AddTo(m_commands);
    AddVersionCommands(m_commands, *this);
    AddTreeExchangeCommands(m_commands, *this);
    CreateActions();
    resize(1024, 720);
    CreateTabAreaMenu();
    RebuildMenuBar(false);
    m_toolBarLayout = CToolBarLayout::Load();
    OnUpdateFrameTitle(QString());
    m_document.Tabs().SetTabArea(this);
}

CMainFrame::~CMainFrame() {
    // Closing the window moves the focus after the commands are gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    m_document.Tabs().SetTabArea(nullptr);
    // The find dialogs leave the registry of modeless dialogs as they go: before it goes with the window's members.
    delete m_findDialog;
    delete m_replaceDialog;
}

void CMainFrame::CreateActions() {
    auto* looks = new QActionGroup(this);
    for (const CommandRow& command : m_commands.Rows()) {
        auto* action = new QAction(this);
        action->setData(command.id);
        action->setText(MakeCommandCaption(m_app.MessageContext(), command.text));
        if (*command.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
        if (command.rule == UpdateRule::ApplicationLook) {
            action->setCheckable(true);
            looks->addAction(action);
        }
        if (command.id == InstanceList) {
            m_instanceMenu = new QMenu(this);
            connect(m_instanceMenu, &QMenu::aboutToShow, this, [this] { FillInstanceList(m_instanceMenu); });
            action->setMenu(m_instanceMenu);
        }
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        // Shortcuts work also for commands that no menu shows.
        addAction(action);
        m_actions[id] = action;
    }
}

void CMainFrame::FillToolBar(QToolBar* bar, const std::vector<int>& buttons) {
    bar->setMovable(true);
    for (int id : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        const CommandRow& command = *m_commands.Find(id);
        QAction* action = m_actions.at(id);
        action->setIcon(StandardCommandIcon(command.icon));
        // The button's own text; the menu item keeps the action's text.
        action->setIconText(MakeToolBarButtonCaption(m_app.MessageContext(), command.text));
        action->setToolTip(action->iconText());
        bar->addAction(action);
    }
}

void CMainFrame::setVisible(bool visible) {
    if (visible) {
        CreateToolBars();
        CreatePanes();
        m_bTabWindowsLate = false;
        MakeNotedTabWindows();
        // Every start begins with the same look, whatever was chosen last time.
        if (m_bLookPending)
            OnApplicationLook(DefaultApplicationLook);
    }
    QMainWindow::setVisible(visible);
}

void CMainFrame::CreateToolBars() {
    if (m_standardToolBar)
        return;
    m_standardToolBar = addToolBar(LoadString(StringId::StandardToolBar));
    m_standardToolBar->setObjectName(QStringLiteral("StandardToolBar"));
    FillToolBar(m_standardToolBar, StandardToolBarButtons());
    m_navigationToolBar = addToolBar(LoadString(StringId::NavigationToolBar));
    m_navigationToolBar->setObjectName(QStringLiteral("NavigationToolBar"));
    FillToolBar(m_navigationToolBar, NavigationToolBarButtons());
    // A toolbar the user hides or shows through the list of toolbars stays so at the next start.
    const auto follow = [this](QToolBar* bar, bool CToolBarLayout::*visible) {
        connect(bar->toggleViewAction(), &QAction::triggered, this, [this, visible](bool shown) {
            m_toolBarLayout.*visible = shown;
            m_toolBarLayout.Store();
            if (m_customizeDlg)
                m_customizeDlg->Refresh();
        });
    };
    follow(m_standardToolBar, &CToolBarLayout::standardVisible);
    follow(m_navigationToolBar, &CToolBarLayout::navigationVisible);
    LayOutToolBars();
}

void CMainFrame::ApplyToolBarLayout() {
    // Toolbars made now take the layout as they are made.
    if (m_standardToolBar)
        LayOutToolBars();
    else
        CreateToolBars();
}

QToolBar* CMainFrame::StandardToolBar() {
    CreateToolBars();
    return m_standardToolBar;
}

QToolBar* CMainFrame::NavigationToolBar() {
    CreateToolBars();
    return m_navigationToolBar;
}

void CMainFrame::LayOutToolBars() {
    m_standardToolBar->setVisible(m_toolBarLayout.standardVisible);
    m_navigationToolBar->setVisible(m_toolBarLayout.navigationVisible);
    // The user's toolbars are made anew from the layout; one that stays keeps its place.
    std::map<int, QToolBar*> kept;
    for (const MainFrameCommand::UserToolBar& layout : m_toolBarLayout.userToolBars) {
        QToolBar* bar = nullptr;
        if (const auto found = m_userToolBars.find(layout.id); found != m_userToolBars.end()) {
            bar = found->second;
            m_userToolBars.erase(found);
            bar->clear();
            bar->setWindowTitle(layout.name);
        } else {
            bar = addToolBar(layout.name);
            bar->setObjectName(QStringLiteral("UserToolBar%1").arg(layout.id));
        }
        FillToolBar(bar, layout.commands);
        kept[layout.id] = bar;
    }
    for (const auto& [id, bar] : m_userToolBars) {
        removeToolBar(bar);
        delete bar;
    }
    m_userToolBars = std::move(kept);
}

QToolBar* CMainFrame::UserToolBar(int id) {
    CreateToolBars();
    const auto found = m_userToolBars.find(id);
    return found == m_userToolBars.end() ? nullptr : found->second;
}

void CMainFrame::OpenCustomizeDialog() {
    // Made once; it keeps what the user chose in it between showings.
    if (!m_customizeDlg) {
        m_customizeDlg = new CCustomizeDlg(
            m_app.MessageContext(), m_toolBarLayout,
            [this] {
                ApplyToolBarLayout();
                m_toolBarLayout.Store();
            },
            this);
    }
    m_customizeDlg->Refresh();
    m_customizeDlg->show();
    CenterOnMainFrame(*m_customizeDlg);
    m_customizeDlg->raise();
    m_customizeDlg->activateWindow();
}

void CMainFrame::OpenWindowsDialog() {
    CWindowManager manager(m_document, [this] { return TabsInOrder(); });
    CWindowsDlg dialog(MessageContext(), manager, this);
    dialog.exec();
    UpdateCommands();
}

void CMainFrame::CreateTabAreaMenu() {
    // The document menu at the right edge of the tab area: the open tabs, then the windows dialog. The entries take
    // the tabs' texts, whose ampersands are doubled already.
    auto* button = new QToolButton(m_tabArea);
    button->setAutoRaise(true);
    button->setArrowType(Qt::DownArrow);
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        const std::vector<CNUVDoc*> tabs = TabsInOrder();
        for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
            QAction* entry = menu->addAction(m_tabArea->tabText(i));
            entry->setCheckable(true);
            entry->setChecked(i == m_tabArea->currentIndex());
            connect(entry, &QAction::triggered, this, [this, i] { m_tabArea->setCurrentIndex(i); });
        }
        if (!tabs.empty())
            menu->addSeparator();
        menu->addAction(m_actions.at(WindowManager));
    });
    button->setMenu(menu);
    m_tabArea->setCornerWidget(button, Qt::TopRightCorner);
}

void CMainFrame::FillInstanceList(QMenu* menu) {
    menu->clear();
    for (const ListMenuEntry& entry : InstanceWindowEntries(m_app.InstanceRecords())) {
        QAction* action = menu->addAction(entry.caption);
        action->setData(entry.id);
        action->setCheckable(true);
        action->setChecked(entry.checked);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
}

void CMainFrame::OnApplicationLook(int id) {
    const ::ApplicationLook* look = FindApplicationLook(id);
    if (!look)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_nApplicationLook = id;
    m_bLookPending = false;
    if (QStyle* style = QStyleFactory::create(QString::fromLatin1(look->styleName)))
        QApplication::setStyle(style);
    QApplication::setPalette(LookPalette(*look));
    StoreApplicationLook(id);
    update();
    QApplication::restoreOverrideCursor();
    UpdateCommands();
}

void CMainFrame::ShowModelessDialog(CModelessDialog& dialog, QWidget& window) {
    m_modelessDialogs.Show(dialog);
    CenterOnMainFrame(window);
}

void CMainFrame::ShowFindReplaceDialog(bool replace) {
    QPointer<CFindReplaceDlg>& dialog = replace ? m_replaceDialog : m_findDialog;
    if (dialog) {
        CenterOnMainFrame(*dialog);
        dialog->ShowDialog();
        return;
    }
    dialog = new CFindReplaceDlg(MessageContext(), replace, m_modelessDialogs, this);
    CFindReplaceDlg* shown = dialog;
    connect(shown, &CFindReplaceDlg::FindNextRequested, this, [this](const QString& text) {
        if (CChildFrame* window = ActiveTabWindow())
            window->FindNextInLogic(text);
    });
    connect(shown, &CFindReplaceDlg::ReplaceRequested, this, [this](const QString& text, const QString& replacement) {
        if (CChildFrame* window = ActiveTabWindow())
            window->ReplaceInLogic(text, replacement);
    });
    HideRequestDialogs(nullptr);
    ShowModelessDialog(*shown, *shown);
    if (CChildFrame* window = ActiveTabWindow())
        window->RememberSearchStartLine(++m_nSearchContext);
}

void CMainFrame::CenterOnMainFrame(QWidget& window) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(window.width(), window.height());
    window.move(::CenterOnMainFrame(frameGeometry(), window.frameGeometry().size(), screenSize));
}

void CMainFrame::SetPaneView(int paneId, CPaneView* view) {
    if (view)
        m_paneViews[paneId] = view;
    else
        m_paneViews.erase(paneId);
}

void CMainFrame::UpdatePaneViews() {
    for (int id : PaneViewUpdateOrder()) {
        if (const auto found = m_paneViews.find(id); found != m_paneViews.end())
            found->second->OnUpdate();
    }
}

void CMainFrame::ApplyMemoCharFormat() {
    CreatePanes();
    m_navigation->Notes()->ApplyCharFormat(&m_app.Document().DocumentData().memoFont);
}

void CMainFrame::ApplyResultsTextFormat() {
    if (m_inspectionEdit)
        m_inspectionEdit->SetTextFormat(m_document.DocumentData().resultsFont);
}

QString CMainFrame::SettingsDocumentPath() const {
    return m_app.Document().DocumentPath();
}

void CMainFrame::ShowInspectionPane() {
    ShowPane(MessagesPane);
}

void CMainFrame::RestoreZoom(int zoom) {
    if (m_pZoomWindow)
        m_pZoomWindow->ApplyZoom(zoom);
    else
        m_pendingZoom = zoom;
}

void CMainFrame::CreatePanes() {
    if (m_navigation)
        return;
    // All panes sit in one tabbed group on the left, the outline-ordered index in front.
    m_navigation = std::make_unique<CNavigationPanes>(
        m_app, this, [this] { UpdateAllDocumentViews(); }, [this] { UpdatePaneViews(); });
    SetPaneView(HierarchicalIndexPane, &m_navigation->HierarchicalPaneView());
    SetPaneView(OutlineIndexPane, &m_navigation->OutlinePaneView());
    SetPaneView(NotesPane, &m_navigation->NotesPaneView());
    SetZoomWindow(m_navigation.get());
    for (const MainFrameCommand::Pane& pane : Panes()) {
        auto* dock = new QDockWidget(Msg::Text(m_app.MessageContext(), pane.caption), this);
        dock->setObjectName(QStringLiteral("Pane%1").arg(pane.id));
        if (pane.id == MessagesPane) {
            auto* edit = new CInspectionViewEdit(m_inspectionPane, *this, dock);
            m_inspectionEdit = edit;
            ApplyResultsTextFormat();
            edit->setMinimumSize(200, 200);
            edit->SetContextMenuLocalizer([this](QMenu& menu) {
                const CDocumentData& data = m_document.DocumentData();
                LocalizeRichEditContextMenu(m_app.MessageContext(), menu, SyntaxKeyword(data, SyntaxDo),
                                            SyntaxKeyword(data, SyntaxFn));
            });
            dock->setWidget(edit);
        } else {
            dock->setWidget(m_navigation->PaneWidget(pane.id));
        }
        m_panes[pane.id] = dock;
    }
    QDockWidget* front = m_panes.at(OutlineIndexPane);
    addDockWidget(Qt::LeftDockWidgetArea, front);
    for (int id : {HierarchicalIndexPane, StructureDiagramPane, FunctionListPane, MessagesPane, NotesPane})
        tabifyDockWidget(front, m_panes.at(id));
    front->raise();
    resizeDocks({front}, {280}, Qt::Horizontal);
    // Made after the document came: the zoom and the views catch up with it.
    if (const std::optional<int> zoom = std::exchange(m_pendingZoom, std::nullopt))
        RestoreZoom(*zoom);
    m_navigation->CatchUpWithDocument();
    if (const std::optional<IndexViewInfo> place = std::exchange(m_pendingIndexViewState, std::nullopt))
        RestoreIndexViewState(*place);
}

void CMainFrame::RebuildMenuBar(bool documentOpen) {
    m_bMenuForDocument = documentOpen;
    const std::vector<MenuEntry>& entries = documentOpen ? DocumentMenuBar() : NoDocumentMenuBar();
    QMenuBar* bar = menuBar();
    for (QAction* action : bar->actions()) {
        if (action->menu())
            action->menu()->deleteLater();
    }
    bar->clear();
    const std::vector<QString> captions = MenuBarCaptions(m_app.MessageContext(), entries);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == MenuEntry::Kind::Command) {
            QAction* action = m_actions.at(entries[i].command);
            action->setText(captions[i]);
            bar->addAction(action);
        } else {
            bar->addMenu(CreateMenu(captions[i], entries[i].entries));
        }
    }
}

QMenu* CMainFrame::CreateMenu(const QString& caption, const std::vector<MenuEntry>& entries) {
    auto* menu = new QMenu(caption, menuBar());
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Command:
            menu->addAction(m_actions.at(entry.command));
            break;
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Submenu:
            menu->addMenu(CreateMenu(entry.caption, entry.entries));
            break;
        case MenuEntry::Kind::RecentFiles: {
            QAction* anchor = menu->addSeparator();
            connect(menu, &QMenu::aboutToShow, this, [this, menu, anchor] { FillRecentFiles(menu, anchor); });
            FillRecentFiles(menu, anchor);
            break;
        }
        case MenuEntry::Kind::History: {
            QAction* anchor = menu->addSeparator();
            connect(menu, &QMenu::aboutToShow, this, [this, menu, anchor] { FillHistory(menu, anchor); });
            FillHistory(menu, anchor);
            break;
        }
        case MenuEntry::Kind::PaneList: {
            QMenu* list = menu->addMenu(entry.caption);
            connect(list, &QMenu::aboutToShow, this, [this, list] {
                list->clear();
                QMenu* panes = createPopupMenu();
                list->addActions(panes->actions());
                panes->deleteLater();
            });
            break;
        }
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu, &entries] {
        LocalizePopup(menu, entries);
        UpdateCommands();
    });
    LocalizePopup(menu, entries);
    return menu;
}

void CMainFrame::LocalizePopup(QMenu* menu, const std::vector<MenuEntry>& entries) {
    const std::vector<QString> captions = PopupCaptions(m_app.MessageContext(), entries);
    size_t entry = 0;
    for (QAction* action : menu->actions()) {
        if (action->property(kListEntry).toBool())
            continue;
        if (entry >= captions.size())
            break;
        if (!action->isSeparator())
            action->setText(captions[entry]);
        ++entry;
    }
}

void CMainFrame::ReplaceListActions(QMenu* menu, QAction* anchor, const QList<QAction*>& actions) {
    for (QAction* action : menu->actions()) {
        if (action->property(kListEntry).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QAction*> all = menu->actions();
    const qsizetype next = all.indexOf(anchor) + 1;
    QAction* before = next < all.size() ? all[next] : nullptr;
    for (QAction* action : actions) {
        action->setProperty(kListEntry, true);
        connect(action, &QAction::triggered, this, [this, action] { OnCommand(action->data().toInt()); });
        menu->insertAction(before, action);
    }
    // The list's separator shows only with entries after it.
    anchor->setVisible(!actions.isEmpty());
}

void CMainFrame::FillRecentFiles(QMenu* menu, QAction* anchor) {
    const QStringList paths = m_app.RecentFiles();
    QList<QAction*> actions;
    for (int i = 0; i < paths.size() && RecentFileFirst + i <= RecentFileLast; ++i) {
        auto* action = new QAction(RecentFileCaption(i, paths[i]), menu);
        action->setData(RecentFileFirst + i);
        actions << action;
    }
    ReplaceListActions(menu, anchor, actions);
}

void CMainFrame::FillHistory(QMenu* menu, QAction* anchor) {
    QList<QAction*> actions;
    for (const ListMenuEntry& entry : HistoryEntries(m_document.Tabs().History(), m_document.DocumentData())) {
        auto* action = new QAction(entry.caption, menu);
        action->setData(entry.id);
        action->setCheckable(true);
        action->setChecked(entry.checked);
        actions << action;
    }
    ReplaceListActions(menu, anchor, actions);
}

void CMainFrame::UpdateCommands() {
    State state = StateOf(m_document, m_nApplicationLook, m_document.IsWorkerRunning());
    const EditCommandState edit = FocusedEditCommandState();
    state.tabActive = m_document.GetActiveDocument() != nullptr;
    state.canCopy = edit.canCopy;
    state.canCut = edit.canCut;
    state.canPaste = edit.canPaste;
    state.canSelectAll = edit.canSelectAll;
    state.canUndo = edit.canUndo;
    // A tab window not made yet is not asked: it is asked again once made.
    const CNUVDoc* tab = m_document.Tabs().GetActiveTab();
    const CChildFrame* window = tab && tab->m_pUnitFunction ? MadeTabWindow(*tab) : nullptr;
    state.nameAtCaret = window && window->FunctionView()->Editor().IsCommandEnabled(LogicEditCommand::EditFont);
    state.focusInContentControl = window && window->ContentViewHasFocus();
    state.canPasteInContentControl = state.focusInContentControl && state.canPaste;
    // While a worker runs the window shows the wait cursor.
    if (state.workerRunning)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    if (state.documentOpen != m_bMenuForDocument)
        RebuildMenuBar(state.documentOpen);
    for (const CommandRow& command : m_commands.Rows()) {
        const Update update = UpdateCommand(command, state);
        QAction* action = m_actions.at(command.id);
        action->setEnabled(update.enabled);
        if (action->isCheckable())
            action->setChecked(update.checked);
    }
}

QAction* CMainFrame::CommandAction(int id) {
    CreateToolBars();
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QDockWidget* CMainFrame::Pane(int id) {
    CreatePanes();
    const auto found = m_panes.find(id);
    return found == m_panes.end() ? nullptr : found->second;
}

void CMainFrame::ShowPane(int id) {
    CreatePanes();
    QDockWidget* pane = m_panes.at(id);
    pane->show();
    pane->raise();
}

void CMainFrame::OnCommand(int id) {
    if (!m_commands.Dispatch(id))
        RouteToActiveTab(m_document, id);
    UpdateCommands();
}

const CDocumentData& CMainFrame::InspectedDocument() const {
    return m_document.DocumentData();
}

CDocumentData& CMainFrame::GeneratedDocument() {
    return m_document.DocumentData();
}

QString CMainFrame::GeneratedDocumentPath() const {
    return m_document.DocumentPath();
}

QString CMainFrame::GeneratedDocumentName() const {
    return m_document.DocumentName();
}

void CMainFrame::OfferIntraMemberConsistencyRule(const QString& member, const QString& state1, const QString& state2) {
    ::OfferIntraMemberConsistencyRule(*this, member, state1, state2);
}

CDocumentData& CMainFrame::ExchangedDocument() {
    return m_document.DocumentData();
}

void CMainFrame::ImportIntoDocument(const std::function<bool()>& import) {
    COpenDocument::WorkScope work(m_document, COpenDocument::Work::Conversion);
    const bool changed = import();
    m_document.RebuildDocument();
    if (changed)
        m_document.SetModified();
}

void CMainFrame::SetGeneratedDocumentModified() {
    m_document.SetModified();
}

CDocumentData& CMainFrame::SettingsDocument() {
    return m_document.DocumentData();
}

void CMainFrame::SetSettingsDocumentModified() {
    m_document.SetModified();
}

bool CMainFrame::HasIndexViews() const {
    return m_navigation && m_navigation->HierarchicalView() && m_navigation->OutlineIndex();
}

void CMainFrame::ReapplyIndexViewSettings() {
    CreatePanes();
    m_navigation->HierarchicalView()->ApplySettings();
    m_navigation->OutlineIndex()->UpdateFont();
}

void CMainFrame::UpdateIndexViews() {
    CreatePanes();
    m_navigation->HierarchicalPaneView().OnUpdate();
    m_navigation->OutlinePaneView().OnUpdate();
}

void CMainFrame::CommitTabEdits(bool closing) {
    for (const auto& [tab, window] : m_tabWindows)
        window->CommitPendingEdits(closing);
}

bool CMainFrame::HasPendingTabEdits() const {
    return std::any_of(m_tabWindows.begin(), m_tabWindows.end(),
                       [](const auto& entry) { return entry.second->HasPendingEdits(); });
}

void CMainFrame::RefreshTabViews() {
    for (const auto& [tab, window] : m_tabWindows)
        window->ShowDocumentChanges();
    UpdateAllDocumentViews();
}

void CMainFrame::RefreshAllViews() {
    m_document.RebuildDocument();
    UpdatePaneViews();
}

void CMainFrame::RelayoutOpenTabs() {
    for (const auto& [tab, window] : m_tabWindows)
        window->CreateLogicPanes();
}

void CMainFrame::ApplyAutoSaveSetting() {
    m_document.ApplyAutoSaveSetting();
}

void CMainFrame::ApplyTabLimit() {
    m_document.Tabs().CloseExcessTabs();
}

void CMainFrame::ApplyStructureDiagramSettings() {
    CreatePanes();
    m_navigation->StructureDiagram()->ApplyZoomSetting();
}

void CMainFrame::ReplaceActiveContentSelection(const QString& text) {
    const CNUVDoc* tab = m_document.GetActiveDocument();
    CChildFrame* window = tab ? TabWindow(*tab) : nullptr;
    if (!window)
        return;
    CFunctionContentView* content = window->ContentView();
    QTextCursor cursor = content->textCursor();
    cursor.insertText(text);
    content->setTextCursor(cursor);
    content->StoreContent();
    activateWindow();
    content->setFocus(Qt::MouseFocusReason);
}

CDocumentData& CMainFrame::VersionedDocument() {
    return m_document.DocumentData();
}

QString CMainFrame::VersionedDocumentPath() const {
    return m_document.DocumentPath();
}

void CMainFrame::SetVersionedDocumentModified() {
    m_document.SetModified();
}

bool CMainFrame::SaveNewVersion() {
    COpenDocument::WorkScope work(m_document, COpenDocument::Work::Save);
    return m_document.SaveNewVersion();
}

void CMainFrame::OpenStoredVersion(int number) {
    m_app.LaunchNewInstance(m_document.DocumentPath(), number);
}

const CUnitFunction* CMainFrame::ActiveFunction() const {
    return m_document.Tabs().ActiveTabFunction();
}

CDocumentData& CMainFrame::ContentDocument() {
    return m_document.DocumentData();
}

CUnitFunction* CMainFrame::ContentExportFunction() {
    return m_document.Tabs().ActiveTabFunction();
}

QString CMainFrame::PromptContentExportPath() {
    ExportExplanationsOptions& options = m_document.DocumentData().exportExplanationsOptions;
    const QString proposed = ProposeExportFileName(options.FileName, m_document.DocumentPath(),
                                                   LoadString(StringId::ContentPaneName) + QStringLiteral(".rtf"));
    CExportContentDialog dialog(MessageContext(), options, proposed, this);
    return dialog.exec() == QDialog::Accepted ? options.FileName : QString();
}

const CMessageContext& CMainFrame::MessageContext() const {
    return m_app.MessageContext();
}

void CMainFrame::SetInspectionWorkerRunning(bool running) {
    if (running)
        m_document.BeginWork(COpenDocument::Work::Worker);
    else
        m_document.EndWork(COpenDocument::Work::Worker);
    UpdateCommands();
}

void CMainFrame::ShowZoomWindow() {
    CreatePanes();
    if (m_pZoomWindow)
        m_pZoomWindow->ShowZoomWindow();
}

void CMainFrame::ShowActiveFunctionInViews(CUnitFunction& function, CAbstractIndexItem* currentItem) {
    // Views not made yet show the active function when they are.
    if (m_navigation)
        m_navigation->ShowActiveFunction(function, currentItem);
}

void CMainFrame::StoreIndexViewState(IndexViewInfo& info) const {
    // Without panes the document keeps the place it was read with.
    if (!m_navigation)
        return;
    m_navigation->HierarchicalView()->StoreViewState(info);
    m_navigation->OutlineIndex()->StoreViewState(info);
}

void CMainFrame::RestoreIndexViewState(const IndexViewInfo& info) {
    if (!m_navigation) {
        m_pendingIndexViewState = info;
        return;
    }
    m_navigation->HierarchicalView()->RestoreViewState(info);
    m_navigation->OutlineIndex()->RestoreViewState(info);
}

void CMainFrame::SelectTreeItem(const CAbstractIndexItem& item) {
    // A tree not made yet selects the active tab's item when it is.
    if (m_navigation)
        m_navigation->OutlineIndex()->SelectItem(&item);
}

void CMainFrame::EnsureTreeItemVisible(const CAbstractIndexItem& item) {
    if (m_navigation)
        m_navigation->OutlineIndex()->ScrollToItem(&item);
}

bool CMainFrame::OpenFunction(qint32 internalId) {
    CUnitFunction* function = m_document.DocumentData().registry.FindByInternalID(static_cast<quint32>(internalId));
    return function && m_document.Tabs().OpenFunctionTab(function);
}

CChildFrame* CMainFrame::ActiveTabWindow() const {
    const CNUVDoc* tab = m_document.Tabs().GetActiveTab();
    return tab && tab->m_pUnitFunction ? TabWindow(*tab) : nullptr;
}

void CMainFrame::GoToLogicLine(qint32 lineNumber) {
    if (CChildFrame* window = ActiveTabWindow())
        window->GoToLogicLine(lineNumber);
}

void CMainFrame::FocusHeaderField(qint32 fieldCode) {
    if (CChildFrame* window = ActiveTabWindow())
        window->FocusHeaderField(HeaderFieldFromCode(fieldCode));
}

void CMainFrame::SelectExplanation(qint32 start, qint32 length) {
    if (CChildFrame* window = ActiveTabWindow())
        window->SelectContentRange(start, length);
}

void CMainFrame::SelectSearchHit(const ResultLine& location, qint32 lineIndex) {
    if (CChildFrame* window = ActiveTabWindow())
        window->ShowSearchHit(location, lineIndex);
}

QString CMainFrame::SelectedTextForSearch() const {
    const CChildFrame* window = ActiveTabWindow();
    return window ? window->SelectedTextForSearch() : QString();
}

void CMainFrame::GoToTabLogicLine(CNUVDoc& tab, int lineNumber) {
    if (CChildFrame* window = TabWindow(tab))
        window->GoToLogicLine(lineNumber);
}

void CMainFrame::FocusTabHeaderField(CNUVDoc& tab, HeaderField field) {
    if (CChildFrame* window = TabWindow(tab))
        window->FocusHeaderField(field);
}

void CMainFrame::SelectTabLogicRange(CNUVDoc& tab, int first, int last) {
    if (CChildFrame* window = TabWindow(tab))
        window->SelectLogicCharacters(first, last);
}

void CMainFrame::RefreshViewsAfterWorker() {
    for (const auto& [document, window] : m_tabWindows)
        window->ShowDocumentChanges();
    if (m_navigation)
        m_navigation->ShowDocumentChanges();
    else
        UpdatePaneViews();
}

QString CMainFrame::ActiveFunctionName() const {
    const CUnitFunction* function = m_document.Tabs().ActiveTabFunction();
    return function ? function->name : QString();
}

void CMainFrame::HideRequestDialogs(const QDialog* kept) {
    for (QDialog* other : std::initializer_list<QDialog*>{
             m_searchCommands.SearchDialog(), m_searchCommands.ReplaceDialog(), m_vocabularyCommands.AddMemberDialog(),
             m_vocabularyCommands.AddPrefixDialog()}) {
        if (other && other != kept)
            other->hide();
    }
}

QPrinter& CMainFrame::Printer() {
    // Made at the first printer command: a printer loads the system's print support, which a window that is never
    // shown or never prints does not need.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CMainFrame::ShowModelessDialog(QDialog& dialog) {
    m_modelessDialogs.HideOthers(nullptr);
    HideRequestDialogs(&dialog);
    dialog.show();
    CenterOnMainFrame(dialog);
    dialog.raise();
    dialog.activateWindow();
}

void CMainFrame::EditNameFontAtCaret() {
    if (CChildFrame* window = ActiveTabWindow())
        window->FunctionView()->Editor().RunCommand(LogicEditCommand::EditFont);
}

void CMainFrame::PrefixTabUnregisteredMemberNames(CNUVDoc& tab, const QString& prefix) {
    CChildFrame* window = TabWindow(tab);
    if (!window || !tab.m_pUnitFunction)
        return;
    ShowInspectionPane();
    if (::PrefixUnregisteredMemberNames(m_document.DocumentData(), *tab.m_pUnitFunction, prefix, &m_inspectionPane) >
        0) {
        // The reload withdraws the tab's undo: it would take one line's member back to its old name while the others
        // keep the prefix.
        window->ShowDocumentChanges();
        m_document.SetModified();
    }
}

CDocumentData& CMainFrame::SearchedDocument() {
    return m_document.DocumentData();
}

void CMainFrame::LineMarkSettingsChanged() {
    // Without a document the settings are the defaults the next document starts from again: nothing to save.
    if (m_document.DocumentData().DataReady)
        m_document.SetModified();
    UpdateCommands();
}

void CMainFrame::SetWorkerInputLock(bool locked) {
    if (locked) {
        ShowInspectionPane();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        setEnabled(false);
    } else {
        QApplication::restoreOverrideCursor();
        setEnabled(true);
        Pane(MessagesPane)->widget()->setFocus();
    }
    UpdateCommands();
}

void CMainFrame::FocusTabWindow(int index) {
    CNUVDoc* document = TabDocument(index);
    CChildFrame* window = document ? MadeTabWindow(*document) : nullptr;
    if (!window)
        return;
    QWidget* focus = window->focusWidget();
    (focus ? focus : &window->FunctionView()->Editor())->setFocus(Qt::MouseFocusReason);
}

bool CMainFrame::IsFocusInTabBar() const {
    for (const QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (qobject_cast<const QTabBar*>(widget))
            return true;
    }
    return false;
}

bool CMainFrame::OpenLink(const QString& link) {
    const QString path = m_document.DocumentPath();
    return ::OpenLink(
        link, path.isEmpty() ? QString() : QFileInfo(path).absolutePath(),
        [this](const QString& document) { m_app.OnFileOpenPath(document); },
        m_desktopOpener ? m_desktopOpener : [this](const QUrl& url) { return m_desktop.Open(url); });
}

void CMainFrame::Activate() {
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CMainFrame::SetAutoSaveTimer(int milliseconds) {
    if (milliseconds > 0)
        m_autoSaveTimer.start(milliseconds);
    else
        m_autoSaveTimer.stop();
}

void CMainFrame::SetReadOnlyWatchTimer(int milliseconds) {
    if (milliseconds > 0)
        m_readOnlyWatchTimer.start(milliseconds);
    else
        m_readOnlyWatchTimer.stop();
}

CNUVDoc* CMainFrame::TabDocument(int index) const {
    QWidget* window = m_tabArea->widget(index);
    for (const auto& [document, tabWindow] : m_tabWindows) {
        if (tabWindow == window)
            return document;
    }
    return nullptr;
}

void CMainFrame::CreateTabWindow(CNUVDoc& document) {
    if (!document.m_pUnitFunction)
        return;
    if (m_bTabWindowsLate) {
        m_notedTabChanges.push_back({&document, document.m_pUnitFunction});
        return;
    }
    MakeTabWindow(document, *document.m_pUnitFunction);
}

void CMainFrame::MakeTabWindow(CNUVDoc& document, CUnitFunction& function) {
    auto* window = new CChildFrame(m_document, function, MessageContext(), [this] { ApplyPaneLayoutToAllTabs(); });
    window->FunctionView()->SetMessageContext(&m_app.MessageContext());
    window->FunctionView()->Editor().SetZoomFactor(m_app.ZoomFactor());
    window->FunctionView()->SetLinkOpener([this](const QString& link) { OpenLink(link); });
    CSplREdit& editor = window->FunctionView()->Editor();
    editor.SetFontDialog([this](const LogicFontEdit& edit, FontSetting& font, quint32& mask, QString& name) {
        CFontChoice choice(edit.font, edit.mask, CFontChoice::FromLogicEditor);
        choice.drawnFace = DrawnFamilyOf(edit.font.faceName);
        if (!CFontDlg::Edit(MessageContext(), choice, m_app.ZoomFactor(), edit.nameAtCaret, this))
            return false;
        font = choice.font;
        mask = choice.mask;
        name = choice.name;
        return true;
    });
    editor.SetMemberNameRegistration([this](const QString& name) {
        RegisterMemberNames(name);
        ShowInspectionPane();
        Pane(MessagesPane)->widget()->setFocus();
    });
    // A name's font changed in every unit function: the other tabs and the panes show it too.
    connect(&editor, &CSplREdit::DocumentFontsChanged, this, [this] {
        for (const auto& [tab, shown] : m_tabWindows) {
            shown->FunctionView()->Model().ReloadRecords();
            shown->FunctionView()->Editor().Render();
        }
        UpdatePaneViews();
    });
    m_tabWindows[&document] = window;
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->addTab(window, LiteralCaption(window->windowTitle()));
    m_bChangingTabs = changing;
    ShowCloseButtonOnActiveTab();
    // The tab reads what the tab window's title says, after every change of the name, the outline number or the
    // setting.
    connect(window, &QWidget::windowTitleChanged, this, [this, window](const QString& title) {
        if (const int index = m_tabArea->indexOf(window); index >= 0)
            m_tabArea->setTabText(index, LiteralCaption(title));
    });
}

void CMainFrame::MakeNotedTabWindows() const {
    if (m_notedTabChanges.empty())
        return;
    // Const look-ups make them too: when a window is made is not seen from outside.
    auto& self = const_cast<CMainFrame&>(*this);
    const std::vector<NotedTabChange> changes = std::exchange(m_notedTabChanges, {});
    for (const NotedTabChange& change : changes) {
        if (change.function)
            self.MakeTabWindow(*change.document, *change.function);
        else
            self.ShowTabWindow(*change.document);
    }
    // The commands asked of the active tab's window while it was not made.
    self.UpdateCommands();
}

void CMainFrame::UpdateAllDocumentViews() {
    for (const auto& [tab, window] : m_tabWindows)
        window->FunctionView()->Editor().SetZoomFactor(m_app.ZoomFactor());
}

CChildFrame* CMainFrame::TabWindow(const CNUVDoc& document) const {
    MakeNotedTabWindows();
    return MadeTabWindow(document);
}

CChildFrame* CMainFrame::MadeTabWindow(const CNUVDoc& document) const {
    for (const auto& [tab, window] : m_tabWindows) {
        if (tab == &document)
            return window;
    }
    return nullptr;
}

std::vector<CNUVDoc*> CMainFrame::TabsInOrder() const {
    MakeNotedTabWindows();
    std::vector<CNUVDoc*> tabs;
    for (int i = 0; i < m_tabArea->count(); ++i) {
        if (CNUVDoc* document = TabDocument(i))
            tabs.push_back(document);
    }
    return tabs;
}

void CMainFrame::ApplyPaneLayoutToAllTabs() {
    for (const auto& [document, window] : m_tabWindows)
        window->ApplyPaneLayout();
}

void CMainFrame::ActivateTabWindow(CNUVDoc& document) {
    if (m_bTabWindowsLate)
        m_notedTabChanges.push_back({&document, nullptr});
    else
        ShowTabWindow(document);
}

void CMainFrame::ShowCloseButtonOnActiveTab() {
    QTabBar* bar = m_tabArea->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
        for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide}) {
            if (QWidget* button = bar->tabButton(i, side))
                button->setVisible(i == bar->currentIndex());
        }
    }
}

void CMainFrame::ShowTabWindow(CNUVDoc& document) {
    const auto found = m_tabWindows.find(&document);
    if (found == m_tabWindows.end())
        return;
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->setCurrentWidget(found->second);
    m_bChangingTabs = changing;
}

void CMainFrame::DestroyTabWindow(CNUVDoc& document) {
    // A window not made yet is not made now; the tabs' next activation is noted after this.
    std::erase_if(m_notedTabChanges, [&](const NotedTabChange& change) { return change.document == &document; });
    const auto found = m_tabWindows.find(&document);
    if (found == m_tabWindows.end())
        return;
    CChildFrame* window = found->second;
    m_tabWindows.erase(found);
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->removeTab(m_tabArea->indexOf(window));
    m_bChangingTabs = changing;
    delete window;
}

void CMainFrame::TabsChanged() {
    UpdateCommands();
}

void CMainFrame::OnUpdateFrameTitle(const QString& documentName) {
    setWindowTitle(documentName.isEmpty()
                       ? LoadString(StringId::ApplicationTitle)
                       : LoadString(StringId::ApplicationTitle) + QStringLiteral(" - ") + documentName);
    UpdateCommands();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowUnblocked)
        UpdateCommands();
    // The tabs of docked panes read their whole captions; when they do not fit, the bar scrolls.
    if (event->type() == QEvent::ChildPolished) {
        if (auto* bar = qobject_cast<QTabBar*>(static_cast<QChildEvent*>(event)->child())) {
            bar->setElideMode(Qt::ElideNone);
            bar->setUsesScrollButtons(true);
        }
    }
    return QMainWindow::event(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedDocumentPaths(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedDocumentPaths(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedDocumentPaths(event->mimeData()->urls());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // Each opens as File Open would: here, or in a process of its own.
    for (const QString& path : paths)
        m_app.OnFileOpenPath(path);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A print preview in the window is closed first; the window stays.
    if (m_printPreview) {
        m_printPreview->close();
        m_printPreview = nullptr;
        event->ignore();
        return;
    }
    // Closing the main window ends the process.
    if (!m_document.CloseDocument(true)) {
        event->ignore();
        return;
    }
    m_modelessDialogs.HideOthers(nullptr);
    event->accept();
    // A hidden window does not end the event loop by closing; the converter never shows its window.
    QCoreApplication::quit();
}
