#pragma once

#include <QString>

class CDocumentData;

namespace tools {

// Everything a loaded document holds as canonical text: one field a line, texts quoted with their control
// characters escaped, so that two loads compare as text.
QString DumpDocument(const CDocumentData& data);

} // namespace tools
