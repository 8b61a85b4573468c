#include "app/ui/MainFrame.h"

#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "logic/InspectionEnvironment.h"
#include "logic/InspectionRun.h"
#include "logic/ui/CheckDlg.h"
#include "logic/ui/CheckThreadDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

using namespace MainFrameCommand;

namespace {

// The toolbar buttons that have a picture; the others show their caption.
QIcon CommandIcon(int id) {
    QStyle* style = QApplication::style();
    switch (id) {
    case FileNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case FileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case FileSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case NavigateBack:
        return style->standardIcon(QStyle::SP_ArrowBack);
    case NavigateForward:
        return style->standardIcon(QStyle::SP_ArrowForward);
    case 57664:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case 57669:
        return style->standardIcon(QStyle::SP_TitleBarContextHelpButton);
    default:
        return QIcon();
    }
}

// Marks the actions of a list the window fills, which the localisation leaves alone.
const char* const kListEntry = "listEntry";

QString WithoutAccessKey(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    return caption.remove(QLatin1Char('&'));
}

} // namespace

CMainFrame::CMainFrame(CNUVApp& app) : m_app(app) {
    setMinimumSize(300, 300);
    setAcceptDrops(true);
    m_tabArea = new QTabWidget(this);
    m_tabArea->setDocumentMode(true);
    m_tabArea->setMovable(true);
    m_tabArea->setTabsClosable(true);
    setCentralWidget(m_tabArea);
    connect(m_tabArea, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_bChangingTabs && m_app.Tabs().OnTabActivated(TabDocument(index)))
            UpdateCommands();
    });
    connect(m_tabArea, &QTabWidget::tabCloseRequested, this, [this](int index) {
        if (CNUVDoc* document = TabDocument(index))
            m_app.Tabs().CloseTab(document);
        UpdateCommands();
    });
    connect(&m_autoSaveTimer, &QTimer::timeout, this, [this] { m_app.OnAutoSaveTimer(); });
    connect(&m_readOnlyWatchTimer, &QTimer::timeout, this, [this] { m_app.OnReadOnlyWatchTimer(); });
    // The worker writes the pane; the document's results time is written here, on this thread.
    connect(&m_inspectionPane, &CInspectionView::ResultsTimeChanged, this,
            [this](qint64 resultsTime) { m_app.DocumentData().resultsTime = resultsTime; });
    CreateActions();
    CreateToolBars();
    resize(1024, 720);
    CreatePanes();
    RebuildMenuBar(false);
    UpdateCommands();
    OnUpdateFrameTitle(QString());
    m_app.Tabs().SetTabArea(this);
}

CMainFrame::~CMainFrame() {
    m_app.Tabs().SetTabArea(nullptr);
}

void CMainFrame::CreateActions() {
    auto* looks = new QActionGroup(this);
    for (const Command& command : Commands()) {
        auto* action = new QAction(this);
        action->setData(command.id);
        action->setText(CommandCaption(m_app.MessageContext(), command.id));
        if (*command.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
        if (command.rule == UpdateRule::ApplicationLook) {
            action->setCheckable(true);
            looks->addAction(action);
        }
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        // Shortcuts work also for commands that no menu shows.
        addAction(action);
        m_actions[id] = action;
    }
}

void CMainFrame::CreateToolBars() {
    const auto fill = [this](QToolBar* bar, const std::vector<int>& buttons) {
        bar->setMovable(true);
        for (int id : buttons) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* action = m_actions.at(id);
            action->setIcon(CommandIcon(id));
            action->setToolTip(WithoutAccessKey(action->text()));
            bar->addAction(action);
        }
    };
    m_standardToolBar = addToolBar(LoadString(StringId::StandardToolBar));
    m_standardToolBar->setObjectName(QStringLiteral("StandardToolBar"));
    fill(m_standardToolBar, StandardToolBarButtons());
    m_navigationToolBar = addToolBar(LoadString(StringId::NavigationToolBar));
    m_navigationToolBar->setObjectName(QStringLiteral("NavigationToolBar"));
    fill(m_navigationToolBar, NavigationToolBarButtons());
}

void CMainFrame::CreatePanes() {
    // All panes sit in one tabbed group on the left, the outline-ordered index in front.
    for (const MainFrameCommand::Pane& pane : Panes()) {
        auto* dock = new QDockWidget(Msg::Text(m_app.MessageContext(), pane.caption), this);
        dock->setObjectName(QStringLiteral("Pane%1").arg(pane.id));
        if (pane.id == MessagesPane) {
            auto* edit = new CInspectionViewEdit(m_inspectionPane, *this, dock);
            edit->setMinimumSize(200, 200);
            dock->setWidget(edit);
        } else {
            auto* placeholder = new QLabel(dock);
            placeholder->setAlignment(Qt::AlignCenter);
            placeholder->setMinimumSize(200, 200);
            dock->setWidget(placeholder);
        }
        m_panes[pane.id] = dock;
    }
    QDockWidget* front = m_panes.at(OutlineIndexPane);
    addDockWidget(Qt::LeftDockWidgetArea, front);
    for (int id : {HierarchicalIndexPane, StructureDiagramPane, FunctionListPane, MessagesPane, NotesPane})
        tabifyDockWidget(front, m_panes.at(id));
    front->raise();
    resizeDocks({front}, {280}, Qt::Horizontal);
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
    const CNavigationHistory& history = m_app.Tabs().History();
    QList<QAction*> actions;
    for (int i = 0; i < static_cast<int>(history.Entries().size()) && HistoryEntryFirst + i <= HistoryEntryLast; ++i) {
        const CNUVDoc* document = history.Entries()[i];
        auto* action = new QAction(document->m_pUnitFunction ? document->m_pUnitFunction->name : QString(), menu);
        action->setData(HistoryEntryFirst + i);
        action->setCheckable(true);
        action->setChecked(i == history.CurrentIndex());
        actions << action;
    }
    ReplaceListActions(menu, anchor, actions);
}

void CMainFrame::UpdateCommands() {
    const State state = StateOf(m_app, m_nApplicationLook, m_app.IsWorkerRunning());
    if (state.documentOpen != m_bMenuForDocument)
        RebuildMenuBar(state.documentOpen);
    for (const Command& command : Commands()) {
        const Update update = UpdateCommand(command, state);
        QAction* action = m_actions.at(command.id);
        action->setEnabled(update.enabled);
        if (action->isCheckable())
            action->setChecked(update.checked);
    }
}

QAction* CMainFrame::CommandAction(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QDockWidget* CMainFrame::Pane(int id) const {
    const auto found = m_panes.find(id);
    return found == m_panes.end() ? nullptr : found->second;
}

void CMainFrame::ShowPane(int id) {
    QDockWidget* pane = m_panes.at(id);
    pane->show();
    pane->raise();
}

void CMainFrame::OnCommand(int id) {
    switch (id) {
    case FileNew:
        m_app.OnFileNew();
        break;
    case FileOpen:
        m_app.OnFileOpen();
        break;
    case FileSave:
        m_app.OnFileSave();
        break;
    case FileSaveAs:
        m_app.OnFileSaveAs();
        break;
    case NavigateBack:
        m_app.Tabs().NavigateBack();
        break;
    case NavigateForward:
        m_app.Tabs().NavigateForward();
        break;
    case AppExit:
        m_app.OnAppExit();
        break;
    case SwitchToEnglish:
        m_app.SwitchToEnglish();
        break;
    case SwitchToJapanese:
        m_app.SwitchToJapanese();
        break;
    case ShowOutlineIndex:
        ShowPane(OutlineIndexPane);
        break;
    case ShowHierarchicalIndex:
        ShowPane(HierarchicalIndexPane);
        break;
    case InspectAll:
    case InspectSyntax:
    case InspectRedundancy:
    case InspectInconsistency:
        RunWholeInspection(id);
        break;
    case ConditionConclusionList:
        OpenConditionConclusionList();
        break;
    case MainFrameCommand::InspectCurrentUnitFunction:
        OnInspectCurrentUnitFunction();
        break;
    case ReasonCheck:
        OnReasonCheck();
        break;
    default:
        if (id >= ApplicationLookFirst && id <= ApplicationLookLast)
            m_nApplicationLook = id;
        else if (id >= RecentFileFirst && id <= RecentFileLast)
            m_app.OnOpenRecentFile(id - RecentFileFirst);
        else if (id >= HistoryEntryFirst && id <= HistoryEntryLast)
            m_app.Tabs().NavigateTo(id - HistoryEntryFirst);
        break;
    }
    UpdateCommands();
}

void CMainFrame::RunWholeInspection(int command) {
    ShowPane(MessagesPane);
    const InspectionEnvironment environment = MakeInspectionEnvironment(m_app.DocumentData());
    m_app.SetWorkerRunning(true);
    UpdateCommands();
    CCheckThreadDialog::RunWholeInspection(this, m_inspectionRunner, command, m_inspectionPane, environment);
    m_app.SetWorkerRunning(false);
}

void CMainFrame::OnInspectCurrentUnitFunction() {
    ShowPane(MessagesPane);
    // Without an active tab there is no unit function to inspect; the pane keeps what it shows.
    const CUnitFunction* function = m_app.Tabs().ActiveTabFunction();
    if (!function)
        return;
    const InspectionEnvironment environment = MakeInspectionEnvironment(m_app.DocumentData());
    ::InspectCurrentUnitFunction(*function, m_inspectionPane, environment);
}

void CMainFrame::OnReasonCheck() {
    ShowPane(MessagesPane);
    m_inspectionPane.ClearMessages();
    InspectReasons(m_inspectionPane, MakeInspectionEnvironment(m_app.DocumentData()));
}

void CMainFrame::OpenConditionConclusionList() {
    ShowPane(MessagesPane);
    const InspectionEnvironment environment = MakeInspectionEnvironment(m_app.DocumentData());
    CCheckDlg dialog(m_app.MessageContext(), m_inspectionPane, environment, m_app.Tabs().ActiveTabFunction(), this);
    dialog.exec();
}

bool CMainFrame::OpenFunction(qint32 internalId) {
    CUnitFunction* function = m_app.DocumentData().registry.FindByInternalID(static_cast<quint32>(internalId));
    return function && m_app.Tabs().OpenFunctionTab(function);
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
    // The editor of the unit function fills the tab later; until then the tab names its unit function.
    const QString name = document.m_pUnitFunction ? document.m_pUnitFunction->name : QString();
    auto* window = new QLabel(name);
    window->setAlignment(Qt::AlignCenter);
    m_tabWindows[&document] = window;
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->addTab(window, name);
    m_bChangingTabs = changing;
}

void CMainFrame::ActivateTabWindow(CNUVDoc& document) {
    const auto found = m_tabWindows.find(&document);
    if (found == m_tabWindows.end())
        return;
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->setCurrentWidget(found->second);
    m_bChangingTabs = changing;
    UpdateCommands();
}

void CMainFrame::DestroyTabWindow(CNUVDoc& document) {
    const auto found = m_tabWindows.find(&document);
    if (found == m_tabWindows.end())
        return;
    QWidget* window = found->second;
    m_tabWindows.erase(found);
    const bool changing = std::exchange(m_bChangingTabs, true);
    m_tabArea->removeTab(m_tabArea->indexOf(window));
    m_bChangingTabs = changing;
    delete window;
}

void CMainFrame::OnUpdateFrameTitle(const QString& documentName) {
    setWindowTitle(documentName.isEmpty()
                       ? LoadString(StringId::ApplicationTitle)
                       : LoadString(StringId::ApplicationTitle) + QStringLiteral(" - ") + documentName);
    UpdateCommands();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the process.
    if (!m_app.CloseDocument(true)) {
        event->ignore();
        return;
    }
    event->accept();
    // A hidden window does not end the event loop by closing; the converter never shows its window.
    QCoreApplication::quit();
}
