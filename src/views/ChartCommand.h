#pragma once

// The hierarchical chart's commands by id: its printout printed or previewed.
enum ChartCommand : int {
    CommandPrintHierarchicalIndex = 32775,
    CommandPreviewHierarchicalIndex = 32780,
};
