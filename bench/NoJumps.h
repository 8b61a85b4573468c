#pragma once

#include "logic/JumpHandler.h"

// A jump handler for benchmarks that show a result pane: no jump goes anywhere.
class NoJumps : public CJumpHandler {
public:
    bool OpenFunction(qint32) override { return false; }
    void GoToLogicLine(qint32) override {}
    void FocusHeaderField(qint32) override {}
    void SelectExplanation(qint32, qint32) override {}
    void OfferIntraMemberConsistencyRule(const QString&, const QString&, const QString&) override {}
};
