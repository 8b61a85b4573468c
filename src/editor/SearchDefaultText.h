#pragma once

#include <QString>

// The text a search or replacement starts with, taken from a selection: up to its first line or paragraph
// break, at most 256 characters.
QString SearchDefaultText(const QString& selected);
