#include "editor/FunctionContentExport.h"

#include "editor/RtfFileWriter.h"
#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "texts/StringTable.h"

bool ExportFunctionContent(const CDocumentData& document, CUnitFunction* function, ContentExportScope scope,
                           const QString& path) {
    UnitFunctionSet chosen;
    if (scope == ContentExportScope::WholeDocument || !function)
        document.registry.CollectAll(chosen);
    else if (scope == ContentExportScope::WithDescendants)
        CUnitFunction::CollectDescendants(function, chosen, document.registry);
    else
        chosen.insert(function);
    UnitFunctionList ordered;
    SortedVectorFromSet(chosen, ordered, document.GetModelOptions().DistinguishPrimaryOutlineNumber);
    if (!MakeFunctionContentRtf(document, {ordered.begin(), ordered.end()}).WriteToFile(path))
        return false;
    ShowExportedMessage(path, LoadString(StringId::ContentPaneName));
    return true;
}
