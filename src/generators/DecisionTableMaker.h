#pragma once

#include "generators/DecisionTableMakerPhase3.h"
#include "generators/TableMakerError.h"
#include "model/GeneratorTables.h"

#include <QString>

class CDocumentData;
class CUnitFunction;

// Flag bits of a decision-table run.
enum DecisionTableFlag : quint32 {
    DecisionTableFromOrigin = 1,       // start at the origin, descendants included
    DecisionTableOutputKind = 2,       // the output kind the dialog always chooses
    DecisionTableOtherKind = 4,        // the other output kind, never chosen
    DecisionTableOmitRedundancy = 8,   // merge redundant rules
    DecisionTableWithDescendants = 16, // the current unit function and its descendants
};

// The flag word of the stored settings.
quint32 MakeDecisionTableFlags(const GeneratorOutputOptions& settings);

// The choices of the decision-table dialog that last while the program runs, not in the document.
struct DecisionTableSessionChoices {
    int consequentsByCharacterCode = 0;
    int antecedentsByCharacterCode = 0;
    quint8 traceabilityRows = 0;
};

struct DecisionTableRequest {
    quint32 flags = DecisionTableOutputKind | DecisionTableFromOrigin | DecisionTableOmitRedundancy;
    QString fileName;
    int IsIdRow = 1;
    int IsDoFirst = 1;
    int Option = 1;
    DecisionTableSessionChoices session;
};

// The blocks of the table the request describes, starting at the origin or at `current` (the active tab's unit
// function; the origin when null). Throws CTableMakerError when the Fn statements reached form a cycle.
std::vector<CsvTable> MakeDecisionTable(const CDocumentData& data, const CUnitFunction* current,
                                        const DecisionTableRequest& request);

// Makes the table and writes it to the file name with ".csv" added, then reports the file. True when the file
// was written; a file that cannot be written is reported. Throws CTableMakerError before anything is written.
bool RunDecisionTableMaker(const CDocumentData& data, const CUnitFunction* current,
                           const DecisionTableRequest& request);

// What the dialog's OK chose.
struct DecisionTableDialogChoice {
    QString fileName;
    quint8 scope = 1; // 1 all, 2 the current unit function and its descendants, 0 the current one alone
    bool omitRedundancy = true;
    bool rows = true;
    bool conclusionFirst = true;
    DecisionTableSessionChoices session;
};

// The dialog's settings as the document holds them.
DecisionTableDialogChoice StoredDecisionTableChoice(const CDocumentData& data,
                                                    const DecisionTableSessionChoices& session);

enum class GeneratorOkResult {
    KeepOpen,   // refused or declined; the dialog stays
    Written,    // the file is written
    NotWritten, // the file could not be written (said in a message); the dialog closes
};

// The dialog's OK: checks the name (an existing output file is overwritten only when the user agrees), stores the
// choices in the document and the session (`stored` then becomes true, and the document is to be marked modified),
// and runs the maker. A cycle of Fn statements is said in a message and keeps the dialog open.
GeneratorOkResult AcceptDecisionTableDialog(CDocumentData& data, DecisionTableSessionChoices& session,
                                            const DecisionTableDialogChoice& choice, const CUnitFunction* current,
                                            bool& stored);
