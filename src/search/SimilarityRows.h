#pragma once

#include <QString>

#include <cstddef>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

// Whether the names of two records are similar, for a run that takes each record in turn as the head of a
// comparison with the records after it. The answer for a pair of distinct names is worked out once while memory
// allows: the answers of one name against every distinct name make a row, kept while the name still has a turn
// as a head and while all rows hold at most `maxKnownPairs` answers; past that the row whose name's next turn
// comes last goes first. So memory stays linear in the names, however many of them there are.
class CSimilarityRows {
public:
    static constexpr std::size_t MaxKnownPairs = 4096 * 4096;

    // `names` holds the name of each record, in record order; it must outlive this object.
    CSimilarityRows(const std::vector<const QString*>& names, int matchRate, bool exactMatchIsNotSimilar,
                    std::size_t maxKnownPairs = MaxKnownPairs);

    // Makes record `head` the head of the comparisons that follow.
    void BeginHead(std::size_t head);
    // Whether the head's name and the name of record `other` are similar.
    bool IsSimilar(std::size_t other);

private:
    static constexpr std::size_t kNever = static_cast<std::size_t>(-1);
    static constexpr qint8 Unknown = -1;

    bool Work(int a, int b) const;
    void Drop(int name);

    int m_matchRate;
    bool m_exactMatchIsNotSimilar;
    std::size_t m_maxRows;
    std::vector<const QString*> m_distinct;             // one of each name
    std::vector<int> m_nameOf;                          // by record: its name's index in m_distinct
    std::vector<std::size_t> m_nextTurn;                // by record: the next record of the same name, kNever for none
    std::vector<std::vector<qint8>> m_rows;             // by name: its answers against every name, empty while not kept
    std::vector<std::size_t> m_rowTurn;                 // by name with a row: the key of the row in m_byNextTurn
    std::set<std::pair<std::size_t, int>> m_byNextTurn; // kept rows by their name's next turn as a head
    int m_head = -1;
};
