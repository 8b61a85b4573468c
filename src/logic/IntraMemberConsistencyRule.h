#pragma once

#include <QString>

#include <cstdint>

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
