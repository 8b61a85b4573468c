#pragma once

#include "generators/DecisionTableRow.h"
#include "generators/GeneratorCondition.h"

#include <QString>

#include <deque>
#include <set>
#include <vector>

class CLogicLine;
class CQuantifierSettings;
class CUnitFunction;
class CUnitFunctionRegistry;

// One condition of a rule: an assumption taken from an if or case condition (or its negation), or a former
// action, an action already taken earlier on the same path. Its texts are held by the collector's texts.
struct CDecisionTableMakerAntecedent {
    const DecisionTableTexts* texts = nullptr;
    DecisionTableCell cell{}; // member name, display text (a former action in square brackets), statement
    qint32 state = 0;         // state text without the negation signs
    bool affirmed = true;
    bool assumption = true;

    const QString& GetKeyText() const { return texts->Text(cell.member); }
    bool IsAssumption() const { return assumption; }
};

// Assumptions before former actions; then member names, negated before affirmed, state texts.
struct AntecedentLess {
    bool operator()(const CDecisionTableMakerAntecedent* a, const CDecisionTableMakerAntecedent* b) const;
};
// Equal antecedents are one element of a path.
using DecisionTablePath = std::set<const CDecisionTableMakerAntecedent*, AntecedentLess>;

// A recorded rule: its consequent (the action's member name and display text) and its row of the raw table.
struct DecisionTableRawRule {
    qint32 consequentKey;
    qint32 consequentDisplay;
    DecisionTableRawRow row;
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

    // The rules in the order reached, and the texts and unit functions they refer to; the raw table takes them.
    std::vector<DecisionTableRawRule>& Rules() { return m_rules; }
    DecisionTableTexts& Texts() { return m_texts; }

    // What the logic path walk asks of its rules: paths of antecedents; an action recorded as a rule and then
    // taken onto the path as a former action.
    using Path = DecisionTablePath;
    const CDecisionTableMakerAntecedent* Assume(const QString& key, const QString& state);
    const CDecisionTableMakerAntecedent* Negate(const CDecisionTableMakerAntecedent* assumption);
    void Add(DecisionTablePath& path, const CDecisionTableMakerAntecedent* antecedent) { path.insert(antecedent); }
    void Action(const CUnitFunction& function, const CLogicLine& line, DecisionTablePath& path);

private:
    const CDecisionTableMakerAntecedent* Create(const QString& key, const GeneratorCondition& condition,
                                                bool assumption, qint32 number);

    const CQuantifierSettings& m_quantifiers;
    DecisionTableTexts m_texts;
    std::vector<DecisionTableRawRule> m_rules;
    std::deque<CDecisionTableMakerAntecedent> m_antecedents; // every antecedent of the run; paths point here
    qint32 m_nextStepNumber = 0;
};
