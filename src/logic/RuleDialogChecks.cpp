#include "logic/RuleDialogChecks.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>

using platform::MessageButtons;
using platform::MessageIcon;

namespace {

constexpr size_t kMaxRules = 1000;
constexpr int kMaxAdditions = 10000;

void RefuseFull() {
    platform::ShowMessageBox(LoadString(StringId::CannotAddMore), MessageButtons::Ok, MessageIcon::Warning);
}

QString Cut(const QString& text, int length) {
    return text.left(length);
}

} // namespace

bool MayAddRule(size_t ruleCount, int addedSincePageOpened) {
    if (ruleCount >= kMaxRules || addedSincePageOpened >= kMaxAdditions) {
        RefuseFull();
        return false;
    }
    return true;
}

bool MayAddUnitSentence(size_t sentenceCount) {
    if (sentenceCount >= CInconsistencyRule::MaxConditions) {
        RefuseFull();
        return false;
    }
    return true;
}

bool AcceptInconsistencyDialog(std::vector<CInconsistencyRule::UnitSentence>& items, const QString& message,
                               CInconsistencyRule* editing, InconsistencyRuleList& target) {
    const auto isEmpty = [](const CInconsistencyRule::UnitSentence& item) {
        return item.member.isEmpty() && item.state.isEmpty();
    };
    if (std::any_of(items.begin(), items.end(), isEmpty)) {
        if (platform::AskOkCancel(LoadString(StringId::DeleteEmptyItems)))
            std::erase_if(items, isEmpty);
        return false;
    }
    if (std::any_of(items.begin(), items.end(), [](const CInconsistencyRule::UnitSentence& item) {
            return item.member.isEmpty() || item.state.isEmpty();
        })) {
        platform::ShowMessageBox(LoadString(StringId::ItemWithEmptyName), MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (items.empty()) {
        platform::ShowMessageBox(LoadString(StringId::NoSemanticRelation), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (message.isEmpty()) {
        platform::ShowMessageBox(LoadString(StringId::NoMessage), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    CInconsistencyRule rule;
    rule.Init();
    const size_t count = std::min<size_t>(items.size(), CInconsistencyRule::MaxConditions);
    for (size_t i = 0; i < count; ++i)
        rule.conditions[i] = {Cut(items[i].member, CInconsistencyRule::MaxNameLength),
                              Cut(items[i].state, CInconsistencyRule::MaxNameLength)};
    rule.conditionCount = static_cast<int32_t>(count);
    rule.message = Cut(message, CInconsistencyRule::MaxMessageLength);
    if (editing)
        *editing = rule;
    else
        target.push_back(std::make_unique<CInconsistencyRule>(rule));
    return true;
}

bool AcceptIntelligenceDialog(CIntraMemberConsistencyRule entered, CIntraMemberConsistencyRule* editing, int mode,
                              IntraMemberConsistencyRuleList& list) {
    const int length = CIntraMemberConsistencyRule::MaxNameLength;
    CIntraMemberConsistencyRule rule;
    rule.Init();
    rule.doFlag = entered.doFlag ? 1 : 0;
    rule.if1Member = Cut(entered.if1Member, length);
    rule.if1Status = Cut(entered.if1Status, length);
    rule.if2Member = Cut(entered.if2Member, length);
    rule.if2Status = Cut(entered.if2Status, length);
    rule.doMember = Cut(entered.doMember, length);
    rule.doStatus = Cut(entered.doStatus, length);
    const bool conditionsFilled = !rule.if1Member.isEmpty() && !rule.if1Status.isEmpty() && !rule.if2Member.isEmpty() &&
                                  !rule.if2Status.isEmpty();
    const bool initialisationFilled = !rule.doFlag || (!rule.doMember.isEmpty() && !rule.doStatus.isEmpty());
    if (!conditionsFilled || !initialisationFilled) {
        platform::ShowMessageBox(LoadString(StringId::FillAllItems), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (FindEqualRuleRecord(list, rule) >= 0) {
        if (editing && mode == 0 && CompareRuleRecords(*editing, rule) == 0)
            return true;
        platform::ShowMessageBox(LoadString(StringId::AlreadyRegistered), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (editing)
        *editing = rule;
    else
        list.push_back(std::make_unique<CIntraMemberConsistencyRule>(rule));
    SortRuleRecords(list);
    return true;
}

bool MayOfferIntraMemberRule(const QString& member, const QString& state1, const QString& state2) {
    const int length = CIntraMemberConsistencyRule::MaxNameLength;
    if (member.size() <= length && state1.size() <= length && state2.size() <= length)
        return true;
    platform::ShowMessageBox(LoadString(StringId::OfferedRuleNameTooLong).arg(length), MessageButtons::Ok,
                             MessageIcon::Warning);
    return false;
}

CIntraMemberConsistencyRule MakeOfferedIntraMemberRule(const QString& member, const QString& state1,
                                                       const QString& state2) {
    const int length = CIntraMemberConsistencyRule::MaxNameLength;
    CIntraMemberConsistencyRule rule;
    rule.Init();
    rule.if1Member = Cut(member, length);
    rule.if1Status = Cut(state1, length);
    rule.if2Member = Cut(member, length);
    rule.if2Status = Cut(state2, length);
    return rule;
}
