#include "support/AddressSpaceLimit.h"

#include <QFile>

#include <unistd.h>

AddressSpaceLimit::AddressSpaceLimit(rlim_t room) {
    if (getrlimit(RLIMIT_AS, &m_saved) != 0)
        return;
    const rlimit limited{MappedBytes() + room, m_saved.rlim_max};
    m_set = setrlimit(RLIMIT_AS, &limited) == 0;
}

AddressSpaceLimit::~AddressSpaceLimit() {
    if (m_set)
        setrlimit(RLIMIT_AS, &m_saved);
}

rlim_t AddressSpaceLimit::MappedBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(0).toULongLong() * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}
