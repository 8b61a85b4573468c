#pragma once

#include "logic/Jumper.h"

// Opens the tab of a unit function and selects one of its logic lines.
class CJumperToLineInLogic : public CJumper {
public:
    CJumperToLineInLogic(qint32 id, qint32 line) : internalId(id), lineIndex(line) {}
    void Jump(CJumpHandler& handler) const override {
        if (handler.OpenFunction(internalId))
            handler.GoToLogicLine(lineIndex + 1);
    }

    qint32 internalId;
    qint32 lineIndex; // 0-based
};
