#pragma once

// Builds documents for the logic tests and the benchmark from short scripts, one statement per line:
//   Do <X>を{S}せよ   if <X>が{S}   else   endif   switch <X>が   case {S}   elsw   endsw
//   loop   endlp   exitlp   Do nothing   (: comment   Transit State <X>{S}   Fn Name   ?  (a line of no kind)
// Indentation is ignored. Fn names are resolved when the document is finished.

#include "logic/InspectionEnvironment.h"
#include "model/QuantifierSettings.h"
#include "model/UnitFunctionRegistry.h"

#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

// The keywords the scripts are written in.
LogicKeywords DefaultLogicKeywords();

// One logic line from one script line; an Fn line is noted in pendingFn with the name it calls.
std::unique_ptr<CLogicLine> MakeScriptLine(const QString& text,
                                           std::vector<std::pair<CLogicLine*, QString>>& pendingFn);

// A script's lines appended to a unit function's logic, one statement a line.
void AppendScript(CUnitFunction& function, const QString& script,
                  std::vector<std::pair<CLogicLine*, QString>>& pendingFn);

// Resolves the Fn lines noted by MakeScriptLine.
void ResolveScriptFnLines(const CUnitFunctionRegistry& registry,
                          std::vector<std::pair<CLogicLine*, QString>>& pendingFn);

// A document file written by the document writer: the origin and its children, each a (name, script) pair;
// gives the path. With parents, function i > 0 lies under function parents[i] (an earlier one) instead. Gives nothing
// when the file cannot be written, or when there are more unit functions than a document holds (said): nothing is
// written then.
QString SaveScriptDocument(const QString& path, const std::vector<std::pair<QString, QString>>& functions,
                           const std::vector<int>& parents = {});

class LogicTestDocument {
public:
    LogicTestDocument();

    // A unit function with the script as its logic; the first one is the origin, the others are its
    // children unless a parent is given.
    CUnitFunction* Add(const QString& name, const QString& script, CUnitFunction* parent = nullptr);
    void Finish();
    void AddSemanticRelation(const QStringList& sentences, const QString& message);
    void AddIntraMemberRule(const QString& member, const QString& state1, const QString& state2,
                            const QString& initMember = QString(), const QString& initState = QString());

    CUnitFunctionRegistry registry;
    ModelOptions options;
    CQuantifierSettings quantifiers;
    std::vector<std::unique_ptr<CInconsistencyRule>> semanticRelations;
    std::vector<std::unique_ptr<CIntraMemberConsistencyRule>> intraMemberRules;
    InspectionEnvironment environment;

private:
    std::vector<std::pair<CLogicLine*, QString>> m_pendingFn;
};
