#pragma once

#include "platform/CommandRegistry.h"

#include <QString>

class CSettingsHost;

// The ids of the rule commands in the main window's menus.
enum RuleCommandId {
    CommandIntraMemberConsistencySettings = 32995,
    CommandSemanticRelationSettings = 32997,
};

// The rows of the same-member consistency rules and the semantic relations.
void AddRuleCommands(CCommandRegistry& registry, CSettingsHost& host);

// The same-member rule the result pane offers for a possible contradiction: the member with the earlier and the
// later state. Accepted, it joins the document's rules at once.
void OfferIntraMemberConsistencyRule(CSettingsHost& host, const QString& member, const QString& state1,
                                     const QString& state2);
