#include "logic/InspectionPathCreation.h"

#include "logic/InspectionProgress.h"

#include <QHash>

#include <algorithm>

namespace {

// Every path of the tree in one walk. The records met so far form one chain that grows and shrinks with the
// walk; each conclusion takes the chain as it stands, so paths share what they have in common. The result
// is the same as searching every conclusion from the top of the tree.
class PathWalker {
public:
    PathWalker(InspectionResultSet& results, bool includeFn, bool allUnitFunctions)
        : m_results(results), m_includeFn(includeFn), m_allUnitFunctions(allUnitFunctions) {}

    void Run(const CInspectionParserSequence& top) {
        m_conclusionCount = CountConclusions(top);
        std::vector<PathCondition> possibleActions;
        WalkSequence(top, possibleActions);
    }

private:
    struct Level {
        const CInspectionParserSequence* sequence;
        size_t index;
    };
    struct LoopFrame {
        PathConditionChain entry; // the chain when the loop was entered
        size_t bodyLevel;         // index of the loop body in m_levels
    };

    bool Yields(const CInspectionParserEntity& node) const {
        switch (node.kind) {
        case CInspectionParserEntity::Kind::Do:
            return static_cast<const CInspectionParserDo&>(node).record.has_value();
        case CInspectionParserEntity::Kind::Fn:
            return m_includeFn && static_cast<const CInspectionParserFn&>(node).calledFunction;
        case CInspectionParserEntity::Kind::DoNothing:
            return false;
        default:
            return true;
        }
    }

    bool SequenceYields(const CInspectionParserSequence& sequence) const {
        return std::any_of(sequence.nodes.begin(), sequence.nodes.end(),
                           [this](const InspectionParserNode& node) { return Yields(*node); });
    }

    unsigned CountConclusions(const CInspectionParserSequence& sequence) const {
        unsigned count = 0;
        for (const InspectionParserNode& node : sequence.nodes) {
            switch (node->kind) {
            case CInspectionParserEntity::Kind::If: {
                const auto& block = static_cast<const CInspectionParserIf&>(*node);
                count += CountConclusions(*block.thenBody) + CountConclusions(*block.elseBody);
                break;
            }
            case CInspectionParserEntity::Kind::Switch: {
                const auto& block = static_cast<const CInspectionParserSwitch&>(*node);
                for (const InspectionSwitchCase& item : block.cases)
                    count += CountConclusions(*item.body);
                count += CountConclusions(*block.elswBody);
                break;
            }
            case CInspectionParserEntity::Kind::Loop:
                count += CountConclusions(*static_cast<const CInspectionParserLoop&>(*node).body);
                break;
            default:
                count += Yields(*node) ? 1 : 0;
                break;
            }
        }
        return count == 0 ? 1 : count;
    }

    void Push(PathCondition record, quint8 pairable) {
        record.pairable = pairable;
        auto node = AppendPathCondition(m_chain.empty() ? nullptr : m_chain.back(), record);
        auto& sameMember = m_memberNodes[record.member];
        node->sameMemberBefore = sameMember.empty() ? nullptr : sameMember.back();
        sameMember.push_back(node.get());
        m_chain.push_back(std::move(node));
    }

    void Restore(size_t mark) {
        while (m_chain.size() > mark) {
            m_memberNodes[m_chain.back()->value.member].pop_back();
            m_chain.pop_back();
        }
    }

    void AppendActions(std::vector<PathCondition>& possibleActions, const std::vector<PathCondition>& actions) {
        for (const PathCondition& action : actions) {
            Push(action, 0);
            possibleActions.push_back(action);
        }
    }

    void WalkSequence(const CInspectionParserSequence& sequence, std::vector<PathCondition>& possibleActions) {
        m_levels.push_back({&sequence, 0});
        m_blocks.push_back(&sequence);
        if (!SequenceYields(sequence)) {
            auto conclusion =
                std::make_shared<CInspectionPathConclusion>(CInspectionPathConclusion::Kind::EmptySequence);
            conclusion->position = sequence.start;
            Emit(std::move(conclusion), false);
        }
        for (size_t i = 0; i < sequence.nodes.size(); ++i) {
            m_levels.back().index = i;
            WalkNode(*sequence.nodes[i], possibleActions);
        }
        m_blocks.pop_back();
        m_levels.pop_back();
    }

    void WalkNode(const CInspectionParserEntity& node, std::vector<PathCondition>& possibleActions) {
        switch (node.kind) {
        case CInspectionParserEntity::Kind::Do: {
            const auto& action = static_cast<const CInspectionParserDo&>(node);
            if (!action.record)
                return;
            auto conclusion = LineConclusion(CInspectionPathConclusion::Kind::Do, action);
            conclusion->quantifier = action.record->quantifier;
            conclusion->member = action.record->member;
            conclusion->state = action.record->state;
            Emit(std::move(conclusion), true);
            PathCondition performed = *action.record;
            Push(performed, 1);
            performed.pairable = 0;
            possibleActions.push_back(performed);
            return;
        }
        case CInspectionParserEntity::Kind::Fn: {
            const auto& fn = static_cast<const CInspectionParserFn&>(node);
            if (!m_includeFn || !fn.calledFunction)
                return;
            auto conclusion = LineConclusion(CInspectionPathConclusion::Kind::Fn, fn);
            conclusion->calledFunction = fn.calledFunction;
            Emit(std::move(conclusion), true);
            return;
        }
        case CInspectionParserEntity::Kind::Exitlp:
            Emit(LineConclusion(CInspectionPathConclusion::Kind::Exitlp,
                                static_cast<const CInspectionParserSingleLine&>(node)),
                 true);
            return;
        case CInspectionParserEntity::Kind::DoNothing:
            return;
        case CInspectionParserEntity::Kind::If: {
            const auto& block = static_cast<const CInspectionParserIf&>(node);
            const size_t mark = m_chain.size();
            std::vector<PathCondition> local;
            m_branches.push_back(&block);
            if (block.thenRecord)
                Push(*block.thenRecord, 1);
            WalkSequence(*block.thenBody, local);
            Restore(mark);
            if (block.elseRecord)
                Push(*block.elseRecord, 1);
            WalkSequence(*block.elseBody, local);
            Restore(mark);
            m_branches.pop_back();
            AppendActions(possibleActions, local);
            return;
        }
        case CInspectionParserEntity::Kind::Switch: {
            const auto& block = static_cast<const CInspectionParserSwitch&>(node);
            const size_t mark = m_chain.size();
            std::vector<PathCondition> local;
            m_branches.push_back(&block);
            for (const InspectionSwitchCase& item : block.cases) {
                if (item.record)
                    Push(*item.record, 1);
                WalkSequence(*item.body, local);
                Restore(mark);
            }
            for (const PathCondition& record : block.elswRecords)
                Push(record, 1);
            WalkSequence(*block.elswBody, local);
            Restore(mark);
            m_branches.pop_back();
            AppendActions(possibleActions, local);
            return;
        }
        case CInspectionParserEntity::Kind::Loop: {
            const auto& block = static_cast<const CInspectionParserLoop&>(node);
            m_branches.push_back(&block);
            m_loops.push_back({m_chain.empty() ? nullptr : m_chain.back(), m_levels.size()});
            WalkSequence(*block.body, possibleActions);
            m_loops.pop_back();
            m_branches.pop_back();
            return;
        }
        }
    }

    std::shared_ptr<CInspectionPathConclusion> LineConclusion(CInspectionPathConclusion::Kind kind,
                                                              const CInspectionParserSingleLine& line) {
        auto conclusion = std::make_shared<CInspectionPathConclusion>(kind);
        conclusion->position = line.position;
        conclusion->unitFunction = line.function;
        conclusion->lineIndex = line.lineIndex;
        conclusion->lineText = line.text;
        return conclusion;
    }

    // The Do actions a statement may perform, all as possible (not pairable) actions.
    static void CollectActions(const CInspectionParserEntity& node, std::vector<PathCondition>& actions) {
        switch (node.kind) {
        case CInspectionParserEntity::Kind::Do: {
            const auto& action = static_cast<const CInspectionParserDo&>(node);
            if (action.record) {
                actions.push_back(*action.record);
                actions.back().pairable = 0;
            }
            return;
        }
        case CInspectionParserEntity::Kind::If: {
            const auto& block = static_cast<const CInspectionParserIf&>(node);
            CollectActions(*block.thenBody, actions);
            CollectActions(*block.elseBody, actions);
            return;
        }
        case CInspectionParserEntity::Kind::Switch: {
            const auto& block = static_cast<const CInspectionParserSwitch&>(node);
            for (const InspectionSwitchCase& item : block.cases)
                CollectActions(*item.body, actions);
            CollectActions(*block.elswBody, actions);
            return;
        }
        case CInspectionParserEntity::Kind::Loop:
            CollectActions(*static_cast<const CInspectionParserLoop&>(node).body, actions);
            return;
        default:
            return;
        }
    }

    static void CollectActions(const CInspectionParserSequence& sequence, std::vector<PathCondition>& actions,
                               size_t from = 0) {
        for (size_t i = from; i < sequence.nodes.size(); ++i)
            CollectActions(*sequence.nodes[i], actions);
    }

    // What the body of the loop at bodyLevel performs after the current conclusion: a previous pass through
    // the loop performs it before the conclusion is reached again. A nested loop hands nothing on.
    std::vector<PathCondition> ActionsAfterConclusion(size_t bodyLevel) const {
        size_t last = bodyLevel;
        while (last + 1 < m_levels.size()) {
            const Level& level = m_levels[last];
            if (level.sequence->nodes[level.index]->kind == CInspectionParserEntity::Kind::Loop)
                break;
            ++last;
        }
        std::vector<PathCondition> actions;
        for (size_t x = last + 1; x-- > bodyLevel;)
            CollectActions(*m_levels[x].sequence, actions, m_levels[x].index + 1);
        return actions;
    }

    // The nearest record with the member at or below the height on the current chain.
    const PathConditionNode* LatestAtOrBelow(const QString& member, int height) const {
        const auto found = m_memberNodes.constFind(member);
        if (found == m_memberNodes.constEnd())
            return nullptr;
        const auto& nodes = *found;
        auto it = std::upper_bound(nodes.begin(), nodes.end(), height,
                                   [](int h, const PathConditionNode* node) { return h < node->height; });
        return it == nodes.begin() ? nullptr : *(it - 1);
    }

    void Emit(std::shared_ptr<CInspectionPathConclusion> conclusion, bool mayBeInLoop) {
        if (m_allUnitFunctions)
            CInspectionProgress::MinorProgress(static_cast<unsigned>(m_results.paths.size() + 1), m_conclusionCount);
        conclusion->enclosingBlocks = m_blocks;
        conclusion->enclosingBranches = m_branches;
        InspectionPath path;
        path.conclusion = conclusion;
        if (mayBeInLoop && !m_loops.empty()) {
            EmitInLoop(path);
        } else {
            path.conditionsTail = m_chain.empty() ? nullptr : m_chain.back();
            if (conclusion->IsDo())
                path.conclusionSameMemberBefore = LatestAtOrBelow(conclusion->member, static_cast<int>(m_chain.size()));
        }
        m_results.paths.push_back(std::move(path));
        if (m_allUnitFunctions)
            PollInspectionAbort();
    }

    // Inside loops the path gets, at each loop's entry, what that loop performs after the conclusion; the
    // records from the outermost entry on are laid down again on a chain of the path's own.
    void EmitInLoop(InspectionPath& path) {
        const PathConditionChain& outerEntry = m_loops.front().entry;
        const int outerHeight = outerEntry ? outerEntry->height : 0;
        PathConditionChain chain = outerEntry;
        QHash<QString, const PathConditionNode*> rebuilt;
        const auto sameMemberBefore = [&](const QString& member) {
            const auto found = rebuilt.constFind(member);
            return found != rebuilt.constEnd() ? *found : LatestAtOrBelow(member, outerHeight);
        };
        const auto append = [&](const PathCondition& value) {
            auto node = AppendPathCondition(chain, value);
            node->sameMemberBefore = sameMemberBefore(value.member);
            rebuilt[value.member] = node.get();
            chain = std::move(node);
        };
        int copied = outerHeight;
        for (const LoopFrame& frame : m_loops) {
            const int entryHeight = frame.entry ? frame.entry->height : 0;
            for (; copied < entryHeight; ++copied)
                append(m_chain[copied]->value);
            for (const PathCondition& action : ActionsAfterConclusion(frame.bodyLevel))
                append(action);
        }
        for (; copied < static_cast<int>(m_chain.size()); ++copied)
            append(m_chain[copied]->value);
        path.conditionsTail = chain;
        if (path.conclusion->IsDo())
            path.conclusionSameMemberBefore = sameMemberBefore(path.conclusion->member);
    }

    InspectionResultSet& m_results;
    bool m_includeFn;
    bool m_allUnitFunctions;
    unsigned m_conclusionCount = 1;
    std::vector<std::shared_ptr<PathConditionNode>> m_chain;
    QHash<QString, std::vector<const PathConditionNode*>> m_memberNodes;
    std::vector<Level> m_levels;
    std::vector<const void*> m_blocks;
    std::vector<const void*> m_branches;
    std::vector<LoopFrame> m_loops;
};

} // namespace

void CreatePathsOfCurrentUnitFunction(InspectionResultSet& results, InspectionParserSequencePtr top) {
    PathWalker(results, true, false).Run(*top);
}

void CreatePathsOfAllUnitFunctions(InspectionResultSet& results, InspectionParserSequencePtr top) {
    PollInspectionAbort();
    PathWalker(results, false, true).Run(*top);
}
