#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {

QString GetUserName() {
    struct passwd entry {};
    struct passwd* result = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_name)
        return QString::fromLocal8Bit(result->pw_name);
    // Containers often run under an id without a passwd entry; the environment still names the user.
    return qEnvironmentVariable("USER");
}

} // namespace platform
