#pragma once

#include "generators/DecisionTableMakerPhase3.h"
#include "generators/GeneratorFiles.h"
#include "generators/TableMakerError.h"
#include "model/GeneratorTables.h"

#include <QString>

#include <functional>
#include <optional>

class CDocumentData;
class CInspectionProgress;
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

// The phases a run reports: the paths walked, the rules merged, the table laid out, the file written.
inline constexpr unsigned DecisionTablePhaseCount = 4;

// The table the request describes, starting at the origin or at `current` (the active tab's unit function; the origin
// when null). Throws CTableMakerError when the Fn statements reached form a cycle. With a run, reports its phases and
// steps there and polls it for Cancel on the way, so that a cancelled run ends soon with
// CInspectionProgressExceptionAbort.
DecisionTableSheet MakeDecisionTable(const CDocumentData& data, const CUnitFunction* current,
                                     const DecisionTableRequest& request, CInspectionProgress* run = nullptr);

// Makes the table and writes it to the request's file name with ".csv" added, saying nothing and touching no widget,
// so that it may run on a worker. With a run, as MakeDecisionTable, the file too: a cancelled write leaves the file
// as it was. Throws CTableMakerError before anything is written. Nothing when the table has no rule: no file is
// written.
std::optional<CsvFileWrite> MakeDecisionTableFile(const CDocumentData& data, const CUnitFunction* current,
                                                  const DecisionTableRequest& request,
                                                  CInspectionProgress* run = nullptr);
// Says how the write ended: the file reported, the write-failure message, or that the table has no rule to write.
// True when the file was written.
bool SayDecisionTableFile(const std::optional<CsvFileWrite>& write, const DecisionTableRequest& request);

// Both in turn.
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
    KeepOpen,   // refused, declined, cancelled or nothing to write; the dialog stays
    Written,    // the file is written
    NotWritten, // the file could not be written (said in a message); the dialog closes
};

// Runs a job that makes a table to its end, giving it the run it reports its progress to and is cancelled through;
// false when the job could not start. The window runs it on the worker with the progress dialog and Cancel.
using DecisionTableJobRunner = std::function<bool(const std::function<void(CInspectionProgress&)>& job)>;

// The dialog's OK: checks the name (an existing output file is overwritten only when the user agrees), stores the
// choices in the document and the session (`stored` then becomes true, and the document is to be marked modified),
// makes and writes the table through `runJob` (on this thread without one), and then says how it ended. A cycle of
// Fn statements is said in a message and keeps the dialog open; so do Cancel and a table without rules, with nothing
// written. A range without a Do or Transit State statement, or with a cycle, is known before the file is asked about:
// it is said at once, with no question.
GeneratorOkResult AcceptDecisionTableDialog(CDocumentData& data, DecisionTableSessionChoices& session,
                                            const DecisionTableDialogChoice& choice, const CUnitFunction* current,
                                            bool& stored, const DecisionTableJobRunner& runJob = {});
