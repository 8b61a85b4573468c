#include "logic/InspectionThread.h"

#include "logic/InspectionRun.h"

CInspectionThread::~CInspectionThread() {
    Join();
}

void CInspectionThread::Start(int command, CInspectionView& pane, const InspectionEnvironment& environment,
                              std::function<void()> finished) {
    Join();
    m_thread = std::thread([command, &pane, &environment, finished = std::move(finished)] {
        StartWholeInspection(command, pane, environment);
        if (finished)
            finished();
    });
}

void CInspectionThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}
