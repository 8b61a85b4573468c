#pragma once

#include <QString>

#include <optional>

// Where the edited wording is kept between runs: named text values.
class CWordingStore {
public:
    virtual ~CWordingStore() = default;

    // The stored text, or nothing when the value is missing or not a text.
    virtual std::optional<QString> ReadText(const QString& name) const = 0;
    // False when the value could not be written.
    virtual bool WriteText(const QString& name, const QString& text) = 0;
};
