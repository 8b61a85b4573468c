#pragma once

#include "logic/Jumper.h"

// Opens the tab of a unit function and selects a stretch of its content text.
class CJumperToExplanation : public CJumper {
public:
    CJumperToExplanation(qint32 id, qint32 from, qint32 count) : internalId(id), start(from), length(count) {}
    void Jump(CJumpHandler& handler) const override {
        if (handler.OpenFunction(internalId))
            handler.SelectExplanation(start, length);
    }

    qint32 internalId;
    qint32 start;
    qint32 length;
};
