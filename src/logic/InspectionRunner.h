#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "logic/InspectionThread.h"

class CInspectionProgress;
class CInspectionView;
struct InspectionEnvironment;

// Runs one whole-document inspection, or another document-wide job, at a time on a worker thread. Progress and the
// end reach the runner's own thread as signals. The worker only notes the latest progress; one notice at a time is
// queued for this thread, which takes the latest values at most once per DeliveryInterval, so a busy worker never
// floods the event queue and what is shown is where the worker is now.
class CInspectionRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int DeliveryInterval = 50; // milliseconds

    explicit CInspectionRunner(QObject* parent = nullptr);
    // A run still going is asked to stop and waited for.
    ~CInspectionRunner() override;

    // Starts the items of the command on the document: false, with nothing started or cleared, while a run
    // is going or when the Fn statements form a cycle (the user is told). Else the pane is cleared and the
    // worker starts; the pane and the environment must stay until Finished.
    bool Start(int command, CInspectionView& pane, const InspectionEnvironment& environment);
    // Another job on the worker, as the inspection runs: it reports its progress to the run it is given, whose
    // phases count `phases`, and polls it for Cancel; it catches whatever it throws. False, with nothing started,
    // while a run is going. What the job uses must stay until Finished.
    bool StartJob(unsigned phases, std::function<void(CInspectionProgress&)> job);
    bool IsRunning() const { return m_running; }
    // The worker is still at the run; false once it is over, even before this thread has heard of the end.
    bool IsWorkerRunning() const { return m_thread.IsRunning(); }
    // Cancel: asks the run going to stop at its next poll; nothing when no run goes.
    void RequestAbort();

signals:
    // The phase changed since the last delivery.
    void MajorProgress(double fraction, const QString& text);
    // The step changed since the last delivery, or a new phase began (then from 0 of 0).
    void MinorProgress(unsigned current, unsigned total);
    void Finished();

private:
    class Sink;

    // The latest progress, unless some was delivered less than DeliveryInterval ago: then a timer delivers it.
    void DeliverProgress();
    void EmitLatest();
    void OnWorkerEnded();

    std::unique_ptr<Sink> m_sink;
    std::unique_ptr<CInspectionProgress> m_run; // the run going, until this thread has heard of its end
    CInspectionThread m_thread;
    QTimer m_deliveryTimer;
    QElapsedTimer m_sinceDelivery;
    quint64 m_deliveredPhase = 0;
    unsigned m_deliveredCurrent = 0;
    unsigned m_deliveredTotal = 0;
    bool m_running = false;
};
