#include "search/SimilarityRows.h"

#include "search/FindResultSet.h"

#include <algorithm>
#include <cstdlib>

CSimilarityRows::CSimilarityRows(const std::vector<const QString*>& names, int matchRate, bool exactMatchIsNotSimilar,
                                 std::size_t maxKnownPairs)
    : m_matchRate(matchRate), m_exactMatchIsNotSimilar(exactMatchIsNotSimilar), m_nameOf(names.size()),
      m_nextTurn(names.size(), kNever) {
    std::unordered_map<QString, int> indices;
    std::vector<std::size_t> lastOf;
    for (std::size_t record = 0; record < names.size(); ++record) {
        const auto [at, added] = indices.emplace(*names[record], static_cast<int>(m_distinct.size()));
        if (added) {
            m_distinct.push_back(names[record]);
            lastOf.push_back(kNever);
        }
        const int name = at->second;
        m_nameOf[record] = name;
        if (lastOf[name] != kNever)
            m_nextTurn[lastOf[name]] = record;
        lastOf[name] = record;
    }
    m_rows.resize(m_distinct.size());
    m_rowTurn.resize(m_distinct.size(), kNever);
    m_maxRows = std::max<std::size_t>(1, maxKnownPairs / std::max<std::size_t>(1, m_distinct.size()));
}

void CSimilarityRows::Drop(int name) {
    m_byNextTurn.erase({m_rowTurn[name], name});
    m_rows[name] = std::vector<qint8>(); // its memory goes too
    m_rowTurn[name] = kNever;
}

void CSimilarityRows::BeginHead(std::size_t head) {
    // The last head's row is of no more use once its name has no turn left.
    if (m_head >= 0 && !m_rows[m_head].empty() && m_rowTurn[m_head] == kNever)
        Drop(m_head);
    m_head = m_nameOf[head];
    std::vector<qint8>& row = m_rows[m_head];
    if (!row.empty()) {
        m_byNextTurn.erase({m_rowTurn[m_head], m_head});
    } else {
        while (m_byNextTurn.size() >= m_maxRows)
            Drop(std::prev(m_byNextTurn.end())->second);
        row.assign(m_distinct.size(), Unknown);
        // The kept rows know this name: their names had their turns before it, with this record among the later ones.
        for (const auto& [turn, name] : m_byNextTurn)
            row[name] = m_rows[name][m_head];
    }
    m_rowTurn[m_head] = m_nextTurn[head];
    m_byNextTurn.emplace(m_rowTurn[m_head], m_head);
}

bool CSimilarityRows::IsSimilar(std::size_t other) {
    const int name = m_nameOf[other];
    if (name == m_head)
        return !m_exactMatchIsNotSimilar && !m_distinct[name]->isEmpty();
    qint8& known = m_rows[m_head][name];
    if (known == Unknown)
        known = Work(m_head, name) ? 1 : 0;
    return known == 1;
}

bool CSimilarityRows::Work(int a, int b) const {
    const QString& nameA = *m_distinct[a];
    const QString& nameB = *m_distinct[b];
    // The distance is at least the difference of the lengths: most pairs are settled without working it out.
    const qsizetype total = nameA.size() + nameB.size();
    const qsizetype gap = std::abs(nameA.size() - nameB.size());
    return total > 0 && 100 - static_cast<double>(gap) * 100 / total >= m_matchRate &&
           IsSimilarWord(nameA, nameB, m_matchRate, m_exactMatchIsNotSimilar);
}
