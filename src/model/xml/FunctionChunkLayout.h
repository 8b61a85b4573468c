#pragma once

#include <QtGlobal>

#include <cstddef>
#include <optional>
#include <vector>

// Where the unit functions of a current-format file lie, so that they can be parsed apart from the rest of
// the document, each on its own and several at a time. Found only for the plain layout this program writes:
// the "FunctionHolder" with a "Root" is the first holder below the first "Document" without "Version", a
// child of it, which is a child of the root "NUV"; its content is a run of "Function" elements, each ending
// at the first "</Function>" after its start. Comments, CDATA sections, processing instructions and quoted
// values before the holder are stepped over as the parser would; anything else there (a document type,
// a "Document" deeper down) leaves the file to the whole-document parse. The ranges are only where the
// elements would be: each is confirmed by parsing it, and a range that does not parse as one "Function"
// element without another inside sends the file to the whole-document parse as well.
struct FunctionChunkLayout {
    struct Chunk {
        std::size_t begin = 0; // a "<Function" start tag, or blanks before it
        std::size_t end = 0;   // just after its "</Function>"
        qint64 internalID = 0; // the start tag's "InternalID", 0 when missing or empty
    };

    std::size_t contentBegin = 0; // the holder's content: [contentBegin, contentEnd)
    std::size_t contentEnd = 0;
    std::vector<Chunk> chunks;
};

std::optional<FunctionChunkLayout> FindFunctionChunks(const char* bytes, std::size_t size);
