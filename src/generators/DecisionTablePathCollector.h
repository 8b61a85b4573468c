#pragma once

#include "generators/GeneratorCondition.h"

#include <QString>

#include <deque>
#include <set>
#include <vector>

class CLogicLine;
class CQuantifierSettings;
class CUnitFunction;
class CUnitFunctionRegistry;

using StepNumbers = std::set<qint32>;

// One condition of a rule: an assumption taken from an if or case condition (or its negation), or a former
// action, an action already taken earlier on the same path.
struct CDecisionTableMakerAntecedent {
    StepNumbers numbers; // the statements it came from
    QString key;         // member name
    GeneratorCondition condition;
    bool assumption = true;

    const QString& GetKeyText() const { return key; }
    // The condition as a table cell shows it; a former action in square brackets.
    QString GetDisplayText() const;
    bool IsAssumption() const { return assumption; }
};

// Assumptions before former actions; then member names, negated before affirmed, state texts.
struct AntecedentLess {
    bool operator()(const CDecisionTableMakerAntecedent* a, const CDecisionTableMakerAntecedent* b) const;
};
// Equal antecedents are one element of a path.
using DecisionTablePath = std::set<const CDecisionTableMakerAntecedent*, AntecedentLess>;

// The conclusion of a rule: a Do or Transit State statement.
struct DecisionTableAction {
    QString key;
    GeneratorCondition condition;
    StepNumbers numbers;
};

struct DecisionTableRawRule {
    DecisionTablePath path;
    DecisionTableAction action;
    const CUnitFunction* function = nullptr; // whose lines hold the action statement
};

// Walks a unit function's logic description, following Fn statements when asked, and records every action
// statement with the conditions under which it is reached, in the order reached. Statements are numbered in
// walking order: an if (and its negation), a case, an action (and its former action).
class DecisionTablePathCollector {
public:
    DecisionTablePathCollector(const CUnitFunction& start, bool descend, const CUnitFunctionRegistry& registry,
                               const CQuantifierSettings& quantifiers);
    DecisionTablePathCollector(const DecisionTablePathCollector&) = delete;
    DecisionTablePathCollector& operator=(const DecisionTablePathCollector&) = delete;

    const std::vector<DecisionTableRawRule>& Rules() const { return m_rules; }

    // What the logic path walk asks of its rules: paths of antecedents; an action recorded as a rule and then
    // taken onto the path as a former action.
    using Path = DecisionTablePath;
    const CDecisionTableMakerAntecedent* Assume(const QString& key, const QString& state);
    const CDecisionTableMakerAntecedent* Negate(const CDecisionTableMakerAntecedent* assumption);
    void Add(DecisionTablePath& path, const CDecisionTableMakerAntecedent* antecedent) { path.insert(antecedent); }
    void Action(const CUnitFunction& function, const CLogicLine& line, DecisionTablePath& path);

private:
    const CQuantifierSettings& m_quantifiers;
    std::vector<DecisionTableRawRule> m_rules;
    std::deque<CDecisionTableMakerAntecedent> m_antecedents; // every antecedent of the run; paths point here
    qint32 m_nextStepNumber = 0;
};
