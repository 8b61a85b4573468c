#pragma once

// The inspection commands by id. The whole-document inspections run the items of their id on the worker.
enum InspectionCommand : int {
    CommandInspectAll = 32795,
    CommandInspectSyntax = 32881,
    CommandInspectRedundancy = 32882,
    CommandInspectInconsistency = 32883,
    // On the user-interface thread: all items on the current unit function, the reasons, and the dialog of the
    // conditions and conclusions.
    CommandInspectCurrentUnitFunction = 32794,
    CommandReasonCheck = 32898,
    CommandConditionConclusionList = 32793,
};
