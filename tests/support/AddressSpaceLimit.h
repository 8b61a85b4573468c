#pragma once

#include <sys/resource.h>

// While it lives, the process may map only `room` bytes more than it has mapped now: a test of what running out of
// memory does, without taking the memory. The limit before is put back when it goes.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t room);
    ~AddressSpaceLimit();
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    // Whether the limit was set.
    bool IsSet() const { return m_set; }

    // Bytes of address space the process has mapped now.
    static rlim_t MappedBytes();

private:
    rlimit m_saved{};
    bool m_set = false;
};
