#include "generators/DecisionTableMakerPhase3.h"

#include "logic/InspectionProgress.h"
#include "model/CsvUtilities.h"
#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "platform/CodePageTextFile.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <span>
#include <unordered_map>

namespace {

// The rules read for their conditions' columns so far, as steps of the run.
class LayoutProgress {
public:
    LayoutProgress(CInspectionProgress* run, const DecisionTableRawTable& table)
        : m_run(run), m_total(table.RowCount()) {}
    void Step() {
        if (!m_run)
            return;
        m_run->PollAbort();
        m_run->MinorProgress(static_cast<unsigned>(++m_done), static_cast<unsigned>(m_total));
    }

private:
    CInspectionProgress* m_run;
    size_t m_done = 0;
    size_t m_total;
};

// Step numbers, ascending without repeats once settled.
using Numbers = std::vector<qint32>;

void Settle(Numbers& numbers) {
    std::ranges::sort(numbers);
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
}

// Step-number sets compared element by element: what was reached first in the walk comes first.
bool NumbersLess(std::span<const qint32> a, std::span<const qint32> b) {
    return std::ranges::lexicographical_compare(a, b);
}

// Sorts the items by their numbers, stable over the order they come in.
template <typename T> void SortByNumbers(std::vector<std::pair<T, Numbers>>& items) {
    std::ranges::stable_sort(items, [](const auto& a, const auto& b) { return NumbersLess(a.second, b.second); });
}

// The union of the step numbers of the rows' action statements.
Numbers RowNumbers(const std::vector<DecisionTableRawRow>& rows) {
    Numbers numbers;
    for (const DecisionTableRawRow& row : rows) {
        const DecisionTableRowParts parts = RowParts(row);
        numbers.insert(numbers.end(), parts.numbers, parts.numbers + parts.numberCount);
    }
    Settle(numbers);
    return numbers;
}

// Appends the step numbers of every display text of an alternative (at its display-text count) to `numbers`; returns
// the element after the alternative.
const qint32* AppendAlternativeNumbers(const qint32* alternative, Numbers& numbers) {
    const qint32* p = alternative + 1;
    for (qint32 texts = *alternative; texts > 0; --texts, p += p[1] + 2)
        numbers.insert(numbers.end(), p + 2, p + 2 + p[1]);
    return p;
}

// The same for every alternative of a value (at its alternative count).
void AppendValueNumbers(const qint32* value, Numbers& numbers) {
    const qint32* p = value + 1;
    for (qint32 alternatives = *value; alternatives > 0; --alternatives)
        p = AppendAlternativeNumbers(p, numbers);
}

struct IdsHash {
    size_t operator()(const std::vector<qint32>& ids) const {
        quint64 h = ids.size();
        for (qint32 id : ids)
            h = (h ^ static_cast<quint32>(id)) * 0x100000001b3ULL + (h >> 29);
        return static_cast<size_t>(h);
    }
};

// The layout of one block: its consequent member, its condition columns (member text ids) and its display texts, in
// their orders.
struct BlockLayout {
    const QString* consequent;
    std::vector<qint32> members;
    std::vector<const std::pair<const QString, std::vector<DecisionTableRawRow>>*> displays;
};

} // namespace

// Lays the blocks out, and makes their lines as they are written, each cell text made and encoded once: the texts of
// the raw table, the condition cell texts by the display texts they join, and the traceability cells by the unit
// functions of the rule.
class DecisionTableSheet::Builder {
public:
    Builder(DecisionTableRawTable&& table, const DecisionTableLayoutChoice& choice, const CDocumentData& data,
            CInspectionProgress* run)
        : m_table(std::move(table)), m_choice(choice), m_data(data) {
        NewCell(QStringLiteral("-"));
        if (choice.traceabilityRows) {
            for (const StringId id : {StringId::DecisionTableOutlineNumberStub, StringId::DecisionTableNameStub,
                                      StringId::DecisionTableLabelStub, StringId::DecisionTableRequirementStub})
                m_traceabilityStub.push_back(NewCell(LoadString(id)));
        }
        LayOut(run);
    }

    size_t BlockCount() const { return m_blocks.size(); }

    size_t WrittenLineCount() const {
        size_t lines = 0;
        for (const BlockLayout& block : m_blocks) {
            if (m_choice.transposed) {
                lines += Width(block);
            } else {
                ++lines;
                for (const auto* display : block.displays)
                    lines += display->second.size();
            }
        }
        return lines;
    }

    void Write(platform::CodePageTextFile& file, const std::function<void()>& beforeLine) {
        for (const BlockLayout& block : m_blocks) {
            for (size_t k = 0; k < block.members.size(); ++k)
                ColumnOf(block.members[k]) = Leading() + static_cast<qint32>(k);
            const qint32 width = Width(block);
            m_lines.clear();
            m_lineEnds.clear();
            AddStub(block);
            if (m_choice.transposed) {
                for (const auto* display : block.displays) {
                    const qint32 cell = NewCell(display->first);
                    for (const DecisionTableRawRow& row : display->second)
                        AddRule(row, cell, width);
                }
                // Where the next cell of each line is.
                std::vector<size_t> next(m_lineEnds.size());
                for (size_t k = 1; k < next.size(); ++k)
                    next[k] = m_lineEnds[k - 1];
                for (qint32 column = 0; column < width; ++column) {
                    if (beforeLine)
                        beforeLine();
                    for (size_t line = 0; line < next.size(); ++line) {
                        if (next[line] < m_lineEnds[line] && m_lines[next[line]].first == column)
                            Put(m_lines[next[line]++].second);
                        else
                            Put(DashCell);
                    }
                    EndLine(file);
                }
            } else {
                if (beforeLine)
                    beforeLine();
                WriteLine(0, width, file);
                for (const auto* display : block.displays) {
                    const qint32 cell = NewCell(display->first);
                    for (const DecisionTableRawRow& row : display->second) {
                        if (beforeLine)
                            beforeLine();
                        m_lines.clear();
                        m_lineEnds.clear();
                        AddRule(row, cell, width);
                        WriteLine(0, width, file);
                    }
                }
            }
            EndLine(file);
            for (const qint32 member : block.members)
                ColumnOf(member) = -1;
        }
    }

private:
    static constexpr qint32 DashCell = 0; // "-": the cell of a member the rule has no condition on

    // Blocks in their order, and in each the condition columns and the display texts in theirs.
    void LayOut(CInspectionProgress* run) {
        LayoutProgress progress(run, m_table);
        // Texts compared once: by their places in character-code order.
        std::vector<qint32> byCode(m_table.texts.TextCount());
        std::iota(byCode.begin(), byCode.end(), 0);
        std::ranges::sort(byCode, [this](qint32 a, qint32 b) { return m_table.texts.Text(a) < m_table.texts.Text(b); });
        m_place.resize(byCode.size());
        for (size_t k = 0; k < byCode.size(); ++k)
            m_place[static_cast<size_t>(byCode[k])] = static_cast<qint32>(k);
        using Consequent = std::map<QString, std::vector<DecisionTableRawRow>>;
        std::vector<std::pair<std::pair<const QString*, const Consequent*>, Numbers>> members;
        for (const auto& [member, byDisplay] : m_table.consequents) {
            Numbers numbers;
            if (!m_choice.consequentsByCharacterCode) {
                for (const auto& [display, rows] : byDisplay) {
                    const Numbers its = RowNumbers(rows);
                    numbers.insert(numbers.end(), its.begin(), its.end());
                }
                Settle(numbers);
            }
            members.emplace_back(std::pair{&member, &byDisplay}, std::move(numbers));
        }
        if (!m_choice.consequentsByCharacterCode)
            SortByNumbers(members);
        for (const auto& [member, numbers] : members)
            m_blocks.push_back(LayOutBlock(*member.first, *member.second, progress));
    }

    BlockLayout LayOutBlock(const QString& consequent,
                            const std::map<QString, std::vector<DecisionTableRawRow>>& byDisplay,
                            LayoutProgress& progress) {
        const bool byCode = m_choice.antecedentsByCharacterCode;
        // Condition columns: every member of the rules with the step numbers of its values. Rules made of one path
        // share their conditions, which are read once.
        std::vector<std::pair<qint32, Numbers>> columns;
        std::vector<size_t> settled; // the size of each column's numbers when last settled
        DecisionTableConditions read;
        for (const auto& [display, rows] : byDisplay) {
            for (const DecisionTableRawRow& row : rows) {
                progress.Step();
                if (row.conditions == read)
                    continue;
                read = row.conditions;
                const DecisionTableRowParts parts = RowParts(row);
                for (qint32 m = 0; m < parts.memberCount; ++m) {
                    const qint32* const p = parts.members[m];
                    qint32& column = ColumnOf(*p);
                    if (column < 0) {
                        column = static_cast<qint32>(columns.size());
                        columns.emplace_back(*p, Numbers{});
                        settled.push_back(0);
                    }
                    if (byCode)
                        continue;
                    const auto index = static_cast<size_t>(column);
                    Numbers& numbers = columns[index].second;
                    AppendValueNumbers(p + 1, numbers);
                    // Settled now and then, so that numbers read again and again take no more room.
                    if (numbers.size() > 4096 && numbers.size() > 2 * settled[index]) {
                        Settle(numbers);
                        settled[index] = numbers.size();
                    }
                }
            }
        }
        for (const auto& [member, numbers] : columns)
            ColumnOf(member) = -1;
        std::ranges::sort(columns, [this](const auto& a, const auto& b) {
            return m_place[static_cast<size_t>(a.first)] < m_place[static_cast<size_t>(b.first)];
        });
        if (!byCode) {
            for (auto& [member, numbers] : columns)
                Settle(numbers);
            SortByNumbers(columns);
        }
        BlockLayout block{&consequent, {}, {}};
        block.members.reserve(columns.size());
        for (const auto& [member, numbers] : columns)
            block.members.push_back(member);

        // Consequent display texts.
        std::vector<std::pair<const std::pair<const QString, std::vector<DecisionTableRawRow>>*, Numbers>> displays;
        for (const auto& entry : byDisplay)
            displays.emplace_back(&entry, m_choice.consequentsByCharacterCode ? Numbers() : RowNumbers(entry.second));
        if (!m_choice.consequentsByCharacterCode)
            SortByNumbers(displays);
        block.displays.reserve(displays.size());
        for (const auto& [entry, numbers] : displays)
            block.displays.push_back(entry);
        return block;
    }

    // The columns before the condition columns: the traceability columns, then the conclusion unless it is last.
    qint32 Leading() const {
        return static_cast<qint32>(m_traceabilityStub.size()) + (m_choice.conclusionLast ? 0 : 1);
    }
    qint32 Width(const BlockLayout& block) const {
        return Leading() + static_cast<qint32>(block.members.size()) + (m_choice.conclusionLast ? 1 : 0);
    }
    qint32 ConclusionColumn(qint32 width) const {
        return m_choice.conclusionLast ? width - 1 : static_cast<qint32>(m_traceabilityStub.size());
    }

    void AddStub(const BlockLayout& block) {
        const qint32 width = Width(block);
        for (size_t k = 0; k < m_traceabilityStub.size(); ++k)
            m_lines.emplace_back(static_cast<qint32>(k), m_traceabilityStub[k]);
        const qint32 conclusion = NewCell(LoadString(StringId::DecisionTableConclusionMark) + *block.consequent);
        if (!m_choice.conclusionLast)
            m_lines.emplace_back(ConclusionColumn(width), conclusion);
        for (const qint32 member : block.members)
            m_lines.emplace_back(ColumnOf(member), TextCell(member));
        if (m_choice.conclusionLast)
            m_lines.emplace_back(ConclusionColumn(width), conclusion);
        m_lineEnds.push_back(m_lines.size());
    }

    // The line of a rule, `display` its conclusion.
    void AddRule(const DecisionTableRawRow& row, qint32 display, qint32 width) {
        const DecisionTableRowParts parts = RowParts(row);
        if (m_choice.traceabilityRows) {
            const std::array<qint32, 4>& cells = TraceabilityCells(parts);
            for (size_t k = 0; k < cells.size(); ++k)
                m_lines.emplace_back(static_cast<qint32>(k), cells[k]);
        }
        if (!m_choice.conclusionLast)
            m_lines.emplace_back(ConclusionColumn(width), display);
        const size_t conditions = m_lines.size();
        for (qint32 m = 0; m < parts.memberCount; ++m)
            m_lines.emplace_back(ColumnOf(*parts.members[m]), ValueCell(parts.members[m] + 1));
        std::sort(m_lines.begin() + static_cast<std::ptrdiff_t>(conditions), m_lines.end());
        if (m_choice.conclusionLast)
            m_lines.emplace_back(ConclusionColumn(width), display);
        m_lineEnds.push_back(m_lines.size());
    }

    // Line `line` of those made, "-" where it has no cell.
    void WriteLine(size_t line, qint32 width, platform::CodePageTextFile& file) {
        size_t next = line == 0 ? 0 : m_lineEnds[line - 1];
        for (qint32 column = 0; column < width; ++column) {
            if (next < m_lineEnds[line] && m_lines[next].first == column)
                Put(m_lines[next++].second);
            else
                Put(DashCell);
        }
        EndLine(file);
    }

    void Put(qint32 cell) {
        const auto index = static_cast<size_t>(cell);
        const qsizetype start = index == 0 ? 0 : m_cellEnds[index - 1];
        m_line.append(m_cells.constData() + start, m_cellEnds[index] - start);
        m_lineReplaced += m_replaced[index];
    }

    void EndLine(platform::CodePageTextFile& file) {
        m_line += "\r\n";
        file.WriteEncoded(m_line, m_lineReplaced);
        m_line.resize(0);
        m_lineReplaced = 0;
    }

    qint32 NewCell(const QString& text) {
        qsizetype replaced = 0;
        m_cells += platform::EncodeProcessCodePage(QuoteCsvField(text), &replaced);
        m_cellEnds.push_back(m_cells.size());
        m_replaced.push_back(static_cast<qint32>(replaced));
        return static_cast<qint32>(m_cellEnds.size() - 1);
    }

    // The cell of a text of the raw table.
    qint32 TextCell(qint32 text) {
        const auto index = static_cast<size_t>(text);
        if (index >= m_textCells.size())
            m_textCells.resize(index + 1, -1);
        if (m_textCells[index] < 0)
            m_textCells[index] = NewCell(m_table.texts.Text(text));
        return m_textCells[index];
    }

    // The condition cell of a value (at its alternative count): one alternative as its display texts joined by " ∧ ",
    // several each in parentheses joined by " ∨ ". In the order of description the alternatives go by the step
    // numbers of their display texts, and the display texts of one by their own.
    qint32 ValueCell(const qint32* value) {
        const qint32 count = *value;
        if (count == 1 && value[1] == 1)
            return TextCell(value[2]);
        const bool byCode = m_choice.antecedentsByCharacterCode;
        m_alternatives.clear();
        for (const qint32* alternative = value + 1; m_alternatives.size() < static_cast<size_t>(count);
             alternative = SkipDecisionTableAlternative(alternative)) {
            Numbers numbers;
            if (!byCode && count > 1) {
                AppendAlternativeNumbers(alternative, numbers);
                Settle(numbers);
            }
            m_alternatives.emplace_back(alternative, std::move(numbers));
        }
        if (!byCode)
            SortByNumbers(m_alternatives);
        m_key.assign(1, count);
        for (const auto& [alternative, numbers] : m_alternatives) {
            m_displays.clear();
            const qint32* p = alternative + 1;
            for (qint32 texts = *alternative; texts > 0; --texts, p += p[1] + 2)
                m_displays.push_back(p);
            if (!byCode) {
                std::ranges::stable_sort(m_displays, [](const qint32* a, const qint32* b) {
                    return NumbersLess({a + 2, static_cast<size_t>(a[1])}, {b + 2, static_cast<size_t>(b[1])});
                });
            }
            m_key.push_back(static_cast<qint32>(m_displays.size()));
            for (const qint32* display : m_displays)
                m_key.push_back(*display);
        }
        if (const auto found = m_valueCells.find(m_key); found != m_valueCells.end())
            return found->second;
        QStringList parts;
        for (auto id = m_key.begin() + 1; id != m_key.end(); id += *id + 1) {
            QStringList texts;
            for (auto text = id + 1; text != id + 1 + *id; ++text)
                texts << m_table.texts.Text(*text);
            parts << texts.join(QStringLiteral(" ∧ "));
        }
        const qint32 cell = NewCell(count == 1 ? parts.front() : '(' + parts.join(QStringLiteral(") ∨ (")) + ')');
        m_valueCells.emplace(m_key, cell);
        return cell;
    }

    // The four traceability cells of a rule: its unit functions in order of their outline numbers.
    const std::array<qint32, 4>& TraceabilityCells(const DecisionTableRowParts& parts) {
        m_key.assign(parts.functions, parts.functions + parts.functionCount);
        if (const auto found = m_traceabilityCells.find(m_key); found != m_traceabilityCells.end())
            return found->second;
        std::set<const CUnitFunction*> byAddress;
        for (const qint32 id : m_key)
            byAddress.insert(m_table.texts.Function(id));
        const bool distinguish = m_data.GetModelOptions().DistinguishPrimaryOutlineNumber;
        std::vector<std::pair<QString, const CUnitFunction*>> functions;
        for (const CUnitFunction* function : byAddress)
            functions.emplace_back(function->GetOutlineNumberText(distinguish), function);
        std::ranges::stable_sort(functions, [](const auto& a, const auto& b) { return a.first < b.first; });
        const auto orDash = [](const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; };
        QStringList numbers;
        QStringList names;
        QStringList labels;
        std::set<QString> requirements;
        for (const auto& [number, function] : functions) {
            numbers << orDash(number);
            names << orDash(function->name);
            labels << orDash(function->header.uniqueLabel);
            const std::set<QString> effective = function->header.EffectiveRequirements();
            requirements.insert(effective.begin(), effective.end());
        }
        const std::array<qint32, 4> cells{NewCell(numbers.join('\n')), NewCell(names.join('\n')),
                                          NewCell(labels.join('\n')), NewCell(JoinWithCommas(requirements))};
        return m_traceabilityCells.emplace(m_key, cells).first->second;
    }

    // The column of each member (by text id) while its block is laid out or written; -1 for the others.
    qint32& ColumnOf(qint32 member) {
        const auto index = static_cast<size_t>(member);
        if (index >= m_columnOf.size())
            m_columnOf.resize(index + 1, -1);
        return m_columnOf[index];
    }

    const DecisionTableRawTable m_table;
    const DecisionTableLayoutChoice m_choice;
    const CDocumentData& m_data;
    std::vector<BlockLayout> m_blocks;
    std::vector<qint32> m_traceabilityStub;
    std::vector<qint32> m_columnOf;
    std::vector<qint32> m_place; // of each text (by id) in character-code order
    // The cells quoted and encoded one after the other, where each ends (by id), and the characters of each the code
    // page could not hold.
    QByteArray m_cells;
    std::vector<qsizetype> m_cellEnds;
    std::vector<qint32> m_replaced;
    std::vector<qint32> m_textCells; // by text id, -1 until made
    std::unordered_map<std::vector<qint32>, qint32, IdsHash> m_valueCells;
    std::unordered_map<std::vector<qint32>, std::array<qint32, 4>, IdsHash> m_traceabilityCells;
    // The lines made of a block not yet written, as the cells that are not "-": (column, cell) in column order, and
    // where each line ends.
    std::vector<std::pair<qint32, qint32>> m_lines;
    std::vector<size_t> m_lineEnds;
    QByteArray m_line; // the line being written
    qsizetype m_lineReplaced = 0;
    // Reused while a cell is made.
    std::vector<qint32> m_key;
    std::vector<std::pair<const qint32*, Numbers>> m_alternatives;
    std::vector<const qint32*> m_displays;
};

DecisionTableSheet::DecisionTableSheet(DecisionTableRawTable&& table, const DecisionTableLayoutChoice& choice,
                                       const CDocumentData& data, CInspectionProgress* run)
    : m_builder(std::make_unique<Builder>(std::move(table), choice, data, run)) {}

DecisionTableSheet::DecisionTableSheet(DecisionTableSheet&&) noexcept = default;
DecisionTableSheet::~DecisionTableSheet() = default;

size_t DecisionTableSheet::BlockCount() const {
    return m_builder->BlockCount();
}

size_t DecisionTableSheet::WrittenLineCount() const {
    return m_builder->WrittenLineCount();
}

void DecisionTableSheet::Write(platform::CodePageTextFile& file, const std::function<void()>& beforeLine) {
    m_builder->Write(file, beforeLine);
}
