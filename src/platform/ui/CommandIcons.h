#pragma once

#include "platform/CommandRegistry.h"

#include <QIcon>

// The picture of a toolbar button in the application's style; a null icon for CommandIcon::None.
QIcon StandardCommandIcon(CommandIcon icon);
