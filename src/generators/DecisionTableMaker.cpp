#include "generators/DecisionTableMaker.h"

#include "generators/GeneratorFiles.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/LogicNesting.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

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

std::vector<CsvTable> MakeDecisionTable(const CDocumentData& data, const CUnitFunction* current,
                                        const DecisionTableRequest& request) {
    const CUnitFunction* start = (request.flags & DecisionTableFromOrigin) || !current ? data.registry.origin : current;
    if (!start)
        return {};
    if (data.registry.HasFnCycle(start))
        throw CTableMakerError{CTableMakerError::FnCycle};
    const bool descend = (request.flags & (DecisionTableFromOrigin | DecisionTableWithDescendants)) != 0;
    DecisionTableRawTable table =
        BuildRawTable(DecisionTablePathCollector(*start, descend, data.registry, data.quantifiers));
    if (request.Option != 0)
        OmitRedundancy(table);
    const DecisionTableLayoutChoice layout{request.IsDoFirst == 0, request.session.consequentsByCharacterCode == 1,
                                           request.session.antecedentsByCharacterCode == 1,
                                           request.session.traceabilityRows != 0};
    std::vector<CsvTable> blocks = BuildDecisionTableBlocks(table, layout, data);
    return request.IsIdRow != 0 ? blocks : TransposeTable(blocks);
}

bool RunDecisionTableMaker(const CDocumentData& data, const CUnitFunction* current,
                           const DecisionTableRequest& request) {
    const std::vector<CsvTable> blocks = MakeDecisionTable(data, current, request);
    const QString outputName = CsvOutputName(request.fileName);
    qsizetype replaced = 0;
    if (!WriteCsvTables(outputName, blocks, &replaced))
        return false;
    ShowExportedMessage(outputName, LoadString(StringId::DecisionTableObject), replaced);
    return true;
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
                                            bool& stored) {
    stored = false;
    if (!ConfirmOutputFile(choice.fileName, CsvOutputName(choice.fileName)))
        return GeneratorOkResult::KeepOpen;
    data.TestTable.IsIdRow = choice.rows ? 1 : 0;
    data.TestTable.IsDoFirst = choice.conclusionFirst ? 1 : 0;
    data.decisionTableOptions = {1, choice.scope, choice.omitRedundancy ? 1 : 0, choice.fileName};
    session = choice.session;
    stored = true;

    DecisionTableRequest request;
    request.flags = MakeDecisionTableFlags(data.decisionTableOptions);
    request.fileName = data.decisionTableOptions.FileName;
    request.IsIdRow = data.TestTable.IsIdRow;
    request.IsDoFirst = data.TestTable.IsDoFirst;
    request.Option = data.decisionTableOptions.Option;
    request.session = session;
    try {
        return RunDecisionTableMaker(data, current, request) ? GeneratorOkResult::Written
                                                             : GeneratorOkResult::NotWritten;
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
