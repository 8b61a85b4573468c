#pragma once

#include "model/RuleVocabularyTables.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// Elements below "Environment". Readers take the "Environment" element; a missing element keeps the record,
// except that both rule lists and the obscure words are always emptied first.
void WriteInconsistencyTable(XmlDocumentContext& context, pugi::xml_node parent,
                             const IntraMemberConsistencyRuleList& intraMemberConsistencyRules,
                             const InconsistencyRuleList& inconsistencyRules);
void ReadInconsistencyTable(pugi::xml_node environment, IntraMemberConsistencyRuleList& intraMemberConsistencyRules,
                            InconsistencyRuleList& inconsistencyRules);
void WriteVeskTable(XmlDocumentContext& context, pugi::xml_node parent, const LineMarkTable& lineMarkTable);
void ReadVeskTable(pugi::xml_node environment, LineMarkTable& lineMarkTable);
void WriteFuzzwordTable(XmlDocumentContext& context, pugi::xml_node parent, const FuzzwordSettings& fuzzwords);
void ReadFuzzwordTable(pugi::xml_node environment, FuzzwordSettings& fuzzwords);
void WriteSimilar(XmlDocumentContext& context, pugi::xml_node parent, const SimilarWordSettings& similarWords);
void ReadSimilar(pugi::xml_node environment, SimilarWordSettings& similarWords);
