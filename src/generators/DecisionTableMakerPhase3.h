#pragma once

#include "generators/DecisionTableRawTable.h"

#include <functional>
#include <memory>

class CDocumentData;
class CInspectionProgress;

namespace platform {
class CodePageTextFile;
}

// How phase 3 orders and lays out the table.
struct DecisionTableLayoutChoice {
    bool conclusionLast = false;
    bool consequentsByCharacterCode = false; // else in the order of description
    bool antecedentsByCharacterCode = false; // else in the order of description
    bool traceabilityRows = false;           // outline numbers, names, labels and requirement items of each rule
    bool transposed = false;                 // each block written turned: its stub the first column, each rule a column
};

// The decision table of a raw table: one block per consequent member, a stub line of condition names followed by one
// line per rule. Laid out, it holds the order of the blocks and of their columns and rules; the lines are made as
// they are written, each cell text made and encoded once.
class DecisionTableSheet {
public:
    // Lays out the table it takes. With a run, reports the rules laid out as its steps and polls it for Cancel.
    DecisionTableSheet(DecisionTableRawTable&& table, const DecisionTableLayoutChoice& choice,
                       const CDocumentData& data, CInspectionProgress* run = nullptr);
    DecisionTableSheet(DecisionTableSheet&&) noexcept;
    ~DecisionTableSheet();

    size_t BlockCount() const;
    // The CSV lines the table is written as.
    size_t WrittenLineCount() const;
    // Each block's lines as they are or transposed, each cell quoted by QuoteCsvField and each line ended by a line
    // feed; an empty line after each block. `beforeLine`, when given, is called before each line is written.
    void Write(platform::CodePageTextFile& file, const std::function<void()>& beforeLine = {});

private:
    class Builder;
    std::unique_ptr<Builder> m_builder;
};
