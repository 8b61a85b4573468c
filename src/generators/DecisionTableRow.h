#pragma once

#include <QHash>
#include <QString>

#include <set>
#include <vector>

class CUnitFunction;

using StepNumbers = std::set<qint32>;

// The texts and unit functions of one decision-table run, each held once; rows refer to them by number.
class DecisionTableTexts {
public:
    qint32 Id(const QString& text);
    const QString& Text(qint32 id) const { return m_texts[static_cast<size_t>(id)]; }
    qint32 FunctionId(const CUnitFunction* function);
    const CUnitFunction* Function(qint32 id) const { return m_functions[static_cast<size_t>(id)]; }

private:
    std::vector<QString> m_texts;
    QHash<QString, qint32> m_ids;
    std::vector<const CUnitFunction*> m_functions;
    QHash<const CUnitFunction*, qint32> m_functionIds;
};

// One rule of the raw table, held as numbers in one vector:
//   the count of unit functions and their ids (ascending), the count of step numbers and the numbers (ascending),
//   the count of members and per member, in member-name order, its text id and its value: the count of
//   alternatives and per alternative, in their order, the count of display texts and per display text, in text
//   order, its text id, the count of its step numbers and the numbers (ascending).
struct DecisionTableRawRow {
    std::vector<qint32> data;
};

// One condition of a path as a row takes it.
struct DecisionTableCell {
    qint32 member;  // text id of the member name
    qint32 display; // text id of the display text
    qint32 number;  // the statement it came from
};

// A fresh row: one alternative per member, the conjunction of that member's cells; the same display text twice
// keeps both step numbers.
DecisionTableRawRow MakeRawRow(std::vector<DecisionTableCell> cells, qint32 function, qint32 number,
                               const DecisionTableTexts& texts);
