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
