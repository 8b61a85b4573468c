#include "logic/InspectionParserDo.h"

#include "logic/InspectionEnvironment.h"

void CInspectionParserDo::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (memberName.isEmpty() || stateName.isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, text, MissingNameMessage());
}
