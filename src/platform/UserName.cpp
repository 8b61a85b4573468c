#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

// The name the user database gives `userId`; empty when it has none.
QString PasswdName(uid_t userId) {
    struct passwd entry {};
    struct passwd* result = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(userId, &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_name)
        return QString::fromLocal8Bit(result->pw_name);
    return QString();
}

} // namespace

QString GetUserName() {
    const QString name = PasswdName(getuid());
    // Containers often run under an id without a passwd entry; the environment still names the user.
    return name.isEmpty() ? qEnvironmentVariable("USER") : name;
}

QString GetUserNameOf(unsigned userId) {
    const QString name = PasswdName(userId);
    return name.isEmpty() ? QString::number(userId) : name;
}

} // namespace platform
