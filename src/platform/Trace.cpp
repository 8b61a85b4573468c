#include "platform/Trace.h"

Q_LOGGING_CATEGORY(nuvTrace, "nuv.trace", QtWarningMsg)

namespace platform {

void Trace(const char* className, const char* methodName) {
    qCDebug(nuvTrace, "%s::%s", className, methodName);
}

} // namespace platform
