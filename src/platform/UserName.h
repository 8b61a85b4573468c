#pragma once

#include <QString>

namespace platform {

// The login name of the current user; empty when it cannot be found.
QString GetUserName();

} // namespace platform
