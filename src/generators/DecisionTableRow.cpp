#include "generators/DecisionTableRow.h"

#include <algorithm>
#include <array>
#include <utility>

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

qint32* DecisionTableRowStore::Room(size_t count) {
    if (count <= m_room)
        return m_free;
    // A run longer than a block gets a block of its own, so that the room left in the present one stays in use.
    if (count > kBlock / 8) {
        m_blocks.push_back(std::make_unique_for_overwrite<qint32[]>(count));
        m_own = m_blocks.back().get();
        return m_own;
    }
    m_blocks.push_back(std::make_unique_for_overwrite<qint32[]>(kBlock));
    m_free = m_blocks.back().get();
    m_room = kBlock;
    return m_free;
}

const qint32* DecisionTableRowStore::Keep(size_t count) {
    if (m_own)
        return std::exchange(m_own, nullptr);
    qint32* kept = m_free;
    m_free += count;
    m_room -= count;
    return kept;
}

const qint32* DecisionTableRowStore::Keep(const qint32* first, const qint32* last) {
    const auto count = static_cast<size_t>(last - first);
    std::copy(first, last, Room(count));
    return Keep(count);
}

const qint32* MakeRowConditions(std::vector<DecisionTableCell> cells, const DecisionTableTexts& texts,
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
    // Each cell adds at most a member, a display text and a number, each with its count.
    qint32* const data = store.Room(1 + 6 * cells.size());
    qint32* end = data;
    *end++ = 0;
    for (auto member = cells.begin(); member != cells.end();) {
        const auto memberEnd =
            std::find_if(member, cells.end(), [&](const DecisionTableCell& c) { return c.member != member->member; });
        ++data[0];
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
        member = memberEnd;
    }
    return store.Keep(static_cast<size_t>(end - data));
}

DecisionTableRawRow MakeRawRow(const qint32* conditions, qint32 function, qint32 number, DecisionTableRowStore& store) {
    const std::array<qint32, 4> head{1, function, 1, number};
    return {store.Keep(head.begin(), head.end()), conditions};
}

DecisionTableRowParts RowParts(const DecisionTableRawRow& row) {
    DecisionTableRowParts parts{};
    const qint32* p = row.head;
    parts.functionCount = *p++;
    parts.functions = p;
    p += parts.functionCount;
    parts.numberCount = *p++;
    parts.numbers = p;
    p = row.conditions;
    parts.memberCount = *p++;
    parts.members = p;
    return parts;
}

const qint32* SkipDecisionTableAlternative(const qint32* p) {
    for (qint32 texts = *p++; texts > 0; --texts)
        p += p[1] + 2;
    return p;
}

const qint32* SkipDecisionTableValue(const qint32* p) {
    for (qint32 alternatives = *p++; alternatives > 0; --alternatives)
        p = SkipDecisionTableAlternative(p);
    return p;
}
