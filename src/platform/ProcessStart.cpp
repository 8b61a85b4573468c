#include "platform/ProcessStart.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <ctime>
#include <unistd.h>

namespace platform {

uint32_t ClockTicksNow() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const uint64_t nanoseconds = static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
    // Rounded down, as the kernel rounds a start.
    return static_cast<uint32_t>(nanoseconds / (1000000000u / static_cast<uint64_t>(sysconf(_SC_CLK_TCK))));
}

std::optional<uint32_t> ProcessStartTicks() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The name in parentheses may hold spaces; after it come the state (field 3) and the others, the start 22nd.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    bool number = false;
    const qulonglong start = fields.value(22 - 3).toULongLong(&number);
    return number ? std::optional<uint32_t>(static_cast<uint32_t>(start)) : std::nullopt;
}

} // namespace platform
