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

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::Register(CDecisionTableMakerAntecedent& antecedent,
                                                                          qint32 number) {
    antecedent.cell = {m_texts.Id(antecedent.key), m_texts.Id(antecedent.GetDisplayText()), number};
    antecedent.key = m_texts.Text(antecedent.cell.member);
    antecedent.condition.text = m_texts.Text(m_texts.Id(antecedent.condition.text));
    return &antecedent;
}

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::Assume(const QString& key, const QString& state) {
    CDecisionTableMakerAntecedent& antecedent = m_antecedents.emplace_back();
    antecedent.key = key;
    antecedent.condition = GeneratorCondition::Parse(state);
    return Register(antecedent, m_nextStepNumber++);
}

const CDecisionTableMakerAntecedent*
DecisionTablePathCollector::Negate(const CDecisionTableMakerAntecedent* assumption) {
    CDecisionTableMakerAntecedent& negation = m_antecedents.emplace_back(*assumption);
    negation.key = SplitAtQuantifier(assumption->key, &m_quantifiers);
    negation.condition = assumption->condition.Negated();
    return Register(negation, assumption->cell.number);
}

void DecisionTablePathCollector::Action(const CUnitFunction& function, const CLogicLine& line,
                                        DecisionTablePath& path) {
    CDecisionTableMakerAntecedent& former = m_antecedents.emplace_back();
    former.key = line.textSlots[0].text;
    former.condition = GeneratorCondition::Parse(line.textSlots[2].text);
    former.assumption = false;
    Register(former, m_nextStepNumber++);
    std::vector<DecisionTableCell> cells;
    cells.reserve(path.size());
    for (const CDecisionTableMakerAntecedent* antecedent : path)
        cells.push_back(antecedent->cell);
    m_rules.push_back({former.cell.member, m_texts.Id(former.condition.GetText()),
                       MakeRawRow(std::move(cells), m_texts.FunctionId(&function), former.cell.number, m_texts)});
    path.insert(&former);
}
