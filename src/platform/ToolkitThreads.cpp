#include "platform/ToolkitThreads.h"

#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <memory>

namespace platform {

namespace {

// A thread that was started runs at once; only one that could not be started keeps its task waiting this long.
constexpr int kStartWaitMs = 10000;
constexpr int kThreads = 2;

} // namespace

bool StartToolkitThreads() {
    QThreadPool& pool = *QThreadPool::globalInstance();
    pool.setExpiryTimeout(-1);
    // Painting hands the pool small parts only: two threads serve it, and the room the others' stacks would
    // reserve stays for the document.
    pool.setMaxThreadCount(std::min(pool.maxThreadCount(), kThreads));
    const int count = pool.maxThreadCount();
    // Each task holds its thread until every task has started, so that each takes a thread of its own.
    struct Gate {
        QSemaphore started;
        QSemaphore release;
    };
    const auto gate = std::make_shared<Gate>();
    for (int i = 0; i < count; ++i)
        pool.start([gate] {
            gate->started.release();
            gate->release.acquire();
        });
    const bool started = gate->started.tryAcquire(count, kStartWaitMs);
    gate->release.release(count);
    return started;
}

} // namespace platform
