#pragma once

#include "model/MemberDefinition.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// The children of a "MemberName" element: "Name", "Explanation", then one "StateName" per state.
void WriteMemberNameElement(const CMemberDefinition& member, XmlDocumentContext& context, pugi::xml_node element);
void ReadMemberNameElement(pugi::xml_node element, CMemberDefinition& member);
// The members of a "MemberNameRegister" element, in order; none without the element.
void ReadMemberNameRegister(pugi::xml_node registerElement, MemberDefinitionList& members);
// The children of a "StateName" element: "Name" and "Explanation".
void WriteStateNameElement(const CStateDefinition& state, XmlDocumentContext& context, pugi::xml_node element);
void ReadStateNameElement(pugi::xml_node element, CStateDefinition& state);
