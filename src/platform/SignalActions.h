#pragma once

#include <signal.h>

namespace platform {

// Every program of this build sets the actions of signals through here. A signal the process inherited as ignored
// stays ignored, whatever the program would set for it: whoever started the program chose so (nohup for SIGHUP, a
// script for SIGINT and SIGQUIT of a job it started in the background), for the program and for what it starts in
// turn.

// Sets `action` for the signal and returns true, the action it had in `previous` when given; returns false, the
// action left as it was, when the process inherited the signal ignored or the signal cannot take an action.
bool SetSignalAction(int signalNumber, const struct sigaction& action, struct sigaction* previous = nullptr);

// Gives the signal the action the process inherited for it. Safe in a signal handler and in a child between fork and
// exec.
void RestoreInheritedAction(int signalNumber);

} // namespace platform
