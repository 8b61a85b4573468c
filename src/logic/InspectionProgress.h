#pragma once

#include <QString>

#include <atomic>

// What shows the progress of a whole-document inspection (the progress dialog); the inspection never
// touches a widget itself. Fractions run from 0 to 1.
class CInspectionProgressSink {
public:
    virtual ~CInspectionProgressSink() = default;
    virtual void SetMajorProgress(double fraction, const QString& text) = 0;
    virtual void SetMinorProgress(double fraction, const QString& text) = 0;
};

// Progress reports of the inspection phases; they go to the installed sink, or nowhere.
class CInspectionProgress {
public:
    static constexpr unsigned PhaseCount = 9;

    static void MajorProgress(unsigned phase, const QString& text);
    static void MinorProgress(unsigned current, unsigned total);

    // Installs the sink (not owned) and returns the previous one; nullptr removes it.
    static CInspectionProgressSink* InstallSink(CInspectionProgressSink* sink);
};

// The two process-wide run flags. Cancel on the user-interface thread writes one while the worker reads
// and clears both, so they are atomic.
extern std::atomic<bool> inspectionRunning;
extern std::atomic<bool> abortRequested;

// Cancel: asks the running inspection to stop at its next poll; nothing when no inspection runs.
void RequestInspectionAbort();

// The abort poll: when an inspection runs and an abort was asked for, clears both flags and throws
// CInspectionProgressExceptionAbort.
void PollInspectionAbort();
