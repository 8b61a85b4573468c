// The path phase and the in-path check take short cuts (one walk for all paths, shared records, pairs only
// with the nearest same-member item). This test holds them against the plain algorithm: every conclusion
// searched from the top, every pair of every path tested, on random logic descriptions.

#include "InspectionTestSupport.h"
#include "logic/InspectionParser.h"
#include "logic/InspectionPathCreation.h"
#include "logic/PathChecks.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Kind = CInspectionParserEntity::Kind;

struct Conclusion {
    Kind kind; // Do, Fn, Exitlp; DoNothing stands for an empty sequence
    qint32 position;
};

bool Yields(const CInspectionParserEntity& node) {
    if (node.kind == Kind::Do)
        return static_cast<const CInspectionParserDo&>(node).record.has_value();
    if (node.kind == Kind::Fn)
        return static_cast<const CInspectionParserFn&>(node).calledFunction != nullptr;
    return node.kind != Kind::DoNothing;
}

void CollectConclusions(const CInspectionParserSequence& sequence, std::vector<Conclusion>& out);

void CollectConclusions(const CInspectionParserEntity& node, std::vector<Conclusion>& out) {
    switch (node.kind) {
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        CollectConclusions(*block.thenBody, out);
        CollectConclusions(*block.elseBody, out);
        break;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        for (const auto& item : block.cases)
            CollectConclusions(*item.body, out);
        CollectConclusions(*block.elswBody, out);
        break;
    }
    case Kind::Loop:
        CollectConclusions(*static_cast<const CInspectionParserLoop&>(node).body, out);
        break;
    default:
        if (Yields(node))
            out.push_back({node.kind, static_cast<const CInspectionParserSingleLine&>(node).position});
    }
}

void CollectConclusions(const CInspectionParserSequence& sequence, std::vector<Conclusion>& out) {
    const size_t before = out.size();
    for (const auto& node : sequence.nodes)
        CollectConclusions(*node, out);
    if (out.size() == before)
        out.push_back({Kind::DoNothing, sequence.start});
}

bool Contains(const CInspectionParserSequence& sequence, const Conclusion& c);

bool Contains(const CInspectionParserEntity& node, const Conclusion& c) {
    switch (node.kind) {
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        return Contains(*block.thenBody, c) || Contains(*block.elseBody, c);
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        for (const auto& item : block.cases)
            if (Contains(*item.body, c))
                return true;
        return Contains(*block.elswBody, c);
    }
    case Kind::Loop:
        return Contains(*static_cast<const CInspectionParserLoop&>(node).body, c);
    case Kind::DoNothing:
        return false;
    default:
        return node.kind == c.kind && static_cast<const CInspectionParserSingleLine&>(node).position == c.position;
    }
}

bool Contains(const CInspectionParserSequence& sequence, const Conclusion& c) {
    for (const auto& node : sequence.nodes)
        if (Contains(*node, c))
            return true;
    return false;
}

void CollectActions(const CInspectionParserSequence& sequence, std::vector<PathCondition>& out, size_t from = 0);

void CollectActions(const CInspectionParserEntity& node, std::vector<PathCondition>& out) {
    switch (node.kind) {
    case Kind::Do: {
        const auto& action = static_cast<const CInspectionParserDo&>(node);
        if (action.record) {
            out.push_back(*action.record);
            out.back().pairable = 0;
        }
        break;
    }
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        CollectActions(*block.thenBody, out);
        CollectActions(*block.elseBody, out);
        break;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        for (const auto& item : block.cases)
            CollectActions(*item.body, out);
        CollectActions(*block.elswBody, out);
        break;
    }
    case Kind::Loop:
        CollectActions(*static_cast<const CInspectionParserLoop&>(node).body, out);
        break;
    default:
        break;
    }
}

void CollectActions(const CInspectionParserSequence& sequence, std::vector<PathCondition>& out, size_t from) {
    for (size_t i = from; i < sequence.nodes.size(); ++i)
        CollectActions(*sequence.nodes[i], out);
}

void CollectActionsAfter(const CInspectionParserSequence& sequence, const Conclusion& c,
                         std::vector<PathCondition>& out) {
    for (size_t i = 0; i < sequence.nodes.size(); ++i) {
        const auto& node = *sequence.nodes[i];
        if (!Contains(node, c))
            continue;
        if (node.kind == Kind::If) {
            const auto& block = static_cast<const CInspectionParserIf&>(node);
            CollectActionsAfter(Contains(*block.thenBody, c) ? *block.thenBody : *block.elseBody, c, out);
        } else if (node.kind == Kind::Switch) {
            const auto& block = static_cast<const CInspectionParserSwitch&>(node);
            const CInspectionParserSequence* body = block.elswBody.get();
            for (const auto& item : block.cases)
                if (Contains(*item.body, c)) {
                    body = item.body.get();
                    break;
                }
            CollectActionsAfter(*body, c, out);
        }
        CollectActions(sequence, out, i + 1);
        return;
    }
}

using List = std::vector<PathCondition>;

PathCondition Pairable(PathCondition condition) {
    condition.pairable = 1;
    return condition;
}

bool FindPath(const CInspectionParserSequence& sequence, const Conclusion& c, List& path, List& possible, List& result);

bool FindPath(const CInspectionParserEntity& node, const Conclusion& c, List& path, List& possible, List& result) {
    switch (node.kind) {
    case Kind::Do: {
        const auto& action = static_cast<const CInspectionParserDo&>(node);
        if (c.kind == Kind::Do && c.position == action.position) {
            result = path;
            return true;
        }
        if (action.record) {
            path.push_back(*action.record);
            path.back().pairable = 1;
            possible.push_back(*action.record);
            possible.back().pairable = 0;
        }
        return false;
    }
    case Kind::Fn:
    case Kind::Exitlp:
        if (c.kind == node.kind && c.position == static_cast<const CInspectionParserSingleLine&>(node).position) {
            result = path;
            return true;
        }
        return false;
    case Kind::DoNothing:
        return false;
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        List local;
        List thenList = path;
        if (block.thenRecord)
            thenList.push_back(Pairable(*block.thenRecord));
        if (FindPath(*block.thenBody, c, thenList, local, result))
            return true;
        List elseList = path;
        if (block.elseRecord)
            elseList.push_back(Pairable(*block.elseRecord));
        if (FindPath(*block.elseBody, c, elseList, local, result))
            return true;
        path.insert(path.end(), local.begin(), local.end());
        possible.insert(possible.end(), local.begin(), local.end());
        return false;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        List local;
        for (const auto& item : block.cases) {
            List caseList = path;
            if (item.record)
                caseList.push_back(Pairable(*item.record));
            if (FindPath(*item.body, c, caseList, local, result))
                return true;
        }
        List elswList = path;
        for (const PathCondition& record : block.elswRecords)
            elswList.push_back(Pairable(record));
        if (FindPath(*block.elswBody, c, elswList, local, result))
            return true;
        path.insert(path.end(), local.begin(), local.end());
        possible.insert(possible.end(), local.begin(), local.end());
        return false;
    }
    case Kind::Loop: {
        const auto& block = static_cast<const CInspectionParserLoop&>(node);
        if (Contains(*block.body, c)) {
            List after;
            CollectActionsAfter(*block.body, c, after);
            path.insert(path.end(), after.begin(), after.end());
            possible.insert(possible.end(), after.begin(), after.end());
        }
        return FindPath(*block.body, c, path, possible, result);
    }
    }
    return false;
}

bool FindPath(const CInspectionParserSequence& sequence, const Conclusion& c, List& path, List& possible,
              List& result) {
    if (c.kind == Kind::DoNothing && c.position == sequence.start) {
        result = path;
        return true;
    }
    for (const auto& node : sequence.nodes)
        if (FindPath(*node, c, path, possible, result))
            return true;
    return false;
}

// The plain in-path check: every pair, every item between.
void PlainInPathCheck(const std::vector<InspectionPath>& paths, FindingSet& findings) {
    for (const InspectionPath& path : paths) {
        std::vector<PathItem> items;
        for (const PathCondition& condition : path.Conditions())
            items.push_back(MakeConditionItem(condition));
        if (path.conclusion->IsDo())
            items.push_back(MakeConclusionItem(*path.conclusion));
        for (size_t a = 0; a < items.size(); ++a) {
            for (size_t b = a + 1; b < items.size(); ++b) {
                if (!items[a].pairable || !items[b].pairable)
                    continue;
                bool interrupted = false;
                for (size_t c = a + 1; c < b; ++c)
                    interrupted = interrupted || items[c].member == items[b].member;
                if (interrupted)
                    continue;
                const PathItem& x = items[a];
                const PathItem& y = items[b];
                const auto hand = [&](int kind) {
                    auto finding = std::make_shared<CInspectionMessageTwoTargets>();
                    finding->kind = kind;
                    finding->target1 = MakeTarget(y);
                    finding->target2 = MakeTarget(x);
                    findings.Add(finding);
                };
                if ((y.isCondition || !y.fromConditions) && x.member == y.member &&
                    SameNegatableText(x.state, y.state) &&
                    (x.quantifier == y.quantifier || x.quantifier != QuantifierExistential))
                    hand(0);
                if (y.fromConditions && y.isCondition && x.member == y.member &&
                    !(x.quantifier == QuantifierExistential && y.quantifier == QuantifierExistential)) {
                    if (IsOppositeNegatableText(x.state, y.state))
                        hand(1);
                    else if (DifferentNegatableText(x.state, y.state) && x.state.affirmed && y.state.affirmed)
                        hand(2);
                }
            }
        }
    }
}

QString RandomScript(std::mt19937& random, int depth, int& budget) {
    static const QStringList members = {"X", "Y", "Z"};
    static const QStringList states = {"S", "T", QString(QChar(0x00AC)) + "S"};
    const auto pick = [&random](const QStringList& list) { return list[random() % list.size()]; };
    QString script;
    const int count = 1 + random() % 3;
    for (int i = 0; i < count && budget > 0; ++i) {
        --budget;
        const int choice = depth > 3 ? random() % 3 : random() % 7;
        switch (choice) {
        case 0:
        case 1:
            script += "Do <" + pick(members) + ">{" + pick(states) + "}\n";
            break;
        case 2:
            script += random() % 2 ? "Do nothing\n" : "exitlp\n";
            break;
        case 3:
        case 4:
            script += "if <" + pick(members) + ">{" + pick(states) + "}\n" + RandomScript(random, depth + 1, budget) +
                      "else\n" + RandomScript(random, depth + 1, budget) + "endif\n";
            break;
        case 5:
            script += "switch <" + pick(members) + ">\ncase {" + pick(states) + "}\n" +
                      RandomScript(random, depth + 1, budget) + "case {" + pick(states) + "}\n" +
                      RandomScript(random, depth + 1, budget) + "elsw\n" + RandomScript(random, depth + 1, budget) +
                      "endsw\n";
            break;
        default:
            script += "loop\n" + RandomScript(random, depth + 1, budget) + "endlp\n";
            break;
        }
    }
    return script;
}

QString Describe(const PathCondition& c) {
    return QString("%1:%2:%3%4:%5").arg(c.position).arg(c.pairable).arg(c.member, c.state.GetText()).arg(c.quantifier);
}

} // namespace

TEST(PathReference, OneWalkGivesTheSamePathsAndInPathFindingsAsTheSearchFromTheTop) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        int budget = 25;
        const QString script = RandomScript(random, 0, budget);
        LogicTestDocument document;
        CUnitFunction* main = document.Add("Main", script);
        document.Finish();
        std::vector<InspectionParserLine> lines;
        CollectLogicLines(*main, lines);
        CInspectionParser parser(lines, document.environment);
        const InspectionParserSequencePtr top = parser.Parse();

        CInspectionView fastPane;
        InspectionResultSet fast(fastPane, document.environment);
        CreatePathsOfCurrentUnitFunction(fast, top);

        std::vector<Conclusion> conclusions;
        CollectConclusions(*top, conclusions);
        ASSERT_EQ(fast.paths.size(), conclusions.size()) << script.toStdString();
        for (size_t i = 0; i < conclusions.size(); ++i) {
            List path;
            List possible;
            List expected;
            ASSERT_TRUE(FindPath(*top, conclusions[i], path, possible, expected));
            const List actual = fast.paths[i].Conditions();
            QStringList want;
            QStringList got;
            for (const auto& c : expected)
                want << Describe(c);
            for (const auto& c : actual)
                got << Describe(c);
            ASSERT_EQ(got.join(' ').toStdString(), want.join(' ').toStdString()) << "path " << i << " of\n"
                                                                                 << script.toStdString();
            ASSERT_EQ(fast.paths[i].conclusion->position, conclusions[i].position);
        }

        CheckWithinPaths(fast, document.environment, true, true, false);
        CInspectionView plainPane;
        InspectionResultSet plain(plainPane, document.environment);
        plain.paths = fast.paths;
        PlainInPathCheck(plain.paths, plain.findings);
        ASSERT_EQ(fastPane.Lines().join('\n').toStdString(), plainPane.Lines().join('\n').toStdString())
            << script.toStdString();
    }
}
