#include "app/ui/ProgramMain.h"

#include "app/NUVApp.h"
#include "app/ui/WidgetShell.h"
#include "platform/CommandLine.h"
#include "platform/Display.h"
#include "platform/OutOfMemory.h"
#include "platform/RandomGenerator.h"
#include "platform/RuntimeDirectory.h"
#include "platform/TerminationRequests.h"
#include "platform/ToolkitThreads.h"
#include "platform/ui/CompleterClicks.h"
#include "platform/ui/FileDropGuard.h"
#include "platform/ui/HeadlessDialogs.h"
#include "platform/ui/MessageBoxSink.h"
#include "platform/ui/RadioGroupTabStops.h"
#include "platform/ui/ToolkitTexts.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

void EndApplicationProgram(CNUVApp& app, CWidgetShell& shell) {
    app.ReleaseSharedState();
    shell.StopListening();
    std::fflush(nullptr);
    std::_Exit(app.ExitCode());
}

void RunApplicationProgram(int argc, char* argv[],
                           const std::function<bool(CNUVApp&, CWidgetShell&, const QStringList&)>& start) {
    platform::ExitOnOutOfMemory(QFileInfo(QFile::decodeName(argv[0])).fileName() + QStringLiteral(": ") +
                                LoadString(StringId::MemoryExhausted));
    platform::FailWritesBeyondFileSizeLimit();
    // Internal IDs are drawn from this sequence, seeded once for the whole process.
    platform::SeedRandomWithTime();

    // The arguments are ours alone: Qt sees only the program name, so a file named like one of its options
    // ("-platform", "-style") is opened, not obeyed.
    QStringList arguments;
    QByteArray undecodable;
    const bool decoded = platform::DecodeCommandLine(argc, argv, arguments, undecodable);
    arguments.prepend(QFile::decodeName(argv[0]));

    // Without XDG_RUNTIME_DIR our private fallback serves Qt as well, which would otherwise complain and
    // pick a directory of its own.
    const QString runtimeDirectory = platform::RuntimeDirectory();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && !runtimeDirectory.isEmpty())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDirectory));
    const bool headless = platform::PrepareDisplay();
    int qtArgc = 1;
    // No application display name: Qt would append it to every window title, which are the program's own.
    QApplication application(qtArgc, argv);
    if (!platform::StartToolkitThreads())
        platform::EndForLackOfMemory();
    platform::InstallRadioGroupTabStops(application);
    platform::InstallCompleterClicks(application);
    platform::InstallFileDropGuard(application);

    int exitCode = 1;
    {
        platform::QMessageBoxSink dialogSink(LoadString(StringId::ApplicationTitle));
        std::optional<platform::MessageSinkInstaller> dialogs;
        if (!headless)
            dialogs.emplace(dialogSink);
        // A name that cannot be read as text would be opened or written under another name.
        if (!decoded) {
            platform::ShowMessageBox(
                LoadString(StringId::ArgumentNotText).arg(ShownPath(QFile::decodeName(undecodable))),
                platform::MessageButtons::Ok, platform::MessageIcon::Error);
            std::fflush(nullptr);
            std::_Exit(2);
        }
        CWidgetShell shell(headless, runtimeDirectory);
        CNUVApp app(shell);
        std::unique_ptr<QObject> unanswerable;
        if (headless)
            unanswerable = platform::CancelDialogsWithoutDisplay(application, [&app](const QString& title) {
                return LoadString(app.MessageContext(), StringId::DialogWithoutDisplayJa,
                                  StringId::DialogWithoutDisplayEn)
                    .arg(title);
            });
        // Asked to end by a signal, the program closes as Exit in another instance asks it to: its owner file and
        // its record go, and a changed document is asked about (without a display its default answer saves it).
        const platform::TerminationRequests termination([&app] { app.OnCloseRequested(); });
        if (start(app, shell, arguments)) {
            if (app.MessageContext().m_language == 1)
                platform::InstallJapaneseToolkitTexts(application);
            QApplication::exec();
        }
        exitCode = app.ExitCode();
        shell.DestroyMainWindow();
    }
    // Everything the process shares with others has been released above. Destroying the application object
    // now would only make the offscreen platform load the whole font configuration in order to free it.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
