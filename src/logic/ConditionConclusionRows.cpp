#include "logic/ConditionConclusionRows.h"

#include "logic/InspectionParser.h"

namespace {

using Kind = CInspectionParserEntity::Kind;
using Chains = std::vector<StatementChain>;
using Lines = std::vector<quint32>;

quint32 Refer(LineReferences& references, const QString& text, const CUnitFunction* function, qint32 lineIndex) {
    references.push_back({text, function, lineIndex});
    return static_cast<quint32>(references.size() - 1);
}

Lines With(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

Lines ElswConditions(const CInspectionParserSwitch& block, LineReferences& references) {
    Lines lines;
    for (const InspectionSwitchCase& item : block.cases)
        lines.push_back(Refer(references, block.NegatedConditionText(item), item.function, item.lineIndex));
    return lines;
}

// The rows of a tree with one list of the lines that lead to where the walk stands: a branch adds its condition
// and takes it away again with whatever its statements added, so each row is handed on as a view of that list.
// Without references the rows come with their lengths only: every line names reference 0, and no text is made.
class RowCollector {
public:
    RowCollector(LineReferences* references, const std::function<void(const CorrespondenceRow&)>& row)
        : m_references(references), m_row(row) {}

    void Sequence(const CInspectionParserSequence& sequence) {
        for (const InspectionParserNode& node : sequence.nodes)
            Node(*node);
    }

private:
    template <class Text> quint32 Refer(const Text& text, const CUnitFunction* function, qint32 lineIndex) {
        return m_references ? ::Refer(*m_references, text(), function, lineIndex) : 0;
    }

    Lines ElswConditions(const CInspectionParserSwitch& block) {
        if (m_references)
            return ::ElswConditions(block, *m_references);
        return Lines(block.cases.size(), 0);
    }

    // The body with the given lines after those leading to the block; what the body adds stays inside it.
    void Branch(const CInspectionParserSequence& body, const Lines& conditions) {
        const size_t size = m_running.size();
        m_running.insert(m_running.end(), conditions.begin(), conditions.end());
        Sequence(body);
        m_running.resize(size);
    }

    void Node(const CInspectionParserEntity& node) {
        switch (node.kind) {
        case Kind::Do: {
            const auto& action = static_cast<const CInspectionParserDo&>(node);
            m_row(
                {m_running, Refer([&] { return action.ComposeText(); }, action.function, action.lineIndex), Kind::Do});
            m_running.push_back(Refer([&] { return action.SlotsText(); }, action.function, action.lineIndex));
            return;
        }
        case Kind::Fn: {
            const auto& fn = static_cast<const CInspectionParserFn&>(node);
            m_row({m_running, Refer([&] { return fn.ComposeText(); }, fn.function, fn.lineIndex), Kind::Fn});
            return;
        }
        case Kind::If: {
            const auto& block = static_cast<const CInspectionParserIf&>(node);
            Branch(*block.thenBody, {Refer([&] { return block.SlotsText(); }, block.function, block.ifLineIndex)});
            Branch(*block.elseBody,
                   {Refer([&] { return block.ElseConditionText(); }, block.function, block.elseLineIndex)});
            return;
        }
        case Kind::Switch: {
            const auto& block = static_cast<const CInspectionParserSwitch&>(node);
            for (const InspectionSwitchCase& item : block.cases)
                Branch(*item.body, {Refer([&] { return block.ConditionText(item); }, item.function, item.lineIndex)});
            Branch(*block.elswBody, ElswConditions(block));
            return;
        }
        case Kind::Loop:
            // The loop's statements lead on to what follows it.
            Sequence(*static_cast<const CInspectionParserLoop&>(node).body);
            return;
        default:
            return;
        }
    }

    LineReferences* m_references;
    const std::function<void(const CorrespondenceRow&)>& m_row;
    Lines m_running;
};

// Every chain of the body, each led by the given conditions.
void AppendLed(Chains& out, const Lines& conditions, const Chains& body, size_t maxChains, bool& truncated) {
    for (const StatementChain& chain : body) {
        if (out.size() >= maxChains) {
            truncated = true;
            return;
        }
        out.push_back({With(conditions, chain.lines), chain.finished});
    }
}

Chains CollectChains(const CInspectionParserEntity& node, LineReferences& references, size_t maxChains,
                     bool& truncated) {
    switch (node.kind) {
    case Kind::Do: {
        const auto& action = static_cast<const CInspectionParserDo&>(node);
        return {{{Refer(references, action.SlotsText(), action.function, action.lineIndex)}, false}};
    }
    case Kind::Fn: {
        const auto& fn = static_cast<const CInspectionParserFn&>(node);
        const QString text = fn.calledFunction ? fn.ComposeText() : QStringLiteral("Fn [] ()");
        return {{{Refer(references, text, fn.function, fn.lineIndex)}, false}};
    }
    case Kind::DoNothing:
        return {{{}, false}};
    case Kind::Exitlp:
        return {{{}, true}};
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        Chains out;
        AppendLed(out, {Refer(references, block.SlotsText(), block.function, block.ifLineIndex)},
                  CollectConclusionRows(*block.thenBody, references, maxChains, truncated), maxChains, truncated);
        AppendLed(out, {Refer(references, block.ElseConditionText(), block.function, block.elseLineIndex)},
                  CollectConclusionRows(*block.elseBody, references, maxChains, truncated), maxChains, truncated);
        return out;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        Chains out;
        for (const InspectionSwitchCase& item : block.cases)
            AppendLed(out, {Refer(references, block.ConditionText(item), item.function, item.lineIndex)},
                      CollectConclusionRows(*item.body, references, maxChains, truncated), maxChains, truncated);
        AppendLed(out, ElswConditions(block, references),
                  CollectConclusionRows(*block.elswBody, references, maxChains, truncated), maxChains, truncated);
        return out;
    }
    case Kind::Loop: {
        Chains out = CollectConclusionRows(*static_cast<const CInspectionParserLoop&>(node).body, references, maxChains,
                                           truncated);
        for (StatementChain& chain : out)
            chain.finished = false;
        return out;
    }
    }
    return {};
}

} // namespace

void CollectCorrespondenceRows(const CInspectionParserSequence& sequence, LineReferences& references,
                               const std::function<void(const CorrespondenceRow&)>& row) {
    RowCollector(&references, row).Sequence(sequence);
}

quint64 CountCorrespondenceLines(const CInspectionParserSequence& sequence, CInspectionParserEntity::Kind kind) {
    quint64 count = 0;
    RowCollector(nullptr, [&](const CorrespondenceRow& row) {
        if (row.statementKind == kind)
            count += CorrespondenceGroupLines + row.lines.size();
    }).Sequence(sequence);
    return count;
}

std::vector<StatementChain> CollectConclusionRows(const CInspectionParserSequence& sequence, LineReferences& references,
                                                  size_t maxChains, bool& truncated) {
    Chains chains{{{}, false}};
    for (const InspectionParserNode& node : sequence.nodes) {
        const Chains tails = CollectChains(*node, references, maxChains, truncated);
        Chains next;
        for (const StatementChain& chain : chains) {
            if (chain.finished) {
                if (next.size() < maxChains)
                    next.push_back(chain);
                else
                    truncated = true;
                continue;
            }
            for (const StatementChain& tail : tails) {
                if (next.size() >= maxChains) {
                    truncated = true;
                    break;
                }
                next.push_back({With(chain.lines, tail.lines), tail.finished});
            }
        }
        chains = std::move(next);
    }
    return chains;
}
