#pragma once

#include "logic/FindingSet.h"
#include "logic/InspectionPath.h"

#include <vector>

// The paths and findings of one inspection run, and what the run reads.
struct InspectionResultSet {
    InspectionResultSet(CInspectionView& pane, const InspectionEnvironment& environment)
        : environment(environment), findings(pane, environment) {}

    const InspectionEnvironment& environment;
    std::vector<InspectionPath> paths;
    FindingSet findings;
};
