// nuv: the editor. Opens the document named on the command line, or a new one, in the main window.

#include "app/NUVApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProgramMain.h"
#include "app/ui/WidgetShell.h"

#include <QTimer>

namespace {

// For pictures of the window without a desktop: NUV_RUN_COMMANDS holds command ids, separated by spaces,
// run one after the other once the window shows.
void RunCommandsFromEnvironment(CMainFrame& frame) {
    const QStringList ids = qEnvironmentVariable("NUV_RUN_COMMANDS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& id : ids)
        QTimer::singleShot(0, &frame, [&frame, id] { frame.OnCommand(id.toInt()); });
}

} // namespace

int main(int argc, char* argv[]) {
    RunApplicationProgram(argc, argv, [](CNUVApp& app, CWidgetShell& shell, const QStringList& arguments) {
        if (!app.InitEditorInstance(arguments))
            return false;
        shell.ShowMainWindow();
        RunCommandsFromEnvironment(*shell.MainFrame());
        return true;
    });
}
