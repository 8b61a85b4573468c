#pragma once

#include "logic/Jumper.h"

// Opens the tab of a unit function.
class CJumperToFunction : public CJumper {
public:
    explicit CJumperToFunction(qint32 id) : internalId(id) {}
    void Jump(CJumpHandler& handler) const override { handler.OpenFunction(internalId); }

    qint32 internalId;
};
