#include "app/ApplicationLooks.h"

#include "app/FrameworkProfile.h"
#include "platform/SettingsStore.h"

namespace {

// 210 the plain look, 211 and 213 the office looks, 212 the desktop look, 214 the default, 215-218 the
// 2007 office looks in blue, black, silver and aqua.
constexpr ApplicationLook kLooks[] = {
    {210, "Windows", 0xD4D0C8, 0x000000, 0xFFFFFF, 0xF4F2EE, 0x000000, 0xD4D0C8, 0x000000, 0x0A246A, 0xFFFFFF,
     0x808080},
    {211, "Fusion", 0xF7F6F3, 0x000000, 0xFFFFFF, 0xF3F1EC, 0x000000, 0xEEEDE5, 0x000000, 0xB6BDD2, 0x000000, 0x8D8D8D},
    {212, "Fusion", 0xECE9D8, 0x000000, 0xFFFFFF, 0xF5F3E8, 0x000000, 0xF2F0E4, 0x000000, 0x316AC5, 0xFFFFFF, 0xACA899},
    {213, "Fusion", 0xC3DAF9, 0x000000, 0xFFFFFF, 0xEAF2FD, 0x000000, 0xD6E6FC, 0x000000, 0xFFC66B, 0x000000, 0x6D8EBF},
    {214, "Fusion", 0xEEEDE5, 0x000000, 0xFFFFFF, 0xF5F4EF, 0x000000, 0xF3F2EC, 0x000000, 0xC1D2EE, 0x000000, 0x8D8D8D},
    {215, "Fusion", 0xCFDDEE, 0x15428B, 0xFFFFFF, 0xEDF3FA, 0x000000, 0xDCE7F5, 0x15428B, 0xFFD96B, 0x000000, 0x7C94B3},
    {216, "Fusion", 0x353535, 0xF0F0F0, 0x252525, 0x2E2E2E, 0xF0F0F0, 0x474747, 0xF0F0F0, 0xF2A23C, 0x000000, 0x8A8A8A},
    {217, "Fusion", 0xDDE1E7, 0x3B3B3B, 0xFFFFFF, 0xF1F2F5, 0x000000, 0xE6E9EE, 0x3B3B3B, 0xFFD96B, 0x000000, 0x8F959E},
    {218, "Fusion", 0xCCE3E6, 0x1F4A52, 0xFFFFFF, 0xECF5F6, 0x000000, 0xDAEDEF, 0x1F4A52, 0x7FC7D1, 0x000000, 0x7C9DA2},
};

} // namespace

const ApplicationLook* FindApplicationLook(int id) {
    for (const ApplicationLook& look : kLooks) {
        if (look.id == id)
            return &look;
    }
    return nullptr;
}

bool StoreApplicationLook(int id) {
    return platform::SettingsStore(FrameworkProfile::Section())
        .WriteDword(FrameworkProfile::ApplicationLook(), static_cast<quint32>(id));
}
