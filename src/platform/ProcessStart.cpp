#include "platform/ProcessStart.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <ctime>
#include <pthread.h>
#include <unistd.h>

namespace platform {

namespace {

// The fields of a process's line in /proc ("/proc/PID/stat") from its state (field 3) on; none when it cannot be read.
QList<QByteArray> StatFields(const QString& path) {
    QFile stat(path);
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    // The name in parentheses before the state may hold spaces.
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ');
}

} // namespace

uint32_t ClockTicksNow() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const uint64_t nanoseconds = static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
    return static_cast<uint32_t>(nanoseconds / (1000000000u / static_cast<uint64_t>(sysconf(_SC_CLK_TCK))));
}

namespace {

uint32_t g_programStart = ClockTicksNow();
// A forked process starts anew: the moment is taken again in it, before fork() returns there.
[[maybe_unused]] const int g_takenAgainInForks =
    pthread_atfork(nullptr, nullptr, [] { g_programStart = ClockTicksNow(); });

} // namespace

uint32_t ProgramStartTicks() {
    return g_programStart;
}

bool ProcessHasEnded(uint32_t pid) {
    // The ids in /proc are those of this process's own namespace only where its "self" is this process.
    char self[16] = {};
    if (readlink("/proc/self", self, sizeof self - 1) <= 0 || QByteArray(self).toLongLong() != getpid())
        return false;
    // Its state (field 3) is a zombie's once all its threads (field 20) ended: a first thread that ended alone leaves
    // a zombie too, whose process goes on.
    const QList<QByteArray> fields = StatFields(QStringLiteral("/proc/%1/stat").arg(pid));
    return fields.value(0) == "Z" && fields.value(20 - 3) == "1";
}

} // namespace platform
