#pragma once

#include "platform/FileReplacement.h"

#include <functional>
#include <set>
#include <utility>

// Does `act` once at a moment of the next write in place (BeforeOpening: what the file's name leads to can change
// there; AfterWriting: the file is written and synced), and keeps which moments the write reached.
class InPlaceWriteMoment : public platform::InPlaceWriteHook {
public:
    using Moment = platform::InPlaceWriteHook::Moment;
    static constexpr Moment BeforeOpening = Moment::Opening;
    static constexpr Moment AfterWriting = Moment::FileWritten;

    InPlaceWriteMoment(Moment moment, std::function<void()> act) : m_moment(moment), m_act(std::move(act)) {}
    qint64 Writing(qint64, qint64 wanted) override { return wanted; }
    void Reached(Moment moment) override {
        m_reached.insert(moment);
        if (moment == m_moment)
            if (const std::function<void()> act = std::exchange(m_act, nullptr))
                act();
    }
    bool WasReached(Moment moment) const { return m_reached.count(moment) > 0; }

private:
    Moment m_moment;
    std::function<void()> m_act;
    std::set<Moment> m_reached;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};
