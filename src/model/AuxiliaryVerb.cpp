#include "model/AuxiliaryVerb.h"

#include "texts/StringTable.h"

std::vector<AuxiliaryVerb> AuxiliaryVerb::GetDefaults() {
    return {{1, LoadString(StringId::AuxiliaryVerb1), 1},
            {2, LoadString(StringId::AuxiliaryVerb2), 1},
            {3, LoadString(StringId::AuxiliaryVerb3), 1},
            {4, LoadString(StringId::AuxiliaryVerb4), 0},
            {5, LoadString(StringId::AuxiliaryVerb5), 0}};
}
