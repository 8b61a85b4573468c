#pragma once

#include "platform/CommandRegistry.h"

class CMainFrame;
class CNUVApp;
class COpenDocument;

// The rows of the application shell: the document's file commands, the window's views, looks and dialogs, the
// language, the help, the commands this system does not do, the commands of the active tab, and the lists
// the window fills (recent files, running instances, history).
void AddShellCommands(CCommandRegistry& registry, CMainFrame& frame, CNUVApp& app);

// Hands a command to the active tab's document, which routes what it knows; without a tab nothing happens.
void RouteToActiveTab(COpenDocument& document, int id);
