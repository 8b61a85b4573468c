#pragma once

#include "support/logic/LogicScript.h"

#include <memory>
#include <utility>
#include <vector>

// A generated document for measurements: a table of contents three levels deep, as specifications are. The
// origin calls the chapters one after the other, every chapter calls eight sections and every section eight
// unit functions; every unit function holds nested ifs, a switch and a loop, with its calls in the branches
// and after the loop, none inside it (a call tree without cycles). c chapters make 1 + 73c unit functions.
// With findings every unit function but the origin repeats its first statement, a redundancy on every path.
std::unique_ptr<LogicTestDocument> MakeGeneratedLogicDocument(int chapters, bool findings = false);
// The (name, script) pairs of that document, the origin first; the others are the origin's children in the table
// of contents.
std::vector<std::pair<QString, QString>> GeneratedLogicScripts(int chapters, bool findings = false);

// A 4-ary call tree of n unit functions, nine logic lines each, whose Do statements act on eight members that the
// whole document shares: the conclusions of different top-level subtrees lie in different branches and share their
// conditions, so the findings grow with the square of n (0.6 million at 4,000 unit functions, 14 million at
// 20,000). Unit function i > 0 lies under (i - 1) / 4 in the table of contents as in the call tree.
std::unique_ptr<LogicTestDocument> MakeSharedMemberDocument(int n);
// That document as a document file; gives the path, or nothing as SaveScriptDocument.
QString SaveSharedMemberDocument(const QString& path, int n);

// n ifs nested in each other, each with its own Do in both branches.
QString NestedIfScript(int n);

// Documents that push the programs to their limits, as document files; each gives the path, or nothing as
// SaveScriptDocument.
// The origin's logic as NestedIfScript(n).
QString SaveNestedIfDocument(const QString& path, int n);
// A chain of n unit functions, each calling the next twice: expanded, the last one's lines appear 2^(n-1) times.
QString SaveDoublingChainDocument(const QString& path, int n);
std::unique_ptr<LogicTestDocument> MakeDoublingChainDocument(int n);
// An origin that calls n unit functions one after the other, each holding one Do statement: every row of the
// condition/conclusion list names the Do statements before it, so the list grows with the square of n.
QString SaveFanOutDocument(const QString& path, int n);
std::unique_ptr<LogicTestDocument> MakeFanOutDocument(int n);
