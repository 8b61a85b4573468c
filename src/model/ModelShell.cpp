#include "model/ModelShell.h"

namespace {

CModelShell g_idleShell;
CModelShell* g_shell = &g_idleShell;

} // namespace

CModelShell& ModelShell() {
    return *g_shell;
}

CModelShellInstaller::CModelShellInstaller(CModelShell& shell) : HookInstaller(g_shell, shell) {}
