#include "logic/ConditionConclusionList.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessage.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "model/LogicNesting.h"
#include "model/UnitFunctionRegistry.h"
#include "texts/StringTable.h"

namespace {

const QString kLightRule = QString(34, QChar(0x2500));
const QString kHeavyRule = QString(34, QChar(0x2501));

} // namespace

void WriteLineReference(CInspectionView& pane, const InspectionEnvironment& environment,
                        const LineReference& reference) {
    WriteTargetLine(pane, environment, reference.unitFunction, reference.lineIndex, reference.text);
}

void WriteLineReferenceList(const std::vector<LineReference>& references, CInspectionView& pane,
                            const InspectionEnvironment& environment) {
    for (const LineReference& reference : references)
        WriteLineReference(pane, environment, reference);
}

void WriteCorrespondenceGroup(const CorrespondenceRow& row, CInspectionView& pane,
                              const InspectionEnvironment& environment) {
    WriteLineReference(pane, environment, row.statement);
    pane.AddMessageWithoutTarget(kLightRule);
    WriteLineReferenceList(row.lines, pane, environment);
}

void CConditionConclusionList::WriteCorrespondenceListAll(CInspectionView& pane,
                                                          const InspectionEnvironment& environment,
                                                          const CInspectionParserSequence& top, int statementKind) {
    const bool fn = statementKind == FnStatements;
    const QString keyword = environment.GetSymbol(fn ? SyntaxFn : SyntaxDo);
    pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceAllBegin).arg(keyword));
    std::vector<CorrespondenceRow> rows;
    std::vector<LineReference> running;
    CollectCorrespondenceRows(top, rows, running);
    const auto wanted = fn ? CInspectionParserEntity::Kind::Fn : CInspectionParserEntity::Kind::Do;
    quint32 count = 0;
    for (const CorrespondenceRow& row : rows) {
        if (row.statementKind != wanted)
            continue;
        pane.AddMessageWithoutTarget(kHeavyRule);
        WriteCorrespondenceGroup(row, pane, environment);
        ++count;
    }
    pane.AddMessageWithoutTarget(kHeavyRule);
    pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceAllEnd).arg(keyword, QString::number(count)));
}

void CConditionConclusionList::WriteCorrespondenceListCurrent(CInspectionView& pane,
                                                              const InspectionEnvironment& environment,
                                                              const CInspectionParserSequence& top) {
    const QString doKeyword = environment.GetSymbol(SyntaxDo);
    const QString fnKeyword = environment.GetSymbol(SyntaxFn);
    pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceCurrentBegin).arg(doKeyword, fnKeyword));
    pane.AddMessageWithoutTarget(kLightRule);
    bool truncated = false;
    const std::vector<StatementChain> chains = CollectConclusionRows(top, MaxChains, truncated);
    for (const StatementChain& chain : chains) {
        WriteLineReferenceList(chain.lines, pane, environment);
        pane.AddMessageWithoutTarget(kLightRule);
    }
    // Sequential blocks multiply their ways; a list cut short must not look complete.
    if (truncated)
        pane.AddMessageWithoutTarget(LoadString(StringId::TooManyCombinations).arg(MaxChains));
    pane.AddMessageWithoutTarget(
        LoadString(StringId::CorrespondenceCurrentEnd).arg(doKeyword, fnKeyword, QString::number(chains.size())));
}

bool CConditionConclusionList::Run(CInspectionView& pane, const InspectionEnvironment& environment, int scope,
                                   int statementKind, const CUnitFunction* current) {
    if (environment.registry && RefuseFnCycle(*environment.registry))
        return false;
    std::vector<InspectionParserLine> lines;
    if (scope == AllUnitFunctions) {
        if (environment.registry && environment.registry->origin)
            CollectLogicLinesExpanded(*environment.registry->origin, environment, lines);
    } else if (current) {
        CollectLogicLines(*current, lines);
    }
    try {
        CInspectionParser parser(std::move(lines), environment);
        const InspectionParserSequencePtr top = parser.Parse();
        pane.ClearMessages();
        if (scope == AllUnitFunctions)
            WriteCorrespondenceListAll(pane, environment, *top, statementKind);
        else
            WriteCorrespondenceListCurrent(pane, environment, *top);
    } catch (...) {
        pane.ClearMessages();
        pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceFailedBecause).arg(RunFailureReason()));
    }
    return true;
}
