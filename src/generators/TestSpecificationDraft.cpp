#include "generators/TestSpecificationDraft.h"

#include "generators/GeneratorFiles.h"
#include "generators/LogicPathWalk.h"
#include "logic/QuantifiedMemberName.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/LogicNesting.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

namespace {

using Steps = std::vector<TestSpecificationItem::Step>;

// The ways of the decision table's walk, with the conditions met as the scenario instead of antecedents.
class TestItemRules {
public:
    using Path = Steps;
    using Condition = TestSpecificationItem::Step;

    explicit TestItemRules(const CDocumentData& data) : m_data(data) {}

    Condition Assume(const QString& member, const QString& state) const {
        return {member, GeneratorCondition::Parse(state)};
    }
    Condition Negate(const Condition& step) const {
        return {SplitAtQuantifier(step.member, &m_data.quantifiers), step.condition.Negated()};
    }
    void Add(Steps& path, const Condition& step) const { path.push_back(step); }
    void Action(const CUnitFunction& function, const CLogicLine& line, const Steps& path) {
        items.push_back({path, line.textSlots[0].text, GeneratorCondition::Parse(line.textSlots[2].text), &function});
    }

    std::vector<TestSpecificationItem> items;

private:
    const CDocumentData& m_data;
};

QString MemberState(const QString& member, const GeneratorCondition& condition) {
    return '<' + member + QLatin1String("> {") + condition.GetText() + '}';
}

} // namespace

std::vector<TestSpecificationItem> EnumerateTestItems(const CDocumentData& data) {
    const CUnitFunction* origin = data.registry.origin;
    if (!origin)
        return {};
    if (data.registry.HasFnCycle(origin))
        throw CTableMakerError{CTableMakerError::FnCycle};
    TestItemRules rules(data);
    Steps path;
    LogicPathWalk(rules, data.registry, true).Walk(*origin, path);
    return std::move(rules.items);
}

CsvTable BuildTestSpecificationRows(const std::vector<TestSpecificationItem>& items, const CDocumentData& data) {
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    CsvTable rows;
    rows.push_back({LoadString(StringId::TestItemNumberHeader), LoadString(StringId::DecisionTableRequirementStub),
                    LoadString(StringId::DecisionTableOutlineNumberStub), LoadString(StringId::DecisionTableLabelStub),
                    LoadString(StringId::DecisionTableNameStub), LoadString(StringId::TestScenarioHeader),
                    LoadString(StringId::TestExpectedResultHeader)});
    int number = 0;
    for (const TestSpecificationItem& item : items) {
        QStringList scenario;
        for (const TestSpecificationItem::Step& step : item.steps)
            scenario << MemberState(step.member, step.condition);
        const CUnitFunction& function = *item.function;
        rows.push_back({QString::number(++number), JoinWithCommas(function.header.EffectiveRequirements()),
                        function.GetOutlineNumberText(distinguish), function.header.uniqueLabel, function.name,
                        scenario.join('\n'), MemberState(item.actionMember, item.expected)});
    }
    return rows;
}

bool GenerateTestSpecificationDraft(const CDocumentData& data, const QString& fileName) {
    const CsvTable rows = BuildTestSpecificationRows(EnumerateTestItems(data), data);
    const QString outputName = CsvOutputName(fileName);
    qsizetype replaced = 0;
    if (!WriteCsvTables(outputName, {rows}, &replaced))
        return false;
    ShowExportedMessage(outputName, LoadString(StringId::TestSpecificationObject), replaced);
    return true;
}

bool StoreTestSpecificationFileName(CDocumentData& data, const QString& fileName) {
    if (!ConfirmOutputFile(fileName, CsvOutputName(fileName)))
        return false;
    data.testSpecificationOptions = {1, 1, 1, fileName};
    return true;
}

bool WriteTestSpecificationDraft(const CDocumentData& data) {
    try {
        return GenerateTestSpecificationDraft(data, data.testSpecificationOptions.FileName);
    } catch (const CTableMakerError&) {
        platform::ShowMessageBox(LoadString(StringId::TestSpecificationFnCycle), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return false;
    } catch (...) {
        platform::ShowMessageBox(LoadString(StringId::TestSpecificationFailedBecause).arg(RunFailureReason()),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
}

bool AcceptTestSpecificationDialog(CDocumentData& data, const QString& fileName, bool& stored) {
    stored = StoreTestSpecificationFileName(data, fileName);
    return stored && WriteTestSpecificationDraft(data);
}
