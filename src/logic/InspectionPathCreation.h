#pragma once

#include "logic/InspectionParserEntity.h"
#include "logic/InspectionResultSet.h"

// Path phase of the inspection of one unit function: Fn statements that call a unit function end paths.
void CreatePathsOfCurrentUnitFunction(InspectionResultSet& results, InspectionParserSequencePtr top);

// Path phase of the whole-document inspection, with step progress and abort polls; the called logic
// follows each Fn line, so Fn statements end no path.
void CreatePathsOfAllUnitFunctions(InspectionResultSet& results, InspectionParserSequencePtr top);
