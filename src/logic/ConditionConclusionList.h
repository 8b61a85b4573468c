#pragma once

#include "logic/ConditionConclusionRows.h"

class CInspectionView;
class CUnitFunction;

// The condition/conclusion list, written to the result pane.
class CConditionConclusionList {
public:
    enum Scope { AllUnitFunctions = 0, CurrentUnitFunction = 1 };
    enum StatementKind { DoStatements = 0, FnStatements = 1 };

    // Chains written for one unit function at most; k ifs in a row make 2^k of them.
    static constexpr size_t MaxChains = 10000;

    // The choices of a run, kept by the window that offers them again next time.
    struct Choice {
        int scope = AllUnitFunctions;
        int statementKind = DoStatements;
    };

    // What a run came to.
    enum Outcome {
        Refused, // the document's Fn statements form a cycle: said in a message box, nothing written
        Written, // the list is in the pane
        Failed,  // the pane holds why the list could not be made, in its place
    };

    // The run of the dialog's OK: refuses documents whose Fn statements form a cycle, else clears the pane and
    // writes the list. current is the unit function of the active tab.
    static Outcome Run(CInspectionView& pane, const InspectionEnvironment& environment, int scope, int statementKind,
                       const CUnitFunction* current);

    // Each writes the lines as they are made: the rows name earlier lines by number, never holding a copy of them.
    static void WriteCorrespondenceListAll(CInspectionView& pane, const InspectionEnvironment& environment,
                                           const CInspectionParserSequence& top, int statementKind);
    static void WriteCorrespondenceListCurrent(CInspectionView& pane, const InspectionEnvironment& environment,
                                               const CInspectionParserSequence& top);
};
