#pragma once

#include "generators/DecisionTableRawTable.h"
#include "model/FileUtilities.h"

#include <vector>

class CDocumentData;
class CInspectionProgress;

// How phase 3 orders and lays out the table.
struct DecisionTableLayoutChoice {
    bool conclusionLast = false;
    bool consequentsByCharacterCode = false; // else in the order of description
    bool antecedentsByCharacterCode = false; // else in the order of description
    bool traceabilityRows = false;           // outline numbers, names, labels and requirement items of each rule
};

// The lines of the decision table: one block per consequent member, a stub line of condition names followed by
// one line per rule. With a run, reports the rules laid out as its steps and polls it for Cancel.
std::vector<CsvTable> BuildDecisionTableBlocks(const DecisionTableRawTable& table,
                                               const DecisionTableLayoutChoice& choice, const CDocumentData& data,
                                               CInspectionProgress* run = nullptr);

// Each block on its own turned so that its stub is the first column and each rule a column.
std::vector<CsvTable> TransposeTable(const std::vector<CsvTable>& blocks);
