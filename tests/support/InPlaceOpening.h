#pragma once

#include "platform/FileReplacement.h"

#include <functional>
#include <utility>

// Does `act` once, when a write in place is about to open its file: what the file's name leads to can change there.
class AtInPlaceOpening : public platform::InPlaceWriteHook {
public:
    explicit AtInPlaceOpening(std::function<void()> act) : m_act(std::move(act)) {}
    qint64 Writing(qint64, qint64 wanted) override { return wanted; }
    void Opening() override {
        if (const std::function<void()> act = std::exchange(m_act, nullptr))
            act();
    }

private:
    std::function<void()> m_act;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};
