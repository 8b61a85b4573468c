#pragma once

#include <QString>

class CUnitFunctionRegistry;

// Why a reader or writer of an exchanged format stopped. The caller turns it into the message the user sees;
// the formats themselves show nothing.
enum class InterchangeFailure {
    None,
    // The input is not one of the format's files: unreadable, too large, wrongly encoded, malformed or empty.
    Unreadable,
    // The document cannot take what the input holds (see needed and available).
    LimitExceeded,
    // The input nests deeper than a table of contents may (kMaxOutlineDepth).
    TooDeep,
    // An item could not be added to the document; what was read before it stays.
    Incomplete,
    // The user stopped the work through its progress; what was read before stays.
    Cancelled,
    // The work was broken off by an error (see detail); what was read before stays.
    Error,
    // Memory ran out: nothing is said of the input; what was read before stays.
    OutOfMemory,
};

// The outcome of one read or write of an exchanged format.
struct InterchangeResult {
    InterchangeFailure failure = InterchangeFailure::None;
    // The error's own text, for Error.
    QString detail;
    // For LimitExceeded: how many items the input needs and how many the document has room for.
    int needed = 0;
    int available = 0;
    // Items read or written so far; the document changed when this is not 0.
    int items = 0;
    // Whether a written file was written in UTF-8 instead of the code page, which could not hold it.
    bool writtenInUtf8 = false;

    bool Succeeded() const { return failure == InterchangeFailure::None; }
    // Records that the input needs `count` new unit functions and how many more internal IDs `registry` can
    // draw; LimitExceeded, and false, when they do not all fit.
    bool CheckRoom(int count, const CUnitFunctionRegistry& registry);
};

// How many more internal IDs `registry` can draw: the unit functions an input may still add.
int AvailableFunctions(const CUnitFunctionRegistry& registry);
