#include "generators/DecisionTablePathCollector.h"

#include "generators/LogicPathWalk.h"
#include "logic/QuantifiedMemberName.h"

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
    : m_quantifiers(quantifiers) {
    // Actions taken in a called unit function stay on the path afterwards.
    DecisionTablePath path;
    LogicPathWalk(*this, registry, descend).Walk(start, path);
}

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::Assume(const QString& key, const QString& state) {
    CDecisionTableMakerAntecedent& antecedent = m_antecedents.emplace_back();
    antecedent.key = key;
    antecedent.condition = GeneratorCondition::Parse(state);
    antecedent.numbers.insert(m_nextStepNumber++);
    return &antecedent;
}

const CDecisionTableMakerAntecedent*
DecisionTablePathCollector::Negate(const CDecisionTableMakerAntecedent* assumption) {
    CDecisionTableMakerAntecedent& negation = m_antecedents.emplace_back(*assumption);
    negation.key = SplitAtQuantifier(assumption->key, &m_quantifiers);
    negation.condition = assumption->condition.Negated();
    return &negation;
}

void DecisionTablePathCollector::Action(const CUnitFunction& function, const CLogicLine& line,
                                        DecisionTablePath& path) {
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
