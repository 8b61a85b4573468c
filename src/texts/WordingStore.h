#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// Where the edited wording is kept between runs: named text values.
class CWordingStore {
public:
    virtual ~CWordingStore() = default;

    // The stored text, or nothing when the value is missing or not a text.
    virtual std::optional<QString> ReadText(const QString& name) const = 0;
    // Writes every named text; false when one of them could not be written (the others are written all the
    // same).
    virtual bool WriteTexts(const std::vector<std::pair<QString, QString>>& texts) = 0;
};
