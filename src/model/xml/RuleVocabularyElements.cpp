#include "model/xml/RuleVocabularyElements.h"

#include "model/xml/FieldTableElements.h"
#include "model/xml/XmlDocumentContext.h"

#include <algorithm>
#include <vector>

namespace {

const std::array<IntAttribute<SimilarWordSettings>, 5> similarAttributes{{
    NUV_INT_ATTRIBUTE(SimilarWordSettings, agreement, "Agreement", true, 0),
    NUV_INT_ATTRIBUTE(SimilarWordSettings, complete, "Complete", true, 0),
    NUV_INT_ATTRIBUTE(SimilarWordSettings, length, "Length", true, 0),
    NUV_INT_ATTRIBUTE(SimilarWordSettings, scope, "Scope", true, 0),
    NUV_INT_ATTRIBUTE(SimilarWordSettings, show, "Show", true, 0),
}};

// How many list entries to read: the stored count, but never more than the elements present.
size_t CountToRead(pugi::xml_node container, size_t present) {
    const qint64 num = XmlGetIntAttribute(container, "Num", 0);
    return num <= 0 ? 0 : std::min(static_cast<size_t>(num), present);
}

} // namespace

void WriteInconsistencyTable(XmlDocumentContext& context, pugi::xml_node parent,
                             const IntraMemberConsistencyRuleList& intraMemberConsistencyRules,
                             const InconsistencyRuleList& inconsistencyRules) {
    pugi::xml_node table = XmlAppendChildElement(context, parent, "InconsistencyTable");
    if (!intraMemberConsistencyRules.empty()) {
        pugi::xml_node list = XmlAppendChildElement(context, table, "NonInconsistency");
        XmlSetIntAttribute(context, list, "Num", static_cast<qint64>(intraMemberConsistencyRules.size()), true);
        for (const auto& rule : intraMemberConsistencyRules) {
            pugi::xml_node data = XmlAppendChildElement(context, list, "Data");
            XmlSetIntAttribute(context, data, "DoFlg", rule->doFlag, true);
            XmlSetAttribute(context, data, "If1Member", rule->if1Member, true);
            XmlSetAttribute(context, data, "If1Status", rule->if1Status, true);
            XmlSetAttribute(context, data, "If2Member", rule->if2Member, true);
            XmlSetAttribute(context, data, "If2Status", rule->if2Status, true);
            XmlSetAttribute(context, data, "DoMember", rule->doMember, true);
            XmlSetAttribute(context, data, "DoStatus", rule->doStatus, true);
        }
    }
    if (!inconsistencyRules.empty()) {
        pugi::xml_node list = XmlAppendChildElement(context, table, "Inconsistency");
        XmlSetIntAttribute(context, list, "Num", static_cast<qint64>(inconsistencyRules.size()), true);
        for (const auto& rule : inconsistencyRules) {
            pugi::xml_node data = XmlAppendChildElement(context, list, "Data");
            XmlSetIntAttribute(context, data, "ConditionCount", rule->conditionCount, true);
            XmlSetAttribute(context, data, "Message", rule->message, true);
            for (const CInconsistencyRule::UnitSentence& sentence : rule->SentencesInUse()) {
                pugi::xml_node condition = XmlAppendChildElement(context, data, "Condition");
                XmlSetAttribute(context, condition, "Member", sentence.member, true);
                XmlSetAttribute(context, condition, "Status", sentence.state, true);
            }
        }
    }
}

void ReadInconsistencyTable(pugi::xml_node environment, IntraMemberConsistencyRuleList& intraMemberConsistencyRules,
                            InconsistencyRuleList& inconsistencyRules) {
    intraMemberConsistencyRules.clear();
    inconsistencyRules.clear();
    pugi::xml_node table = XmlFindElement(environment, "InconsistencyTable");
    if (!table)
        return;
    constexpr int nameLength = CIntraMemberConsistencyRule::MaxNameLength;
    if (pugi::xml_node list = XmlFindElement(table, "NonInconsistency")) {
        const std::vector<pugi::xml_node> data = XmlFindElements(list, "Data");
        const size_t count = CountToRead(list, data.size());
        for (size_t i = 0; i < count; ++i) {
            auto rule = std::make_unique<CIntraMemberConsistencyRule>();
            rule->doFlag = static_cast<int32_t>(XmlGetIntAttribute(data[i], "DoFlg", 0));
            rule->if1Member = XmlGetAttribute(data[i], "If1Member").left(nameLength);
            rule->if1Status = XmlGetAttribute(data[i], "If1Status").left(nameLength);
            rule->if2Member = XmlGetAttribute(data[i], "If2Member").left(nameLength);
            rule->if2Status = XmlGetAttribute(data[i], "If2Status").left(nameLength);
            rule->doMember = XmlGetAttribute(data[i], "DoMember").left(nameLength);
            rule->doStatus = XmlGetAttribute(data[i], "DoStatus").left(nameLength);
            intraMemberConsistencyRules.push_back(std::move(rule));
        }
    }
    if (pugi::xml_node list = XmlFindElement(table, "Inconsistency")) {
        const std::vector<pugi::xml_node> data = XmlFindElements(list, "Data");
        const size_t count = CountToRead(list, data.size());
        for (size_t i = 0; i < count; ++i) {
            auto rule = std::make_unique<CInconsistencyRule>();
            // The record has room for ten sentences; a larger stored count would send its users past them.
            rule->conditionCount = static_cast<int32_t>(std::clamp<qint64>(
                XmlGetIntAttribute(data[i], "ConditionCount", 0), 0, CInconsistencyRule::MaxConditions));
            rule->message = XmlGetAttribute(data[i], "Message").left(CInconsistencyRule::MaxMessageLength);
            const std::vector<pugi::xml_node> conditions = XmlFindElements(data[i], "Condition");
            const size_t sentences = std::min(static_cast<size_t>(rule->conditionCount), conditions.size());
            for (size_t s = 0; s < sentences; ++s) {
                rule->conditions[s].member =
                    XmlGetAttribute(conditions[s], "Member").left(CInconsistencyRule::MaxNameLength);
                rule->conditions[s].state =
                    XmlGetAttribute(conditions[s], "Status").left(CInconsistencyRule::MaxNameLength);
            }
            inconsistencyRules.push_back(std::move(rule));
        }
    }
}

void WriteVeskTable(XmlDocumentContext& context, pugi::xml_node parent, const LineMarkTable& lineMarkTable) {
    pugi::xml_node table = XmlAppendChildElement(context, parent, "VeskTable");
    for (const QString& name : lineMarkTable.groupNames)
        XmlAppendChildElement(context, table, "GroupName", name);
    for (const LineMarkTable::Attribute& attribute : lineMarkTable.attributes) {
        pugi::xml_node element = XmlAppendChildElement(context, table, "Attribute", attribute.name);
        XmlSetIntAttribute(context, element, "ColorNo", attribute.colorNo, true);
        XmlSetIntAttribute(context, element, "Shape", attribute.shape, true);
        XmlSetIntAttribute(context, element, "GroupNo", attribute.groupNo, true);
    }
}

void ReadVeskTable(pugi::xml_node environment, LineMarkTable& lineMarkTable) {
    pugi::xml_node table = XmlFindElement(environment, "VeskTable");
    if (!table)
        return;
    const std::vector<pugi::xml_node> groups = XmlFindElements(table, "GroupName");
    for (size_t k = 0; k < std::min<size_t>(LineMarkTable::GroupCount, groups.size()); ++k)
        lineMarkTable.groupNames[k] = XmlGetElementText(groups[k]);
    const std::vector<pugi::xml_node> attributes = XmlFindElements(table, "Attribute");
    for (size_t j = 0; j < std::min<size_t>(LineMarkTable::AttributeCount, attributes.size()); ++j) {
        LineMarkTable::Attribute& attribute = lineMarkTable.attributes[j];
        attribute.name = XmlGetElementText(attributes[j]);
        attribute.colorNo = static_cast<uint8_t>(XmlGetIntAttribute(attributes[j], "ColorNo", 0));
        attribute.shape = static_cast<uint8_t>(XmlGetIntAttribute(attributes[j], "Shape", 0));
        attribute.groupNo = static_cast<uint8_t>(XmlGetIntAttribute(attributes[j], "GroupNo", 0));
    }
}

void WriteFuzzwordTable(XmlDocumentContext& context, pugi::xml_node parent, const FuzzwordSettings& fuzzwords) {
    pugi::xml_node table = XmlAppendChildElement(context, parent, "FuzzwordTable");
    XmlSetIntAttribute(context, table, "CKFunction", fuzzwords.ckFunction, true);
    XmlSetIntAttribute(context, table, "CKLogic", fuzzwords.ckLogic, true);
    for (const QString& word : fuzzwords.words)
        XmlAppendChildElement(context, table, "Word", word);
}

void ReadFuzzwordTable(pugi::xml_node environment, FuzzwordSettings& fuzzwords) {
    fuzzwords.words.clear();
    pugi::xml_node table = XmlFindElement(environment, "FuzzwordTable");
    if (!table)
        return;
    fuzzwords.ckFunction = static_cast<int32_t>(XmlGetIntAttribute(table, "CKFunction", 0));
    fuzzwords.ckLogic = static_cast<int32_t>(XmlGetIntAttribute(table, "CKLogic", 0));
    for (pugi::xml_node word : XmlFindElements(table, "Word"))
        fuzzwords.words << XmlGetElementText(word);
}

void WriteSimilar(XmlDocumentContext& context, pugi::xml_node parent, const SimilarWordSettings& similarWords) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "Similar"), similarAttributes, similarWords);
}

void ReadSimilar(pugi::xml_node environment, SimilarWordSettings& similarWords) {
    if (pugi::xml_node element = XmlFindElement(environment, "Similar"))
        ReadIntAttributes(element, similarAttributes, similarWords);
}
