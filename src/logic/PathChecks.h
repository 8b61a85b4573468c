#pragma once

#include "logic/InspectionParserEntity.h"
#include "logic/InspectionResultSet.h"

// Within each path: redundant descriptions, contradictions and semantic relations.
void CheckWithinPaths(InspectionResultSet& results, const InspectionEnvironment& environment, bool redundancy,
                      bool contradiction, bool semanticRelations);

// Between two paths: redundant descriptions, redundant assumptions and possibly inconsistent descriptions.
void CheckBetweenPaths(InspectionResultSet& results, bool redundancy, bool contradiction);

// Every condition of a, in order, among those of b (b may hold more).
bool IsOrderedSubMatch(const std::vector<PathCondition>& a, const std::vector<PathCondition>& b);
