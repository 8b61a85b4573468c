#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <set>
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

// The numbers the rows of one decision-table run are made of, in blocks that stay where they are until the run ends,
// so that rows can share them and refer to them by address.
class DecisionTableRowStore {
public:
    // Room for up to `count` numbers, to be written and then kept with Keep(used).
    qint32* Room(size_t count);
    // Keeps the first `count` numbers of the room last given; they last as long as the store.
    const qint32* Keep(size_t count);
    // A copy of [first, last) that lasts as long as the store.
    const qint32* Keep(const qint32* first, const qint32* last);

private:
    static constexpr size_t kBlock = 16384;
    std::vector<std::unique_ptr<qint32[]>> m_blocks;
    qint32* m_free = nullptr; // the room left in the present block
    size_t m_room = 0;
    qint32* m_own = nullptr; // a block of its own given as room, until kept
};

// One rule of the raw table, as two runs of numbers in the run's row store:
//   head: the count of unit functions and their ids (ascending), the count of step numbers and the numbers
//   (ascending);
//   conditions: the count of members and per member, in member-name order, its text id and its value: the count of
//   alternatives and per alternative, in their order, the count of display texts and per display text, in text
//   order, its text id, the count of its step numbers and the numbers (ascending).
// Rows made of one path share its conditions.
struct DecisionTableRawRow {
    const qint32* head = nullptr;
    const qint32* conditions = nullptr;
};

// One condition of a path as a row takes it.
struct DecisionTableCell {
    qint32 member;  // text id of the member name
    qint32 display; // text id of the display text
    qint32 number;  // the statement it came from
};

// The conditions of a fresh row: one alternative per member, the conjunction of that member's cells; the same
// display text twice keeps both step numbers.
const qint32* MakeRowConditions(std::vector<DecisionTableCell> cells, const DecisionTableTexts& texts,
                                DecisionTableRowStore& store);
// A fresh row: the rule of one action statement of one unit function, under the conditions made of its path.
DecisionTableRawRow MakeRawRow(const qint32* conditions, qint32 function, qint32 number, DecisionTableRowStore& store);

// The parts of a row: pointers to the first element after each count.
struct DecisionTableRowParts {
    const qint32* functions;
    qint32 functionCount;
    const qint32* numbers;
    qint32 numberCount;
    const qint32* members;
    qint32 memberCount;
};
DecisionTableRowParts RowParts(const DecisionTableRawRow& row);
// From the display-text count of an alternative to the element after it.
const qint32* SkipDecisionTableAlternative(const qint32* p);
// From the alternative count of a value to the element after it.
const qint32* SkipDecisionTableValue(const qint32* p);
