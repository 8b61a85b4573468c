#include "generators/DecisionTablePathCollector.h"

#include "generators/LogicPathWalk.h"
#include "logic/QuantifiedMemberName.h"

bool AntecedentLess::operator()(const CDecisionTableMakerAntecedent* a, const CDecisionTableMakerAntecedent* b) const {
    if (a->assumption != b->assumption)
        return a->assumption;
    if (a->cell.member != b->cell.member)
        return a->GetKeyText() < b->GetKeyText();
    if (a->affirmed != b->affirmed)
        return !a->affirmed;
    return a->state != b->state && a->texts->Text(a->state) < b->texts->Text(b->state);
}

DecisionTablePathCollector::DecisionTablePathCollector(const CUnitFunction& start, bool descend,
                                                       const CUnitFunctionRegistry& registry,
                                                       const CQuantifierSettings& quantifiers, CInspectionProgress* run,
                                                       size_t functions)
    : m_quantifiers(quantifiers) {
    // Actions taken in a called unit function stay on the path afterwards.
    DecisionTablePath path;
    LogicPathWalk(*this, registry, descend, run, functions).Walk(start, path);
}

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::Create(const QString& key,
                                                                        const GeneratorCondition& condition,
                                                                        bool assumption, qint32 number) {
    const QString display = assumption ? condition.GetText() : '[' + condition.GetText() + ']';
    CDecisionTableMakerAntecedent& antecedent =
        m_antecedents.emplace_back(CDecisionTableMakerAntecedent{&m_texts,
                                                                 {m_texts.Id(key), m_texts.Id(display), number},
                                                                 nullptr,
                                                                 m_texts.Id(condition.text),
                                                                 condition.affirmed,
                                                                 assumption});
    antecedent.cell.kept = &antecedent.kept;
    return &antecedent;
}

const CDecisionTableMakerAntecedent* DecisionTablePathCollector::Assume(const QString& key, const QString& state) {
    return Create(key, GeneratorCondition::Parse(state), true, m_nextStepNumber++);
}

const CDecisionTableMakerAntecedent*
DecisionTablePathCollector::Negate(const CDecisionTableMakerAntecedent* assumption) {
    const GeneratorCondition negated{!assumption->affirmed, m_texts.Text(assumption->state)};
    return Create(SplitAtQuantifier(assumption->GetKeyText(), &m_quantifiers), negated, true, assumption->cell.number);
}

void DecisionTablePathCollector::Action(const CUnitFunction& function, const CLogicLine& line,
                                        DecisionTablePath& path) {
    const GeneratorCondition condition = GeneratorCondition::Parse(line.textSlots[2].text);
    const CDecisionTableMakerAntecedent* former = Create(line.textSlots[0].text, condition, false, m_nextStepNumber++);
    if (!path.Conditions()) {
        std::vector<DecisionTableCell> cells;
        for (const CDecisionTableMakerAntecedent* antecedent : path.Sorted())
            cells.push_back(antecedent->cell);
        path.SetConditions(MakeRowConditions(std::move(cells), m_texts, m_store));
    }
    m_rules.push_back({former->cell.member, m_texts.Id(condition.GetText()),
                       MakeRawRow(*path.Conditions(), m_texts.FunctionId(&function), former->cell.number, m_store)});
    path.insert(former);
}
