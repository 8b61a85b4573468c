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

const qint32* DecisionTableRowStore::Keep(const qint32* first, const qint32* last) {
    const auto count = static_cast<size_t>(last - first);
    if (count > m_room) {
        // A run longer than a block gets a block of its own, so that the room left in the present one stays in use.
        if (count > kBlock / 8) {
            m_blocks.push_back(std::make_unique_for_overwrite<qint32[]>(count));
            return std::copy(first, last, m_blocks.back().get()) - count;
        }
        m_blocks.push_back(std::make_unique_for_overwrite<qint32[]>(kBlock));
        m_free = m_blocks.back().get();
        m_room = kBlock;
    }
    qint32* kept = m_free;
    m_free = std::copy(first, last, m_free);
    m_room -= count;
    return kept;
}

const qint32* MakeRowConditions(std::vector<DecisionTableCell> cells, const DecisionTableTexts& texts,
                                DecisionTableRowStore& store) {
    std::ranges::sort(cells, [&texts](const DecisionTableCell& a, const DecisionTableCell& b) {
        if (a.member != b.member)
            return texts.Text(a.member) < texts.Text(b.member);
        if (a.display != b.display)
            return texts.Text(a.display) < texts.Text(b.display);
        return a.number < b.number;
    });
    std::vector<qint32> data;
    data.reserve(1 + 6 * cells.size());
    data.push_back(0);
    for (auto member = cells.begin(); member != cells.end();) {
        const auto memberEnd =
            std::find_if(member, cells.end(), [&](const DecisionTableCell& c) { return c.member != member->member; });
        ++data[0];
        data.insert(data.end(), {member->member, 1, 0});
        const size_t textCount = data.size() - 1;
        for (auto text = member; text != memberEnd;) {
            const auto textEnd =
                std::find_if(text, memberEnd, [&](const DecisionTableCell& c) { return c.display != text->display; });
            ++data[textCount];
            data.insert(data.end(), {text->display, 0});
            const size_t numberCount = data.size() - 1;
            for (auto cell = text; cell != textEnd; ++cell) {
                if (cell == text || cell->number != std::prev(cell)->number) {
                    data.push_back(cell->number);
                    ++data[numberCount];
                }
            }
            text = textEnd;
        }
        member = memberEnd;
    }
    return store.Keep(data.data(), data.data() + data.size());
}

DecisionTableRawRow MakeRawRow(const qint32* conditions, qint32 function, qint32 number, DecisionTableRowStore& store) {
    const std::array<qint32, 4> head{1, function, 1, number};
    return {store.Keep(head.begin(), head.end()), conditions};
}
