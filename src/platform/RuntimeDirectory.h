#pragma once

#include <QString>

namespace platform {

// The directory of the per-user objects that running instances share (lock, table, liveness locks,
// sockets): $XDG_RUNTIME_DIR, or /tmp/nuv-<uid> when that is not set. The fallback is created private
// to the user and refused when someone else owns it. Empty when no usable directory exists.
QString RuntimeDirectory();

} // namespace platform
