#include "logic/InspectionProgress.h"

#include "logic/InspectionProgressExceptionAbort.h"

#include "platform/Trace.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<bool> inspectionRunning{false};
std::atomic<bool> abortRequested{false};
std::atomic<CInspectionProgressSink*> installedSink{nullptr};

// A large document makes hundreds of thousands of minor steps; the sink hears of each thousandth of the way.
constexpr quint64 kMinorSteps = 1000;
std::atomic<quint64> shownMinorStep{0};

} // namespace

void CInspectionProgress::MajorProgress(unsigned phase, const QString& text) {
    CInspectionProgressSink* sink = installedSink.load();
    if (!sink)
        return;
    sink->SetMajorProgress(static_cast<double>(phase) / PhaseCount, text);
    sink->SetMinorProgress(0, 0);
    shownMinorStep.store(0);
}

void CInspectionProgress::MinorProgress(unsigned current, unsigned total) {
    if (total < current)
        qCDebug(nuvTrace).noquote() << QStringLiteral("CInspectionProgress::MinorProgress 進捗の計算が誤っています。");
    CInspectionProgressSink* sink = installedSink.load();
    if (!sink || total == 0)
        return;
    const quint64 step = static_cast<quint64>(std::min(current, total)) * kMinorSteps / total;
    if (shownMinorStep.exchange(step) == step)
        return;
    sink->SetMinorProgress(current, total);
}

CInspectionProgressSinkInstaller::CInspectionProgressSinkInstaller(CInspectionProgressSink& sink)
    : HookInstaller(installedSink, sink) {}

bool IsInspectionRunning() {
    return inspectionRunning.load();
}

bool IsInspectionAbortRequested() {
    return abortRequested.load();
}

CInspectionRunScope::CInspectionRunScope() {
    abortRequested.store(false);
    m_wasRunning = inspectionRunning.exchange(true);
}

CInspectionRunScope::~CInspectionRunScope() {
    inspectionRunning.store(m_wasRunning);
    abortRequested.store(false);
}

void RequestInspectionAbort() {
    if (inspectionRunning.load())
        abortRequested.store(true);
}

void PollInspectionAbort() {
    if (inspectionRunning.load() && abortRequested.load()) {
        inspectionRunning.store(false);
        abortRequested.store(false);
        throw CInspectionProgressExceptionAbort();
    }
}
