#pragma once

#include "logic/InspectionProgressExceptionAbort.h"
#include "logic/InspectionProgressSink.h"

#include <QString>

#include <atomic>

// The progress and the abort of one inspection run, or of another document-wide job run as the inspection is. Whoever
// starts a run makes one for it, with the sink that hears the run's progress (or none), and keeps it until the run
// has ended; the code of an inspection reaches it through the run's InspectionEnvironment. Cancel, from any thread,
// asks this run alone to stop; the run polls on its own thread, which is also the only one that reports progress.
class CInspectionProgress {
public:
    static constexpr unsigned PhaseCount = 9;

    // The phases of a run other than the inspection count `phases`.
    explicit CInspectionProgress(CInspectionProgressSink* sink = nullptr, unsigned phases = PhaseCount)
        : m_sink(sink), m_phases(phases) {}
    CInspectionProgress(const CInspectionProgress&) = delete;
    CInspectionProgress& operator=(const CInspectionProgress&) = delete;

    void MajorProgress(unsigned phase, const QString& text);
    void MinorProgress(unsigned current, unsigned total);

    // Cancel: the run stops at its next poll.
    void RequestAbort() { m_abortRequested.store(true); }
    bool IsAbortRequested() const { return m_abortRequested.load(); }

    // The abort poll: when an abort was asked for, clears the request and throws CInspectionProgressExceptionAbort.
    void PollAbort() {
        if (m_abortRequested.load())
            Abort();
    }

private:
    [[noreturn]] void Abort();

    CInspectionProgressSink* m_sink;
    unsigned m_phases;
    std::atomic<bool> m_abortRequested{false};
    quint64 m_shownMinorStep = 0;
};
