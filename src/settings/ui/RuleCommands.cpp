#include "settings/ui/RuleCommands.h"

#include "logic/RuleDialogChecks.h"
#include "model/DocumentData.h"
#include "settings/ui/InconsistencyPage.h"
#include "settings/ui/IntelligenceDialog.h"
#include "settings/ui/IntelligencePage.h"
#include "settings/ui/SettingsHost.h"

namespace {

template <typename Page> void RunPage(CSettingsHost& host) {
    Page page(host, host.DialogParent());
    page.exec();
}

} // namespace

void AddRuleCommands(CCommandRegistry& registry, CSettingsHost& host) {
    using enum CommandRule;
    registry.Add({CommandIntraMemberConsistencySettings, [&host](int) { RunPage<CIntelligencePage>(host); }, None,
                  CommandIntraMemberConsistencySettings, "", CommandIcon::None});
    registry.Add({CommandSemanticRelationSettings, [&host](int) { RunPage<CInconsistencyPage>(host); }, None,
                  CommandSemanticRelationSettings, "", CommandIcon::None});
}

void OfferIntraMemberConsistencyRule(CSettingsHost& host, const QString& member, const QString& state1,
                                     const QString& state2) {
    if (!MayOfferIntraMemberRule(member, state1, state2))
        return;
    CIntraMemberConsistencyRule rule = MakeOfferedIntraMemberRule(member, state1, state2);
    IntraMemberConsistencyRuleList& rules = host.SettingsDocument().intraMemberConsistencyRules;
    CIntelligenceDialog dialog(host.MessageContext(), &rule, rules, 1, host.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    rules.push_back(std::make_unique<CIntraMemberConsistencyRule>(rule));
    SortRuleRecords(rules);
    host.SetSettingsDocumentModified();
}
