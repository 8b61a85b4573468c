#include "model/ModelShell.h"

namespace {

CModelShell g_idleShell;
CModelShell* g_shell = &g_idleShell;

} // namespace

CModelShell& ModelShell() {
    return *g_shell;
}

CModelShell* InstallModelShell(CModelShell* shell) {
    CModelShell* previous = g_shell == &g_idleShell ? nullptr : g_shell;
    g_shell = shell ? shell : &g_idleShell;
    return previous;
}
