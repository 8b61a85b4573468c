#include "app/ToolBarLayout.h"

#include "platform/UserSettings.h"

#include <QStringList>

#include <algorithm>
#include <set>

namespace MainFrameCommand {

namespace {

// "S1;N1;T59432,name,57600.57601;T59433,..." : the visibility of the two toolbars, then each user toolbar with
// its id, its name (percent-encoded) and its buttons.
const QString kStandard = QStringLiteral("S");
const QString kNavigation = QStringLiteral("N");
const QString kToolBar = QStringLiteral("T");

void CollectCommands(const std::vector<MenuEntry>& entries, int category, std::set<int>& seen,
                     std::vector<OfferedCommand>& commands) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command && seen.insert(entry.command).second)
            commands.push_back({entry.command, category});
        CollectCommands(entry.entries, category, seen, commands);
    }
}

// A button can carry any command of the window: those of the menus and those outside them.
bool IsButtonCommand(int command) {
    const std::vector<int>& outside = CommandsOutsideMenus();
    const std::vector<OfferedCommand> offered = CommandsInMenus();
    return std::find(outside.begin(), outside.end(), command) != outside.end() ||
           std::any_of(offered.begin(), offered.end(),
                       [command](const OfferedCommand& candidate) { return candidate.id == command; });
}

} // namespace

UserToolBar* CToolBarLayout::AddToolBar(const QString& name) {
    for (int id = UserToolBarFirst; id <= UserToolBarLast; ++id) {
        if (!FindToolBar(id)) {
            userToolBars.push_back({id, name, {}});
            return &userToolBars.back();
        }
    }
    return nullptr;
}

bool CToolBarLayout::RemoveToolBar(int id) {
    return std::erase_if(userToolBars, [id](const UserToolBar& bar) { return bar.id == id; }) > 0;
}

UserToolBar* CToolBarLayout::FindToolBar(int id) {
    const auto found =
        std::find_if(userToolBars.begin(), userToolBars.end(), [id](const UserToolBar& bar) { return bar.id == id; });
    return found == userToolBars.end() ? nullptr : &*found;
}

bool CToolBarLayout::AddButton(int toolBarId, int command) {
    UserToolBar* bar = FindToolBar(toolBarId);
    if (!bar || !IsButtonCommand(command))
        return false;
    bar->commands.push_back(command);
    return true;
}

bool CToolBarLayout::RemoveButton(int toolBarId, int position) {
    UserToolBar* bar = FindToolBar(toolBarId);
    if (!bar || position < 0 || position >= static_cast<int>(bar->commands.size()))
        return false;
    bar->commands.erase(bar->commands.begin() + position);
    return true;
}

QString CToolBarLayout::Serialize() const {
    QStringList parts = {kStandard + QString::number(standardVisible ? 1 : 0),
                         kNavigation + QString::number(navigationVisible ? 1 : 0)};
    for (const UserToolBar& bar : userToolBars) {
        QStringList buttons;
        for (int command : bar.commands)
            buttons << QString::number(command);
        parts << kToolBar + QString::number(bar.id) + QLatin1Char(',') +
                     QString::fromLatin1(bar.name.toUtf8().toPercentEncoding()) + QLatin1Char(',') +
                     buttons.join(QLatin1Char('.'));
    }
    return parts.join(QLatin1Char(';'));
}

CToolBarLayout CToolBarLayout::Parse(const QString& text) {
    CToolBarLayout layout;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (part == kStandard + QLatin1Char('0'))
            layout.standardVisible = false;
        else if (part == kNavigation + QLatin1Char('0'))
            layout.navigationVisible = false;
        if (!part.startsWith(kToolBar))
            continue;
        const QStringList fields = part.mid(kToolBar.size()).split(QLatin1Char(','));
        bool ok = false;
        const int id = fields.value(0).toInt(&ok);
        if (fields.size() != 3 || !ok || id < UserToolBarFirst || id > UserToolBarLast || layout.FindToolBar(id))
            continue;
        UserToolBar bar{id, QString::fromUtf8(QByteArray::fromPercentEncoding(fields[1].toLatin1())), {}};
        for (const QString& button : fields[2].split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
            const int command = button.toInt(&ok);
            if (ok && IsButtonCommand(command))
                bar.commands.push_back(command);
        }
        layout.userToolBars.push_back(std::move(bar));
    }
    return layout;
}

CToolBarLayout CToolBarLayout::Load() {
    return Parse(platform::ReadSetting(UserSettings::ToolBars()));
}

bool CToolBarLayout::Store() const {
    return platform::WriteSetting(UserSettings::ToolBars(), Serialize());
}

std::vector<OfferedCommand> CommandsInMenus() {
    std::vector<OfferedCommand> commands;
    std::set<int> seen;
    const std::vector<MenuEntry>& menuBar = DocumentMenuBar();
    for (int category = 0; category < static_cast<int>(menuBar.size()); ++category) {
        const MenuEntry& top = menuBar[category];
        if (top.kind == MenuEntry::Kind::Command && seen.insert(top.command).second)
            commands.push_back({top.command, category});
        CollectCommands(top.entries, category, seen, commands);
    }
    return commands;
}

} // namespace MainFrameCommand
