#include "editor/LineMarkTip.h"

#include "model/RuleVocabularyTables.h"

#include <algorithm>
#include <array>

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

std::vector<LineMarkMenuItem> BuildLineMarkMenu(const CLogicLine& line, const LineMarkTable& marks) {
    using Kind = LineMarkMenuItem::Kind;
    const auto item = [](Kind kind, const QString& name = QString(), int mark = -1, bool checked = false) {
        LineMarkMenuItem entry;
        entry.kind = kind;
        entry.name = name;
        entry.mark = mark;
        entry.checked = checked;
        return entry;
    };
    std::vector<LineMarkMenuItem> menu;
    if (line.mark != 0) {
        menu.push_back(item(Kind::EditMarks));
        menu.push_back(item(Kind::Separator));
    }
    std::array<std::vector<LineMarkMenuItem>, LineMarkTable::GroupCount + 1> groups;
    for (int i = 0; i < LineMarkTable::AttributeCount; ++i) {
        const LineMarkTable::Attribute& attribute = marks.attributes[static_cast<size_t>(i)];
        // A group number past the last group counts as the last.
        const size_t group = std::min<size_t>(attribute.groupNo, LineMarkTable::GroupCount);
        groups[group].push_back(item(Kind::Mark, attribute.name, i, (line.mark & (1u << i)) != 0));
    }
    menu.insert(menu.end(), groups[0].begin(), groups[0].end());
    if (!groups[0].empty())
        menu.push_back(item(Kind::Separator));
    for (size_t group = 1; group < groups.size(); ++group) {
        if (groups[group].empty())
            continue;
        menu.push_back(item(Kind::Group, marks.groupNames[group - 1]));
        menu.back().marks = std::move(groups[group]);
    }
    return menu;
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
