#include "logic/ConditionConclusionList.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessage.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "model/LogicNesting.h"
#include "model/UnitFunctionRegistry.h"
#include "texts/StringTable.h"

#include <limits>

namespace {

const QString kLightRule = QString(34, QChar(0x2500));
const QString kHeavyRule = QString(34, QChar(0x2501));

InspectionTargetLine Rule(const QString& text) {
    InspectionTargetLine line;
    line.text = text;
    return line;
}

// The lines of the list as the pane's target lines: each line reference becomes one the first time it is written,
// and a group of lines goes to the pane as one run of their numbers.
class PaneLines {
public:
    PaneLines(CInspectionView& pane, const InspectionEnvironment& environment, const LineReferences& references)
        : m_pane(pane), m_environment(environment), m_references(references),
          m_heavyRule(pane.AddTargetLine(Rule(kHeavyRule))), m_lightRule(pane.AddTargetLine(Rule(kLightRule))) {}

    void HeavyRule() { m_group.push_back(m_heavyRule); }
    void LightRule() { m_group.push_back(m_lightRule); }
    void Reference(quint32 reference) { m_group.push_back(Target(reference)); }
    void References(std::span<const quint32> references) {
        for (const quint32 reference : references)
            Reference(reference);
    }
    // The group's lines, written as one run.
    void Write() {
        m_pane.AddTargetLines(m_group);
        m_group.clear();
    }

private:
    static constexpr quint32 kNone = std::numeric_limits<quint32>::max();

    quint32 Target(quint32 reference) {
        if (reference >= m_targets.size())
            m_targets.resize(m_references.size(), kNone);
        quint32& target = m_targets[reference];
        if (target == kNone) {
            const LineReference& line = m_references[reference];
            target = m_pane.AddTargetLine(MakeTargetLine(m_environment, line.unitFunction, line.lineIndex, line.text));
        }
        return target;
    }

    CInspectionView& m_pane;
    const InspectionEnvironment& m_environment;
    const LineReferences& m_references;
    const quint32 m_heavyRule;
    const quint32 m_lightRule;
    std::vector<quint32> m_targets; // of each reference, kNone before it is first written
    std::vector<quint32> m_group;
};

// A row after its separator: the statement, a light rule, then the conditions and earlier statements.
void WriteCorrespondenceGroup(const CorrespondenceRow& row, PaneLines& lines) {
    lines.HeavyRule();
    lines.Reference(row.statement);
    lines.LightRule();
    lines.References(row.lines);
    lines.Write();
}

} // namespace

void CConditionConclusionList::WriteCorrespondenceListAll(CInspectionView& pane,
                                                          const InspectionEnvironment& environment,
                                                          const CInspectionParserSequence& top, int statementKind) {
    const bool fn = statementKind == FnStatements;
    const QString keyword = environment.GetSymbol(fn ? SyntaxFn : SyntaxDo);
    const auto wanted = fn ? CInspectionParserEntity::Kind::Fn : CInspectionParserEntity::Kind::Do;
    // Rows multiply with the paths through a description: a list longer than the pane holds is refused before any
    // of its text is made. Besides the rows: the first line, the closing rule and the last line.
    if (CountCorrespondenceLines(top, wanted) + 3 > CInspectionView::MaxLines - static_cast<quint64>(pane.LineCount()))
        throw InspectionViewFull();
    pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceAllBegin).arg(keyword));
    LineReferences references;
    PaneLines lines(pane, environment, references);
    quint32 count = 0;
    CollectCorrespondenceRows(top, references, [&](const CorrespondenceRow& row) {
        if (row.statementKind != wanted)
            return;
        WriteCorrespondenceGroup(row, lines);
        ++count;
    });
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
    LineReferences references;
    const std::vector<StatementChain> chains = CollectConclusionRows(top, references, MaxChains, truncated);
    PaneLines lines(pane, environment, references);
    for (const StatementChain& chain : chains) {
        lines.References(chain.lines);
        lines.LightRule();
        lines.Write();
    }
    // Sequential blocks multiply their ways; a list cut short must not look complete.
    if (truncated)
        pane.AddMessageWithoutTarget(LoadString(StringId::TooManyCombinations).arg(MaxChains));
    pane.AddMessageWithoutTarget(
        LoadString(StringId::CorrespondenceCurrentEnd).arg(doKeyword, fnKeyword, QString::number(chains.size())));
}

CConditionConclusionList::Outcome CConditionConclusionList::Run(CInspectionView& pane,
                                                                const InspectionEnvironment& environment, int scope,
                                                                int statementKind, const CUnitFunction* current) {
    if (environment.registry && RefuseFnCycle(*environment.registry))
        return Refused;
    std::vector<InspectionParserLine> lines;
    if (scope == AllUnitFunctions) {
        if (environment.registry && environment.registry->origin)
            CollectLogicLinesExpanded(*environment.registry->origin, environment, lines);
    } else if (current) {
        CollectLogicLines(*current, lines);
    }
    QString reason;
    try {
        CInspectionParser parser(std::move(lines), environment);
        const InspectionParserSequencePtr top = parser.Parse();
        pane.ClearMessages();
        if (scope == AllUnitFunctions)
            WriteCorrespondenceListAll(pane, environment, *top, statementKind);
        else
            WriteCorrespondenceListCurrent(pane, environment, *top);
        return Written;
    } catch (const InspectionViewFull&) {
        reason = LoadString(StringId::ResultListFull).arg(CInspectionView::MaxLines);
    } catch (...) {
        reason = RunFailureReason();
    }
    // What was written goes first: a list that ran out of memory leaves room for the line that says so.
    pane.ClearMessages();
    pane.AddMessageWithoutTarget(LoadString(StringId::CorrespondenceFailedBecause).arg(reason));
    return Failed;
}
