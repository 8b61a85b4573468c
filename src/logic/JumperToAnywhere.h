#pragma once

#include "logic/Jumper.h"

// A line without a target: headers, totals, blank lines and plain messages.
class CJumperToAnywhere : public CJumper {
public:
    void Jump(CJumpHandler&) const override {}
};
