#include "logic/PathChecks.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessageTwoTargets.h"

#include <QHash>

#include <cstdint>
#include <optional>
#include <span>

namespace {

bool QuantifiersFit(qint32 a, qint32 b) {
    if (a == b)
        return true;
    if (a == QuantifierNone)
        return b == QuantifierUniversal;
    if (a == QuantifierUniversal)
        return b == QuantifierNone;
    return b == QuantifierUniversal || b == QuantifierNone; // a existential
}

// A condition as the comparison of two paths reads it. Records and conclusions of one run share the member and
// state text numbers of their syntax tree: comparing numbers spares reading the texts, which lie all over the
// document, for each of the pairs.
struct ConditionKey {
    qint32 memberId;
    quint32 state; // the state text's number times two, plus one when affirmed (StateNumber)
    qint32 quantifier;
};

quint32 StateNumber(const PathCondition& record) {
    return static_cast<quint32>(record.stateTextId) * 2 + (record.state.affirmed ? 1 : 0);
}

ConditionKey Key(const PathCondition& record) {
    return {record.memberId, StateNumber(record), record.quantifier};
}

bool SameCondition(const ConditionKey& x, const ConditionKey& y) {
    if (x.memberId != y.memberId || x.state != y.state)
        return false;
    return x.quantifier == y.quantifier || (x.quantifier == QuantifierUniversal && y.quantifier == QuantifierNone) ||
           (x.quantifier == QuantifierNone && y.quantifier == QuantifierUniversal);
}

bool OppositeCondition(const ConditionKey& x, const ConditionKey& y) {
    return x.memberId == y.memberId && (x.state ^ 1u) == y.state && DualQuantifier(x.quantifier) == y.quantifier;
}

using Conditions = std::span<const ConditionKey>;

// Every condition of a, in order, among those of b.
bool OrderedSubMatch(Conditions a, Conditions b) {
    size_t j = 0;
    for (const ConditionKey& condition : b) {
        if (j == a.size())
            break;
        const ConditionKey& wanted = a[j];
        if (wanted.memberId == condition.memberId && wanted.state == condition.state &&
            QuantifiersFit(wanted.quantifier, condition.quantifier))
            ++j;
    }
    return j == a.size();
}

// The one position where the two lists hold opposite conditions while all others are the same.
std::optional<size_t> FindSingleOppositeCondition(Conditions a, Conditions b) {
    if (a.size() != b.size())
        return std::nullopt;
    std::optional<size_t> found;
    for (size_t i = 0; i < a.size(); ++i) {
        if (SameCondition(a[i], b[i]))
            continue;
        if (found || !OppositeCondition(a[i], b[i]))
            return std::nullopt;
        found = i;
    }
    return found;
}

// A block that holds every other of the run: its statements never sit in a branch apart from another's.
bool InOutermostBlock(const CInspectionPathConclusion& conclusion) {
    return !conclusion.enclosingBlocks || conclusion.enclosingBlocks->depth == 1;
}

// The branch sets are chains from the top, so they meet exactly when they share the outermost statement.
const void* OutermostBranch(const CInspectionPathConclusion& conclusion) {
    return conclusion.enclosingBranches ? conclusion.enclosingBranches->outermost : nullptr;
}

// Only paths whose conclusions can be compared share a group: Do statements on one member, Fn statements
// calling one unit function, exitlp statements. Pairs from different groups never yield a finding, and a
// path that separates a pair is a Do on the same member in the same outermost branch as both, so it is in the
// same group too; a conclusion in the outermost block neither sits apart from another nor separates two, and
// is left out. The groups are numbered densely and their paths kept in one list, group after group, each in
// path order, with what a pair asks of them side by side.
struct PathGroups {
    struct Candidate {
        quint32 path;
        quint32 block;     // the number of the innermost sequence around the conclusion
        quint32 blockLast; // and of the last one inside it
        // The place in the list of the next Do of the group in the same outermost branch, or UINT32_MAX. Any Do
        // in between separates the two; one at that place or later separates this one from every Do of that
        // branch after it.
        quint32 nextInBranch;
        const void* branch; // the outermost branch statement around the conclusion, or null
        quint32 state;      // of a Do: its state's number, as in ConditionKey
        bool isDo;
    };

    std::vector<qint32> groupOf;      // by path; -1 for a path left out
    std::vector<quint32> placeInList; // by path
    std::vector<quint32> start;       // by group, and one past the last
    std::vector<Candidate> list;

    explicit PathGroups(const std::vector<InspectionPath>& paths)
        : groupOf(paths.size(), -1), placeInList(paths.size(), 0) {
        qint32 count = 0;
        std::vector<qint32> byMember; // Do conclusions by member number
        QHash<const CUnitFunction*, qint32> byCalledFunction;
        qint32 exitlp = -1;
        const auto number = [&count](qint32& group) {
            if (group < 0)
                group = count++;
            return group;
        };
        for (size_t i = 0; i < paths.size(); ++i) {
            const CInspectionPathConclusion& conclusion = *paths[i].conclusion;
            if (!conclusion.HasLine() || InOutermostBlock(conclusion))
                continue;
            if (conclusion.IsDo()) {
                const qint32 memberId = conclusion.action->memberId;
                if (memberId >= static_cast<qint32>(byMember.size()))
                    byMember.resize(memberId + 1, -1);
                groupOf[i] = number(byMember[memberId]);
            } else if (conclusion.IsFn()) {
                auto found = byCalledFunction.find(conclusion.calledFunction);
                if (found == byCalledFunction.end())
                    found = byCalledFunction.insert(conclusion.calledFunction, -1);
                groupOf[i] = number(*found);
            } else {
                groupOf[i] = number(exitlp);
            }
        }
        start.assign(count + 1, 0);
        for (const qint32 group : groupOf)
            if (group >= 0)
                ++start[group + 1];
        for (qint32 group = 0; group < count; ++group)
            start[group + 1] += start[group];
        list.resize(start[count]);
        std::vector<quint32> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < paths.size(); ++i) {
            if (groupOf[i] < 0)
                continue;
            const CInspectionPathConclusion& conclusion = *paths[i].conclusion;
            placeInList[i] = next[groupOf[i]]++;
            list[placeInList[i]] = {static_cast<quint32>(i),
                                    conclusion.enclosingBlocks->number,
                                    conclusion.enclosingBlocks->last,
                                    UINT32_MAX,
                                    OutermostBranch(conclusion),
                                    conclusion.IsDo() ? StateNumber(*conclusion.action) : 0,
                                    conclusion.IsDo()};
        }
        // From the end of the list, the place of the latest Do seen in each group and outermost branch.
        QHash<std::pair<qint32, const void*>, quint32> laterInBranch;
        qint32 group = count;
        for (quint32 place = static_cast<quint32>(list.size()); place-- > 0;) {
            while (place < start[group])
                --group;
            Candidate& candidate = list[place];
            if (!candidate.isDo || !candidate.branch)
                continue;
            const std::pair<qint32, const void*> key{group, candidate.branch};
            auto later = laterInBranch.find(key);
            if (later == laterInBranch.end())
                later = laterInBranch.insert(key, UINT32_MAX);
            candidate.nextInBranch = *later;
            *later = place;
        }
    }
};

// Neither statement's blocks contain the other's: the two sit in different branches.
bool AreInDivergentBlocks(const PathGroups::Candidate& a, const PathGroups::Candidate& b) {
    return (b.block < a.block || b.block > a.blockLast) && (a.block < b.block || a.block > b.blockLast);
}

class InterPathChecker {
public:
    explicit InterPathChecker(InspectionResultSet& results)
        : m_results(results), m_real(results.paths.size()), m_conclusionLines(results.paths.size(), UINT32_MAX) {}

    // Two conclusions of one group with the same Do state, the same called unit function or both exitlp.
    void CheckSameConclusions(const PathGroups::Candidate& a, const PathGroups::Candidate& b) {
        const auto [conditionsA, conditionsB] = RealConditions(a.path, b.path);
        if (OrderedSubMatch(conditionsA, conditionsB) || OrderedSubMatch(conditionsB, conditionsA))
            m_results.findings.AddBetweenPaths(CInspectionMessageTwoTargets::Redundant, ConclusionLine(b.path),
                                               ConclusionLine(a.path));
        const auto single = FindSingleOppositeCondition(conditionsA, conditionsB);
        if (!single)
            return;
        const PathConditionNode* const* nodesA = m_realNodes.data() + m_real[a.path].offset;
        const PathConditionNode* const* nodesB = m_realNodes.data() + m_real[b.path].offset;
        FindingSet& findings = m_results.findings;
        findings.AddRedundantAssumption({ConclusionLine(a.path), ConclusionLine(b.path),
                                         findings.TargetLine(MakeTarget(MakeConditionItem(nodesA[*single]->Value()))),
                                         findings.TargetLine(MakeTarget(MakeConditionItem(nodesB[*single]->Value())))});
    }

    // Two Do conclusions of one group with different states.
    void CheckInconsistentDescription(const PathGroups::Candidate& a, const PathGroups::Candidate& b) {
        const auto [conditionsA, conditionsB] = RealConditions(a.path, b.path);
        if (OrderedSubMatch(conditionsB, conditionsA))
            m_results.findings.AddBetweenPaths(CInspectionMessageTwoTargets::Contradiction, ConclusionLine(b.path),
                                               ConclusionLine(a.path));
    }

private:
    struct Span {
        size_t offset = 0;
        size_t count = SIZE_MAX; // not made yet
    };

    // The real conditions of two paths. A path's are made when a pair first asks for them; all lie in one buffer,
    // so both are made before either is looked at.
    std::pair<Conditions, Conditions> RealConditions(size_t i, size_t j) {
        MakeRealConditions(i);
        MakeRealConditions(j);
        return {ViewRealConditions(i), ViewRealConditions(j)};
    }

    void MakeRealConditions(size_t index) {
        Span& span = m_real[index];
        if (span.count != SIZE_MAX)
            return;
        span.offset = m_realNodes.size();
        m_results.paths[index].AppendRealConditionNodes(m_realNodes);
        span.count = m_realNodes.size() - span.offset;
        for (size_t k = span.offset; k < m_realNodes.size(); ++k)
            m_realKeys.push_back(Key(*m_realNodes[k]->record));
    }

    Conditions ViewRealConditions(size_t index) const {
        return {m_realKeys.data() + m_real[index].offset, m_real[index].count};
    }

    // The pane's line for the conclusion of a path.
    quint32 ConclusionLine(size_t index) {
        quint32& line = m_conclusionLines[index];
        if (line == UINT32_MAX)
            line = m_results.findings.TargetLine(MakeTarget(MakeConclusionItem(*m_results.paths[index].conclusion)));
        return line;
    }

    InspectionResultSet& m_results;
    std::vector<Span> m_real;               // by path
    std::vector<quint32> m_conclusionLines; // by path; UINT32_MAX until made
    std::vector<const PathConditionNode*> m_realNodes;
    std::vector<ConditionKey> m_realKeys; // beside m_realNodes
};

} // namespace

void CheckBetweenPaths(InspectionResultSet& results, bool redundancy, bool contradiction) {
    const PathGroups groups(results.paths);
    InterPathChecker checker(results);
    const unsigned total = static_cast<unsigned>(results.paths.size());
    for (size_t i = 0; i < results.paths.size(); ++i) {
        results.environment.MinorProgress(static_cast<unsigned>(i + 1), total);
        if (groups.groupOf[i] >= 0) {
            const quint32 place = groups.placeInList[i];
            const PathGroups::Candidate& a = groups.list[place];
            const quint32 end = groups.start[groups.groupOf[i] + 1];
            for (quint32 later = place + 1; later < end; ++later) {
                const PathGroups::Candidate& b = groups.list[later];
                if (!AreInDivergentBlocks(a, b) || (a.nextInBranch < later && a.branch == b.branch))
                    continue;
                const bool same = !a.isDo || a.state == b.state;
                if (redundancy && same)
                    checker.CheckSameConclusions(a, b);
                if (contradiction && !same)
                    checker.CheckInconsistentDescription(a, b);
                results.environment.PollAbort();
            }
        }
        results.environment.PollAbort();
    }
}
