#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <signal.h>

class QSocketNotifier;

namespace platform {

// While it lives, a request to end the process (SIGTERM, as `kill` and the end of a session send it, SIGHUP, as a
// closed terminal does, or SIGINT, as Ctrl+C in the terminal does) no longer ends it at once: the signal is noted and
// `request` runs on the event loop of the thread that made this object, where the program closes as it would when
// asked by another instance. A second request ends the process at once by its signal, whatever the program is doing
// meanwhile, unless the close the first asked for has been declined since. A request that comes within
// `kSameRequestMilliseconds` of the first is the same request delivered again, not a second one: a closed terminal
// hangs up its foreground processes and its shell passes the hang-up on to its jobs, and the end of a session sends
// SIGTERM and SIGHUP one after the other. A signal the process inherited as ignored stays ignored (see
// SetSignalAction): under nohup a closed terminal asks nothing. The actions these signals had before are put back when
// this goes. Without a pipe to note them in, the signals end the process as before.
class TerminationRequests {
public:
    // Shorter than a user takes to see the question, or to see that nothing happens, and to ask again.
    static constexpr int kSameRequestMilliseconds = 1000;

    explicit TerminationRequests(std::function<void()> request);
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    // How many requests to end have been noted since this was made: work that should stop when asked (a conversion,
    // an import) compares it with the count it started with, also before the event loop has run.
    static int Count();

    // The close a request asked for has been declined (the user answered Cancel) and the program goes on: the next
    // request asks again instead of ending the process at once.
    static void Declined();

private:
    void Drain();

    std::function<void()> m_request;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    // The signals caught, each with the action it had before; the ones left ignored are not among them.
    std::vector<std::pair<int, struct sigaction>> m_previous;
};

} // namespace platform
