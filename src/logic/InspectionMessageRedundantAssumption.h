#pragma once

#include "logic/InspectionView.h"

struct InspectionEnvironment;

// Two conclusions that differ only in one condition and its opposite. The finding's targets are the earlier
// and the later conclusion, then the earlier and the later condition.
InspectionFindingLayout RedundantAssumptionLayout(const InspectionEnvironment& environment);
