#include "model/FunctionAttribute.h"

#include "texts/StringTable.h"

std::vector<FunctionAttribute> FunctionAttribute::GetDefaults() {
    return {{1, LoadString(StringId::FunctionalSafetySymbol), LoadString(StringId::FunctionalSafetyName)},
            {2, LoadString(StringId::SecuritySymbol), LoadString(StringId::SecurityName)}};
}
