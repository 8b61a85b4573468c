#pragma once

#include "logic/InspectionCommand.h"
#include "logic/InspectionParser.h"

#include <vector>

class CInspectionProgress;
class CInspectionView;
class CUnitFunction;
class CUnitFunctionRegistry;

// The lines of one unit function, in order.
void CollectLogicLines(const CUnitFunction& function, std::vector<InspectionParserLine>& lines);

// The lines of a unit function with the lines of every called unit function right after its Fn line, at any
// depth: the whole logic as one description. A unit function already being expanded is not expanded again.
void CollectLogicLinesExpanded(const CUnitFunction& function, const InspectionEnvironment& environment,
                               std::vector<InspectionParserLine>& lines);

// When the Fn statements reachable from the origin form a cycle, tells the user and returns true.
bool RefuseFnCycle(const CUnitFunctionRegistry& registry);

void InspectReasons(CInspectionView& pane, const InspectionEnvironment& environment);
void SyntaxCheckUnitFunction(const CUnitFunction& function, CInspectionView& pane, quint32& counter,
                             const InspectionEnvironment& environment);
void SyntaxCheckAllUnitFunctions(CInspectionView& pane, quint32& counter, const InspectionEnvironment& environment);

// All items for one unit function, on the caller's thread, without progress or abort. False when the run failed (too
// deep, out of memory): its closing line says why.
bool InspectCurrentUnitFunction(const CUnitFunction& function, CInspectionView& pane,
                                const InspectionEnvironment& environment);

// The items of the command on the whole document, reporting to and polling the environment's run if it has one.
void InspectAllUnitFunctions(int command, CInspectionView& pane, const InspectionEnvironment& environment);

// The whole-document run as the worker thread does it: runs as the given run, which hears its progress and may
// be asked to abort, and whatever happens leaves a closing line in the pane when the run did not end normally.
// False when it failed (too deep, out of memory): the closing line says why.
bool StartWholeInspection(int command, CInspectionView& pane, const InspectionEnvironment& environment,
                          CInspectionProgress& run);
