#include "interchange/DocumentComparison.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>

namespace {

bool LinesDiffer(const CLogicLine* a, const CLogicLine* b) {
    if (!a || !b)
        return a != b;
    return LogicLinesDiffer(*a, *b);
}

// The line as the statement reads, without its indentation.
QString LineText(const CLogicLine* line, const CUnitFunction& function, const CUnitFunctionRegistry& registry,
                 const ModelOptions& options, const std::vector<SyntaxSymbol>& symbols) {
    if (!line)
        return QString();
    const QString text = ComposePlainLineText(*line, function, registry, symbols, options);
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == u' ')
        ++blanks;
    return text.mid(blanks);
}

bool DescriptionsDiffer(const LogicLineArray& a, const LogicLineArray& b) {
    return !std::equal(a.begin(), a.end(), b.begin(), b.end(),
                       [](const auto& x, const auto& y) { return !LinesDiffer(x.get(), y.get()); });
}

} // namespace

std::optional<LoadResult> CDocumentComparison::ReadFile(const QString& path, CUnitFunctionRegistry& registry,
                                                        const ModelOptions& options) {
    QFile file;
    if (!platform::OpenRegularFileForReading(file, path))
        return std::nullopt;
    const LoadResult result = ReadFunctionsFromDocument(file, registry);
    registry.Rebuild(options);
    return result;
}

LoadResult CDocumentComparison::ReadStoredVersion(const StoredVersion& version, CUnitFunctionRegistry& registry,
                                                  const ModelOptions& options) {
    // A stored version is one "Document" element; the reader takes it below a root as in a file.
    QByteArray text = QByteArrayLiteral("<NUV>") + version.xml.toUtf8() + QByteArrayLiteral("</NUV>");
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    const LoadResult result = ReadFunctionsFromDocument(buffer, registry);
    registry.Rebuild(options);
    return result;
}

std::vector<ComparisonLine> CDocumentComparison::Compare(const CUnitFunctionRegistry& older,
                                                         const CUnitFunctionRegistry& newer,
                                                         const ModelOptions& options,
                                                         const std::vector<SyntaxSymbol>& symbols) {
    const bool distinguish = options.DistinguishPrimaryOutlineNumber;
    std::vector<ComparisonLine> report;
    int added = 0;
    int removed = 0;
    int changed = 0;
    for (const CUnitFunction* function : newer.InOutlineOrder(options.DistinguishPrimaryOutlineNumber)) {
        const QString number = function->GetOutlineNumberText(distinguish);
        const CUnitFunction* before = older.FindByInternalID(function->InternalID);
        if (!before) {
            ++added;
            report.push_back(
                {LoadString(StringId::ComparisonFunctionAdded).arg(number, function->name), function->InternalID});
            continue;
        }
        const bool renamed = before->name != function->name;
        if (!renamed && !DescriptionsDiffer(before->logicLines, function->logicLines))
            continue;
        ++changed;
        report.push_back(
            {renamed ? LoadString(StringId::ComparisonFunctionRenamed).arg(number, before->name, function->name)
                     : LoadString(StringId::ComparisonFunctionChanged).arg(number, function->name),
             function->InternalID});
        for (const LineEdit& edit : DiffLines(before->logicLines, function->logicLines)) {
            if (edit.kind == LineEdit::Removed)
                report.push_back(
                    {LoadString(StringId::ComparisonLineRemoved)
                         .arg(number)
                         .arg(edit.olderIndex + 1)
                         .arg(LineText(before->logicLines[edit.olderIndex].get(), *before, older, options, symbols)),
                     function->InternalID});
            else if (edit.kind == LineEdit::Added)
                report.push_back({LoadString(StringId::ComparisonLineAdded)
                                      .arg(number)
                                      .arg(edit.newerIndex + 1)
                                      .arg(LineText(function->logicLines[edit.newerIndex].get(), *function, newer,
                                                    options, symbols)),
                                  function->InternalID, edit.newerIndex});
        }
    }
    for (const CUnitFunction* function : older.InOutlineOrder(options.DistinguishPrimaryOutlineNumber)) {
        if (newer.FindByInternalID(function->InternalID))
            continue;
        ++removed;
        report.push_back({LoadString(StringId::ComparisonFunctionRemoved)
                              .arg(function->GetOutlineNumberText(distinguish), function->name),
                          function->InternalID});
    }
    if (report.empty())
        report.push_back({LoadString(StringId::ComparisonNoDifference)});
    else
        report.push_back({LoadString(StringId::ComparisonSummary).arg(added).arg(removed).arg(changed)});
    return report;
}

bool CDocumentComparison::CompareSides(const CDocumentData& data, const ComparedSides& sides,
                                       std::vector<ComparisonLine>& report, QString& unreadable) {
    const ModelOptions options = data.GetModelOptions();
    const auto readVersion = [&](int index, CUnitFunctionRegistry& registry) {
        if (index < 0 || index >= static_cast<int>(data.versionHistory.size()))
            return false;
        const StoredVersion& version = data.versionHistory[static_cast<size_t>(index)];
        if (ReadStoredVersion(version, registry, options) == LoadResult::Loaded)
            return true;
        unreadable = version.label.trimmed();
        return false;
    };
    CUnitFunctionRegistry older;
    if (!sides.olderPath.isEmpty()) {
        if (ReadFile(sides.olderPath, older, options) != LoadResult::Loaded) {
            unreadable = sides.olderPath;
            return false;
        }
    } else if (!readVersion(sides.olderVersion, older)) {
        return false;
    }
    const bool withWorkingData = sides.newerVersion < 0;
    CUnitFunctionRegistry stored;
    if (!withWorkingData && !readVersion(sides.newerVersion, stored))
        return false;
    report = Compare(older, withWorkingData ? data.registry : stored, options, data.SyntaxSymbols);
    if (!withWorkingData) {
        for (ComparisonLine& line : report)
            line.lineIndex = -1;
    }
    return true;
}

std::vector<LineEdit> CDocumentComparison::DiffLines(const LogicLineArray& older, const LogicLineArray& newer) {
    // Wu, Manber, Myers and Miller's O(NP) algorithm over the shorter sequence A and the longer B; the furthest
    // point of each diagonal keeps the snake that reached it, so the script is read back from the last one.
    const bool swapped = older.size() > newer.size();
    const LogicLineArray& a = swapped ? newer : older;
    const LogicLineArray& b = swapped ? older : newer;
    const int m = static_cast<int>(a.size());
    const int n = static_cast<int>(b.size());
    const int delta = n - m;
    const int offset = m + 1;
    struct Point {
        int x;
        int y;
        int previous;
    };
    std::vector<Point> points;
    std::vector<int> furthest(static_cast<std::size_t>(m + n + 3), -1);
    std::vector<int> pathOf(furthest.size(), -1);
    const auto snake = [&](int k) {
        const int down = furthest[k - 1 + offset] + 1;
        const int right = furthest[k + 1 + offset];
        const int previous = down > right ? pathOf[k - 1 + offset] : pathOf[k + 1 + offset];
        int y = std::max(down, right);
        int x = y - k;
        while (x < m && y < n && !LinesDiffer(a[x].get(), b[y].get())) {
            ++x;
            ++y;
        }
        furthest[k + offset] = y;
        pathOf[k + offset] = static_cast<int>(points.size());
        points.push_back({x, y, previous});
    };
    for (int p = 0; furthest[delta + offset] != n; ++p) {
        for (int k = -p; k < delta; ++k)
            snake(k);
        for (int k = delta + p; k > delta; --k)
            snake(k);
        snake(delta);
    }
    std::vector<Point> path;
    for (int at = pathOf[delta + offset]; at >= 0; at = points[at].previous)
        path.push_back(points[at]);
    std::reverse(path.begin(), path.end());

    std::vector<LineEdit> script;
    int x = 0;
    int y = 0;
    const auto append = [&](LineEdit::Kind kind, int ia, int ib) {
        if (swapped) {
            std::swap(ia, ib);
            if (kind != LineEdit::Same)
                kind = kind == LineEdit::Added ? LineEdit::Removed : LineEdit::Added;
        }
        script.push_back({kind, ia, ib});
    };
    for (const Point& point : path) {
        while (x < point.x || y < point.y) {
            if (point.y - point.x > y - x) {
                append(LineEdit::Added, -1, y);
                ++y;
            } else if (point.y - point.x < y - x) {
                append(LineEdit::Removed, x, -1);
                ++x;
            } else {
                append(LineEdit::Same, x, y);
                ++x;
                ++y;
            }
        }
    }
    return script;
}
