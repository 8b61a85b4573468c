#pragma once

#include "platform/FileReplacement.h"

#include <functional>
#include <utility>

// Does `act` once while the next temporary file of a replacement is written, as another program can then; with
// `renameError`, the file system cannot rename with flags (EINVAL) while it lives.
class TemporaryWriteMoment : public platform::TemporaryWriteHook {
public:
    explicit TemporaryWriteMoment(std::function<void()> act, int renameError = 0)
        : m_act(std::move(act)), m_renameError(renameError) {}
    int Writing(qint64, qint64) override {
        if (const std::function<void()> act = std::exchange(m_act, nullptr))
            act();
        return 0;
    }
    int Renaming() override { return m_renameError; }

private:
    std::function<void()> m_act;
    int m_renameError;
    platform::TemporaryWriteHookInstaller m_installer{*this};
};
