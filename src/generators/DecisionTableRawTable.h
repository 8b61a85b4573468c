#pragma once

#include "generators/DecisionTablePathCollector.h"
#include "generators/DecisionTableRow.h"

#include <QString>

#include <map>
#include <set>
#include <vector>

class CInspectionProgress;

// The conjunction of the conditions one rule puts on one member: display text -> the statements it came from.
using DecisionTableAlternative = std::map<QString, StepNumbers>;

// Alternatives compared by their display texts alone.
bool AlternativeLess(const DecisionTableAlternative& a, const DecisionTableAlternative& b);

// A member's value in a rule: its alternatives (a disjunction), kept in AlternativeLess order without two of
// the same display texts.
using DecisionTableValue = std::vector<DecisionTableAlternative>;

// A row of the raw table as its readers see it.
struct DecisionTableRowValues {
    std::map<QString, DecisionTableValue> conditions; // by member name
    std::set<const CUnitFunction*> functions;         // whose action statements the row stands for
    StepNumbers numbers;                              // of those action statements
};

// The rows of each consequent, and the texts, unit functions and row data they refer to.
struct DecisionTableRawTable {
    // Consequent member -> consequent display text -> its rows in recording order.
    std::map<QString, std::map<QString, std::vector<DecisionTableRawRow>>> consequents;
    DecisionTableTexts texts;
    DecisionTableRowStore store;

    DecisionTableRowValues Read(const DecisionTableRawRow& row) const;
    StepNumbers ReadNumbers(const DecisionTableRawRow& row) const;
    // The rows of every consequent.
    size_t RowCount() const;
};

// One row per recorded rule; takes the collector's rules.
DecisionTableRawTable BuildRawTable(DecisionTablePathCollector&& collector);
// Merges rows of one consequent that differ in the value of at most one member, until none do. With a run, reports
// the rows passed as its steps and polls it for Cancel.
void OmitRedundancy(DecisionTableRawTable& table, CInspectionProgress* run = nullptr);
