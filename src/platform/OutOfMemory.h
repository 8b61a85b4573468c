#pragma once

#include <QString>

namespace platform {

// From here on, running out of memory where nothing catches it (an exception that leaves main, a worker thread, the
// event loop or a function that may not throw) ends the process with `message` and a line break on standard error and
// status 1, never with a signal; the message is made now, since nothing can be allocated then. Any other exception
// that ends the process does so as before.
void ExitOnOutOfMemory(const QString& message);

} // namespace platform
