#include "logic/InspectionProgress.h"

#include "logic/InspectionProgressExceptionAbort.h"

#include "platform/Trace.h"

std::atomic<bool> inspectionRunning{false};
std::atomic<bool> abortRequested{false};

namespace {

std::atomic<CInspectionProgressSink*> installedSink{nullptr};

} // namespace

void CInspectionProgress::MajorProgress(unsigned phase, const QString& text) {
    CInspectionProgressSink* sink = installedSink.load();
    if (!sink)
        return;
    sink->SetMajorProgress(static_cast<double>(phase) / PhaseCount, text);
    sink->SetMinorProgress(0.0, QString());
}

void CInspectionProgress::MinorProgress(unsigned current, unsigned total) {
    if (total < current)
        qCDebug(nuvTrace).noquote() << QStringLiteral("CInspectionProgress::MinorProgress 進捗の計算が誤っています。");
    CInspectionProgressSink* sink = installedSink.load();
    if (!sink || total == 0)
        return;
    sink->SetMinorProgress(static_cast<double>(current) / total, QStringLiteral("%1 / %2").arg(current).arg(total));
}

CInspectionProgressSink* CInspectionProgress::InstallSink(CInspectionProgressSink* sink) {
    return installedSink.exchange(sink);
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
