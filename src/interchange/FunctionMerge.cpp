#include "interchange/FunctionMerge.h"

#include "model/DocumentData.h"
#include "model/IndexLogicSync.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/UserFile.h"

#include <QFile>
#include <QSet>

#include <map>

std::optional<LoadResult> CFunctionMerge::ReadFile(const QString& path, CUnitFunctionRegistry& incoming) {
    QFile file;
    if (!platform::OpenRegularFileForReading(file, path))
        return std::nullopt;
    return ReadFunctionsFromDocument(file, incoming);
}

std::optional<CFunctionMerge::Outcome> CFunctionMerge::Merge(CDocumentData& document, CUnitFunctionRegistry& incoming,
                                                             CUnitFunction& parent) {
    CUnitFunctionRegistry& registry = document.registry;
    CUnitFunction* const incomingOrigin = incoming.origin;
    if (!incomingOrigin)
        return Outcome{};
    // Fresh IDs are drawn from the drawable range; without room for every incoming unit function there, the
    // merge could stop half done.
    if (registry.Count() + incoming.Count() > static_cast<int>(CUnitFunctionRegistry::MaxDrawnInternalID))
        return std::nullopt;

    CUnitFunctionTable taken = incoming.TakeFunctions();
    Outcome outcome;
    const std::vector<QString> takenLabels = document.TakenUniqueLabels();
    QSet<QString> labels(takenLabels.begin(), takenLabels.end());
    for (auto& [id, function] : taken) {
        QString& label = function.header.uniqueLabel;
        if (label.isEmpty())
            continue;
        if (labels.contains(label)) {
            label.clear();
            ++outcome.labelsDropped;
        } else {
            labels.insert(label);
        }
    }
    std::map<const CUnitFunction*, CUnitFunction*> moved;
    std::map<quint32, quint32> newIDs;
    // The unit functions whose IDs are free here go first, so that no fresh ID is drawn onto one of them.
    for (auto& [id, function] : taken) {
        if (id == 0 || registry.FindByInternalID(id))
            continue;
        CUnitFunction* target = registry.CreateFunctionWithID(id);
        moved[&function] = target;
        newIDs[id] = id;
    }
    for (auto& [id, function] : taken) {
        if (moved.count(&function))
            continue;
        CUnitFunction* target = registry.CreateFunctionForMerge(function.name);
        moved[&function] = target;
        newIDs[id] = target->InternalID;
        ++outcome.renumbered;
    }
    for (auto& [id, function] : taken) {
        CUnitFunction* target = moved.at(&function);
        const quint32 targetID = target->InternalID;
        *target = std::move(function);
        target->InternalID = targetID;
        target->primaryParent = nullptr;
        for (CUnitFunction*& child : target->children)
            child = moved.at(child);
        for (const auto& line : target->logicLines) {
            if (line && line->IsFnStatement() && line->calledInternalID != 0) {
                const auto found = newIDs.find(line->calledInternalID);
                // A call of a unit function the other document did not hold names nothing here either.
                line->calledInternalID = found != newIDs.end() ? found->second : 0;
            }
        }
        target->MatchFunctionAttribute(document.FunctionAttributes);
        target->MatchAuxiliaryVerbs(document.AuxiliaryVerbs);
        ++outcome.added;
    }
    // The parent's Fn statements follow its new child as the document's synchronisation says.
    const ModelOptions options = document.GetModelOptions();
    CIndexLogicSync sync(&parent, registry, options);
    CUnitFunction::AppendChild(&parent, moved.at(incomingOrigin));
    sync.Synchronize();
    document.RebuildAndRefresh(options);
    return outcome;
}
