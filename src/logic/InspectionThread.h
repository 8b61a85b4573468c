#pragma once

#include <atomic>
#include <functional>
#include <thread>

// The worker of a document-wide run (the whole-document inspection, or another job with progress and Cancel). The
// job reports progress through its run object only; finished is called on the worker thread when the job is over,
// however it ended, so that the progress dialog is always closed. When no thread can be started the job takes the
// caller's.
class CInspectionThread {
public:
    CInspectionThread() = default;
    CInspectionThread(const CInspectionThread&) = delete;
    CInspectionThread& operator=(const CInspectionThread&) = delete;
    ~CInspectionThread();

    // The job catches whatever it throws. What it uses must stay until the worker has ended.
    void Start(std::function<void()> job, std::function<void()> finished);
    void Join();
    // From Start until the job is over, before finished is called.
    bool IsRunning() const { return m_running.load(); }

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};
