#pragma once

#include "logic/InspectionProgressSink.h"
#include "platform/HookInstaller.h"

#include <QString>

#include <atomic>

// Progress reports of the inspection phases; they go to the installed sink, or nowhere.
class CInspectionProgress {
public:
    static constexpr unsigned PhaseCount = 9;

    static void MajorProgress(unsigned phase, const QString& text);
    static void MinorProgress(unsigned current, unsigned total);
};

// The one way to install a progress sink: the sink (not owned) hears the reports while the installer lives,
// and the one before it comes back when it ends.
class CInspectionProgressSinkInstaller
    : public platform::HookInstaller<CInspectionProgressSink, std::atomic<CInspectionProgressSink*>> {
public:
    explicit CInspectionProgressSinkInstaller(CInspectionProgressSink& sink);
};

// The two process-wide run flags. Cancel on the user-interface thread sets one while the worker reads and
// clears both, so they are atomic.
bool IsInspectionRunning();
bool IsInspectionAbortRequested();

// The one way to mark a run: while the scope lives an inspection runs, starting without an abort request;
// when it ends the flags are as before and no abort is pending.
class CInspectionRunScope {
public:
    CInspectionRunScope();
    ~CInspectionRunScope();
    CInspectionRunScope(const CInspectionRunScope&) = delete;
    CInspectionRunScope& operator=(const CInspectionRunScope&) = delete;

private:
    bool m_wasRunning;
};

// Cancel: asks the running inspection to stop at its next poll; nothing when no inspection runs.
void RequestInspectionAbort();

// The abort poll: when an inspection runs and an abort was asked for, clears both flags and throws
// CInspectionProgressExceptionAbort.
void PollInspectionAbort();
