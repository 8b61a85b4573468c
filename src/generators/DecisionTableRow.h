#pragma once

#include <QHash>
#include <QString>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

class CUnitFunction;

using StepNumbers = std::set<qint32>;

// The texts and unit functions of one decision-table run, each held once; rows refer to them by number.
class DecisionTableTexts {
public:
    qint32 Id(const QString& text);
    const QString& Text(qint32 id) const { return m_texts[static_cast<size_t>(id)]; }
    size_t TextCount() const { return m_texts.size(); }
    qint32 FunctionId(const CUnitFunction* function);
    const CUnitFunction* Function(qint32 id) const { return m_functions[static_cast<size_t>(id)]; }

private:
    std::vector<QString> m_texts;
    QHash<QString, qint32> m_ids;
    std::vector<const CUnitFunction*> m_functions;
    QHash<const CUnitFunction*, qint32> m_functionIds;
};

// Runs of values of one decision-table run, in blocks that stay where they are until the run ends, so that rows can
// share them and refer to them by address.
template <class T> class DecisionTableBlocks {
public:
    // Room for up to `count` values, to be written and then kept with Keep(used).
    T* Room(size_t count) {
        if (count <= m_room)
            return m_free;
        // A run longer than a block gets a block of its own, so that the room left in the present one stays in use.
        if (count > kBlock / 8) {
            m_blocks.push_back(std::make_unique_for_overwrite<T[]>(count));
            m_own = m_blocks.back().get();
            return m_own;
        }
        m_blocks.push_back(std::make_unique_for_overwrite<T[]>(kBlock));
        m_free = m_blocks.back().get();
        m_room = kBlock;
        return m_free;
    }
    // Keeps the first `count` values of the room last given; they last as long as the blocks.
    const T* Keep(size_t count) {
        if (m_own)
            return std::exchange(m_own, nullptr);
        T* kept = m_free;
        m_free += count;
        m_room -= count;
        return kept;
    }
    // A copy of [first, last) that lasts as long as the blocks.
    const T* Keep(const T* first, const T* last) {
        const auto count = static_cast<size_t>(last - first);
        std::copy(first, last, Room(count));
        return Keep(count);
    }

private:
    static constexpr size_t kBlock = 65536 / sizeof(T);
    std::vector<std::unique_ptr<T[]>> m_blocks;
    T* m_free = nullptr; // the room left in the present block
    size_t m_room = 0;
    T* m_own = nullptr; // a block of its own given as room, until kept
};

// One condition of a path as a row takes it.
struct DecisionTableCell {
    qint32 member;  // text id of the member name
    qint32 display; // text id of the display text
    qint32 number;  // the statement it came from
    // Where the data of a member whose value is this cell alone is kept once made, so that the rows that take it
    // share it; null when each row makes its own.
    const qint32** kept = nullptr;
};

// The data the rows of one decision-table run are made of: numbers, and the members of rows' conditions as addresses
// of their numbers.
struct DecisionTableRowStore {
    DecisionTableBlocks<qint32> numbers;
    DecisionTableBlocks<const qint32*> members;
};

// The conditions of a row: its members in member-name order, each where its numbers are: its text id and its value:
// the count of alternatives and per alternative, in their order, the count of display texts and per display text, in
// text order, its text id, the count of its step numbers and the numbers (ascending). Rows made of one path share them,
// and rows share the members whose values are one cell that says where it is kept.
struct DecisionTableConditions {
    const qint32* const* members = nullptr;
    qint32 count = 0;

    bool operator==(const DecisionTableConditions&) const = default;
};

// One rule of the raw table: its head in the run's row store, the count of unit functions and their ids (ascending),
// the count of step numbers and the numbers (ascending); and its conditions.
struct DecisionTableRawRow {
    const qint32* head = nullptr;
    DecisionTableConditions conditions;
};

// The conditions of a fresh row: one alternative per member, the conjunction of that member's cells; the same
// display text twice keeps both step numbers.
DecisionTableConditions MakeRowConditions(std::vector<DecisionTableCell> cells, const DecisionTableTexts& texts,
                                          DecisionTableRowStore& store);
// A fresh row: the rule of one action statement of one unit function, under the conditions made of its path.
DecisionTableRawRow MakeRawRow(DecisionTableConditions conditions, qint32 function, qint32 number,
                               DecisionTableRowStore& store);

// The parts of a row: pointers to the first element after each count.
struct DecisionTableRowParts {
    const qint32* functions;
    qint32 functionCount;
    const qint32* numbers;
    qint32 numberCount;
    const qint32* const* members; // each its text id, then its value
    qint32 memberCount;
};
DecisionTableRowParts RowParts(const DecisionTableRawRow& row);
// From the display-text count of an alternative to the element after it.
const qint32* SkipDecisionTableAlternative(const qint32* p);
