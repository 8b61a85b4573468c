#include "logic/InspectionPathCreation.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionParser.h"
#include "logic/InspectionPathPool.h"

#include <algorithm>

namespace {

// Every path of the tree in one walk. The records met so far form one chain that grows and shrinks with the
// walk; each conclusion takes the chain as it stands, so paths share what they have in common. The result
// is the same as searching every conclusion from the top of the tree.
class PathWalker {
public:
    PathWalker(InspectionResultSet& results, bool includeFn, bool allUnitFunctions)
        : m_results(results), m_includeFn(includeFn), m_allUnitFunctions(allUnitFunctions) {}

    void Run(const InspectionParserSequencePtr& tree) {
        m_pool = std::make_shared<CInspectionPathPool>(tree);
        const CInspectionParserSequence& top = *tree;
        m_conclusionCount = top.ConclusionCount(m_includeFn);
        m_results.paths.reserve(m_results.paths.size() + m_conclusionCount);
        Actions possibleActions;
        WalkSequence(top, possibleActions);
    }

private:
    // Do actions as possible (not pairable) actions; the records belong to the syntax tree.
    using Actions = std::vector<const PathCondition*>;

    struct Level {
        const CInspectionParserSequence* sequence;
        size_t index;
    };
    struct LoopFrame {
        const PathConditionNode* entry; // the chain when the loop was entered
        size_t bodyLevel;               // index of the loop body in m_levels
    };

    // The latest record of each member on the current chain; the ones before it follow sameMemberBefore.
    const PathConditionNode*& LatestOfMember(qint32 memberId) {
        if (memberId >= static_cast<qint32>(m_latestOfMember.size()))
            m_latestOfMember.resize(memberId + 1, nullptr);
        return m_latestOfMember[memberId];
    }

    void Push(const PathCondition& record, quint8 pairable) {
        PathConditionNode* node =
            m_pool->AppendPathCondition(m_chain.empty() ? nullptr : m_chain.back(), record, pairable);
        const PathConditionNode*& latest = LatestOfMember(record.memberId);
        node->sameMemberBefore = latest;
        latest = node;
        m_chain.push_back(node);
    }

    void Restore(size_t mark) {
        while (m_chain.size() > mark) {
            const PathConditionNode* node = m_chain.back();
            m_latestOfMember[node->record->memberId] = node->sameMemberBefore;
            m_chain.pop_back();
        }
    }

    void AppendActions(Actions& possibleActions, const Actions& actions) {
        for (const PathCondition* action : actions) {
            Push(*action, 0);
            possibleActions.push_back(action);
        }
    }

    void WalkSequence(const CInspectionParserSequence& sequence, Actions& possibleActions) {
        m_levels.push_back({&sequence, 0});
        m_blocks = m_pool->AppendEnclosing(m_blocks, &sequence);
        if (!sequence.YieldsConclusions(m_includeFn)) {
            CInspectionPathConclusion* conclusion =
                m_pool->NewConclusion(CInspectionPathConclusion::Kind::EmptySequence);
            conclusion->position = sequence.start;
            Emit(conclusion, false);
        }
        for (size_t i = 0; i < sequence.nodes.size(); ++i) {
            m_levels.back().index = i;
            WalkNode(*sequence.nodes[i], possibleActions);
        }
        m_blocks = m_pool->CloseEnclosing(m_blocks);
        m_levels.pop_back();
    }

    void WalkNode(const CInspectionParserEntity& node, Actions& possibleActions) {
        switch (node.kind) {
        case CInspectionParserEntity::Kind::Do: {
            const auto& action = static_cast<const CInspectionParserDo&>(node);
            if (!action.record)
                return;
            CInspectionPathConclusion* conclusion = LineConclusion(CInspectionPathConclusion::Kind::Do, action);
            conclusion->action = &*action.record;
            Emit(conclusion, true);
            Push(*action.record, 1);
            possibleActions.push_back(&*action.record);
            return;
        }
        case CInspectionParserEntity::Kind::Fn: {
            const auto& fn = static_cast<const CInspectionParserFn&>(node);
            if (!m_includeFn || !fn.calledFunction)
                return;
            CInspectionPathConclusion* conclusion = LineConclusion(CInspectionPathConclusion::Kind::Fn, fn);
            conclusion->calledFunction = fn.calledFunction;
            Emit(conclusion, true);
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
            Actions local;
            PushBranch(&block);
            if (block.thenRecord)
                Push(*block.thenRecord, 1);
            WalkSequence(*block.thenBody, local);
            Restore(mark);
            if (block.elseRecord)
                Push(*block.elseRecord, 1);
            WalkSequence(*block.elseBody, local);
            Restore(mark);
            PopBranch();
            AppendActions(possibleActions, local);
            return;
        }
        case CInspectionParserEntity::Kind::Switch: {
            const auto& block = static_cast<const CInspectionParserSwitch&>(node);
            const size_t mark = m_chain.size();
            Actions local;
            PushBranch(&block);
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
            PopBranch();
            AppendActions(possibleActions, local);
            return;
        }
        case CInspectionParserEntity::Kind::Loop: {
            const auto& block = static_cast<const CInspectionParserLoop&>(node);
            PushBranch(&block);
            m_loops.push_back({m_chain.empty() ? nullptr : m_chain.back(), m_levels.size()});
            WalkSequence(*block.body, possibleActions);
            m_loops.pop_back();
            PopBranch();
            return;
        }
        }
    }

    CInspectionPathConclusion* LineConclusion(CInspectionPathConclusion::Kind kind,
                                              const CInspectionParserSingleLine& line) {
        CInspectionPathConclusion* conclusion = m_pool->NewConclusion(kind);
        conclusion->position = line.position;
        conclusion->unitFunction = line.function;
        conclusion->lineIndex = line.lineIndex;
        conclusion->line = {&line};
        return conclusion;
    }

    void PushBranch(const void* branch) { m_branches = m_pool->AppendEnclosing(m_branches, branch); }

    void PopBranch() { m_branches = m_pool->CloseEnclosing(m_branches); }

    // The Do actions a statement may perform.
    static void CollectActions(const CInspectionParserEntity& node, Actions& actions) {
        switch (node.kind) {
        case CInspectionParserEntity::Kind::Do: {
            const auto& action = static_cast<const CInspectionParserDo&>(node);
            if (action.record)
                actions.push_back(&*action.record);
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

    static void CollectActions(const CInspectionParserSequence& sequence, Actions& actions, size_t from = 0) {
        for (size_t i = from; i < sequence.nodes.size(); ++i)
            CollectActions(*sequence.nodes[i], actions);
    }

    // What the body of the loop at bodyLevel performs after the current conclusion: a previous pass through
    // the loop performs it before the conclusion is reached again. A nested loop hands nothing on.
    void CollectActionsAfterConclusion(size_t bodyLevel, Actions& actions) const {
        size_t last = bodyLevel;
        while (last + 1 < m_levels.size()) {
            const Level& level = m_levels[last];
            if (level.sequence->nodes[level.index]->kind == CInspectionParserEntity::Kind::Loop)
                break;
            ++last;
        }
        for (size_t x = last + 1; x-- > bodyLevel;)
            CollectActions(*m_levels[x].sequence, actions, m_levels[x].index + 1);
    }

    // The nearest record with the member at or below the height on the current chain.
    const PathConditionNode* LatestAtOrBelow(qint32 memberId, int height) const {
        if (memberId < 0 || memberId >= static_cast<qint32>(m_latestOfMember.size()))
            return nullptr;
        const PathConditionNode* node = m_latestOfMember[memberId];
        while (node && node->height > height)
            node = node->sameMemberBefore;
        return node;
    }

    void Emit(CInspectionPathConclusion* conclusion, bool mayBeInLoop) {
        if (m_allUnitFunctions)
            m_results.environment.MinorProgress(static_cast<unsigned>(m_results.paths.size() + 1), m_conclusionCount);
        conclusion->enclosingBlocks = m_blocks;
        conclusion->enclosingBranches = m_branches;
        InspectionPath path;
        path.conclusion = std::shared_ptr<CInspectionPathConclusion>(m_pool, conclusion);
        if (mayBeInLoop && !m_loops.empty()) {
            EmitInLoop(path);
        } else {
            path.conditionsTail = m_chain.empty() ? nullptr : m_chain.back();
            if (conclusion->IsDo())
                path.conclusionSameMemberBefore =
                    LatestAtOrBelow(conclusion->action->memberId, static_cast<int>(m_chain.size()));
        }
        m_results.paths.push_back(std::move(path));
        if (m_allUnitFunctions)
            m_results.environment.PollAbort();
    }

    // Inside loops the path gets, at each loop's entry, what that loop performs after the conclusion; the
    // records from the outermost entry on are laid down again on a chain of the path's own.
    void EmitInLoop(InspectionPath& path) {
        const PathConditionNode* outerEntry = m_loops.front().entry;
        const int outerHeight = outerEntry ? outerEntry->height : 0;
        const PathConditionNode* chain = outerEntry;
        const auto sameMemberBefore = [&](qint32 memberId) {
            const PathConditionNode* found =
                memberId >= 0 && memberId < static_cast<qint32>(m_rebuilt.size()) ? m_rebuilt[memberId] : nullptr;
            return found ? found : LatestAtOrBelow(memberId, outerHeight);
        };
        const auto append = [&](const PathCondition& record, quint8 pairable) {
            PathConditionNode* node = m_pool->AppendPathCondition(chain, record, pairable);
            node->sameMemberBefore = sameMemberBefore(record.memberId);
            if (record.memberId >= static_cast<qint32>(m_rebuilt.size()))
                m_rebuilt.resize(record.memberId + 1, nullptr);
            if (!m_rebuilt[record.memberId])
                m_rebuiltMembers.push_back(record.memberId);
            m_rebuilt[record.memberId] = node;
            chain = node;
        };
        int copied = outerHeight;
        for (const LoopFrame& frame : m_loops) {
            const int entryHeight = frame.entry ? frame.entry->height : 0;
            for (; copied < entryHeight; ++copied)
                append(*m_chain[copied]->record, m_chain[copied]->pairable);
            m_actionsAfter.clear();
            CollectActionsAfterConclusion(frame.bodyLevel, m_actionsAfter);
            for (const PathCondition* action : m_actionsAfter)
                append(*action, 0);
        }
        for (; copied < static_cast<int>(m_chain.size()); ++copied)
            append(*m_chain[copied]->record, m_chain[copied]->pairable);
        path.conditionsTail = chain;
        if (path.conclusion->IsDo())
            path.conclusionSameMemberBefore = sameMemberBefore(path.conclusion->action->memberId);
        for (const qint32 memberId : m_rebuiltMembers)
            m_rebuilt[memberId] = nullptr;
        m_rebuiltMembers.clear();
    }

    InspectionResultSet& m_results;
    std::shared_ptr<CInspectionPathPool> m_pool;
    bool m_includeFn;
    bool m_allUnitFunctions;
    unsigned m_conclusionCount = 1;
    std::vector<PathConditionNode*> m_chain;
    std::vector<const PathConditionNode*> m_latestOfMember; // by member number
    // The chain a path inside loops lays down again: its latest record of each member, by member number.
    std::vector<const PathConditionNode*> m_rebuilt;
    std::vector<qint32> m_rebuiltMembers;
    Actions m_actionsAfter;
    std::vector<Level> m_levels;
    const EnclosingLink* m_blocks = nullptr;
    const EnclosingLink* m_branches = nullptr;
    std::vector<LoopFrame> m_loops;
};

} // namespace

void CreatePathsOfCurrentUnitFunction(InspectionResultSet& results, InspectionParserSequencePtr top) {
    PathWalker(results, true, false).Run(top);
}

void CreatePathsOfAllUnitFunctions(InspectionResultSet& results, InspectionParserSequencePtr top) {
    results.environment.PollAbort();
    PathWalker(results, false, true).Run(top);
}
