#pragma once

#include "model/DocumentFile.h"
#include "model/SyntaxSymbol.h"
#include "model/UnitFunction.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class CDocumentData;
class CUnitFunctionRegistry;
struct ModelOptions;
struct StoredVersion;

// One line of a comparison's report, with the unit function (and the line of its logic description) it is about.
struct ComparisonLine {
    QString text;
    quint32 internalID = 0;
    int lineIndex = -1; // 0-based, of an added line in the newer document; -1 for none
};

// What the comparison dialog compares: the older side is another document file, or else a stored version; the
// newer side is a stored version or the working data.
struct ComparedSides {
    QString olderPath;     // another document file; empty for the stored version below
    int olderVersion = -1; // index into the version history
    int newerVersion = -1; // index into the version history; -1 for the working data
};

// One step of the edit script that turns one sequence of logic lines into another.
struct LineEdit {
    enum Kind { Same, Removed, Added };
    Kind kind = Same;
    int olderIndex = -1; // Same and Removed
    int newerIndex = -1; // Same and Added
};

// The comparison of two documents: their unit functions are matched by InternalID, which every version of a
// document keeps; a unit function is added, removed, or changed in its name or logic description, whose lines
// are compared with LogicLinesDiffer.
class CDocumentComparison {
public:
    // The unit functions of another document file (or of a stored version) into a registry of their own, rebuilt
    // with the options. Empty when the file cannot be opened or is not a regular file.
    static std::optional<LoadResult> ReadFile(const QString& path, CUnitFunctionRegistry& registry,
                                              const ModelOptions& options);
    static LoadResult ReadStoredVersion(const StoredVersion& version, CUnitFunctionRegistry& registry,
                                        const ModelOptions& options);

    // The report of how `newer` differs from `older`: the added and changed unit functions in the newer one's
    // outline order, each changed one with its removed and added lines, then the removed unit functions in the
    // older one's order, then the counts; one line saying so when nothing differs. A line reads as the statement does,
    // with the keywords of `symbols` and without its indentation.
    static std::vector<ComparisonLine> Compare(const CUnitFunctionRegistry& older, const CUnitFunctionRegistry& newer,
                                               const ModelOptions& options, const std::vector<SyntaxSymbol>& symbols);

    // The report comparing the two sides of `data`. Only lines of the working data lead to a line; those of a
    // stored version lead to their unit function. False when a side cannot be read: `unreadable` then names it
    // (the path, or the version's number) and `result`, when given, says how its read ended.
    static bool CompareSides(const CDocumentData& data, const ComparedSides& sides, std::vector<ComparisonLine>& report,
                             QString& unreadable, LoadResult* result = nullptr);

    // The shortest edit script between two logic descriptions (O(NP) in time at worst, linear memory); lines found on
    // one side only bound the search, so that a few changes among many lines take time linear in the lines. The
    // path's choices are kept for `choicesPerLine` times the lines of both at a time; more are worked out again.
    static constexpr std::size_t DiffChoicesPerLine = 128;
    static std::vector<LineEdit> DiffLines(const LogicLineArray& older, const LogicLineArray& newer,
                                           std::size_t choicesPerLine = DiffChoicesPerLine);
};
