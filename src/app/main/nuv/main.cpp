// nuv: the editor. Opens the document named on the command line, or a new one, in the main window.

#include "app/NUVApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/WidgetShell.h"
#include "platform/Display.h"
#include "platform/RandomGenerator.h"
#include "platform/RuntimeDirectory.h"
#include "platform/ui/MessageBoxSink.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

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
    platform::SeedRandomWithTime();

    // The arguments are ours alone, as for the converter: Qt sees only the program name.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);

    const QString runtimeDirectory = platform::RuntimeDirectory();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && !runtimeDirectory.isEmpty())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDirectory));
    const bool headless = platform::PrepareDisplay();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("NUV"));

    int exitCode = 1;
    {
        platform::QMessageBoxSink dialogSink;
        std::optional<platform::MessageSinkInstaller> dialogs;
        if (!headless)
            dialogs.emplace(dialogSink);
        CWidgetShell shell(headless, runtimeDirectory);
        CNUVApp app(shell);
        if (app.InitEditorInstance(arguments)) {
            shell.ShowMainWindow();
            RunCommandsFromEnvironment(*shell.MainFrame());
            exitCode = QApplication::exec();
        }
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
