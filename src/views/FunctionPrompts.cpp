#include "views/FunctionPrompts.h"

#include "model/OutlineNumber.h"
#include "model/UnitFunctionRegistry.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

QString CFunctionPrompts::NameRefusal(const QString& name, const CUnitFunctionRegistry& registry,
                                      bool allowDuplicateNames, bool allowEmpty) {
    if (allowDuplicateNames || (allowEmpty && name.isEmpty()))
        return {};
    const CUnitFunction* existing = registry.FindByName(name);
    if (!existing)
        return {};
    const StringId id = existing->occurrenceCount != 0 ? StringId::FunctionNameInUse : StringId::FunctionNameOnlyInList;
    return LoadString(id).arg(ShownText(name));
}

bool CFunctionPrompts::CanMoveTo(const QString& text) {
    OutlineNumber number;
    return ParseOutlineNumber(text, number) && !number.empty();
}
