#pragma once

#include <type_traits>
#include <utility>

namespace platform {

// The one way a process-wide hook is installed: the hook (not owned) serves while the installer lives, and
// the one before it comes back when it ends. The slot is a plain or an atomic pointer. Each hook derives its
// own installer, whose constructor alone can reach the slot.
template <typename Hook, typename Slot = Hook*> class HookInstaller {
public:
    HookInstaller(const HookInstaller&) = delete;
    HookInstaller& operator=(const HookInstaller&) = delete;

protected:
    HookInstaller(Slot& slot, Hook& hook) : m_slot(slot), m_previous(Swap(slot, &hook)) {}
    ~HookInstaller() { Swap(m_slot, m_previous); }

private:
    static Hook* Swap(Slot& slot, Hook* hook) {
        if constexpr (std::is_pointer_v<Slot>)
            return std::exchange(slot, hook);
        else
            return slot.exchange(hook);
    }

    Slot& m_slot;
    Hook* m_previous;
};

} // namespace platform
