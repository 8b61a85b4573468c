#pragma once

#include "logic/JumpHandler.h"

// The target of one jump line of the result pane, kept as data; the pane owns it.
class CJumper {
public:
    virtual ~CJumper() = default;
    virtual void Jump(CJumpHandler& handler) const = 0;
};

// A line without a target: headers, totals, blank lines and plain messages.
class CJumperToAnywhere : public CJumper {
public:
    void Jump(CJumpHandler&) const override {}
};
