#pragma once

#include "logic/InspectionProgress.h"
#include "model/LogicLine.h"
#include "model/LogicNesting.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"

#include <QString>

#include <unordered_set>

// Walks a unit function's logic description in statement order, one path per branch: an if gives a then path with
// its condition and an else path with the negation; each case of a switch a path with its condition, and the elsw
// a path with the negations of all cases; a loop's body is walked once on a copy of the path. Fn statements are
// followed into the called unit function on the same path when `descend` is set; blocks and calls nested deeper than
// kMaxLogicNesting end the walk with CLogicNestingTooDeep. With a run, every line walked polls it for Cancel, and each
// unit function walked for the first time is a step of `functions`, so that the steps move from the start. What a
// path is made of belongs to `Rules`:
//   Rules::Path; a Condition is whatever Assume returns:
//   Condition Assume(const QString& member, const QString& state);  an if or case condition
//   Condition Negate(Condition);                                     its negation on the other branch
//   void Add(Path&, const Condition&);
//   void Action(const CUnitFunction&, const CLogicLine&, Path&);     a Do or Transit State statement
template <typename Rules> class LogicPathWalk {
public:
    using Path = typename Rules::Path;

    LogicPathWalk(Rules& rules, const CUnitFunctionRegistry& registry, bool descend, CInspectionProgress* run = nullptr,
                  size_t functions = 1)
        : m_rules(rules), m_registry(registry), m_descend(descend), m_run(run), m_functions(functions) {}

    void Walk(const CUnitFunction& function, Path& path) {
        if (m_run && m_walked.insert(&function).second)
            m_run->MinorProgress(static_cast<unsigned>(m_walked.size()), static_cast<unsigned>(m_functions));
        int index = 0;
        Walk(function, index, path);
    }

private:
    void Walk(const CUnitFunction& function, int& index, Path& path) {
        const CLogicNestingLevel level(m_depth, &function);
        const int count = static_cast<int>(function.logicLines.size());
        for (; index < count; ++index) {
            if (m_run)
                m_run->PollAbort();
            const CLogicLine& line = *function.logicLines[index];
            switch (line.lineKind) {
            case SyntaxFn:
                if (m_descend) {
                    if (const CUnitFunction* called = m_registry.FindByInternalID(line.calledInternalID))
                        Walk(*called, path);
                }
                break;
            case SyntaxIf: {
                const auto condition = m_rules.Assume(line.textSlots[0].text, line.textSlots[2].text);
                Path thenPath = path;
                m_rules.Add(thenPath, condition);
                Path elsePath = path;
                m_rules.Add(elsePath, m_rules.Negate(condition));
                ++index;
                Walk(function, index, thenPath);
                ++index;
                Walk(function, index, elsePath);
                break;
            }
            case SyntaxDo:
            case SyntaxTransitState:
                m_rules.Action(function, line, path);
                break;
            case SyntaxSwitch:
                Switch(function, index, path);
                break;
            case SyntaxLoop: {
                // The body once; what it does stays inside it.
                Path body = path;
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

    void Switch(const CUnitFunction& function, int& index, const Path& path) {
        const QString member = function.logicLines[index]->textSlots[0].text;
        ++index;
        Path before;
        Walk(function, index, before);
        Path rest = path;
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
            const auto condition = m_rules.Assume(member, line.textSlots[0].text);
            Path casePath = path;
            m_rules.Add(casePath, condition);
            m_rules.Add(rest, m_rules.Negate(condition));
            ++index;
            Walk(function, index, casePath);
        }
    }

    Rules& m_rules;
    const CUnitFunctionRegistry& m_registry;
    bool m_descend;
    CInspectionProgress* m_run;
    size_t m_functions;
    std::unordered_set<const CUnitFunction*> m_walked; // with a run
    CLogicNestingDepth m_depth{-1, nullptr};           // the outermost walk is no block
};
