// nuv: the editor. Opens the document named on the command line, or a new one, in the main window.

#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProgramMain.h"
#include "app/ui/WidgetShell.h"

#include <vector>

namespace {

// For pictures of the window without a desktop: NUV_RUN_COMMANDS holds command ids, separated by spaces, run one
// after the other once the window shows. The list is this process's own: it is taken out of the environment as it is
// read, so that no process the editor starts (the editor that New starts, a program that opens a link) runs it again.
std::vector<int> TakeCommandsFromEnvironment() {
    std::vector<int> ids;
    for (const QString& id : qEnvironmentVariable("NUV_RUN_COMMANDS").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ids.push_back(id.toInt());
    qunsetenv("NUV_RUN_COMMANDS");
    return ids;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<int> commands = TakeCommandsFromEnvironment();
    RunApplicationProgram(argc, argv, [&commands](CNUVApp& app, CWidgetShell& shell, const QStringList& arguments) {
        if (!app.InitEditorInstance(arguments))
            return false;
        shell.ShowMainWindow();
        CMainFrame& frame = *shell.MainFrame();
        MainFrameCommand::RunCommandsInTurn(frame, app.Document(), std::move(commands),
                                            [&frame](int id) { frame.OnCommand(id); });
        return true;
    });
}
