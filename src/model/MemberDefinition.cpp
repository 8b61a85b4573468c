#include "model/MemberDefinition.h"

#include <algorithm>

const CStateDefinition* CMemberDefinition::FindState(const QString& stateName) const {
    auto found = std::find_if(states.begin(), states.end(), [&](const auto& s) { return s.name == stateName; });
    return found == states.end() ? nullptr : &*found;
}

CStateDefinition* CMemberDefinition::FindState(const QString& stateName) {
    return const_cast<CStateDefinition*>(std::as_const(*this).FindState(stateName));
}

void CMemberDefinition::MergeFrom(const CMemberDefinition& other) {
    if (explanation.isEmpty())
        explanation = other.explanation;
    for (const CStateDefinition& state : other.states) {
        if (CStateDefinition* existing = FindState(state.name)) {
            if (existing->explanation.isEmpty())
                existing->explanation = state.explanation;
        } else {
            states.push_back(state);
        }
    }
}

const CMemberDefinition* FindRegisteredMember(const MemberDefinitionList& members, const QString& memberName) {
    auto found = std::find_if(members.begin(), members.end(), [&](const auto& m) { return m.name == memberName; });
    return found == members.end() ? nullptr : &*found;
}

CMemberDefinition* FindRegisteredMember(MemberDefinitionList& members, const QString& memberName) {
    return const_cast<CMemberDefinition*>(FindRegisteredMember(std::as_const(members), memberName));
}

const CStateDefinition* FindRegisteredMemberState(const MemberDefinitionList& members, const QString& memberName,
                                                  const QString& stateName) {
    const CMemberDefinition* member = FindRegisteredMember(members, memberName);
    return member ? member->FindState(stateName) : nullptr;
}

void MergeImportedMemberNames(MemberDefinitionList& members, const MemberDefinitionList& imported) {
    for (const CMemberDefinition& member : imported) {
        if (CMemberDefinition* existing = FindRegisteredMember(members, member.name))
            existing->MergeFrom(member);
        else
            members.push_back(member);
    }
}
