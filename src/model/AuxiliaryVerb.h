#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// An auxiliary verb the editor matches at the end of a condition; its ID and tense flag go to the line.
struct AuxiliaryVerb {
    static constexpr int MaxVerbLength = 64;

    quint8 id = 0; // 1-based
    QString verb;
    quint8 flag = 0; // the verb changes the tense

    bool operator==(const AuxiliaryVerb&) const = default;

    static std::vector<AuxiliaryVerb> GetDefaults();
};
