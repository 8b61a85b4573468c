#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// A function attribute of the document; a unit function names one by its type text and keeps its ID.
struct FunctionAttribute {
    static constexpr int MaxSymbolLength = 4;
    static constexpr int MaxDetailsLength = 128;

    quint8 id = 0; // 1-based; 0 = none
    QString symbol;
    QString details;

    bool operator==(const FunctionAttribute&) const = default;

    static std::vector<FunctionAttribute> GetDefaults();
};
