#include "platform/TerminationRequests.h"

#include "platform/SignalActions.h"

#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The signals that ask the process to end.
constexpr int kRequestSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe the handler notes a signal in; only a write, which is safe in a signal handler.
volatile sig_atomic_t g_notePipe = -1;
volatile sig_atomic_t g_requests = 0;
// When the request was noted whose close has not been declined since, in milliseconds of the monotonic clock; 0 while
// there is none. One word, so that handlers running on two threads at once agree on which request came first.
std::atomic<long long> g_unansweredSince{0};
static_assert(std::atomic<long long>::is_always_lock_free, "the signal handler may take no lock");

long long MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Never 0, which means no request.
    return std::max(1LL, static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000);
}

extern "C" void NoteTermination(int signalNumber) {
    const int saved = errno;
    const long long now = MonotonicMilliseconds();
    long long first = 0;
    if (!g_unansweredSince.compare_exchange_strong(first, now)) {
        // The first request delivered again is no second one.
        if (now - first < TerminationRequests::kSameRequestMilliseconds) {
            errno = saved;
            return;
        }
        // Asked again, the process ends by the signal even if the first request was never read (a window stuck in
        // its painting, a dialog that waits).
        signal(signalNumber, SIG_DFL);
        raise(signalNumber);
        return;
    }
    g_requests = g_requests + 1;
    const char byte = 1;
    // A full pipe already holds a note that has not been read.
    [[maybe_unused]] const ssize_t written = write(g_notePipe, &byte, 1);
    errno = saved;
}

} // namespace

TerminationRequests::TerminationRequests(std::function<void()> request) : m_request(std::move(request)) {
    if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return;
    }
    g_notePipe = m_pipe[1];
    // A request noted while an earlier one lived was that one's to answer.
    g_unansweredSince = 0;
    g_requests = 0;
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = NoteTermination;
    // One handler at a time on a thread: a request noted is whole before the next is looked at.
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kRequestSignals)
        sigaddset(&action.sa_mask, signalNumber);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kRequestSignals) {
        struct sigaction previous {};
        if (SetSignalAction(signalNumber, action, &previous))
            m_previous.emplace_back(signalNumber, previous);
    }
}

TerminationRequests::~TerminationRequests() {
    if (!m_notifier)
        return;
    for (const auto& [signalNumber, previous] : m_previous)
        sigaction(signalNumber, &previous, nullptr);
    g_notePipe = -1;
    m_notifier.reset();
    close(m_pipe[0]);
    close(m_pipe[1]);
}

void TerminationRequests::Declined() {
    g_unansweredSince = 0;
}

int TerminationRequests::Count() {
    return g_requests;
}

void TerminationRequests::Drain() {
    char bytes[64];
    bool noted = false;
    while (read(m_pipe[0], bytes, sizeof(bytes)) > 0)
        noted = true;
    if (noted && m_request)
        m_request();
}

} // namespace platform
