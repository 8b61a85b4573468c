#include "platform/Display.h"

#include <QByteArray>

namespace platform {

bool IsHeadless() {
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool PrepareDisplay() {
    if (!IsHeadless())
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

} // namespace platform
