#include "generators/DecisionTableRow.h"

#include <algorithm>

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

DecisionTableRawRow MakeRawRow(std::vector<DecisionTableCell> cells, qint32 function, qint32 number,
                               const DecisionTableTexts& texts) {
    std::ranges::sort(cells, [&texts](const DecisionTableCell& a, const DecisionTableCell& b) {
        if (a.member != b.member)
            return texts.Text(a.member) < texts.Text(b.member);
        if (a.display != b.display)
            return texts.Text(a.display) < texts.Text(b.display);
        return a.number < b.number;
    });
    DecisionTableRawRow row;
    std::vector<qint32>& data = row.data;
    data.reserve(5 + 6 * cells.size());
    data.insert(data.end(), {1, function, 1, number, 0});
    for (auto member = cells.begin(); member != cells.end();) {
        const auto memberEnd =
            std::find_if(member, cells.end(), [&](const DecisionTableCell& c) { return c.member != member->member; });
        ++data[4];
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
    return row;
}
