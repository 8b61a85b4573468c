#pragma once

#include "model/DocumentFile.h"

#include <QString>

#include <optional>

class CDocumentData;
class CUnitFunction;
class CUnitFunctionRegistry;

// The merge of the unit functions of another document into the open one: every one of them is added, the other
// document's origin as the last child of a unit function here, so its whole table of contents follows below it.
// A unit function keeps its InternalID where that is free here; one whose ID is taken gets a fresh one, and the
// child lists and Fn statements that named it follow. Unique labels stay unique: an incoming unit function whose
// label is taken here (or by one merged before it) comes without a label.
class CFunctionMerge {
public:
    struct Outcome {
        int added = 0;
        int renumbered = 0;    // of those added, the ones given a fresh InternalID
        int labelsDropped = 0; // of those added, the ones that lost their unique label
    };

    // Reads the unit functions of the document file at `path` with the registry's own reader; the merge rebuilds
    // them. Empty when the file cannot be opened or is not a regular file.
    static std::optional<LoadResult> ReadFile(const QString& path, CUnitFunctionRegistry& incoming);

    // Moves the unit functions of `incoming` (which is left empty) into the document below `parent`, then rebuilds
    // the registry and the table of contents and refreshes every view. Empty, with nothing changed, when the document
    // has no room for them all; an outcome of 0 added when `incoming` is empty.
    static std::optional<Outcome> Merge(CDocumentData& document, CUnitFunctionRegistry& incoming,
                                        CUnitFunction& parent);
};
