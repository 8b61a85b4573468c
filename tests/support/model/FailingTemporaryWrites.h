#pragma once

#include "platform/FileReplacement.h"

#include <cerrno>

// While it lives, every file replacement's temporary file fails to be written with an input/output error, as a
// failing disk would: no replacement of a file gets through.
class FailingTemporaryWrites : public platform::TemporaryWriteHook {
public:
    int Writing(qint64, qint64) override { return EIO; }

private:
    platform::TemporaryWriteHookInstaller m_installer{*this};
};
