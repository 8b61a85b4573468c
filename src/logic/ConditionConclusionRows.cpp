#include "logic/ConditionConclusionRows.h"

#include "logic/InspectionParser.h"

namespace {

using Kind = CInspectionParserEntity::Kind;
using Chains = std::vector<StatementChain>;

std::vector<LineReference> With(std::vector<LineReference> lines, const std::vector<LineReference>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

LineReference Reference(const QString& text, const CUnitFunction* function, qint32 lineIndex) {
    return {text, function, lineIndex};
}

std::vector<LineReference> ElswConditions(const CInspectionParserSwitch& block) {
    std::vector<LineReference> lines;
    for (const InspectionSwitchCase& item : block.cases)
        lines.push_back(Reference(block.NegatedConditionText(item), item.function, item.lineIndex));
    return lines;
}

void CollectRows(const CInspectionParserEntity& node, std::vector<CorrespondenceRow>& rows,
                 std::vector<LineReference>& running) {
    switch (node.kind) {
    case Kind::Do: {
        const auto& action = static_cast<const CInspectionParserDo&>(node);
        rows.push_back({running, Reference(action.ComposeText(), action.function, action.lineIndex), Kind::Do});
        running.push_back(Reference(action.SlotsText(), action.function, action.lineIndex));
        return;
    }
    case Kind::Fn: {
        const auto& fn = static_cast<const CInspectionParserFn&>(node);
        rows.push_back({running, Reference(fn.ComposeText(), fn.function, fn.lineIndex), Kind::Fn});
        return;
    }
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        auto thenLines = With(running, {Reference(block.SlotsText(), block.function, block.ifLineIndex)});
        CollectCorrespondenceRows(*block.thenBody, rows, thenLines);
        auto elseLines = With(running, {Reference(block.ElseConditionText(), block.function, block.elseLineIndex)});
        CollectCorrespondenceRows(*block.elseBody, rows, elseLines);
        return;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        for (const InspectionSwitchCase& item : block.cases) {
            auto caseLines = With(running, {Reference(block.ConditionText(item), item.function, item.lineIndex)});
            CollectCorrespondenceRows(*item.body, rows, caseLines);
        }
        auto elswLines = With(running, ElswConditions(block));
        CollectCorrespondenceRows(*block.elswBody, rows, elswLines);
        return;
    }
    case Kind::Loop:
        CollectCorrespondenceRows(*static_cast<const CInspectionParserLoop&>(node).body, rows, running);
        return;
    default:
        return;
    }
}

// Every chain of the body, each led by the given conditions.
void AppendLed(Chains& out, const std::vector<LineReference>& conditions, const Chains& body, size_t maxChains,
               bool& truncated) {
    for (const StatementChain& chain : body) {
        if (out.size() >= maxChains) {
            truncated = true;
            return;
        }
        out.push_back({With(conditions, chain.lines), chain.finished});
    }
}

Chains CollectChains(const CInspectionParserEntity& node, size_t maxChains, bool& truncated) {
    switch (node.kind) {
    case Kind::Do: {
        const auto& action = static_cast<const CInspectionParserDo&>(node);
        return {{{Reference(action.SlotsText(), action.function, action.lineIndex)}, false}};
    }
    case Kind::Fn: {
        const auto& fn = static_cast<const CInspectionParserFn&>(node);
        const QString text = fn.calledFunction ? fn.ComposeText() : QStringLiteral("Fn [] ()");
        return {{{Reference(text, fn.function, fn.lineIndex)}, false}};
    }
    case Kind::DoNothing:
        return {{{}, false}};
    case Kind::Exitlp:
        return {{{}, true}};
    case Kind::If: {
        const auto& block = static_cast<const CInspectionParserIf&>(node);
        Chains out;
        AppendLed(out, {Reference(block.SlotsText(), block.function, block.ifLineIndex)},
                  CollectConclusionRows(*block.thenBody, maxChains, truncated), maxChains, truncated);
        AppendLed(out, {Reference(block.ElseConditionText(), block.function, block.elseLineIndex)},
                  CollectConclusionRows(*block.elseBody, maxChains, truncated), maxChains, truncated);
        return out;
    }
    case Kind::Switch: {
        const auto& block = static_cast<const CInspectionParserSwitch&>(node);
        Chains out;
        for (const InspectionSwitchCase& item : block.cases)
            AppendLed(out, {Reference(block.ConditionText(item), item.function, item.lineIndex)},
                      CollectConclusionRows(*item.body, maxChains, truncated), maxChains, truncated);
        AppendLed(out, ElswConditions(block), CollectConclusionRows(*block.elswBody, maxChains, truncated), maxChains,
                  truncated);
        return out;
    }
    case Kind::Loop: {
        Chains out = CollectConclusionRows(*static_cast<const CInspectionParserLoop&>(node).body, maxChains, truncated);
        for (StatementChain& chain : out)
            chain.finished = false;
        return out;
    }
    }
    return {};
}

} // namespace

void CollectCorrespondenceRows(const CInspectionParserSequence& sequence, std::vector<CorrespondenceRow>& rows,
                               std::vector<LineReference>& running) {
    for (const InspectionParserNode& node : sequence.nodes)
        CollectRows(*node, rows, running);
}

std::vector<StatementChain> CollectConclusionRows(const CInspectionParserSequence& sequence, size_t maxChains,
                                                  bool& truncated) {
    Chains chains{{{}, false}};
    for (const InspectionParserNode& node : sequence.nodes) {
        const Chains tails = CollectChains(*node, maxChains, truncated);
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
