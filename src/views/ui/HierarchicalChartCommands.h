#pragma once

#include "platform/CommandRegistry.h"

#include <functional>

class CHierarchicalView;
class QPrinter;

// The rows of the hierarchical chart's printout: printed through the print dialog, or shown in the preview
// window, once there is something to print; `view` gives the chart pane, over which the dialogs open, and
// `printer` the printer every printout shares.
void AddHierarchicalChartCommands(CCommandRegistry& registry, std::function<CHierarchicalView&()> view,
                                  std::function<QPrinter&()> printer);
