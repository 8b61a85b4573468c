#include "generators/DecisionTableMaker.h"

#include "generators/GeneratorFiles.h"
#include "logic/InspectionProgress.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/LogicNesting.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <exception>

quint32 MakeDecisionTableFlags(const GeneratorOutputOptions& settings) {
    quint32 flags = settings.Type == 0 ? DecisionTableOtherKind : DecisionTableOutputKind;
    if (settings.Scope == 1)
        flags |= DecisionTableFromOrigin;
    else if (settings.Scope == 2)
        flags |= DecisionTableWithDescendants;
    if (settings.Option != 0)
        flags |= DecisionTableOmitRedundancy;
    return flags;
}

namespace {

// Where the table starts: the origin, or the current unit function when the scope starts there and there is one; null
// without an origin.
const CUnitFunction* TableStart(const CDocumentData& data, const CUnitFunction* current, quint32 flags) {
    return (flags & DecisionTableFromOrigin) || !current ? data.registry.origin : current;
}

// Whether the table follows the Fn statements into the unit functions they call.
bool TakesCalledFunctions(quint32 flags) {
    return (flags & (DecisionTableFromOrigin | DecisionTableWithDescendants)) != 0;
}

// The unit functions the table walks from `start`: it alone, or with every one its Fn statements reach. Throws
// CTableMakerError when the Fn statements reached from it form a cycle, whichever the range.
FunctionPath TableRange(const CDocumentData& data, const CUnitFunction* start, bool descend) {
    FunctionPath reached;
    if (data.registry.HasFnCycle(start, &reached))
        throw CTableMakerError{CTableMakerError::FnCycle};
    if (!descend)
        return {start};
    return reached;
}

// Whether the range of the table holds a Do or Transit State statement, which is all a table is made of; throws as
// TableRange.
bool RangeHoldsActions(const CDocumentData& data, const CUnitFunction* current, quint32 flags) {
    const CUnitFunction* start = TableStart(data, current, flags);
    if (!start)
        return false;
    const FunctionPath range = TableRange(data, start, TakesCalledFunctions(flags));
    return std::any_of(range.begin(), range.end(), [](const CUnitFunction* function) {
        return std::any_of(function->logicLines.begin(), function->logicLines.end(), [](const auto& line) {
            return line && (line->lineKind == SyntaxDo || line->lineKind == SyntaxTransitState);
        });
    });
}

} // namespace

DecisionTableSheet MakeDecisionTable(const CDocumentData& data, const CUnitFunction* current,
                                     const DecisionTableRequest& request, CInspectionProgress* run) {
    const DecisionTableLayoutChoice layout{request.IsDoFirst == 0, request.session.consequentsByCharacterCode == 1,
                                           request.session.antecedentsByCharacterCode == 1,
                                           request.session.traceabilityRows != 0, request.IsIdRow == 0};
    const CUnitFunction* start = TableStart(data, current, request.flags);
    if (!start)
        return DecisionTableSheet({}, layout, data);
    if (run)
        run->MajorProgress(0, LoadString(StringId::DecisionTableWalkingPaths));
    const bool descend = TakesCalledFunctions(request.flags);
    const size_t functions = TableRange(data, start, descend).size();
    DecisionTableRawTable table =
        BuildRawTable(DecisionTablePathCollector(*start, descend, data.registry, data.quantifiers, run, functions));
    if (request.Option != 0) {
        if (run)
            run->MajorProgress(1, LoadString(StringId::DecisionTableMergingRules));
        OmitRedundancy(table, run);
    }
    if (run)
        run->MajorProgress(2, LoadString(StringId::DecisionTableLayingOut));
    return DecisionTableSheet(std::move(table), layout, data, run);
}

std::optional<CsvFileWrite> MakeDecisionTableFile(const CDocumentData& data, const CUnitFunction* current,
                                                  const DecisionTableRequest& request, CInspectionProgress* run) {
    DecisionTableSheet sheet = MakeDecisionTable(data, current, request, run);
    if (sheet.BlockCount() == 0)
        return std::nullopt;
    std::function<void()> beforeLine;
    if (run) {
        run->MajorProgress(3, LoadString(StringId::DecisionTableWritingFile));
        beforeLine = [run, total = static_cast<unsigned>(sheet.WrittenLineCount()), written = 0u]() mutable {
            run->PollAbort();
            run->MinorProgress(++written, total);
        };
    }
    const CsvFileWrite write = WriteCodePageFileUnsaid(
        CsvOutputName(request.fileName), [&](platform::CodePageTextFile& file) { sheet.Write(file, beforeLine); });
    if (run)
        run->MajorProgress(DecisionTablePhaseCount, QString());
    return write;
}

bool SayDecisionTableFile(const std::optional<CsvFileWrite>& write, const DecisionTableRequest& request) {
    if (!write) {
        platform::ShowMessageBox(LoadString(StringId::DecisionTableNothingToWrite), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Information);
        return false;
    }
    const QString outputName = CsvOutputName(request.fileName);
    if (!SayCsvFileFailure(outputName, *write))
        return false;
    ShowExportedMessage(outputName, LoadString(StringId::DecisionTableObject), write->replaced);
    return true;
}

bool RunDecisionTableMaker(const CDocumentData& data, const CUnitFunction* current,
                           const DecisionTableRequest& request) {
    return SayDecisionTableFile(MakeDecisionTableFile(data, current, request), request);
}

DecisionTableDialogChoice StoredDecisionTableChoice(const CDocumentData& data,
                                                    const DecisionTableSessionChoices& session) {
    const GeneratorOutputOptions& stored = data.decisionTableOptions;
    DecisionTableDialogChoice choice;
    choice.fileName = stored.FileName;
    choice.scope = stored.Scope == 1 || stored.Scope == 2 ? stored.Scope : 0;
    choice.omitRedundancy = stored.Option != 0;
    choice.rows = data.TestTable.IsIdRow != 0;
    choice.conclusionFirst = data.TestTable.IsDoFirst != 0;
    choice.session = session;
    return choice;
}

GeneratorOkResult AcceptDecisionTableDialog(CDocumentData& data, DecisionTableSessionChoices& session,
                                            const DecisionTableDialogChoice& choice, const CUnitFunction* current,
                                            bool& stored, const DecisionTableJobRunner& runJob) {
    stored = false;
    const GeneratorOutputOptions options{1, choice.scope, choice.omitRedundancy ? 1 : 0, choice.fileName};
    // Whether there is anything to write is known before an existing file is asked about: a range without actions, or
    // one whose Fn statements form a cycle, is said without a question.
    bool holdsActions = true;
    std::exception_ptr stopped;
    if (!choice.fileName.isEmpty()) {
        try {
            holdsActions = RangeHoldsActions(data, current, MakeDecisionTableFlags(options));
        } catch (...) {
            stopped = std::current_exception();
        }
    }
    const bool makes = holdsActions && !stopped;
    if (makes && !ConfirmOutputFile(choice.fileName, CsvOutputName(choice.fileName)))
        return GeneratorOkResult::KeepOpen;
    data.TestTable.IsIdRow = choice.rows ? 1 : 0;
    data.TestTable.IsDoFirst = choice.conclusionFirst ? 1 : 0;
    data.decisionTableOptions = options;
    session = choice.session;
    stored = true;

    DecisionTableRequest request;
    request.flags = MakeDecisionTableFlags(data.decisionTableOptions);
    request.fileName = data.decisionTableOptions.FileName;
    request.IsIdRow = data.TestTable.IsIdRow;
    request.IsDoFirst = data.TestTable.IsDoFirst;
    request.Option = data.decisionTableOptions.Option;
    request.session = session;
    // How the job ended is said here, on this thread, once it has ended.
    std::optional<CsvFileWrite> write;
    const auto job = [&](CInspectionProgress& run) {
        try {
            write = MakeDecisionTableFile(data, current, request, &run);
        } catch (...) {
            stopped = std::current_exception();
        }
    };
    if (makes) {
        if (!runJob) {
            CInspectionProgress run;
            job(run);
        } else if (!runJob(job)) {
            return GeneratorOkResult::KeepOpen;
        }
    }
    try {
        if (stopped)
            std::rethrow_exception(stopped);
        if (SayDecisionTableFile(write, request))
            return GeneratorOkResult::Written;
        return write ? GeneratorOkResult::NotWritten : GeneratorOkResult::KeepOpen;
    } catch (const CInspectionProgressExceptionAbort&) {
        platform::ShowMessageBox(LoadString(StringId::DecisionTableCancelled), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Information);
        return GeneratorOkResult::KeepOpen;
    } catch (const CTableMakerError&) {
        platform::ShowMessageBox(LoadString(StringId::DecisionTableFnCycle), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return GeneratorOkResult::KeepOpen;
    } catch (...) {
        platform::ShowMessageBox(LoadString(StringId::DecisionTableFailedBecause).arg(RunFailureReason()),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return GeneratorOkResult::KeepOpen;
    }
}
