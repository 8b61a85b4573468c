#include "model/FunctionAttribute.h"

std::vector<FunctionAttribute> FunctionAttribute::GetDefaults() {
    return {{1, QStringLiteral("FS"), QStringLiteral("機能安全")},
            {2, QStringLiteral("SE"), QStringLiteral("セキュリティ")}};
}
