#include "model/AuxiliaryVerb.h"

std::vector<AuxiliaryVerb> AuxiliaryVerb::GetDefaults() {
    return {{1, QStringLiteral("となった"), 1},
            {2, QStringLiteral("になった"), 1},
            {3, QStringLiteral("に変わった"), 1},
            {4, QStringLiteral("である"), 0},
            {5, QStringLiteral("であった"), 0}};
}
