#include "app/ui/MainFrame.h"

#include "app/NUVApp.h"
#include "texts/StringTable.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

using namespace MainFrameCommand;

namespace {

const QString kApplicationTitle = LoadString(StringId::ApplicationTitle);

// The toolbar buttons that have a picture; the others show their caption.
QIcon CommandIcon(int id) {
    QStyle* style = QApplication::style();
    switch (id) {
    case FileNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case FileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case 57603:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case 33027:
        return style->standardIcon(QStyle::SP_ArrowBack);
    case 33028:
        return style->standardIcon(QStyle::SP_ArrowForward);
    case 57664:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case 57669:
        return style->standardIcon(QStyle::SP_TitleBarContextHelpButton);
    default:
        return QIcon();
    }
}

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
    setCentralWidget(m_tabArea);
    CreateActions();
    CreateToolBars();
    resize(1024, 720);
    CreatePanes();
    RebuildMenuBar(false);
    UpdateCommands();
    OnUpdateFrameTitle(QString());
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
        auto* placeholder = new QLabel(dock);
        placeholder->setAlignment(Qt::AlignCenter);
        placeholder->setMinimumSize(200, 200);
        dock->setWidget(placeholder);
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
    const QList<QAction*> actions = menu->actions();
    for (qsizetype i = 0; i < actions.size() && i < static_cast<qsizetype>(captions.size()); ++i) {
        if (!actions[i]->isSeparator())
            actions[i]->setText(captions[i]);
    }
}

void CMainFrame::UpdateCommands() {
    const State state = StateOf(m_app, m_nApplicationLook, false);
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
    case FileOpen: {
        const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("*.nuv"));
        if (!path.isEmpty())
            m_app.OnFileOpenPath(path);
        break;
    }
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
    case InspectCurrentUnitFunction:
    case ReasonCheck:
        ShowPane(MessagesPane);
        break;
    default:
        if (id >= ApplicationLookFirst && id <= ApplicationLookLast)
            m_nApplicationLook = id;
        break;
    }
    UpdateCommands();
}

void CMainFrame::Activate() {
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CMainFrame::OnUpdateFrameTitle(const QString& documentName) {
    setWindowTitle(documentName.isEmpty() ? kApplicationTitle
                                          : kApplicationTitle + QStringLiteral(" - ") + documentName);
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
