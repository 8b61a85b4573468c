#pragma once

#include <atomic>
#include <functional>
#include <thread>

class CInspectionProgress;
class CInspectionView;
struct InspectionEnvironment;

// The worker of a whole-document inspection. The run writes to the pane and reports progress through its
// run object only; finished is called on the worker thread when the run is over, however it ended, so
// that the progress dialog is always closed. When no thread can be started the run takes the caller's.
class CInspectionThread {
public:
    CInspectionThread() = default;
    CInspectionThread(const CInspectionThread&) = delete;
    CInspectionThread& operator=(const CInspectionThread&) = delete;
    ~CInspectionThread();

    // The pane, the environment and the run must stay until the worker has ended.
    void Start(int command, CInspectionView& pane, const InspectionEnvironment& environment, CInspectionProgress& run,
               std::function<void()> finished);
    void Join();
    // From Start until the run is over, before finished is called.
    bool IsRunning() const { return m_running.load(); }

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};
