#pragma once

#include <QString>

#include <vector>

#include <pugixml.hpp>

class XmlDocumentContext;

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

// The children of a "MemberName" element: "Name", "Explanation", then one "StateName" per state.
void WriteMemberNameElement(const CMemberDefinition& member, XmlDocumentContext& context, pugi::xml_node element);
void ReadMemberNameElement(pugi::xml_node element, CMemberDefinition& member);
// The members of a "MemberNameRegister" element, in order; none without the element.
void ReadMemberNameRegister(pugi::xml_node registerElement, MemberDefinitionList& members);
// The children of a "StateName" element: "Name" and "Explanation".
void WriteStateNameElement(const CStateDefinition& state, XmlDocumentContext& context, pugi::xml_node element);
void ReadStateNameElement(pugi::xml_node element, CStateDefinition& state);
