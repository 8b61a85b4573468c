// Converts any bytes as a FreeMind map into a new document, as the converter does before it saves. The
// map is handed over as a file that exists in memory only; nothing is written to disk.
#include "app/FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

class MemoryFile {
public:
    MemoryFile() : m_fd(memfd_create("map.mm", 0)) {
        if (m_fd < 0)
            std::abort();
    }
    ~MemoryFile() { close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void Fill(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(m_fd, 0) != 0 || pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();
    }
    QString Path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // No per-user settings: a new document never loads a template.
    setenv("XDG_CONFIG_HOME", "/dev/null/config", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile map;
    map.Fill(data, size);
    platform::ScriptedMessageSink messages;
    FakeShell shell;
    CNUVApp app(shell);
    app.OnFileNew();
    CNUVDoc document(app);
    document.ConvertMindMapFile(map.Path(), [] { return true; });
    return 0;
}
