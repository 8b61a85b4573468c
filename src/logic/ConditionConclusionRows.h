#pragma once

#include "logic/InspectionParserSequence.h"

#include <QString>

#include <functional>
#include <span>
#include <vector>

// One line of a row of the condition/conclusion list.
struct LineReference {
    QString text;
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = 0;
};

// The lines that rows and chains are made of, each made once: rows and chains name them by their index here. A
// row names every earlier Do statement, so the rows together name far more lines than there are.
using LineReferences = std::vector<LineReference>;

// A Do or Fn statement with the conditions and earlier Do statements that lead to it, as indexes of line
// references. It lives only while the row is handed on: the lines are the collector's own.
struct CorrespondenceRow {
    std::span<const quint32> lines;
    quint32 statement = 0;
    CInspectionParserEntity::Kind statementKind = CInspectionParserEntity::Kind::Do;
};

// One way through a description: conditions and statements in the order of execution.
struct StatementChain {
    std::vector<quint32> lines;
    bool finished = false; // ended at an exitlp: takes no further statements of its sequence
};

// Hands each row to `row` in tree order the moment it is made, so that the rows are never all held at once.
void CollectCorrespondenceRows(const CInspectionParserSequence& sequence, LineReferences& references,
                               const std::function<void(const CorrespondenceRow&)>& row);

// The lines a row takes in the list besides its conditions and earlier statements: a heavy rule, the statement and a
// light rule.
constexpr quint64 CorrespondenceGroupLines = 3;
// The lines the rows of statements of that kind take in the list, counted without making a text or a reference.
quint64 CountCorrespondenceLines(const CInspectionParserSequence& sequence, CInspectionParserEntity::Kind kind);

// k blocks in a row make a product of their ways; past maxChains the chains are cut off and truncated is set.
std::vector<StatementChain> CollectConclusionRows(const CInspectionParserSequence& sequence, LineReferences& references,
                                                  size_t maxChains, bool& truncated);
