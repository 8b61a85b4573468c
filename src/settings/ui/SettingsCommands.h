#pragma once

#include "platform/CommandRegistry.h"

class CSettingsHost;

// The ids of the settings commands in the main window's menus.
enum SettingsCommandId {
    CommandEnvironmentSettings = 32885,
};

// The row of the environment-settings sheet.
void AddSettingsCommands(CCommandRegistry& registry, CSettingsHost& host);

// Runs the environment-settings sheet modally on the page that was shown when it last closed; after OK the host
// refreshes what the pages' combined change bits ask for.
void RunEnvironmentSettingsSheet(CSettingsHost& host);
