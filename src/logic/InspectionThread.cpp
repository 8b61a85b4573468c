#include "logic/InspectionThread.h"

#include "logic/InspectionRun.h"

CInspectionThread::~CInspectionThread() {
    Join();
}

void CInspectionThread::Start(int command, CInspectionView& pane, const InspectionEnvironment& environment,
                              CInspectionProgress& run, std::function<void()> finished) {
    Join();
    m_running.store(true);
    m_thread = std::thread([this, command, &pane, &environment, &run, finished = std::move(finished)] {
        StartWholeInspection(command, pane, environment, run);
        m_running.store(false);
        if (finished)
            finished();
    });
}

void CInspectionThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}
