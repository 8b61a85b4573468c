#pragma once

#include <QLoggingCategory>

// Command handlers and internal checks leave a trace line "Class::Method" for the developer.
// The category is silent unless enabled (QT_LOGGING_RULES="nuv.trace.debug=true").
Q_DECLARE_LOGGING_CATEGORY(nuvTrace)

namespace platform {

void Trace(const char* className, const char* methodName);

} // namespace platform
