// The baseline of the editor's start on a new document: a bare Qt application that shows a QMainWindow with
// as many docks and menu items as the editor's main window, taken from its menu tree, and ends once the
// window shows. No settings, documents, texts, shortcuts or update rules.

#include "app/MainFrameCommands.h"
#include "app/ToolBarLayout.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using MainFrameCommand::MenuEntry;

void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries, const std::map<int, QAction*>& actions) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Command:
            menu->addAction(actions.at(entry.command));
            break;
        case MenuEntry::Kind::Submenu:
            AddEntries(menu->addMenu(entry.caption), entry.entries, actions);
            break;
        case MenuEntry::Kind::PaneList:
            menu->addMenu(entry.caption);
            break;
        default:
            menu->addSeparator();
            break;
        }
    }
}

} // namespace

int main(int, char* argv[]) {
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    auto* window = new QMainWindow;
    std::map<int, QAction*> actions;
    for (const MainFrameCommand::OfferedCommand& command : MainFrameCommand::CommandsInMenus())
        actions[command.id] = new QAction(QStringLiteral("Command %1").arg(command.id), window);
    for (const MenuEntry& entry : MainFrameCommand::DocumentMenuBar()) {
        if (entry.kind == MenuEntry::Kind::Command)
            window->menuBar()->addAction(actions.at(entry.command));
        else
            AddEntries(window->menuBar()->addMenu(entry.caption), entry.entries, actions);
    }
    QDockWidget* front = nullptr;
    for (const MainFrameCommand::Pane& pane : MainFrameCommand::Panes()) {
        auto* dock = new QDockWidget(QStringLiteral("Pane %1").arg(pane.id), window);
        dock->setWidget(new QLabel(dock));
        if (front) {
            window->tabifyDockWidget(front, dock);
        } else {
            window->addDockWidget(Qt::LeftDockWidgetArea, dock);
            front = dock;
        }
    }
    window->show();
    // Ends the way nuv does when its exit command runs once the window shows: leaves the event loop,
    // destroys the window and ends without destroying the application object.
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    QApplication::exec();
    delete window;
    std::fflush(nullptr);
    std::_Exit(0);
}
