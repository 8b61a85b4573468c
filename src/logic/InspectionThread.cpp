#include "logic/InspectionThread.h"

#include "logic/InspectionRun.h"

#include <system_error>

CInspectionThread::~CInspectionThread() {
    Join();
}

void CInspectionThread::Start(int command, CInspectionView& pane, const InspectionEnvironment& environment,
                              CInspectionProgress& run, std::function<void()> finished) {
    Join();
    m_running.store(true);
    const auto work = [this, command, &pane, &environment, &run, finished = std::move(finished)] {
        StartWholeInspection(command, pane, environment, run);
        m_running.store(false);
        if (finished)
            finished();
    };
    try {
        m_thread = std::thread(work);
    } catch (const std::system_error&) {
        // No thread could be started (memory or the thread limit ran out): the run takes this one.
        work();
    }
}

void CInspectionThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}
