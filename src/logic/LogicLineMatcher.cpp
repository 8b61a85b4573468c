#include "logic/LogicLineMatcher.h"

#include "model/LogicNesting.h"

namespace {

bool IsBlank(QChar c) {
    return c == QChar(' ') || c == QChar('\t');
}

bool IsNameChar(QChar c) {
    switch (c.unicode()) {
    case '\r':
    case '\n':
    case '<':
    case '>':
    case '{':
    case '}':
    case '[':
    case ']':
        return false;
    default:
        return true;
    }
}

// Adds the lengths of a sequence of productions; the first NoMatch makes the whole sequence fail.
class Sequence {
public:
    explicit Sequence(int offset) : m_start(offset), m_end(offset) {}

    bool Take(int length) {
        if (m_failed || length == CLogicLineMatcher::NoMatch) {
            m_failed = true;
            return false;
        }
        m_end += length;
        return true;
    }
    int At() const { return m_end; }
    int Result() const { return m_failed ? CLogicLineMatcher::NoMatch : m_end - m_start; }

private:
    int m_start;
    int m_end;
    bool m_failed = false;
};

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    bool TooDeep() const { return m_depth > kMaxLogicNesting; }

private:
    int& m_depth;
};

} // namespace

CLogicLineMatcher::CLogicLineMatcher(const QString& text, const LogicKeywords& keywords)
    : m_text(text), m_keywords(keywords) {}

bool CLogicLineMatcher::MatchesWholeLine() const {
    return MatchStatements(0) == m_text.size();
}

int CLogicLineMatcher::MatchStatements(int offset) const {
    int total = 0;
    for (;;) {
        const int length = MatchStatement(offset + total);
        if (length == NoMatch)
            return total;
        total += length;
    }
}

int CLogicLineMatcher::MatchStatement(int offset) const {
    DepthGuard guard(m_depth);
    if (guard.TooDeep())
        return NoMatch;
    // An empty keyword could let an alternative consume nothing; such a statement is no match, or the
    // repetition around it would never end.
    const auto accept = [](int length) { return length != NoMatch && length > 0; };
    int length = MatchLoopBlock(offset);
    if (accept(length))
        return length;
    length = MatchSwitchBlock(offset);
    if (accept(length))
        return length;
    length = MatchIfBlock(offset);
    if (accept(length))
        return length;
    length = MatchFnStatement(offset);
    if (accept(length))
        return length;
    length = MatchDoStatement(offset);
    if (accept(length))
        return length;
    length = MatchTransitStateStatement(offset);
    if (accept(length))
        return length;
    length = MatchKeywordLine(offset, m_keywords[SyntaxDoNothing]);
    if (accept(length))
        return length;
    length = MatchKeywordLine(offset, m_keywords[SyntaxExitlp]);
    if (accept(length))
        return length;
    length = MatchCommentLine(offset);
    if (accept(length))
        return length;
    length = MatchEmptyLine(offset);
    if (accept(length))
        return length;
    return NoMatch;
}

int CLogicLineMatcher::MatchLoopBlock(int offset) const {
    // A head that consumes nothing (an empty keyword) would open a loop at every offset, nested without end.
    const int head = MatchKeywordLine(offset, m_keywords[SyntaxLoop]);
    if (head == NoMatch || head == 0)
        return NoMatch;
    Sequence s(offset);
    s.Take(head) && s.Take(MatchStatements(s.At())) && s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxEndlp]));
    return s.Result();
}

int CLogicLineMatcher::MatchSwitchBlock(int offset) const {
    Sequence s(offset);
    if (!s.Take(MatchSwitchHead(s.At())) || !s.Take(MatchCommentsAndEmptyLines(s.At())) ||
        !s.Take(MatchCaseClause(s.At())))
        return NoMatch;
    for (;;) {
        const int length = MatchCaseClause(s.At());
        if (length == NoMatch || length == 0)
            break;
        s.Take(length);
    }
    s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxElsw])) && s.Take(MatchStatements(s.At())) &&
        s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxEndsw]));
    return s.Result();
}

int CLogicLineMatcher::MatchSwitchHead(int offset) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At()));
    const QString& keyword = m_keywords[SyntaxSwitch];
    int head = MatchKeywordLine(s.At(), TransitionAttributePrefix(CLogicLine::EventAttribute) + keyword);
    if (head == NoMatch)
        head = MatchKeywordLine(s.At(), TransitionAttributePrefix(CLogicLine::StateAttribute) + keyword);
    if (head == NoMatch)
        head = MatchKeywordLine(s.At(), keyword);
    s.Take(head) && s.Take(CountBlanks(s.At())) && s.Take(MatchMember(s.At())) && s.Take(CountNameChars(s.At())) &&
        s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchCommentsAndEmptyLines(int offset) const {
    int total = 0;
    for (;;) {
        int length = MatchCommentLine(offset + total);
        if (length == NoMatch || length == 0)
            length = MatchEmptyLine(offset + total);
        if (length == NoMatch || length == 0)
            return total;
        total += length;
    }
}

int CLogicLineMatcher::MatchCaseClause(int offset) const {
    Sequence s(offset);
    s.Take(MatchCaseHead(s.At())) && s.Take(MatchStatements(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchCaseHead(int offset) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At())) && s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxCase])) &&
        s.Take(MatchState(s.At())) && s.Take(CountNameChars(s.At())) && s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchIfBlock(int offset) const {
    Sequence s(offset);
    s.Take(MatchIfHead(s.At())) && s.Take(MatchStatements(s.At())) &&
        s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxElse])) && s.Take(MatchStatements(s.At())) &&
        s.Take(MatchKeywordLine(s.At(), m_keywords[SyntaxEndif]));
    return s.Result();
}

int CLogicLineMatcher::MatchIfHead(int offset) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At()));
    const QString& keyword = m_keywords[SyntaxIf];
    int head = MatchLiteral(s.At(), TransitionAttributePrefix(CLogicLine::EventAttribute) + keyword);
    if (head == NoMatch)
        head = MatchLiteral(s.At(), TransitionAttributePrefix(CLogicLine::StateAttribute) + keyword);
    if (head == NoMatch)
        head = MatchLiteral(s.At(), keyword);
    s.Take(head) && s.Take(CountBlanks(s.At())) && s.Take(MatchMember(s.At())) && s.Take(CountNameChars(s.At())) &&
        s.Take(MatchState(s.At())) && s.Take(CountNameChars(s.At())) && s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchFnStatement(int offset) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At()));
    const QString& keyword = m_keywords[SyntaxFn];
    int head = MatchLiteral(s.At(), keyword + QStringLiteral("-LOOP"));
    if (head == NoMatch)
        head = MatchLiteral(s.At(), keyword);
    if (!s.Take(head))
        return NoMatch;
    int target = MatchFnTarget(s.At());
    if (target == NoMatch)
        target = MatchCommonFnTarget(s.At());
    if (!s.Take(target))
        return NoMatch;
    const int suffix = MatchOutlineSuffix(s.At());
    if (suffix != NoMatch)
        s.Take(suffix);
    s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchFnTarget(int offset) const {
    Sequence s(offset);
    s.Take(MatchLiteral(s.At(), QStringLiteral(" [ "))) && s.Take(MatchFnNameTail(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchFnNameTail(int offset) const {
    static const QString closing = QStringLiteral(" ]");
    for (int at = offset; at < m_text.size(); ++at) {
        if (MatchLiteral(at, closing) != NoMatch)
            return at + closing.size() - offset;
        if (!IsNameChar(m_text[at]))
            return NoMatch;
    }
    return NoMatch;
}

int CLogicLineMatcher::MatchCommonFnTarget(int offset) const {
    Sequence s(offset);
    if (!(s.Take(MatchLiteral(s.At(), QStringLiteral(" [["))) && s.Take(CountNameChars(s.At())) &&
          s.Take(MatchLiteral(s.At(), QStringLiteral("]]")))))
        return NoMatch;
    const int assignment = MatchOutlineAssignment(s.At());
    if (assignment != NoMatch)
        s.Take(assignment);
    return s.Result();
}

int CLogicLineMatcher::MatchOutlineAssignment(int offset) const {
    Sequence s(offset);
    s.Take(MatchLiteral(s.At(), QStringLiteral("="))) && s.Take(CountOutlineChars(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchOutlineSuffix(int offset) const {
    Sequence s(offset);
    s.Take(MatchLiteral(s.At(), QStringLiteral(" ("))) && s.Take(CountOutlineChars(s.At())) &&
        s.Take(MatchLiteral(s.At(), QStringLiteral(")")));
    return s.Result();
}

int CLogicLineMatcher::MatchMemberStateLine(int offset, const QString& keyword) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At())) && s.Take(MatchLiteral(s.At(), keyword)) && s.Take(MatchMember(s.At())) &&
        s.Take(CountNameChars(s.At())) && s.Take(MatchState(s.At())) && s.Take(CountNameChars(s.At())) &&
        s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchDoStatement(int offset) const {
    return MatchMemberStateLine(offset, m_keywords[SyntaxDo]);
}

int CLogicLineMatcher::MatchTransitStateStatement(int offset) const {
    return MatchMemberStateLine(offset, m_keywords[SyntaxTransitState]);
}

int CLogicLineMatcher::MatchKeywordLine(int offset, const QString& keyword) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At())) && s.Take(MatchLiteral(s.At(), keyword)) && s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchCommentLine(int offset) const {
    Sequence s(offset);
    s.Take(CountBlanks(s.At())) && s.Take(MatchLiteral(s.At(), m_keywords[SyntaxComment])) &&
        s.Take(CountToLineEnd(s.At())) && s.Take(MatchLineBreak(s.At()));
    return s.Result();
}

int CLogicLineMatcher::MatchEmptyLine(int offset) const {
    const int blanks = CountBlanks(offset);
    int lineBreak = MatchLiteral(offset + blanks, QStringLiteral("\r\n"));
    if (lineBreak == NoMatch)
        lineBreak = MatchLiteral(offset + blanks, QStringLiteral("\n"));
    return lineBreak == NoMatch ? NoMatch : blanks + lineBreak;
}

int CLogicLineMatcher::MatchMember(int offset) const {
    return MatchBracketed(offset, QChar('<'), QChar('>'));
}

int CLogicLineMatcher::MatchState(int offset) const {
    return MatchBracketed(offset, QChar('{'), QChar('}'));
}

int CLogicLineMatcher::MatchBracketed(int offset, QChar open, QChar close) const {
    Sequence s(offset);
    s.Take(MatchLiteral(s.At(), QString(open))) && s.Take(CountNameChars(s.At())) &&
        s.Take(MatchLiteral(s.At(), QString(close)));
    return s.Result();
}

int CLogicLineMatcher::MatchLiteral(int offset, const QString& literal) const {
    if (offset < 0 || offset > m_text.size() || m_text.size() - offset < literal.size())
        return NoMatch;
    return QStringView(m_text).mid(offset, literal.size()) == literal ? static_cast<int>(literal.size()) : NoMatch;
}

int CLogicLineMatcher::MatchLineBreak(int offset) const {
    if (MatchLiteral(offset, QStringLiteral("\r\n")) != NoMatch)
        return 2;
    if (MatchLiteral(offset, QStringLiteral("\n")) != NoMatch)
        return 1;
    return 0;
}

int CLogicLineMatcher::CountBlanks(int offset) const {
    int at = offset;
    while (at < m_text.size() && IsBlank(m_text[at]))
        ++at;
    return at - offset;
}

int CLogicLineMatcher::CountNameChars(int offset) const {
    int at = offset;
    while (at < m_text.size() && IsNameChar(m_text[at]))
        ++at;
    return at - offset;
}

int CLogicLineMatcher::CountToLineEnd(int offset) const {
    int at = offset;
    while (at < m_text.size() && m_text[at] != QChar('\r') && m_text[at] != QChar('\n'))
        ++at;
    return at - offset;
}

int CLogicLineMatcher::CountOutlineChars(int offset) const {
    int at = offset;
    while (at < m_text.size() && IsOutlineChar(m_text[at]) && MatchLiteral(at, QStringLiteral(" (")) == NoMatch)
        ++at;
    return at - offset;
}

bool CLogicLineMatcher::IsOutlineChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return true;
    if (u >= 'A' && u <= 'Z')
        return true;
    switch (u) {
    case '.':
    case ',':
    case '-':
    case ' ':
    case ':':
    case '/':
    case '+':
        return true;
    default:
        return IsFullWidthOutlineChar(c);
    }
}

bool CLogicLineMatcher::IsFullWidthOutlineChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return true;
    if (u >= 0xFF21 && u <= 0xFF3A)
        return true;
    switch (u) {
    case 0xFF0E:
    case 0xFF0C:
    case 0x2010:
    case 0x3000:
    case 0xFF1A:
    case 0xFF0F:
        return true;
    default:
        return false;
    }
}
