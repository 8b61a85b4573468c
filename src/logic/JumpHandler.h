#pragma once

#include "logic/SearchHit.h"

#include <QString>

// What a double-click on a result line asks of the editor; the main window implements it, tests fake it.
class CJumpHandler {
public:
    virtual ~CJumpHandler() = default;
    // Opens the tab of the unit function; false when no unit function has the ID.
    virtual bool OpenFunction(qint32 internalId) = 0;
    // In the active tab: goes to the 1-based logic line and selects it with its line break.
    virtual void GoToLogicLine(qint32 lineNumber) = 0;
    // In the active tab: focuses the header field with the code.
    virtual void FocusHeaderField(qint32 fieldCode) = 0;
    // In the active tab: selects characters of the content text.
    virtual void SelectExplanation(qint32 start, qint32 length) = 0;
    // In the active tab: shows a search hit. A logic hit selects its line; a content hit focuses the content
    // text; a header hit focuses the field (outline number, name or requirement items, else the outline number).
    virtual void SelectSearchHit(const ResultLine& location, qint32 lineIndex) {
        switch (location.kind) {
        case ResultLine::LogicDescriptionLine:
            GoToLogicLine(lineIndex + 1);
            break;
        case ResultLine::FunctionContentLine:
            FocusHeaderField(5);
            break;
        case ResultLine::UnitFunctionName:
            FocusHeaderField(2);
            break;
        case ResultLine::OriginalRequirementItems:
            FocusHeaderField(3);
            break;
        default:
            FocusHeaderField(1);
            break;
        }
    }
    // Offers a new same-member consistency rule for the member and its two states.
    virtual void OfferIntraMemberConsistencyRule(const QString& memberName, const QString& stateName1,
                                                 const QString& stateName2) = 0;
};
