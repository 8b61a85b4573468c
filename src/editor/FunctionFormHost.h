#pragma once

#include "model/OutlineNumber.h"

#include <QString>

class CUnitFunction;

// What the forms and panes of a unit-function tab need of the document's owner: they change the record only
// through the model's rules and then report here, so that the document is marked modified and its views
// follow.
class CFunctionFormHost {
public:
    // The unit function's name changed (Fn lines of other unit functions included).
    virtual void FunctionRenamed(CUnitFunction& function) = 0;
    // Its header fields (man-hours, reason, attribute, code symbol, content) changed.
    virtual void FunctionHeaderChanged(CUnitFunction& function) = 0;
    // Registry and table of contents again, after a change that moves totals or outline numbers.
    virtual void RebuildDocument() = 0;
    // Moves the unit function's table-of-contents item to the typed outline number; the move reports its own
    // refusals.
    virtual void MoveFunctionTo(CUnitFunction& function, const QString& outlineNumber) = 0;
    // A press on a link of the content text; it opens as the shell's link rules allow, or says why not.
    virtual void OpenLink(const QString& link) = 0;
    // The place in the table of contents the tab was opened from; null when it was not opened from there.
    virtual const OutlineNumber* ChosenOutlineNumber() const = 0;

protected:
    ~CFunctionFormHost() = default;
};
