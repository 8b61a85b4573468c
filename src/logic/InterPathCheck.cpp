#include "logic/PathChecks.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessageRedundantAssumption.h"
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

// Records and conclusions of one run share the member numbers of their syntax tree: comparing the numbers
// spares reading the names, which lie all over the document.

bool SameCondition(const PathCondition& x, const PathCondition& y) {
    if (x.memberId != y.memberId || x.state.affirmed != y.state.affirmed || x.state.text != y.state.text)
        return false;
    return x.quantifier == y.quantifier || (x.quantifier == QuantifierUniversal && y.quantifier == QuantifierNone) ||
           (x.quantifier == QuantifierNone && y.quantifier == QuantifierUniversal);
}

bool OppositeCondition(const PathCondition& x, const PathCondition& y) {
    if (x.memberId != y.memberId || x.state.affirmed == y.state.affirmed || x.state.text != y.state.text)
        return false;
    return DualQuantifier(x.quantifier) == y.quantifier;
}

using ConditionNodes = std::span<const PathConditionNode* const>;

// Every condition of a, in order, among those of b.
bool OrderedSubMatch(ConditionNodes a, ConditionNodes b) {
    size_t j = 0;
    for (const PathConditionNode* node : b) {
        if (j == a.size())
            break;
        const PathCondition& wanted = *a[j]->record;
        const PathCondition& condition = *node->record;
        if (wanted.memberId == condition.memberId && wanted.state.affirmed == condition.state.affirmed &&
            wanted.state.text == condition.state.text && QuantifiersFit(wanted.quantifier, condition.quantifier))
            ++j;
    }
    return j == a.size();
}

// The one position where the two lists hold opposite conditions while all others are the same.
std::optional<std::pair<size_t, size_t>> FindSingleOppositeCondition(ConditionNodes a, ConditionNodes b) {
    if (a.size() != b.size())
        return std::nullopt;
    std::optional<std::pair<size_t, size_t>> found;
    for (size_t i = 0; i < a.size(); ++i) {
        if (SameCondition(*a[i]->record, *b[i]->record))
            continue;
        if (found || !OppositeCondition(*a[i]->record, *b[i]->record))
            return std::nullopt;
        found = std::make_pair(i, i);
    }
    return found;
}

// Neither statement's blocks contain the other's: the two sit in different branches.
bool AreInDivergentBlocks(const CInspectionPathConclusion& i, const CInspectionPathConclusion& j) {
    const EnclosingLink* a = i.enclosingBlocks;
    const EnclosingLink* b = j.enclosingBlocks;
    return a && b && !a->Holds(*b) && !b->Holds(*a);
}

// A block that holds every other of the run: its statements never sit in a branch apart from another's.
bool InOutermostBlock(const CInspectionPathConclusion& conclusion) {
    return !conclusion.enclosingBlocks || conclusion.enclosingBlocks->depth == 1;
}

// The branch sets are chains from the top, so they meet exactly when they share the outermost statement.
const void* OutermostBranch(const CInspectionPathConclusion& conclusion) {
    return conclusion.enclosingBranches ? conclusion.enclosingBranches->outermost : nullptr;
}

class InterPathChecker {
public:
    explicit InterPathChecker(InspectionResultSet& results)
        : m_results(results), m_real(results.paths.size()), m_conclusionLines(results.paths.size(), UINT32_MAX) {}

    // The real conditions of two paths. A path's are made when a pair first asks for them; all lie in one buffer,
    // so both are made before either is looked at.
    std::pair<ConditionNodes, ConditionNodes> RealConditions(size_t i, size_t j) {
        MakeRealConditions(i);
        MakeRealConditions(j);
        return {ViewRealConditions(i), ViewRealConditions(j)};
    }

    void CheckSameConditionsBetweenPaths(size_t i, size_t j) {
        const auto& ci = *m_results.paths[i].conclusion;
        const auto& cj = *m_results.paths[j].conclusion;
        if (!SameConclusion(ci, cj))
            return;
        const auto [conditionsI, conditionsJ] = RealConditions(i, j);
        if (!OrderedSubMatch(conditionsI, conditionsJ) && !OrderedSubMatch(conditionsJ, conditionsI))
            return;
        m_results.findings.AddBetweenPaths(CInspectionMessageTwoTargets::Redundant, ConclusionLine(j),
                                           ConclusionLine(i));
    }

    void CheckRedundantAssumption(size_t i, size_t j) {
        const auto& ci = *m_results.paths[i].conclusion;
        const auto& cj = *m_results.paths[j].conclusion;
        if (!SameConclusion(ci, cj))
            return;
        const auto [conditionsI, conditionsJ] = RealConditions(i, j);
        const auto pair = FindSingleOppositeCondition(conditionsI, conditionsJ);
        if (!pair)
            return;
        FindingSet& findings = m_results.findings;
        findings.AddRedundantAssumption(
            {ConclusionLine(i), ConclusionLine(j),
             findings.TargetLine(MakeTarget(MakeConditionItem(conditionsI[pair->first]->Value()))),
             findings.TargetLine(MakeTarget(MakeConditionItem(conditionsJ[pair->second]->Value())))});
    }

    void CheckInconsistentDescription(size_t i, size_t j) {
        const auto& ci = *m_results.paths[i].conclusion;
        const auto& cj = *m_results.paths[j].conclusion;
        if (!ci.IsDo() || !cj.IsDo() || ci.action->memberId != cj.action->memberId ||
            !DifferentNegatableText(ci.action->state, cj.action->state))
            return;
        const auto [conditionsI, conditionsJ] = RealConditions(i, j);
        if (!OrderedSubMatch(conditionsJ, conditionsI))
            return;
        m_results.findings.AddBetweenPaths(CInspectionMessageTwoTargets::Contradiction, ConclusionLine(j),
                                           ConclusionLine(i));
    }

private:
    struct Span {
        size_t offset = 0;
        size_t count = SIZE_MAX; // not made yet
    };

    void MakeRealConditions(size_t index) {
        Span& span = m_real[index];
        if (span.count != SIZE_MAX)
            return;
        span.offset = m_realNodes.size();
        m_results.paths[index].AppendRealConditionNodes(m_realNodes);
        span.count = m_realNodes.size() - span.offset;
    }

    ConditionNodes ViewRealConditions(size_t index) const {
        return {m_realNodes.data() + m_real[index].offset, m_real[index].count};
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
};

// Only paths whose conclusions can be compared share a group: Do statements on one member, Fn statements
// calling one unit function, exitlp statements. Pairs from different groups never yield a finding, and a
// path that separates a pair is a Do on the same member in the same outermost branch as both, so it is in the
// same group too; a conclusion in the outermost block neither sits apart from another nor separates two, and
// is left out. The groups are numbered densely and their paths kept in one list, group after group, each in
// path order.
struct PathGroups {
    std::vector<qint32> groupOf;      // by path; -1 for a path left out
    std::vector<size_t> placeInGroup; // by path
    std::vector<size_t> start;        // by group, and one past the last
    std::vector<size_t> members;      // path indices
    // By place in members: the place of the next Do of the group in the same outermost branch, or SIZE_MAX.
    // Any Do in between separates the two; one at that place or later separates this one from every Do of
    // that branch after it.
    std::vector<size_t> nextInBranch;

    explicit PathGroups(const std::vector<InspectionPath>& paths)
        : groupOf(paths.size(), -1), placeInGroup(paths.size(), 0) {
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
        members.resize(start[count]);
        std::vector<size_t> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < paths.size(); ++i) {
            if (groupOf[i] < 0)
                continue;
            placeInGroup[i] = next[groupOf[i]] - start[groupOf[i]];
            members[next[groupOf[i]]++] = i;
        }
        nextInBranch.assign(members.size(), SIZE_MAX);
        QHash<const void*, size_t> laterInBranch;
        for (qint32 group = 0; group < count; ++group) {
            laterInBranch.clear();
            for (size_t place = start[group + 1]; place-- > start[group];) {
                const CInspectionPathConclusion& conclusion = *paths[members[place]].conclusion;
                const void* branch = OutermostBranch(conclusion);
                if (!conclusion.IsDo() || !branch)
                    continue;
                auto found = laterInBranch.find(branch);
                if (found == laterInBranch.end()) {
                    laterInBranch.insert(branch, place);
                } else {
                    nextInBranch[place] = *found;
                    *found = place;
                }
            }
        }
    }

    // A Do of the same member in the same outermost branch as both lies between the two.
    bool Separated(const std::vector<InspectionPath>& paths, size_t earlier, size_t later) const {
        return nextInBranch[earlier] < later && OutermostBranch(*paths[members[earlier]].conclusion) ==
                                                    OutermostBranch(*paths[members[later]].conclusion);
    }
};

} // namespace

void CheckBetweenPaths(InspectionResultSet& results, bool redundancy, bool contradiction) {
    const std::vector<InspectionPath>& paths = results.paths;
    const PathGroups groups(paths);
    InterPathChecker checker(results);
    const unsigned total = static_cast<unsigned>(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        results.environment.MinorProgress(static_cast<unsigned>(i + 1), total);
        const CInspectionPathConclusion& ci = *paths[i].conclusion;
        if (groups.groupOf[i] >= 0) {
            const size_t place = groups.start[groups.groupOf[i]] + groups.placeInGroup[i];
            const size_t end = groups.start[groups.groupOf[i] + 1];
            for (size_t g = place + 1; g < end; ++g) {
                const size_t j = groups.members[g];
                if (!AreInDivergentBlocks(ci, *paths[j].conclusion) || groups.Separated(paths, place, g))
                    continue;
                if (redundancy) {
                    checker.CheckSameConditionsBetweenPaths(i, j);
                    checker.CheckRedundantAssumption(i, j);
                }
                if (contradiction)
                    checker.CheckInconsistentDescription(i, j);
                results.environment.PollAbort();
            }
        }
        results.environment.PollAbort();
    }
}
