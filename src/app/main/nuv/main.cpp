// nuv: the editor. Opens the document named on the command line, or a new one, in the main window.

#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProgramMain.h"
#include "app/ui/WidgetShell.h"

#include <vector>

namespace {

// For pictures of the window without a desktop: NUV_RUN_COMMANDS holds command ids, separated by spaces, run one
// after the other once the window shows.
void RunCommandsFromEnvironment(CMainFrame& frame, const COpenDocument& document) {
    std::vector<int> ids;
    for (const QString& id : qEnvironmentVariable("NUV_RUN_COMMANDS").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ids.push_back(id.toInt());
    MainFrameCommand::RunCommandsInTurn(frame, document, std::move(ids), [&frame](int id) { frame.OnCommand(id); });
}

} // namespace

int main(int argc, char* argv[]) {
    RunApplicationProgram(argc, argv, [](CNUVApp& app, CWidgetShell& shell, const QStringList& arguments) {
        if (!app.InitEditorInstance(arguments))
            return false;
        shell.ShowMainWindow();
        RunCommandsFromEnvironment(*shell.MainFrame(), app.Document());
        return true;
    });
}
