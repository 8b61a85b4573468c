#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// A combination of two states of one member that the inspection does not report as a contradiction,
// optionally with a state-name initialisation that is used while doFlag is set.
class CIntraMemberConsistencyRule {
public:
    // Longest member or state name a rule keeps.
    static constexpr int MaxNameLength = 72;

    // Flag 0, every text empty.
    void Init();

    bool operator==(const CIntraMemberConsistencyRule&) const = default;

    int32_t doFlag = 0;
    QString if1Member;
    QString if1Status;
    QString if2Member;
    QString if2Status;
    QString doMember;
    QString doStatus;
};

// The document's rules; the list owns them and keeps them in CompareRuleRecords order.
using IntraMemberConsistencyRuleList = std::vector<std::unique_ptr<CIntraMemberConsistencyRule>>;

// Orders by the two conditions, then the initialisation flag (a set flag sorts after a clear one), then the
// initialisation texts; texts compare by UTF-16 code units. Returns -1, 0 or 1.
int CompareRuleRecords(const CIntraMemberConsistencyRule& a, const CIntraMemberConsistencyRule& b);
// Index of the first rule equal to the given one, -1 when there is none.
int FindEqualRuleRecord(const IntraMemberConsistencyRuleList& rules, const CIntraMemberConsistencyRule& rule);
// Ascending; equal rules keep their order.
void SortRuleRecords(IntraMemberConsistencyRuleList& rules);
