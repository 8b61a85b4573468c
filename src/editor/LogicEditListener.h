#pragma once

// Hears of the changes of a logic-edit model, whichever widget drives it (the condition and output panes).
class CLogicEditListener {
public:
    // An edit or an undo has ended (after the parse guard) or the records were changed from outside: lines may
    // have come, gone or changed their text.
    virtual void LogicLinesChanged() = 0;

protected:
    ~CLogicEditListener() = default;
};
