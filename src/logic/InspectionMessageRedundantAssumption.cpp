#include "logic/InspectionMessageRedundantAssumption.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessage.h"
#include "model/LogicLine.h"
#include "texts/StringTable.h"

InspectionFindingLayout RedundantAssumptionLayout(const InspectionEnvironment& environment) {
    return {{QString(), CInspectionMessage::Header(LoadString(StringId::RedundantDescription)),
             LoadString(StringId::OmissibleConditions).arg(environment.GetSymbol(SyntaxDo))},
            {0, 1, -1, -2, 2, -3, -4}};
}
