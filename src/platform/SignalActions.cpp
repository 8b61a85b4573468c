#include "platform/SignalActions.h"

namespace platform {

namespace {

// The actions the process had when it started, read before main runs and before anything in it sets one.
struct InheritedActions {
    InheritedActions() {
        for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber)
            sigaction(signalNumber, nullptr, &actions[signalNumber]);
    }
    struct sigaction actions[NSIG] {};
};

const InheritedActions g_inherited;

bool Known(int signalNumber) {
    return signalNumber > 0 && signalNumber < NSIG;
}

} // namespace

bool SetSignalAction(int signalNumber, const struct sigaction& action, struct sigaction* previous) {
    if (Known(signalNumber) && g_inherited.actions[signalNumber].sa_handler == SIG_IGN)
        return false;
    return sigaction(signalNumber, &action, previous) == 0;
}

void RestoreInheritedAction(int signalNumber) {
    if (Known(signalNumber))
        sigaction(signalNumber, &g_inherited.actions[signalNumber], nullptr);
}

} // namespace platform
