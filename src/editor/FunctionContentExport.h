#pragma once

#include <QString>

class CDocumentData;
class CUnitFunction;

// Which unit functions the content export writes.
enum class ContentExportScope { ThisFunction = 0, WithDescendants = 1, WholeDocument = 2 };

// Writes the content texts of the scope, in outline order, as RTF to `path` and says so; a file that cannot
// be written is reported. False when nothing was written.
bool ExportFunctionContent(const CDocumentData& document, CUnitFunction* function, ContentExportScope scope,
                           const QString& path);
