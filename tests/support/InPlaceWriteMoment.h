#pragma once

#include "platform/FileReplacement.h"

#include <functional>
#include <utility>

// Does `act` once at a moment of the next write in place: when it is about to open its file (what the file's name
// leads to can change there), or once it has written and synced the file.
class InPlaceWriteMoment : public platform::InPlaceWriteHook {
public:
    enum Moment { BeforeOpening, AfterWriting };
    InPlaceWriteMoment(Moment moment, std::function<void()> act) : m_moment(moment), m_act(std::move(act)) {}
    qint64 Writing(qint64, qint64 wanted) override {
        // The steps: the backup synced, the backup named, the file synced.
        if (wanted == 0 && ++m_steps == 3 && m_moment == AfterWriting)
            Act();
        return wanted;
    }
    void Opening() override {
        if (m_moment == BeforeOpening)
            Act();
    }

private:
    void Act() {
        if (const std::function<void()> act = std::exchange(m_act, nullptr))
            act();
    }

    Moment m_moment;
    std::function<void()> m_act;
    int m_steps = 0;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};
