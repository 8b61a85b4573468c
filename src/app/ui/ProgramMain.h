#pragma once

#include <QStringList>

#include <functional>

class CNUVApp;
class CWidgetShell;

// What the programs' main functions share: the process set-up (an end with status 1 and "PROGRAM: メモリが足りません"
// when memory runs out, also when the toolkit's threads cannot all be started; a file too large for the limit on file
// sizes as a failed write; random seed, runtime directory, display or offscreen platform, message boxes), the
// application object on the widget shell, the event loop while `start` (given the command-line arguments) succeeds, and
// an exit with the application's exit code that leaves the rest to the system.
[[noreturn]] void RunApplicationProgram(int argc, char* argv[],
                                        const std::function<bool(CNUVApp&, CWidgetShell&, const QStringList&)>& start);
// Ends the process from within `start` with the application's exit code, without the event loop or a clean-up:
// what the process shares with others (its place in the instance table, its socket, the held document) is
// released, the output flushed, the rest left to the system.
[[noreturn]] void EndApplicationProgram(CNUVApp& app, CWidgetShell& shell);
