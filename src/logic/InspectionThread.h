#pragma once

#include <functional>
#include <thread>

class CInspectionView;
struct InspectionEnvironment;

// The worker of a whole-document inspection. The run writes to the pane and reports progress through the
// installed sink only; finished is called on the worker thread when the run is over, however it ended, so
// that the progress dialog is always closed.
class CInspectionThread {
public:
    CInspectionThread() = default;
    CInspectionThread(const CInspectionThread&) = delete;
    CInspectionThread& operator=(const CInspectionThread&) = delete;
    ~CInspectionThread();

    void Start(int command, CInspectionView& pane, const InspectionEnvironment& environment,
               std::function<void()> finished);
    void Join();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    std::thread m_thread;
};
