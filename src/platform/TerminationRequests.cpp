#include "platform/TerminationRequests.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The write end of the pipe the handler notes a signal in; only a write, which is safe in a signal handler.
volatile sig_atomic_t g_notePipe = -1;
volatile sig_atomic_t g_requests = 0;
// Set while a request has been noted and the close it asked for has not been declined.
volatile sig_atomic_t g_unanswered = 0;

extern "C" void NoteTermination(int signalNumber) {
    // Asked again, the process ends by the signal even if the first request was never read (a window stuck in
    // its painting, a dialog that waits).
    if (g_unanswered) {
        signal(signalNumber, SIG_DFL);
        raise(signalNumber);
        return;
    }
    g_unanswered = 1;
    g_requests = g_requests + 1;
    const int saved = errno;
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
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = NoteTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &m_previousTerminate);
    sigaction(SIGHUP, &action, &m_previousHangUp);
    sigaction(SIGINT, &action, &m_previousInterrupt);
}

TerminationRequests::~TerminationRequests() {
    if (!m_notifier)
        return;
    sigaction(SIGTERM, &m_previousTerminate, nullptr);
    sigaction(SIGHUP, &m_previousHangUp, nullptr);
    sigaction(SIGINT, &m_previousInterrupt, nullptr);
    g_notePipe = -1;
    m_notifier.reset();
    close(m_pipe[0]);
    close(m_pipe[1]);
}

void TerminationRequests::Declined() {
    g_unanswered = 0;
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
