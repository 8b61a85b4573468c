#include "logic/InspectionParser.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicNesting.h"
#include "model/UnitFunction.h"
#include "platform/LargeBlocks.h"

#include <algorithm>

CInspectionParser::CInspectionParser(std::vector<InspectionParserLine> lines, const InspectionEnvironment& environment,
                                     bool reportProgress)
    : m_lines(std::move(lines)), m_environment(environment), m_reportProgress(reportProgress) {
    for (InspectionParserLine& line : m_lines)
        if (line.kind == InspectionParserLine::KindNotRead)
            line.kind = line.line ? line.line->lineKind : quint8(SyntaxNone);
}

InspectionParserSequencePtr CInspectionParser::Parse() {
    m_strayPositions.clear();
    m_pendingNodes.clear();
    m_memberIds.clear();
    m_stateTextIds.clear();
    m_tree = std::make_shared<Tree>();
    int consumed = 0;
    CInspectionParserSequence* top = ParseSequence(0, consumed);
    const int count = static_cast<int>(m_lines.size());
    // A line that cannot stand where it is would end the description here; note it and go on after it.
    while (consumed < count) {
        m_strayPositions.push_back(consumed);
        int more = 0;
        const CInspectionParserSequence* rest = ParseSequence(consumed + 1, more);
        top->nodes.insert(top->nodes.end(), rest->nodes.begin(), rest->nodes.end());
        consumed += 1 + more;
    }
    if (!m_strayPositions.empty())
        top->CountConclusions();
    return InspectionParserSequencePtr(std::move(m_tree), top);
}

CInspectionParser::Tree::Tree() : arena(platform::LargeBlocks::kGranule, &platform::LargeBlocks::Shared()) {}

CInspectionParserSequence* CInspectionParser::ParseSequence(int start, int& consumed) {
    auto sequence = NewNode<CInspectionParserSequence>(&m_tree->arena);
    sequence->start = start;
    consumed = 0;
    // The statements gather on one stack shared by all nesting levels; the sequence takes its own at once.
    const size_t first = m_pendingNodes.size();
    for (;;) {
        if (m_reportProgress)
            m_environment.MinorProgress(static_cast<unsigned>(start + consumed), static_cast<unsigned>(m_lines.size()));
        Parsed parsed = ParseStatement(start + consumed);
        if (!parsed.success)
            break;
        consumed += parsed.consumed;
        if (parsed.node)
            m_pendingNodes.push_back(std::move(parsed.node));
        m_environment.PollAbort();
    }
    const auto from = m_pendingNodes.begin() + static_cast<std::ptrdiff_t>(first);
    sequence->nodes.assign(std::make_move_iterator(from), std::make_move_iterator(m_pendingNodes.end()));
    m_pendingNodes.erase(from, m_pendingNodes.end());
    sequence->CountConclusions();
    return sequence;
}

void CInspectionParser::PrefetchAhead(int p) const {
    const int count = static_cast<int>(m_lines.size());
    if (p + kLinesAhead < count && m_lines[p + kLinesAhead].line)
        PrefetchLogicLine(m_lines[p + kLinesAhead].line);
    if (m_makeRecords && p + kLinesAhead / 2 < count && m_lines[p + kLinesAhead / 2].line) {
        const CLogicLine* line = m_lines[p + kLinesAhead / 2].line;
        __builtin_prefetch(line->textSlots[0].text.constData());
        __builtin_prefetch(line->textSlots[2].text.constData());
    }
}

int CInspectionParser::KindAt(int p) const {
    if (p < 0 || p >= static_cast<int>(m_lines.size()) || !m_lines[p].line)
        return SyntaxNone;
    return m_lines[p].kind;
}

std::optional<CInspectionParser::RecordMember> CInspectionParser::ParseRecordMember(const QString& member) {
    const QuantifiedMemberName name = ParseQuantifiedMemberName(m_environment.quantifiers, member);
    if (!name.valid)
        return std::nullopt;
    RecordMember parsed;
    parsed.quantifier = name.quantifier;
    parsed.name = member;
    if (name.quantifier != QuantifierNone) {
        m_tree->unquantifiedNames.push_back(name.name);
        parsed.name = m_tree->unquantifiedNames.back();
    }
    return parsed;
}

qint32 CInspectionParser::NumberOf(QHash<MemberKey, qint32>& numbers, QStringView text) {
    const MemberKey key{text, qHash(text, 0)};
    auto number = numbers.constFind(key);
    if (number == numbers.constEnd())
        number = numbers.insert(key, static_cast<qint32>(numbers.size()));
    return *number;
}

std::optional<PathCondition> CInspectionParser::MakeRecord(std::optional<RecordMember>& member, const QString& state,
                                                           int position, quint8 isCondition, StatementLine line) {
    const NegatableText parsedState = ParseNegationPrefix(state);
    if (!member || parsedState.text.isEmpty())
        return std::nullopt;
    if (member->id < 0)
        member->id = NumberOf(m_memberIds, member->name);
    PathCondition record;
    record.isCondition = isCondition;
    record.quantifier = member->quantifier;
    record.member = member->name;
    record.memberId = member->id;
    record.state = parsedState;
    record.stateTextId = NumberOf(m_stateTextIds, parsedState.text);
    record.position = position;
    record.unitFunction = m_lines[position].function;
    record.lineIndex = m_lines[position].lineIndex;
    record.line = line;
    return record;
}

namespace {

// The record of the other branch: the state negated, the quantifier turned to its dual, on another line.
std::optional<PathCondition> NegatedRecord(const std::optional<PathCondition>& record, int position,
                                           const InspectionParserLine& line, StatementLine statementLine) {
    if (!record)
        return std::nullopt;
    PathCondition negated = *record;
    negated.state = record->state.Negated();
    negated.quantifier = DualQuantifier(record->quantifier);
    negated.position = position;
    negated.unitFunction = line.function;
    negated.lineIndex = line.lineIndex;
    negated.line = statementLine;
    return negated;
}

template <class Node> void SetLine(Node& node, int position, const InspectionParserLine& line) {
    node.position = position;
    node.function = line.function;
    node.lineIndex = line.lineIndex;
}

} // namespace

CInspectionParser::Parsed CInspectionParser::ParseStatement(int p) {
    Parsed parsed;
    if (p >= static_cast<int>(m_lines.size()))
        return parsed;
    const InspectionParserLine& line = m_lines[p];
    PrefetchAhead(p);
    switch (KindAt(p)) {
    case SyntaxFn: {
        auto fn = NewNode<CInspectionParserFn>();
        SetLine(*fn, p, line);
        fn->calledID = line.line->calledInternalID;
        if (m_makeRecords)
            fn->calledFunction = line.calledFunction ? line.calledFunction : m_environment.FindFunction(fn->calledID);
        parsed.node = fn;
        break;
    }
    case SyntaxDo: {
        auto action = NewNode<CInspectionParserDo>();
        SetLine(*action, p, line);
        action->line = line.line;
        if (m_makeRecords) {
            auto member = ParseRecordMember(action->MemberName());
            action->record = MakeRecord(member, action->StateName(), p, 0, {action});
        }
        parsed.node = action;
        break;
    }
    case SyntaxDoNothing: {
        auto nothing = NewNode<CInspectionParserDoNothing>();
        SetLine(*nothing, p, line);
        parsed.node = nothing;
        break;
    }
    case SyntaxExitlp: {
        auto exitlp = NewNode<CInspectionParserExitlp>();
        SetLine(*exitlp, p, line);
        parsed.node = exitlp;
        break;
    }
    case SyntaxComment:
    case SyntaxTransitState:
    case SyntaxPlainLine:
        break;
    case SyntaxIf:
        return ParseIf(p);
    case SyntaxSwitch:
        return ParseSwitch(p);
    case SyntaxLoop:
        return ParseLoop(p);
    default:
        return parsed;
    }
    parsed.consumed = 1;
    parsed.success = true;
    return parsed;
}

CInspectionParser::Parsed CInspectionParser::ParseIf(int p) {
    Parsed parsed;
    const CLogicNestingLevel level(m_depth, m_lines[p].function);
    auto block = NewNode<CInspectionParserIf>();
    block->function = m_lines[p].function;
    block->ifPosition = p;
    block->ifLineIndex = m_lines[p].lineIndex;
    block->line = m_lines[p].line;
    int thenCount = 0;
    block->thenBody = ParseSequence(p + 1, thenCount);
    const int elseLine = p + thenCount + 1;
    int elseCount = 0;
    if (KindAt(elseLine) == SyntaxElse) {
        block->elseBody = ParseSequence(elseLine + 1, elseCount);
        parsed.success = KindAt(elseLine + elseCount + 1) == SyntaxEndif;
    }
    if (!parsed.success)
        return parsed;
    block->elsePosition = elseLine;
    block->elseLineIndex = m_lines[elseLine].lineIndex;
    if (m_makeRecords) {
        auto member = ParseRecordMember(block->MemberName());
        block->thenRecord = MakeRecord(member, block->StateName(), p, 1, {block});
        block->elseRecord =
            NegatedRecord(block->thenRecord, elseLine, m_lines[elseLine], {block, StatementLine::kClosingLine});
    }
    parsed.node = block;
    parsed.consumed = thenCount + elseCount + 3;
    return parsed;
}

CInspectionParser::Parsed CInspectionParser::ParseSwitch(int p) {
    Parsed parsed;
    const CLogicNestingLevel level(m_depth, m_lines[p].function);
    auto block = NewNode<CInspectionParserSwitch>(&m_tree->arena);
    block->function = m_lines[p].function;
    block->switchPosition = p;
    block->switchLineIndex = m_lines[p].lineIndex;
    block->line = m_lines[p].line;
    // The comment and plain lines before the first case.
    int skipped = 0;
    ParseSequence(p + 1, skipped);
    int k = skipped + 1;
    while (KindAt(p + k) == SyntaxCase) {
        const int caseLine = p + k;
        InspectionSwitchCase item;
        item.line = m_lines[caseLine].line;
        item.position = caseLine;
        item.function = m_lines[caseLine].function;
        item.lineIndex = m_lines[caseLine].lineIndex;
        int bodyCount = 0;
        item.body = ParseSequence(caseLine + 1, bodyCount);
        block->cases.push_back(std::move(item));
        k += 1 + bodyCount;
    }
    const int elswLine = p + k;
    int elswCount = 0;
    if (!block->cases.empty() && KindAt(elswLine) == SyntaxElsw) {
        block->elswBody = ParseSequence(elswLine + 1, elswCount);
        parsed.success = KindAt(elswLine + elswCount + 1) == SyntaxEndsw;
    }
    if (!parsed.success)
        return parsed;
    block->elswPosition = elswLine;
    block->elswLineIndex = m_lines[elswLine].lineIndex;
    // Every case has the switch's member.
    auto member = m_makeRecords ? ParseRecordMember(block->MemberName()) : std::nullopt;
    for (auto item = block->cases.begin(); m_makeRecords && item != block->cases.end(); ++item) {
        const StatementLine caseLine{block, StatementLine::CaseLine(item - block->cases.begin())};
        item->record = MakeRecord(member, item->StateName(), item->position, 1, caseLine);
        // Each state negated once: an earlier case with a record already gave this one's. States compare as
        // parsed, so signs that cancel out make no second state.
        const auto sameState = [&item](const InspectionSwitchCase& earlier) {
            return earlier.record && item->record && SameNegatableText(earlier.record->state, item->record->state);
        };
        if (item->record && std::none_of(block->cases.begin(), item, sameState))
            block->elswRecords.push_back(
                *NegatedRecord(item->record, elswLine, m_lines[elswLine], {block, StatementLine::kClosingLine}));
    }
    parsed.node = block;
    parsed.consumed = k + elswCount + 2;
    parsed.success = true;
    return parsed;
}

CInspectionParser::Parsed CInspectionParser::ParseLoop(int p) {
    Parsed parsed;
    const CLogicNestingLevel level(m_depth, m_lines[p].function);
    auto block = NewNode<CInspectionParserLoop>();
    block->position = p;
    block->function = m_lines[p].function;
    block->lineIndex = m_lines[p].lineIndex;
    int bodyCount = 0;
    block->body = ParseSequence(p + 1, bodyCount);
    if (KindAt(p + bodyCount + 1) != SyntaxEndlp)
        return parsed;
    parsed.node = block;
    parsed.consumed = bodyCount + 2;
    parsed.success = true;
    return parsed;
}
