#include "logic/InspectionRunner.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"

class CInspectionRunner::Sink : public CInspectionProgressSink {
public:
    explicit Sink(CInspectionRunner& runner) : m_runner(runner) {}
    void SetMajorProgress(double fraction, const QString& text) override {
        emit m_runner.MajorProgress(fraction, text);
    }
    void SetMinorProgress(double fraction, const QString& text) override {
        emit m_runner.MinorProgress(fraction, text);
    }

private:
    CInspectionRunner& m_runner;
};

CInspectionRunner::CInspectionRunner(QObject* parent) : QObject(parent), m_sink(std::make_unique<Sink>(*this)) {}

CInspectionRunner::~CInspectionRunner() {
    if (m_running)
        RequestInspectionAbort();
    m_thread.Join();
}

bool CInspectionRunner::Start(int command, CInspectionView& pane, const InspectionEnvironment& environment) {
    if (m_running || (environment.registry && RefuseFnCycle(*environment.registry)))
        return false;
    pane.ClearMessages();
    m_running = true;
    m_installed = std::make_unique<CInspectionProgressSinkInstaller>(*m_sink);
    m_thread.Start(command, pane, environment, [this] {
        QMetaObject::invokeMethod(this, &CInspectionRunner::OnWorkerEnded, Qt::QueuedConnection);
    });
    return true;
}

void CInspectionRunner::OnWorkerEnded() {
    m_thread.Join();
    m_installed.reset();
    m_running = false;
    emit Finished();
}
