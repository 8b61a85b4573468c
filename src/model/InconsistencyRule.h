#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A semantic relation: unit sentences that contradict each other when they all hold at the same time,
// with the message the inspection reports then.
class CInconsistencyRule {
public:
    static constexpr int MaxConditions = 10;
    static constexpr int MaxNameLength = 72;
    static constexpr int MaxMessageLength = 63;

    struct UnitSentence {
        QString member;
        QString state;
        bool operator==(const UnitSentence&) const = default;
    };

    // Empties the ten sentences and the message; conditionCount is left to the caller.
    void Init();

    bool operator==(const CInconsistencyRule&) const = default;

    // The sentences conditionCount says are in use, never beyond the ten.
    std::span<const UnitSentence> SentencesInUse() const {
        return std::span<const UnitSentence>(conditions)
            .first(static_cast<std::size_t>(std::clamp(conditionCount, 0, MaxConditions)));
    }

    // Number of sentences in use, 0..MaxConditions: no user of the record may go past the ten sentences.
    int32_t conditionCount = 0;
    std::array<UnitSentence, MaxConditions> conditions;
    QString message;
};

// The document's semantic relations; the list owns them.
using InconsistencyRuleList = std::vector<std::unique_ptr<CInconsistencyRule>>;
