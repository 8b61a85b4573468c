#pragma once

#include "model/InconsistencyRule.h"
#include "model/IntraMemberConsistencyRule.h"

#include <vector>

// The decisions the rule dialogs take on their buttons, without the dialogs: refusals go to the message
// sink, and a true result means the dialog may close with OK.

// "追加" of a rule page; refused with a warning when the list is full (or, for the semantic relations, too
// many relations were added since the page opened).
bool MayAddRule(size_t ruleCount, int addedSincePageOpened = 0);

// "新規" of the relation item dialog; refused when the relation has all its unit sentences.
bool MayAddUnitSentence(size_t sentenceCount);

// OK of the relation item dialog. Empty items are offered for deletion first (the dialog stays open either
// way); the relation is stored into editing, or appended to target when editing is null.
bool AcceptInconsistencyDialog(std::vector<CInconsistencyRule::UnitSentence>& items, const QString& message,
                               CInconsistencyRule* editing, InconsistencyRuleList& target);

// OK of the same-member rule item dialog. entered holds the six edits and the flag; mode 0 from the rule
// page, 1 for a rule offered by the result pane (then editing is that offered rule, not yet in list).
bool AcceptIntelligenceDialog(CIntraMemberConsistencyRule entered, CIntraMemberConsistencyRule* editing, int mode,
                              IntraMemberConsistencyRuleList& list);

// Whether the result pane may offer a rule for these names: a name longer than a rule keeps could never match
// again once cut, so it is refused with a message.
bool MayOfferIntraMemberRule(const QString& member, const QString& state1, const QString& state2);

// The rule the result pane offers for a possible contradiction: member with its earlier and later state.
CIntraMemberConsistencyRule MakeOfferedIntraMemberRule(const QString& member, const QString& state1,
                                                       const QString& state2);
