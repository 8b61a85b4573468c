#pragma once

#include <QString>

#include <cstddef>

namespace platform {

// A block of memory shared by name between the user's processes, in place of a named file mapping: a
// file of a fixed size in the runtime directory, mapped read-write and shared.
class SharedMapping {
public:
    SharedMapping() = default;
    ~SharedMapping();
    SharedMapping(const SharedMapping&) = delete;
    SharedMapping& operator=(const SharedMapping&) = delete;

    // Creates or opens "<directory>/<name>" with exactly `size` bytes (a new file reads as zeros) and maps it.
    // False (with Error() set) when the file cannot be made or mapped.
    bool Open(const QString& directory, const QString& name, std::size_t size);
    void* Data() const { return m_data; }
    QString Error() const { return m_error; }

private:
    void* m_data = nullptr;
    std::size_t m_size = 0;
    QString m_error;
};

} // namespace platform
