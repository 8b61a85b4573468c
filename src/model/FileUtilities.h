#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace platform {
class CodePageTextFile;
}

// Writes each string as it stands, adding nothing.
void WriteLinesToFile(platform::CodePageTextFile& file, const QStringList& lines);

// Tables of rows of cells, each cell a CSV field, each row ended by "\n" and each table by an empty line.
using CsvTable = std::vector<QStringList>;
void WriteListItemsToFile(const std::vector<CsvTable>& tables, platform::CodePageTextFile& file);

// Proposed output file name: the document's path without ".nuv", a space, the suffix and the extension;
// without a document, the current folder, the suffix and the extension. Empty when no folder can be had.
QString MakeFileNameWithExtension(const QString& documentPath, const QString& extension, const QString& suffix);

// Longest proposed file name.
constexpr int MaxFileNameLength = 260;
// A proposed file name made safe: leading dots dropped, control characters and the characters
// / \ : * ? " < > | replaced by "_", cut to MaxFileNameLength.
QString SanitizeFileName(const QString& name);
