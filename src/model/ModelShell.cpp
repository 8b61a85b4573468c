#include "model/ModelShell.h"

#include "model/FontInfo.h"

namespace {

CModelShell g_idleShell;
CModelShell* g_shell = &g_idleShell;

} // namespace

const CFontInfo& CModelShell::InstalledFonts() {
    static const CFontInfo none;
    return none;
}

CModelShell& ModelShell() {
    return *g_shell;
}

CModelShellInstaller::CModelShellInstaller(CModelShell& shell) : HookInstaller(g_shell, shell) {}
