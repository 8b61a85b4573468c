#pragma once

// The whole-document inspections, by the command id that starts each; the worker runs the items of its id.
enum InspectionCommand : int {
    CommandInspectAll = 32795,
    CommandInspectSyntax = 32881,
    CommandInspectRedundancy = 32882,
    CommandInspectInconsistency = 32883,
};
