#pragma once

#include "search/ResultPaneReport.h"
#include "search/SearchRequest.h"

#include <QString>

class CDocumentData;
class CUnitFunction;

// What the replace dialog asks for; the scope counts as the search's does, but its scope 1 also follows the Fn
// statements of the current unit function itself.
struct ReplaceRequest {
    static constexpr int MaxTextLength = 64;

    QString findText;
    QString replaceText;
    bool unitFunctionNames = false;
    bool functionContentField = false;
    bool logicDescriptionField = true;
    bool memberNames = true; // the four logic details count only with the logic target
    bool stateNames = true;
    bool particlesAndAuxiliaryVerbs = false;
    bool comments = true;
    int scope = SearchRequest::AllFunctions;
    bool continueOverLengthLimit = false;
};

struct ReplaceResult {
    CResultPaneReport report;
    int replacedCount = 0;
    // Set when two unit functions came to share this name and duplicate names were allowed for it.
    QString duplicateName;
};

// Every occurrence of the find text replaced, left to right, exactly and case-sensitively; with an empty find
// text an empty text becomes the replacement and any other stays.
QString ReplaceInText(const QString& text, const QString& findText, const QString& replaceText);

// Whether the request would put a bracket into a name, particle or auxiliary verb, which it must not.
bool ReplaceTextHasRefusedBrackets(const ReplaceRequest& request);

// The whole replacement over the scope (`current`: the active tab's unit function, null without one, when the
// origin stands in). A request with refused brackets changes nothing; check it first.
ReplaceResult ReplaceAll(CDocumentData& data, const ReplaceRequest& request, const CUnitFunction* current);
