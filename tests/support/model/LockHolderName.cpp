#include "support/model/LockHolderName.h"

#include "platform/UserName.h"

#include <unistd.h>

QString LockHolderName(qint64 pid) {
    return QStringLiteral("%1 (PID %2)").arg(platform::GetUserNameOf(getuid())).arg(pid);
}

QString LockHolderName() {
    return LockHolderName(getpid());
}
