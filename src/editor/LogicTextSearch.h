#pragma once

#include "editor/LogicEditModel.h"

#include <QStringList>

#include <optional>

// Where the Find and Replace dialogs' next occurrence of `text` lies in the logic editor's lines: at or after
// `from`, case-sensitive; past the last line the search goes on from the first line, up to `from`. Nothing for
// an empty text or when the text does not occur.
std::optional<EditPosition> FindNextInLines(const QStringList& lines, EditPosition from, const QString& text);
