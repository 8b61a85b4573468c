#pragma once

#include "logic/InspectionResultSet.h"

// Within each path: redundant descriptions, contradictions and semantic relations.
void CheckWithinPaths(InspectionResultSet& results, const InspectionEnvironment& environment, bool redundancy,
                      bool contradiction, bool semanticRelations);

// Between two paths: redundant descriptions, redundant assumptions and possibly inconsistent descriptions.
void CheckBetweenPaths(InspectionResultSet& results, bool redundancy, bool contradiction);
