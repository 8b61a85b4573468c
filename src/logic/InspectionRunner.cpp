#include "logic/InspectionRunner.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"

#include <QMutex>

#include <atomic>

// Keeps the latest progress of the worker; the first report after a delivery queues one notice.
class CInspectionRunner::Sink : public CInspectionProgressSink {
public:
    struct Latest {
        quint64 phase = 0; // counts the phases begun, so that a repeated text is still a new phase
        double fraction = 0.0;
        QString text;
        unsigned current = 0;
        unsigned total = 0;
    };

    explicit Sink(CInspectionRunner& runner) : m_runner(runner) {}

    void SetMajorProgress(double fraction, const QString& text) override {
        {
            QMutexLocker lock(&m_mutex);
            ++m_latest.phase;
            m_latest.fraction = fraction;
            m_latest.text = text;
            m_latest.current = 0;
            m_latest.total = 0;
        }
        Notify();
    }
    void SetMinorProgress(unsigned current, unsigned total) override {
        {
            QMutexLocker lock(&m_mutex);
            m_latest.current = current;
            m_latest.total = total;
        }
        Notify();
    }

    // Called on the runner's thread: the notice has been taken, later reports queue a new one.
    Latest Take() {
        m_noticeQueued.store(false);
        QMutexLocker lock(&m_mutex);
        return m_latest;
    }
    void Reset() {
        m_noticeQueued.store(false);
        QMutexLocker lock(&m_mutex);
        m_latest = Latest();
    }

private:
    void Notify() {
        if (!m_noticeQueued.exchange(true))
            QMetaObject::invokeMethod(&m_runner, &CInspectionRunner::DeliverProgress, Qt::QueuedConnection);
    }

    CInspectionRunner& m_runner;
    QMutex m_mutex;
    Latest m_latest;
    std::atomic<bool> m_noticeQueued{false};
};

CInspectionRunner::CInspectionRunner(QObject* parent) : QObject(parent), m_sink(std::make_unique<Sink>(*this)) {
    m_deliveryTimer.setSingleShot(true);
    connect(&m_deliveryTimer, &QTimer::timeout, this, &CInspectionRunner::DeliverProgress);
}

CInspectionRunner::~CInspectionRunner() {
    RequestAbort();
    m_thread.Join();
}

void CInspectionRunner::RequestAbort() {
    if (m_run)
        m_run->RequestAbort();
}

bool CInspectionRunner::Start(int command, CInspectionView& pane, const InspectionEnvironment& environment) {
    if (m_running || (environment.registry && RefuseFnCycle(*environment.registry)))
        return false;
    pane.ClearMessages();
    return StartJob(CInspectionProgress::PhaseCount, [command, &pane, &environment](CInspectionProgress& run) {
        StartWholeInspection(command, pane, environment, run);
    });
}

bool CInspectionRunner::StartJob(unsigned phases, std::function<void(CInspectionProgress&)> job) {
    if (m_running)
        return false;
    m_running = true;
    m_sink->Reset();
    m_sinceDelivery.invalidate();
    m_deliveredPhase = 0;
    m_deliveredCurrent = 0;
    m_deliveredTotal = 0;
    m_run = std::make_unique<CInspectionProgress>(m_sink.get(), phases);
    m_thread.Start(
        [job = std::move(job), &run = *m_run] { job(run); },
        [this] { QMetaObject::invokeMethod(this, &CInspectionRunner::OnWorkerEnded, Qt::QueuedConnection); });
    return true;
}

void CInspectionRunner::DeliverProgress() {
    // A notice left in the queue by a run that has ended is stale.
    if (!m_running)
        return;
    if (m_sinceDelivery.isValid()) {
        const qint64 wait = DeliveryInterval - m_sinceDelivery.elapsed();
        if (wait > 0) {
            // The notice stays taken until the timer delivers, so the worker queues no other meanwhile.
            if (!m_deliveryTimer.isActive())
                m_deliveryTimer.start(static_cast<int>(wait));
            return;
        }
    }
    EmitLatest();
}

void CInspectionRunner::EmitLatest() {
    m_sinceDelivery.start();
    const Sink::Latest latest = m_sink->Take();
    const bool newPhase = latest.phase != m_deliveredPhase;
    if (newPhase) {
        m_deliveredPhase = latest.phase;
        emit MajorProgress(latest.fraction, latest.text);
    }
    if (newPhase || latest.current != m_deliveredCurrent || latest.total != m_deliveredTotal) {
        m_deliveredCurrent = latest.current;
        m_deliveredTotal = latest.total;
        emit MinorProgress(latest.current, latest.total);
    }
}

void CInspectionRunner::OnWorkerEnded() {
    m_thread.Join();
    m_run.reset();
    // Where the run ended is heard before its end, however recently progress was delivered.
    m_deliveryTimer.stop();
    EmitLatest();
    m_running = false;
    emit Finished();
}
