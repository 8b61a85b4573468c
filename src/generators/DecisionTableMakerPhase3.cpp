#include "generators/DecisionTableMakerPhase3.h"

#include "logic/InspectionProgress.h"
#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "texts/StringTable.h"

#include <algorithm>

namespace {

// The rules read so far, each read twice (for its conditions' columns, then for its line), as steps of the run.
class LayoutProgress {
public:
    LayoutProgress(CInspectionProgress* run, const DecisionTableRawTable& table)
        : m_run(run), m_total(2 * table.RowCount()) {}
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

bool StepNumbersLess(const StepNumbers& a, const StepNumbers& b) {
    return std::ranges::lexicographical_compare(a, b);
}

// Sorts the named items by their step numbers, stable over the order they come in.
template <typename T> void SortByStepNumbers(std::vector<std::pair<T, StepNumbers>>& items) {
    std::ranges::stable_sort(items, [](const auto& a, const auto& b) { return StepNumbersLess(a.second, b.second); });
}

StepNumbers RowNumbers(const DecisionTableRawTable& table, const std::vector<DecisionTableRawRow>& rows) {
    StepNumbers numbers;
    for (const DecisionTableRawRow& row : rows) {
        const StepNumbers its = table.ReadNumbers(row);
        numbers.insert(its.begin(), its.end());
    }
    return numbers;
}

QString JoinAlternative(const DecisionTableAlternative& alternative, bool byCharacterCode) {
    std::vector<std::pair<QString, StepNumbers>> texts(alternative.begin(), alternative.end());
    if (!byCharacterCode)
        SortByStepNumbers(texts);
    QStringList parts;
    for (const auto& [text, numbers] : texts)
        parts << text;
    return parts.join(QStringLiteral(" ∧ "));
}

QString ConditionCellText(const DecisionTableValue& value, bool byCharacterCode) {
    std::vector<std::pair<const DecisionTableAlternative*, StepNumbers>> alternatives;
    for (const DecisionTableAlternative& alternative : value)
        alternatives.emplace_back(&alternative, CollectStepNumbers(alternative));
    if (!byCharacterCode)
        SortByStepNumbers(alternatives);
    if (alternatives.size() == 1)
        return JoinAlternative(*alternatives.front().first, byCharacterCode);
    QStringList parts;
    for (const auto& [alternative, numbers] : alternatives)
        parts << JoinAlternative(*alternative, byCharacterCode);
    return '(' + parts.join(QStringLiteral(") ∨ (")) + ')';
}

// The four traceability cells of a rule: its unit functions in order of their outline numbers.
QStringList TraceabilityCells(const DecisionTableRowValues& row, const CDocumentData& data) {
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    std::vector<std::pair<QString, const CUnitFunction*>> functions;
    for (const CUnitFunction* function : row.functions)
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
    return {numbers.join('\n'), names.join('\n'), labels.join('\n'), JoinWithCommas(requirements)};
}

CsvTable BuildBlock(const DecisionTableRawTable& table, const QString& consequent,
                    const std::map<QString, std::vector<DecisionTableRawRow>>& byDisplay,
                    const DecisionTableLayoutChoice& choice, const CDocumentData& data, LayoutProgress& progress) {
    // Condition columns.
    std::map<QString, StepNumbers> memberNumbers;
    for (const auto& [display, rows] : byDisplay) {
        for (const DecisionTableRawRow& compact : rows) {
            progress.Step();
            const DecisionTableRowValues row = table.Read(compact);
            for (const auto& [member, value] : row.conditions) {
                StepNumbers& numbers = memberNumbers[member];
                for (const DecisionTableAlternative& alternative : value) {
                    const StepNumbers its = CollectStepNumbers(alternative);
                    numbers.insert(its.begin(), its.end());
                }
            }
        }
    }
    std::vector<std::pair<QString, StepNumbers>> columns(memberNumbers.begin(), memberNumbers.end());
    if (!choice.antecedentsByCharacterCode)
        SortByStepNumbers(columns);

    // Consequent display texts.
    std::vector<std::pair<QString, StepNumbers>> displays;
    for (const auto& [display, rows] : byDisplay)
        displays.emplace_back(display, choice.consequentsByCharacterCode ? StepNumbers() : RowNumbers(table, rows));
    if (!choice.consequentsByCharacterCode)
        SortByStepNumbers(displays);

    CsvTable block;
    QStringList stub;
    if (choice.traceabilityRows) {
        stub << LoadString(StringId::DecisionTableOutlineNumberStub) << LoadString(StringId::DecisionTableNameStub)
             << LoadString(StringId::DecisionTableLabelStub) << LoadString(StringId::DecisionTableRequirementStub);
    }
    const QString conclusionStub = LoadString(StringId::DecisionTableConclusionMark) + consequent;
    if (!choice.conclusionLast)
        stub << conclusionStub;
    for (const auto& [member, numbers] : columns)
        stub << member;
    if (choice.conclusionLast)
        stub << conclusionStub;
    block.push_back(stub);

    for (const auto& [display, numbers] : displays) {
        for (const DecisionTableRawRow& compact : byDisplay.at(display)) {
            progress.Step();
            const DecisionTableRowValues row = table.Read(compact);
            QStringList line;
            if (choice.traceabilityRows)
                line << TraceabilityCells(row, data);
            if (!choice.conclusionLast)
                line << display;
            for (const auto& [member, memberNumbers] : columns) {
                const auto value = row.conditions.find(member);
                line << (value == row.conditions.end()
                             ? QStringLiteral("-")
                             : ConditionCellText(value->second, choice.antecedentsByCharacterCode));
            }
            if (choice.conclusionLast)
                line << display;
            block.push_back(line);
        }
    }
    return block;
}

} // namespace

std::vector<CsvTable> BuildDecisionTableBlocks(const DecisionTableRawTable& table,
                                               const DecisionTableLayoutChoice& choice, const CDocumentData& data,
                                               CInspectionProgress* run) {
    LayoutProgress progress(run, table);
    std::vector<std::pair<QString, StepNumbers>> members;
    for (const auto& [member, byDisplay] : table.consequents) {
        StepNumbers numbers;
        if (!choice.consequentsByCharacterCode) {
            for (const auto& [display, rows] : byDisplay) {
                const StepNumbers its = RowNumbers(table, rows);
                numbers.insert(its.begin(), its.end());
            }
        }
        members.emplace_back(member, numbers);
    }
    if (!choice.consequentsByCharacterCode)
        SortByStepNumbers(members);
    std::vector<CsvTable> blocks;
    for (const auto& [member, numbers] : members)
        blocks.push_back(BuildBlock(table, member, table.consequents.at(member), choice, data, progress));
    return blocks;
}

std::vector<CsvTable> TransposeTable(const std::vector<CsvTable>& blocks) {
    std::vector<CsvTable> transposed;
    for (const CsvTable& block : blocks) {
        CsvTable turned(block.empty() ? 0 : static_cast<size_t>(block.front().size()));
        for (const QStringList& line : block) {
            for (qsizetype k = 0; k < line.size(); ++k) {
                if (static_cast<size_t>(k) >= turned.size())
                    turned.resize(static_cast<size_t>(k) + 1);
                turned[static_cast<size_t>(k)] << line[k];
            }
        }
        transposed.push_back(std::move(turned));
    }
    return transposed;
}
