#pragma once

#include "generators/DecisionTableRow.h"
#include "generators/GeneratorCondition.h"

#include <QString>

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

class CInspectionProgress;
class CLogicLine;
class CQuantifierSettings;
class CUnitFunction;
class CUnitFunctionRegistry;

// One condition of a rule: an assumption taken from an if or case condition (or its negation), or a former
// action, an action already taken earlier on the same path. Its texts are held by the collector's texts.
struct CDecisionTableMakerAntecedent {
    const DecisionTableTexts* texts = nullptr;
    DecisionTableCell cell{};     // member name, display text (a former action in square brackets), statement
    const qint32* kept = nullptr; // the data of a row member whose value is this antecedent alone, once made
    qint32 state = 0;             // state text without the negation signs
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
// so its antecedents are held in one block; those that would move many to their places wait unsorted at its end until
// it is read, so that many added one after the other (the negations of a switch's cases) cost no more than sorting. The
// conditions of a row made of the path are kept with it until it changes, so that the rules recorded on an unchanged
// path share them.
class DecisionTablePath {
public:
    using Antecedents = std::vector<const CDecisionTableMakerAntecedent*>;

    // Adds `antecedent` unless an equal one is there.
    void insert(const CDecisionTableMakerAntecedent* antecedent) {
        const auto sortedEnd = m_antecedents.begin() + static_cast<std::ptrdiff_t>(m_sorted);
        const auto at = std::lower_bound(m_antecedents.begin(), sortedEnd, antecedent, AntecedentLess{});
        if (at != sortedEnd && !AntecedentLess{}(antecedent, *at))
            return;
        m_conditions.reset();
        if (m_sorted == m_antecedents.size() && sortedEnd - at <= kShortMove) {
            m_antecedents.insert(at, antecedent);
            ++m_sorted;
        } else {
            m_antecedents.push_back(antecedent);
        }
    }

    // The antecedents in order.
    const Antecedents& Sorted() {
        if (m_sorted < m_antecedents.size()) {
            // None of those waiting equals one before them; of those equal among them, the first added stays.
            const auto sortedEnd = m_antecedents.begin() + static_cast<std::ptrdiff_t>(m_sorted);
            std::stable_sort(sortedEnd, m_antecedents.end(), AntecedentLess{});
            const auto end = std::unique(sortedEnd, m_antecedents.end(), [](const auto* a, const auto* b) {
                return !AntecedentLess{}(a, b) && !AntecedentLess{}(b, a);
            });
            m_antecedents.erase(end, m_antecedents.end());
            std::inplace_merge(m_antecedents.begin(), sortedEnd, m_antecedents.end(), AntecedentLess{});
            m_sorted = m_antecedents.size();
        }
        return m_antecedents;
    }

    // The row conditions made of the path as it is, if made.
    const std::optional<DecisionTableConditions>& Conditions() const { return m_conditions; }
    void SetConditions(DecisionTableConditions conditions) { m_conditions = conditions; }

private:
    // An antecedent goes to its place at once when no more than this many move for it.
    static constexpr std::ptrdiff_t kShortMove = 32;

    Antecedents m_antecedents;
    std::size_t m_sorted = 0; // the antecedents before this are in order
    std::optional<DecisionTableConditions> m_conditions;
};

// A recorded rule: its consequent (the action's member name and display text) and its row of the raw table.
struct DecisionTableRawRule {
    qint32 consequentKey;
    qint32 consequentDisplay;
    DecisionTableRawRow row;
};

// Walks a unit function's logic description, following Fn statements when asked, and records every action
// statement with the conditions under which it is reached, in the order reached. Statements are numbered in
// walking order: an if (and its negation), a case, an action (and its former action). With a run, the walk polls it
// for Cancel and reports the unit functions walked as steps of `functions`, those it will reach.
class DecisionTablePathCollector {
public:
    DecisionTablePathCollector(const CUnitFunction& start, bool descend, const CUnitFunctionRegistry& registry,
                               const CQuantifierSettings& quantifiers, CInspectionProgress* run = nullptr,
                               size_t functions = 1);
    DecisionTablePathCollector(const DecisionTablePathCollector&) = delete;
    DecisionTablePathCollector& operator=(const DecisionTablePathCollector&) = delete;

    // The rules in the order reached, and the texts, unit functions and row data they refer to; the raw table takes
    // them.
    std::vector<DecisionTableRawRule>& Rules() { return m_rules; }
    DecisionTableTexts& Texts() { return m_texts; }
    DecisionTableRowStore& Store() { return m_store; }

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
    DecisionTableRowStore m_store;
    std::vector<DecisionTableRawRule> m_rules;
    std::deque<CDecisionTableMakerAntecedent> m_antecedents; // every antecedent of the run; paths point here
    qint32 m_nextStepNumber = 0;
};
