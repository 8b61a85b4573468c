#pragma once

#include <QString>

#include <vector>

// One state of a registered member.
class CStateDefinition {
public:
    QString name;
    QString explanation;

    bool operator==(const CStateDefinition&) const = default;
};

// A registered member with its explanation and states. Names compare exactly, case-sensitively.
class CMemberDefinition {
public:
    QString name;
    QString explanation;
    std::vector<CStateDefinition> states;

    bool operator==(const CMemberDefinition&) const = default;

    const CStateDefinition* FindState(const QString& stateName) const;
    CStateDefinition* FindState(const QString& stateName);
    // Takes other's explanation where this one has none, fills empty state explanations and appends the
    // states this member lacks; what this member says already stays.
    void MergeFrom(const CMemberDefinition& other);
};

using MemberDefinitionList = std::vector<CMemberDefinition>;

// Look-ups in the document's registered members, first match in list order.
const CMemberDefinition* FindRegisteredMember(const MemberDefinitionList& members, const QString& memberName);
CMemberDefinition* FindRegisteredMember(MemberDefinitionList& members, const QString& memberName);
const CStateDefinition* FindRegisteredMemberState(const MemberDefinitionList& members, const QString& memberName,
                                                  const QString& stateName);
// Appends the members not registered yet and merges the others.
void MergeImportedMemberNames(MemberDefinitionList& members, const MemberDefinitionList& imported);
