#pragma once

#include "generators/DecisionTablePathCollector.h"

#include <QString>

#include <map>
#include <vector>

// The conjunction of the conditions one rule puts on one member: display text -> the statements it came from.
using DecisionTableAlternative = std::map<QString, StepNumbers>;

// Alternatives compared by their display texts alone.
bool AlternativeLess(const DecisionTableAlternative& a, const DecisionTableAlternative& b);

// A member's value in a rule: its alternatives (a disjunction), kept in AlternativeLess order without two of
// the same display texts.
using DecisionTableValue = std::vector<DecisionTableAlternative>;

struct DecisionTableRawRow {
    std::map<QString, DecisionTableValue> conditions; // by member name
    std::set<const CUnitFunction*> functions;         // whose action statements the row stands for
    StepNumbers numbers;                              // of those action statements
};

// Consequent member -> consequent display text -> its rows in recording order.
using DecisionTableRawTable = std::map<QString, std::map<QString, std::vector<DecisionTableRawRow>>>;

// One row per recorded rule.
DecisionTableRawTable BuildRawTable(const DecisionTablePathCollector& collector);
// Merges rows of one consequent that differ in the value of at most one member, until none do.
void OmitRedundancy(DecisionTableRawTable& table);

// The union of the step numbers of the display texts of a value.
StepNumbers CollectStepNumbers(const DecisionTableAlternative& alternative);
