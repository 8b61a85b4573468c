#pragma once

#include <QByteArray>
#include <QFile>

#include <utility>

// The resident set now and its peak since the last reset, in megabytes; resets the peak.
inline std::pair<double, double> ResidentMegabytesAndReset() {
    QFile status("/proc/self/status");
    std::pair<double, double> found;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const auto megabytes = [&line] { return line.mid(6).trimmed().split(' ').front().toDouble() / 1024; };
            if (line.startsWith("VmRSS:"))
                found.first = megabytes();
            else if (line.startsWith("VmHWM:"))
                found.second = megabytes();
        }
    }
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return found;
}
