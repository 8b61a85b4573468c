#pragma once

#include "interchange/InterchangeResult.h"

#include <memory>

class CDocumentData;
class CImportProgress;
class QIODevice;

// Reads a FreeMind map into a document: every "node" element becomes a unit function, its "TEXT" (or its
// rich text) the name and its first note the content text. In a document with nothing below its origin each
// top node names the origin and its nodes go below it; otherwise the top nodes are appended below the origin.
// Reading goes in two steps, so that progress is shown only for a map that can be converted.
class CMindMapReader {
public:
    CMindMapReader();
    ~CMindMapReader();
    CMindMapReader(const CMindMapReader&) = delete;
    CMindMapReader& operator=(const CMindMapReader&) = delete;

    // The largest map read.
    static constexpr qint64 MaxFileBytes = qint64(1) << 30;

    // Reads the whole map from the device (opening it for reading when it is not open) and checks that `data` has
    // internal IDs for all its nodes. Unreadable (also a map over MaxFileBytes), LimitExceeded, TooDeep or
    // OutOfMemory; nothing in `data` changes.
    InterchangeResult Open(QIODevice& device, const CDocumentData& data);
    // Converts the opened map into `data`, setting the progress's range to the map's nodes and its position
    // to each node converted, until the progress is cancelled. Incomplete, Cancelled, Error or OutOfMemory leave what
    // was converted before in `data`; the caller rebuilds the document's index either way.
    InterchangeResult Convert(CDocumentData& data, CImportProgress& progress);

private:
    struct Map;
    std::unique_ptr<Map> m_map;
};
