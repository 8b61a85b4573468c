#include "logic/PathChecks.h"

#include "logic/InspectionMessageSemqnticRelation.h"
#include "logic/InspectionMessageTwoTargets.h"

#include "logic/InspectionEnvironment.h"

#include <algorithm>
#include <climits>

namespace {

// A member and a state of a rule, parsed as the statements are.
struct RulePart {
    bool usable = false;
    QString member;
    NegatableText state;

    bool Equals(const PathItem& item) const {
        return usable && member == item.member && SameNegatableText(state, item.state);
    }
};

RulePart ParseRulePart(const InspectionEnvironment& environment, const QString& member, const QString& state) {
    RulePart part;
    const QuantifiedMemberName name = ParseQuantifiedMemberName(environment.quantifiers, member);
    part.state = ParseNegationPrefix(state);
    part.member = name.name;
    part.usable = name.valid && !part.state.text.isEmpty();
    return part;
}

struct IntraMemberRule {
    bool initialise;
    RulePart condition1;
    RulePart condition2;
    RulePart initialisation;
};

struct SemanticRelation {
    RulePart last;
    qint32 lastQuantifier = QuantifierNone;
    std::vector<RulePart> others; // usable ones only
    std::vector<qint32> otherQuantifiers;
    QString message;
};

// False when the two states surely differ: records of one syntax tree number equal state texts alike.
bool MayHaveSameState(const PathCondition& a, const PathCondition& b) {
    if (a.state.affirmed != b.state.affirmed)
        return false;
    return a.stateTextId < 0 || b.stateTextId < 0 || a.stateTextId == b.stateTextId;
}

bool QuantifierAllows(qint32 item, qint32 sentence) {
    return !(item == QuantifierExistential && sentence == QuantifierUniversal);
}

bool MatchesSentence(const PathItem& item, const RulePart& sentence, qint32 sentenceQuantifier) {
    return item.member == sentence.member && item.state.affirmed == sentence.state.affirmed &&
           item.state.text == sentence.state.text && QuantifierAllows(item.quantifier, sentenceQuantifier);
}

class InPathChecker {
public:
    InPathChecker(InspectionResultSet& results, const InspectionEnvironment& environment, bool redundancy,
                  bool contradiction)
        : m_results(results), m_redundancy(redundancy), m_contradiction(contradiction) {
        for (const CIntraMemberConsistencyRule* rule : environment.intraMemberRules) {
            m_rules.push_back({rule->doFlag != 0, ParseRulePart(environment, rule->if1Member, rule->if1Status),
                               ParseRulePart(environment, rule->if2Member, rule->if2Status),
                               ParseRulePart(environment, rule->doMember, rule->doStatus)});
        }
        for (const CInconsistencyRule* rule : environment.semanticRelations) {
            const auto sentences = rule->SentencesInUse();
            // A relation without unit sentences has no last one to conclude with.
            if (sentences.empty())
                continue;
            SemanticRelation relation;
            const auto& last = sentences.back();
            relation.last = ParseRulePart(environment, last.member, last.state);
            relation.lastQuantifier = ParseQuantifiedMemberName(environment.quantifiers, last.member).quantifier;
            for (const auto& sentence : sentences.first(sentences.size() - 1)) {
                RulePart part = ParseRulePart(environment, sentence.member, sentence.state);
                if (part.usable) {
                    relation.others.push_back(part);
                    relation.otherQuantifiers.push_back(
                        ParseQuantifiedMemberName(environment.quantifiers, sentence.member).quantifier);
                }
            }
            relation.message = rule->message;
            m_relations.push_back(std::move(relation));
        }
    }

    // Pairs on one path. Both tests need the two members equal, and any item of b's member in between
    // interrupts the pair, so b can only pair with the nearest earlier item of its member. Records the path
    // shares with earlier paths have had their pair handed over already. Both tests also need a later item
    // from the conditions to be a condition itself, so a pair ending in an earlier action is not made.
    void CheckRedundancyAndContradictionInPath(const InspectionPath& path) {
        std::vector<Pair>& pairs = m_pairs;
        pairs.clear();
        for (const PathConditionNode* node = path.conditionsTail; node && !node->evaluated; node = node->parent) {
            node->evaluated = true;
            if (node->pairable && node->isCondition && node->sameMemberBefore && node->sameMemberBefore->pairable)
                pairs.push_back({node->sameMemberBefore, node, node->height});
        }
        // Only the redundancy test takes a pair that ends in the concluding Do, and only with the same state.
        const PathConditionNode* beforeConclusion = path.conclusionSameMemberBefore;
        if (m_redundancy && path.conclusion->IsDo() && beforeConclusion && beforeConclusion->pairable &&
            MayHaveSameState(*beforeConclusion->record, *path.conclusion->action))
            pairs.push_back({beforeConclusion, nullptr, INT_MAX});
        std::sort(pairs.begin(), pairs.end(), [](const Pair& x, const Pair& y) {
            return x.earlier->height != y.earlier->height ? x.earlier->height < y.earlier->height
                                                          : x.laterHeight < y.laterHeight;
        });
        // Most paths add no pair: their records were met by earlier paths.
        if (pairs.empty())
            return;
        const PathItem conclusionItem = MakeConclusionItem(*path.conclusion);
        for (const Pair& pair : pairs) {
            const PathItem a = MakeConditionItem(pair.earlier->Value());
            const PathItem b = pair.later ? MakeConditionItem(pair.later->Value()) : conclusionItem;
            const PathConditionNode* above = pair.later ? pair.later->parent : path.conditionsTail;
            if (InterruptedByRule(a, b, above, pair.earlier))
                continue;
            if (m_redundancy)
                TestRedundancy(a, b);
            if (m_contradiction)
                TestContradiction(a, b);
        }
    }

    void CheckSemanticRelationsInPath(const InspectionPath& path) {
        if (!path.conclusion->IsDo() || m_relations.empty())
            return;
        const PathItem conclusion = MakeConclusionItem(*path.conclusion);
        std::vector<PathItem> items;
        bool collected = false;
        for (const SemanticRelation& relation : m_relations) {
            if (!relation.last.usable || !MatchesSentence(conclusion, relation.last, relation.lastQuantifier))
                continue;
            if (!collected) {
                for (const PathCondition& condition : path.Conditions())
                    if (condition.pairable)
                        items.push_back(MakeConditionItem(condition));
                collected = true;
            }
            std::vector<FindingTarget> targets;
            size_t j = 0;
            for (const PathItem& item : items) {
                if (j == relation.others.size())
                    break;
                if (MatchesSentence(item, relation.others[j], relation.otherQuantifiers[j])) {
                    targets.push_back(MakeTarget(item));
                    ++j;
                }
            }
            if (j < relation.others.size())
                continue;
            auto finding = std::make_shared<CInspectionMessageSemqnticRelation>();
            finding->targets = std::move(targets);
            finding->targets.push_back(MakeTarget(conclusion));
            finding->message = relation.message;
            m_results.findings.Add(std::move(finding));
        }
    }

private:
    struct Pair {
        const PathConditionNode* earlier;
        const PathConditionNode* later; // null: the concluding Do
        int laterHeight;
    };

    // A rule with an initialisation breaks the pair when its initialisation stands between the two.
    bool InterruptedByRule(const PathItem& a, const PathItem& b, const PathConditionNode* above,
                           const PathConditionNode* earlier) const {
        for (const IntraMemberRule& rule : m_rules) {
            if (!rule.initialise || !rule.condition1.Equals(a) || !rule.condition2.Equals(b))
                continue;
            for (const PathConditionNode* node = above; node && node != earlier; node = node->parent)
                if (rule.initialisation.Equals(MakeConditionItem(node->Value())))
                    return true;
        }
        return false;
    }

    void Hand(int kind, const PathItem& a, const PathItem& b) {
        m_results.findings.Add(CInspectionMessageTwoTargets::Make(kind, a, b));
    }

    void TestRedundancy(const PathItem& a, const PathItem& b) {
        if (!a.fromConditions || !(b.isCondition || !b.fromConditions))
            return;
        if (a.memberId != b.memberId || !SameNegatableText(a.state, b.state))
            return;
        if (a.quantifier != b.quantifier && a.quantifier != QuantifierUniversal && a.quantifier != QuantifierNone)
            return;
        Hand(CInspectionMessageTwoTargets::Redundant, a, b);
    }

    void TestContradiction(const PathItem& a, const PathItem& b) {
        if (!b.fromConditions || !b.isCondition || a.memberId != b.memberId)
            return;
        if (a.quantifier == QuantifierExistential && b.quantifier == QuantifierExistential)
            return;
        for (const IntraMemberRule& rule : m_rules) {
            if (rule.initialise || !rule.condition1.usable || !rule.condition2.usable)
                continue;
            if (rule.condition1.member == a.member && rule.condition1.state.affirmed == a.state.affirmed &&
                rule.condition1.state.text == a.state.text && rule.condition2.member == a.member &&
                SameNegatableText(rule.condition2.state, b.state))
                return;
        }
        if (IsOppositeNegatableText(a.state, b.state))
            Hand(CInspectionMessageTwoTargets::Contradiction, a, b);
        else if (DifferentNegatableText(a.state, b.state) && a.state.affirmed && b.state.affirmed)
            Hand(CInspectionMessageTwoTargets::PossibleContradiction, a, b);
    }

    InspectionResultSet& m_results;
    bool m_redundancy;
    bool m_contradiction;
    std::vector<IntraMemberRule> m_rules;
    std::vector<SemanticRelation> m_relations;
    std::vector<Pair> m_pairs; // the current path's, kept to reuse its storage
};

} // namespace

void CheckWithinPaths(InspectionResultSet& results, const InspectionEnvironment& environment, bool redundancy,
                      bool contradiction, bool semanticRelations) {
    InPathChecker checker(results, environment, redundancy, contradiction);
    const unsigned total = static_cast<unsigned>(results.paths.size());
    for (unsigned i = 0; i < total; ++i) {
        environment.MinorProgress(i + 1, total);
        checker.CheckRedundancyAndContradictionInPath(results.paths[i]);
        if (semanticRelations)
            checker.CheckSemanticRelationsInPath(results.paths[i]);
        environment.PollAbort();
    }
}
