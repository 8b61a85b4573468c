#pragma once

#include <QString>

namespace platform {

// The login name of the current user; empty when it cannot be found.
QString GetUserName();

// The login name of the user `userId`; its number when it has none.
QString GetUserNameOf(unsigned userId);

} // namespace platform
