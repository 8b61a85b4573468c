#include "logic/MemberNameRegistration.h"

#include "logic/InspectionView.h"
#include "model/DocumentDataHelpers.h"
#include "texts/StringTable.h"

bool RegisterMemberName(CDocumentData& data, const QString& memberName, CInspectionView* resultPane) {
    if (memberName.isEmpty() || !resultPane)
        return false;
    bool modified = false;
    CMemberDefinition* member = FindRegisteredMember(data.memberDefinitions, memberName);
    resultPane->ClearMessages();
    if (member) {
        resultPane->AddMessageWithoutTarget(LoadString(StringId::MemberNameAlreadyRegistered).arg(memberName));
    } else {
        resultPane->AddMessageWithoutTarget(LoadString(StringId::MemberNameRegistered).arg(memberName));
        member = &data.memberDefinitions.emplace_back();
        member->name = memberName;
        modified = true;
    }
    const bool distinguish = data.environment.distinguishPrimaryOutlineNumber != 0;
    int registered = 0;
    for (const auto& [id, function] : data.registry.Functions()) {
        for (size_t i = 0; i < function.logicLines.size(); ++i) {
            const CLogicLine* line = function.logicLines[i].get();
            if (!line || !IsConditionOrAction(line->lineKind) || line->textSlots[0].text != memberName)
                continue;
            // A line whose state is not written yet has no state to register.
            const QString& state = line->textSlots[2].text;
            if (state.isEmpty() || member->FindState(state))
                continue;
            member->states.push_back({state, QString()});
            resultPane->AddLine(LoadString(StringId::StateNameRegistered)
                                    .arg(function.GetOutlineNumberText(distinguish))
                                    .arg(i + 1)
                                    .arg(state),
                                &function, static_cast<qint32>(i));
            modified = true;
            ++registered;
        }
    }
    resultPane->AddMessageWithoutTarget(LoadString(StringId::StateNamesRegisteredCount).arg(registered));
    return modified;
}
