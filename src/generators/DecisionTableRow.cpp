#include "generators/DecisionTableRow.h"

#include <algorithm>
#include <array>

qint32 DecisionTableTexts::Id(const QString& text) {
    if (const auto place = m_ids.constFind(text); place != m_ids.constEnd())
        return *place;
    const auto id = static_cast<qint32>(m_texts.size());
    m_ids.insert(text, id);
    m_texts.push_back(text);
    return id;
}

qint32 DecisionTableTexts::FunctionId(const CUnitFunction* function) {
    if (const auto place = m_functionIds.constFind(function); place != m_functionIds.constEnd())
        return *place;
    const auto id = static_cast<qint32>(m_functions.size());
    m_functionIds.insert(function, id);
    m_functions.push_back(function);
    return id;
}

DecisionTableConditions MakeRowConditions(std::vector<DecisionTableCell> cells, const DecisionTableTexts& texts,
                                          DecisionTableRowStore& store) {
    const auto less = [&texts](const DecisionTableCell& a, const DecisionTableCell& b) {
        if (a.member != b.member)
            return texts.Text(a.member) < texts.Text(b.member);
        if (a.display != b.display)
            return texts.Text(a.display) < texts.Text(b.display);
        return a.number < b.number;
    };
    // The cells of a path mostly come in two runs in order, its assumptions and its former actions each by member
    // name: merging them takes fewer comparisons of texts than sorting.
    const auto runEnd = std::is_sorted_until(cells.begin(), cells.end(), less);
    if (!std::is_sorted(runEnd, cells.end(), less))
        std::sort(runEnd, cells.end(), less);
    std::inplace_merge(cells.begin(), runEnd, cells.end(), less);
    // A member of more than one cell adds at most a display text and a number per cell, each with its count.
    const qint32** const members = store.members.Room(cells.size());
    qint32 count = 0;
    for (auto member = cells.begin(); member != cells.end();) {
        const auto memberEnd =
            std::find_if(member, cells.end(), [&](const DecisionTableCell& c) { return c.member != member->member; });
        if (memberEnd - member == 1 && member->kept && *member->kept) {
            members[count++] = *member->kept;
            member = memberEnd;
            continue;
        }
        qint32* const data = store.numbers.Room(3 + 3 * static_cast<size_t>(memberEnd - member));
        qint32* end = data;
        *end++ = member->member;
        *end++ = 1;
        qint32* const textCount = end++;
        *textCount = 0;
        for (auto text = member; text != memberEnd;) {
            const auto textEnd =
                std::find_if(text, memberEnd, [&](const DecisionTableCell& c) { return c.display != text->display; });
            ++*textCount;
            *end++ = text->display;
            qint32* const numberCount = end++;
            *numberCount = 0;
            for (auto cell = text; cell != textEnd; ++cell) {
                if (cell == text || cell->number != std::prev(cell)->number) {
                    *end++ = cell->number;
                    ++*numberCount;
                }
            }
            text = textEnd;
        }
        members[count] = store.numbers.Keep(static_cast<size_t>(end - data));
        if (memberEnd - member == 1 && member->kept)
            *member->kept = members[count];
        ++count;
        member = memberEnd;
    }
    return {store.members.Keep(static_cast<size_t>(count)), count};
}

DecisionTableRawRow MakeRawRow(DecisionTableConditions conditions, qint32 function, qint32 number,
                               DecisionTableRowStore& store) {
    const std::array<qint32, 4> head{1, function, 1, number};
    return {store.numbers.Keep(head.begin(), head.end()), conditions};
}

DecisionTableRowParts RowParts(const DecisionTableRawRow& row) {
    DecisionTableRowParts parts{};
    const qint32* p = row.head;
    parts.functionCount = *p++;
    parts.functions = p;
    p += parts.functionCount;
    parts.numberCount = *p++;
    parts.numbers = p;
    parts.memberCount = row.conditions.count;
    parts.members = row.conditions.members;
    return parts;
}

const qint32* SkipDecisionTableAlternative(const qint32* p) {
    for (qint32 texts = *p++; texts > 0; --texts)
        p += p[1] + 2;
    return p;
}
