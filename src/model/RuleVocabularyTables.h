#pragma once

#include "model/InconsistencyRule.h"
#include "model/IntraMemberConsistencyRule.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// Groups and attributes that line marks carry.
struct LineMarkTable {
    static constexpr int GroupCount = 4;
    static constexpr int AttributeCount = 15;

    struct Attribute {
        QString name;
        uint8_t colorNo = 0; // into the program's named colours
        uint8_t shape = 0;
        uint8_t groupNo = 0; // 0..3 name a group; the automatic attributes 13 and 14 carry 4
        bool operator==(const Attribute&) const = default;
    };

    std::array<QString, GroupCount> groupNames;
    std::array<Attribute, AttributeCount> attributes;

    bool operator==(const LineMarkTable&) const = default;
};

// Names in the given language (1 Japanese, else English), the one the program speaks; colours, shapes and groups
// from the built-in table.
void SetDefaultLineMarkSettings(LineMarkTable& table, int language);

// Obscure words and where the obscure-word search looks for them.
struct FuzzwordSettings {
    QStringList words;
    int32_t ckFunction = 1; // search the function content of every unit function
    int32_t ckLogic = 1;    // search the logic descriptions

    bool operator==(const FuzzwordSettings&) const = default;
};

// Is the text one of the obscure words (exact, case-sensitive)?
bool IsObscureWord(const FuzzwordSettings& fuzzwords, const QString& text);

// Settings of the similar-word detection.
struct SimilarWordSettings {
    int32_t agreement = 60; // minimum agreement in percent
    int32_t scope = 2;      // 0 member names, 1 state names, 2 both
    int32_t length = 10;    // shorter names are not compared
    int32_t show = 30000;   // the detection stops beyond this many results
    int32_t complete = 1;   // identical names do not count as similar

    bool operator==(const SimilarWordSettings&) const = default;
};
