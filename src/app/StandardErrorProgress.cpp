#include "app/StandardErrorProgress.h"

#include "platform/TerminationRequests.h"
#include "texts/StringTable.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr qint64 kPrintIntervalMs = 1000;
// Without a window only other instances' requests arrive, and those wait for the end of the import anyway.
constexpr qint64 kPumpIntervalMs = 100;

} // namespace

CStandardErrorProgress::CStandardErrorProgress() : m_requestsAtStart(platform::TerminationRequests::Count()) {}

void CStandardErrorProgress::Print(int position) {
    std::fprintf(stderr, "%s\n", LoadString(StringId::ProgressCount).arg(position).arg(m_total).toUtf8().constData());
    std::fflush(stderr);
    m_sincePrinted.start();
}

void CStandardErrorProgress::SetRange(int total) {
    m_total = total;
    m_sincePumped.start();
    Print(0);
}

void CStandardErrorProgress::SetPos(int position) {
    m_position = position;
    if (m_sincePumped.elapsed() >= kPumpIntervalMs) {
        QCoreApplication::processEvents();
        m_sincePumped.start();
    }
    if (m_sincePrinted.elapsed() >= kPrintIntervalMs)
        Print(position);
}

bool CStandardErrorProgress::IsCancelled() const {
    return platform::TerminationRequests::Count() != m_requestsAtStart;
}

void CStandardErrorProgress::ShowFinished() {
    Print(m_position);
    std::fprintf(stderr, "%s\n", LoadString(StringId::MapConversionFinished).toUtf8().constData());
    std::fflush(stderr);
}
