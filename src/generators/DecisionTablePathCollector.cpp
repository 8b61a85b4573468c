#include "generators/DecisionTablePathCollector.h"

#include "logic/QuantifiedMemberName.h"
#include "model/UnitFunctionRegistry.h"

QString CDecisionTableMakerAntecedent::GetDisplayText() const {
    return assumption ? condition.GetText() : '[' + condition.GetText() + ']';
}

bool AntecedentLess::operator()(const CDecisionTableMakerAntecedent* a, const CDecisionTableMakerAntecedent* b) const {
    if (a->assumption != b->assumption)
        return a->assumption;
    if (a->key != b->key)
        return a->key < b->key;
    if (a->condition.affirmed != b->condition.affirmed)
        return !a->condition.affirmed;
    return a->condition.text < b->condition.text;
}

DecisionTablePathCollector::DecisionTablePathCollector(const CUnitFunction& start, bool descend,
                                                       const CUnitFunctionRegistry& registry,
                                                       const CQuantifierSettings& quantifiers)
    : m_registry(registry), m_quantifiers(quantifiers), m_descend(descend) {
    DecisionTablePath path;
    int index = 0;
    Walk(start, index, path);
}

void DecisionTablePathCollector::Walk(const CUnitFunction& function, int& index, DecisionTablePath& path) {
    const int count = static_cast<int>(function.logicLines.size());
    for (; index < count; ++index) {
        const CLogicLine& line = *function.logicLines[index];
        switch (line.lineKind) {
        case SyntaxFn:
            if (m_descend) {
                if (const CUnitFunction* called = m_registry.FindByInternalID(line.calledInternalID)) {
                    // The same path: actions taken in the called unit function stay on it afterwards.
                    int calledIndex = 0;
                    Walk(*called, calledIndex, path);
                }
            }
            break;
        case SyntaxIf:
            IfStep(function, index, path);
            break;
        case SyntaxDo:
        case SyntaxTransitState:
            ActionStep(function, index, path);
            break;
        case SyntaxSwitch:
            SwitchStep(function, index, path);
            break;
        case SyntaxLoop: {
            // The body once; what it does stays inside it.
            DecisionTablePath body = path;
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

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::NewAssumption(const QString& key,
                                                                               const QString& state) {
    CDecisionTableMakerAntecedent& antecedent = m_antecedents.emplace_back();
    antecedent.key = key;
    antecedent.condition = GeneratorCondition::Parse(state);
    antecedent.numbers.insert(m_nextStepNumber++);
    return &antecedent;
}

const CDecisionTableMakerAntecedent*
DecisionTablePathCollector::NewNegation(const CDecisionTableMakerAntecedent& assumption) {
    CDecisionTableMakerAntecedent& negation = m_antecedents.emplace_back(assumption);
    negation.key = SplitAtQuantifier(assumption.key, &m_quantifiers);
    negation.condition = assumption.condition.Negated();
    return &negation;
}

void DecisionTablePathCollector::IfStep(const CUnitFunction& function, int& index, DecisionTablePath& path) {
    const CLogicLine& line = *function.logicLines[index];
    const CDecisionTableMakerAntecedent* condition = NewAssumption(line.textSlots[0].text, line.textSlots[2].text);
    DecisionTablePath thenPath = path;
    thenPath.insert(condition);
    DecisionTablePath elsePath = path;
    elsePath.insert(NewNegation(*condition));
    ++index;
    Walk(function, index, thenPath);
    ++index;
    Walk(function, index, elsePath);
}

void DecisionTablePathCollector::ActionStep(const CUnitFunction& function, int index, DecisionTablePath& path) {
    const CLogicLine& line = *function.logicLines[index];
    DecisionTableAction action{
        line.textSlots[0].text, GeneratorCondition::Parse(line.textSlots[2].text), {m_nextStepNumber}};
    m_rules.push_back({path, action, &function});
    CDecisionTableMakerAntecedent& former = m_antecedents.emplace_back();
    former.key = action.key;
    former.condition = action.condition;
    former.numbers.insert(m_nextStepNumber++);
    former.assumption = false;
    path.insert(&former);
}

void DecisionTablePathCollector::SwitchStep(const CUnitFunction& function, int& index, DecisionTablePath& path) {
    const QString member = function.logicLines[index]->textSlots[0].text;
    ++index;
    DecisionTablePath before;
    Walk(function, index, before);
    DecisionTablePath rest = path;
    const int count = static_cast<int>(function.logicLines.size());
    while (index < count) {
        const CLogicLine& line = *function.logicLines[index];
        if (line.lineKind == SyntaxElsw) {
            ++index;
            Walk(function, index, rest);
            return;
        }
        // A switch without elsw ends at its endsw (or whatever else ends its last case); the caller steps
        // over that line.
        if (line.lineKind != SyntaxCase)
            return;
        const CDecisionTableMakerAntecedent* condition = NewAssumption(member, line.textSlots[0].text);
        DecisionTablePath casePath = path;
        casePath.insert(condition);
        rest.insert(NewNegation(*condition));
        ++index;
        Walk(function, index, casePath);
    }
}
