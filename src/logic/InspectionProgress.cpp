#include "logic/InspectionProgress.h"

#include "platform/Trace.h"

#include <algorithm>

namespace {

// A large document makes hundreds of thousands of minor steps; the sink hears of each thousandth of the way.
constexpr quint64 kMinorSteps = 1000;

} // namespace

void CInspectionProgress::MajorProgress(unsigned phase, const QString& text) {
    if (!m_sink)
        return;
    m_sink->SetMajorProgress(static_cast<double>(phase) / m_phases, text);
    m_sink->SetMinorProgress(0, 0);
    m_shownMinorStep = 0;
}

void CInspectionProgress::MinorProgress(unsigned current, unsigned total) {
    if (total < current)
        qCDebug(nuvTrace).noquote() << QStringLiteral("CInspectionProgress::MinorProgress 進捗の計算が誤っています。");
    if (!m_sink || total == 0)
        return;
    const quint64 step = static_cast<quint64>(std::min(current, total)) * kMinorSteps / total;
    if (std::exchange(m_shownMinorStep, step) == step)
        return;
    m_sink->SetMinorProgress(current, total);
}

void CInspectionProgress::Abort() {
    m_abortRequested.store(false);
    throw CInspectionProgressExceptionAbort();
}
