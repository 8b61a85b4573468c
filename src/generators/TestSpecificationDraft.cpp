#include "generators/TestSpecificationDraft.h"

#include "generators/GeneratorFiles.h"
#include "logic/QuantifiedMemberName.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

namespace {

using Steps = std::vector<TestSpecificationItem::Step>;

// The walk of the decision table, collecting the conditions met instead of antecedents.
class TestItemWalk {
public:
    explicit TestItemWalk(const CDocumentData& data) : m_data(data) {}

    void Walk(const CUnitFunction& function, int& index, Steps& path) {
        const int count = static_cast<int>(function.logicLines.size());
        for (; index < count; ++index) {
            const CLogicLine& line = *function.logicLines[index];
            switch (line.lineKind) {
            case SyntaxFn:
                if (const CUnitFunction* called = m_data.registry.FindByInternalID(line.calledInternalID)) {
                    int calledIndex = 0;
                    Walk(*called, calledIndex, path);
                }
                break;
            case SyntaxIf: {
                const TestSpecificationItem::Step step{line.textSlots[0].text,
                                                       GeneratorCondition::Parse(line.textSlots[2].text)};
                Steps thenPath = path;
                thenPath.push_back(step);
                Steps elsePath = path;
                elsePath.push_back(Negated(step));
                ++index;
                Walk(function, index, thenPath);
                ++index;
                Walk(function, index, elsePath);
                break;
            }
            case SyntaxDo:
            case SyntaxTransitState:
                items.push_back(
                    {path, line.textSlots[0].text, GeneratorCondition::Parse(line.textSlots[2].text), &function});
                break;
            case SyntaxSwitch:
                Switch(function, index, path);
                break;
            case SyntaxLoop: {
                Steps body = path;
                ++index;
                Walk(function, index, body);
                break;
            }
            case SyntaxElse:
            case SyntaxEndif:
            case SyntaxCase:
            case SyntaxElsw:
            case SyntaxEndsw:
            case SyntaxEndlp:
                return;
            default:
                break;
            }
        }
    }

    std::vector<TestSpecificationItem> items;

private:
    TestSpecificationItem::Step Negated(const TestSpecificationItem::Step& step) const {
        return {SplitAtQuantifier(step.member, &m_data.quantifiers), step.condition.Negated()};
    }

    void Switch(const CUnitFunction& function, int& index, const Steps& path) {
        const QString member = function.logicLines[index]->textSlots[0].text;
        ++index;
        Steps before;
        Walk(function, index, before);
        Steps rest = path;
        const int count = static_cast<int>(function.logicLines.size());
        while (index < count) {
            const CLogicLine& line = *function.logicLines[index];
            if (line.lineKind == SyntaxElsw) {
                ++index;
                Walk(function, index, rest);
                return;
            }
            // Without elsw the switch ends at its endsw.
            if (line.lineKind != SyntaxCase)
                return;
            const TestSpecificationItem::Step step{member, GeneratorCondition::Parse(line.textSlots[0].text)};
            Steps casePath = path;
            casePath.push_back(step);
            rest.push_back(Negated(step));
            ++index;
            Walk(function, index, casePath);
        }
    }

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
    TestItemWalk walk(data);
    Steps path;
    int index = 0;
    walk.Walk(*origin, index, path);
    return std::move(walk.items);
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
    if (!WriteCsvTables(outputName, {rows}))
        return false;
    ShowExportedMessage(outputName, LoadString(StringId::TestSpecificationObject));
    return true;
}

bool AcceptTestSpecificationDialog(CDocumentData& data, const QString& fileName, bool& stored) {
    stored = false;
    if (!ConfirmOutputFile(fileName, CsvOutputName(fileName)))
        return false;
    data.testSpecificationOptions = {1, 1, 1, fileName};
    stored = true;
    try {
        return GenerateTestSpecificationDraft(data, fileName);
    } catch (const CTableMakerError&) {
        platform::ShowMessageBox(LoadString(StringId::TestSpecificationFnCycle), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return false;
    }
}
