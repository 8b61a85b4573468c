#pragma once

#include "logic/InspectionMessage.h"
#include "logic/InspectionPath.h"

#include <vector>

// The paths and findings of one inspection run.
struct InspectionResultSet {
    InspectionResultSet(CInspectionView& pane, const InspectionEnvironment& environment)
        : findings(pane, environment) {}

    std::vector<InspectionPath> paths;
    FindingSet findings;
};
