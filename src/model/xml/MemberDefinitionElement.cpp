#include "model/xml/MemberDefinitionElement.h"

#include "model/xml/XmlDocumentContext.h"

void WriteMemberNameElement(const CMemberDefinition& member, XmlDocumentContext& context, pugi::xml_node element) {
    XmlAppendChildElement(context, element, "Name", member.name);
    XmlAppendChildElement(context, element, "Explanation", member.explanation);
    for (const CStateDefinition& state : member.states)
        WriteStateNameElement(state, context, XmlAppendChildElement(context, element, "StateName"));
}

void ReadMemberNameElement(pugi::xml_node element, CMemberDefinition& member) {
    // The member's own children only: a "Name" below a state never names the member.
    member.name = XmlGetElementText(element.child("Name"));
    member.explanation = XmlGetElementText(element.child("Explanation"));
    for (pugi::xml_node stateElement : XmlFindElements(element, "StateName")) {
        CStateDefinition state;
        ReadStateNameElement(stateElement, state);
        member.states.push_back(state);
    }
}

void ReadMemberNameRegister(pugi::xml_node registerElement, MemberDefinitionList& members) {
    members.clear();
    for (const pugi::xml_node memberElement : XmlFindElements(registerElement, "MemberName"))
        ReadMemberNameElement(memberElement, members.emplace_back());
}

void WriteStateNameElement(const CStateDefinition& state, XmlDocumentContext& context, pugi::xml_node element) {
    XmlAppendChildElement(context, element, "Name", state.name);
    XmlAppendChildElement(context, element, "Explanation", state.explanation);
}

void ReadStateNameElement(pugi::xml_node element, CStateDefinition& state) {
    state.name = XmlGetElementText(element.child("Name"));
    state.explanation = XmlGetElementText(element.child("Explanation"));
}
