#include "model/IntraMemberConsistencyRule.h"

#include <utility>

void CIntraMemberConsistencyRule::Init() {
    *this = CIntraMemberConsistencyRule();
}

namespace {

int CompareTexts(const QString& a, const QString& b) {
    int result = QString::compare(a, b, Qt::CaseSensitive);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

} // namespace

int CompareRuleRecords(const CIntraMemberConsistencyRule& a, const CIntraMemberConsistencyRule& b) {
    for (auto field : {&CIntraMemberConsistencyRule::if1Member, &CIntraMemberConsistencyRule::if1Status,
                       &CIntraMemberConsistencyRule::if2Member, &CIntraMemberConsistencyRule::if2Status}) {
        if (int result = CompareTexts(a.*field, b.*field))
            return result;
    }
    if (a.doFlag != b.doFlag)
        return a.doFlag != 0 ? 1 : -1;
    if (int result = CompareTexts(a.doMember, b.doMember))
        return result;
    return CompareTexts(a.doStatus, b.doStatus);
}

int FindEqualRuleRecord(const IntraMemberConsistencyRuleList& rules, const CIntraMemberConsistencyRule& rule) {
    for (size_t i = 0; i < rules.size(); ++i) {
        if (CompareRuleRecords(*rules[i], rule) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void SortRuleRecords(IntraMemberConsistencyRuleList& rules) {
    // A bubble sort: two different non-zero flags each compare greater than the other, which a library
    // sort must not be given; the lists are short.
    const size_t n = rules.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = n - 1; j > i; --j) {
            if (CompareRuleRecords(*rules[j - 1], *rules[j]) > 0)
                std::swap(rules[j - 1], rules[j]);
        }
    }
}
