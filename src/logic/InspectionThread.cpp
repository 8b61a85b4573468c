#include "logic/InspectionThread.h"

#include <system_error>

CInspectionThread::~CInspectionThread() {
    Join();
}

void CInspectionThread::Start(std::function<void()> job, std::function<void()> finished) {
    Join();
    m_running.store(true);
    const auto work = [this, job = std::move(job), finished = std::move(finished)] {
        job();
        m_running.store(false);
        if (finished)
            finished();
    };
    try {
        m_thread = std::thread(work);
    } catch (const std::system_error&) {
        // No thread could be started (memory or the thread limit ran out): the job takes this one.
        work();
    }
}

void CInspectionThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}
