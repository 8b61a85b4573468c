#pragma once

#include "generators/DecisionTableRow.h"
#include "generators/GeneratorCondition.h"

#include <QString>

#include <algorithm>
#include <deque>
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
// The antecedents of a path in AntecedentLess order, equal antecedents held once. A path is copied at every branch,
// so its antecedents are held in one block.
class DecisionTablePath {
public:
    // Adds `antecedent` unless an equal one is there.
    void insert(const CDecisionTableMakerAntecedent* antecedent) {
        const auto at = std::lower_bound(m_antecedents.begin(), m_antecedents.end(), antecedent, AntecedentLess{});
        if (at == m_antecedents.end() || AntecedentLess{}(antecedent, *at))
            m_antecedents.insert(at, antecedent);
    }
    auto begin() const { return m_antecedents.begin(); }
    auto end() const { return m_antecedents.end(); }
    std::size_t size() const { return m_antecedents.size(); }

private:
    std::vector<const CDecisionTableMakerAntecedent*> m_antecedents;
};

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
