#pragma once

#include "platform/CommandRegistry.h"

#include <functional>

class CHierarchicalView;

// The rows of the hierarchical chart's printout: printed through the print dialog, or shown in the preview
// window, once there is something to print; `view` gives the chart pane, over which the dialogs open.
void AddHierarchicalChartCommands(CCommandRegistry& registry, std::function<CHierarchicalView&()> view);
