#pragma once

#include "logic/InspectionParserEntity.h"

#include <QString>

#include <vector>

// One line of a row of the condition/conclusion list.
struct LineReference {
    QString text;
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = 0;
};

// A Do or Fn statement with the conditions and earlier Do statements that lead to it.
struct CorrespondenceRow {
    std::vector<LineReference> lines;
    LineReference statement;
    CInspectionParserEntity::Kind statementKind = CInspectionParserEntity::Kind::Do;
};

// One way through a description: conditions and statements in the order of execution.
struct StatementChain {
    std::vector<LineReference> lines;
    bool finished = false; // ended at an exitlp: takes no further statements of its sequence
};

void CollectCorrespondenceRows(const CInspectionParserSequence& sequence, std::vector<CorrespondenceRow>& rows,
                               std::vector<LineReference>& running);

// k blocks in a row make a product of their ways; past maxChains the chains are cut off and truncated is set.
std::vector<StatementChain> CollectConclusionRows(const CInspectionParserSequence& sequence, size_t maxChains,
                                                  bool& truncated);
