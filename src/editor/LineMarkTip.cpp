#include "editor/LineMarkTip.h"

#include "model/RuleVocabularyTables.h"

QString GetLineMarkTipText(const CLogicLine& line, const LineMarkTable& marks) {
    QString tip;
    for (int i = 0; i < LineMarkTable::AttributeCount; ++i) {
        if (line.mark & (1u << i))
            tip += QStringLiteral("%1: ").arg(marks.attributes[static_cast<size_t>(i)].name);
    }
    tip += line.Memo();
    for (const QString& url : line.Urls()) {
        if (!url.isEmpty())
            tip += QStringLiteral("\r\n%1 ").arg(url);
    }
    return tip;
}

QString GetNameTipText(const CLogicLine& line, int column, const MemberDefinitionList& members) {
    const QString& member = line.textSlots[0].text;
    const QString& state = line.textSlots[2].text;
    const auto within = [column](int start, const QString& text) {
        return column >= start && column < start + text.size();
    };
    const bool memberLine =
        line.lineKind == SyntaxIf || line.lineKind == SyntaxDo || line.lineKind == SyntaxTransitState;
    if (member.isEmpty())
        return {};
    if ((memberLine || line.lineKind == SyntaxSwitch) && within(line.Home, member)) {
        const CMemberDefinition* definition = FindRegisteredMember(members, member);
        return definition ? definition->explanation : QString();
    }
    if (memberLine && !state.isEmpty() && within(line.Home2, state)) {
        const CStateDefinition* definition = FindRegisteredMemberState(members, member, state);
        return definition ? definition->explanation : QString();
    }
    return {};
}

LinkText ExtractLinkText(const QString& text, int start) {
    LinkText link;
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    link.start = start;
    bool quoted = start > 0 && text[start - 1] == QChar('"');
    int at = start;
    for (; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c == QChar('"')) {
            quoted = !quoted;
            continue;
        }
        if (c == QChar('\r') || c == QChar('\n'))
            break;
        if (!quoted && (c == QChar(' ') || c == QChar(0x3000)))
            break;
        link.text += c;
    }
    link.end = at;
    return link;
}
