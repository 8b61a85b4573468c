#pragma once

// Raised by the generators that follow Fn statements when they refuse to run.
struct CTableMakerError {
    enum Code { FnCycle = 1 };
    int code = FnCycle;
};
