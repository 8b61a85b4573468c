#include "platform/OutOfMemory.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <new>
#include <typeinfo>

#include <cxxabi.h>
#include <unistd.h>

namespace platform {

namespace {

char g_message[1024];
std::size_t g_messageLength = 0;
std::terminate_handler g_previousHandler = nullptr;
std::atomic_flag g_ending = ATOMIC_FLAG_INIT;

// Whether the exception that ends the process is std::bad_alloc or one of its kind. Asked of the runtime without
// throwing it again, which would need memory.
bool EndsForLackOfMemory() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type && (*type == typeid(std::bad_alloc) || *type == typeid(std::bad_array_new_length));
}

[[noreturn]] void Terminate() {
    if (EndsForLackOfMemory()) {
        // Several threads may run out at once: one says so and ends the process, the others wait for that.
        if (!g_ending.test_and_set()) {
            for (std::size_t written = 0; written < g_messageLength;) {
                const ssize_t done = write(STDERR_FILENO, g_message + written, g_messageLength - written);
                if (done <= 0)
                    break;
                written += static_cast<std::size_t>(done);
            }
            _exit(1);
        }
        for (;;)
            pause();
    }
    if (g_previousHandler)
        g_previousHandler();
    std::abort();
}

} // namespace

void ExitOnOutOfMemory(const QString& message) {
    const QByteArray bytes = (message + QLatin1Char('\n')).toUtf8();
    g_messageLength = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), sizeof(g_message));
    std::memcpy(g_message, bytes.constData(), g_messageLength);
    const std::terminate_handler previous = std::set_terminate(Terminate);
    if (previous != Terminate)
        g_previousHandler = previous;
}

} // namespace platform
