#pragma once

#include <QString>

#include <ostream>

// Lets failing expectations show texts readably.
void PrintTo(const QString& text, std::ostream* out);
