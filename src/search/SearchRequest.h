#pragma once

#include <QString>

// What the search dialog asks for. Flags are 0 off, 1 on.
struct SearchRequest {
    static constexpr int MaxFindTextLength = 64;
    enum Scope { AllFunctions = 0, CurrentAndDescendants = 1, CurrentFunction = 2 };

    int searchUnitFunction = 0;
    int searchFunctionContentField = 0;
    int searchLogicDescriptionField = 0;
    int outlineNumber = 0;
    int unitFunctionName = 0;
    int uniqueLabel = 0;
    int originalRequirementItem = 0;
    int codeSymbol = 0;
    QString findText; // at most MaxFindTextLength characters
    QString secondText;
    int memberName = 1;
    int stateName = 1;
    int logicUnitFunctionName = 1;
    int particlesAuxiliaryVerbsComments = 1;
    int scope = AllFunctions;
};
