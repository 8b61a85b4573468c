#include "interchange/DocumentComparison.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <unordered_map>
#include <utility>

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

namespace {

// Numbers the lines of both sequences alike: equal numbers for lines that do not differ.
void NumberLines(const LogicLineArray& a, const LogicLineArray& b, std::vector<int>& numbersA,
                 std::vector<int>& numbersB) {
    const auto hash = [](const CLogicLine* line) {
        if (!line)
            return std::size_t{0};
        std::size_t h = qHash(line->lineKind);
        for (int slot = 0; slot < CLogicLine::SlotsOfKind(line->lineKind); ++slot)
            h = h * 31 + qHash(line->textSlots[slot].text);
        return h;
    };
    const auto same = [](const CLogicLine* x, const CLogicLine* y) { return !LinesDiffer(x, y); };
    std::unordered_map<const CLogicLine*, int, decltype(hash), decltype(same)> numbers(a.size() + b.size(), hash, same);
    for (const auto& [lines, out] : {std::pair{&a, &numbersA}, std::pair{&b, &numbersB}}) {
        out->reserve(lines->size());
        for (const auto& line : *lines)
            out->push_back(numbers.emplace(line.get(), static_cast<int>(numbers.size())).first->second);
    }
}

// Wu, Manber, Myers and Miller's O(NP) algorithm over the shorter sequence A and the longer B. Round p moves the
// furthest point of each diagonal k from -p to delta + p one step (from the diagonal below, "down", when that
// reaches further, else from the one above) and along its snake. The path is read back from the last snake through
// the choice made at each one; the choices of all rounds would take memory with the square of the differences, so
// they are kept for a band of rounds at a time, replayed from the furthest points where the band begins, and the
// bands are found by halving the rounds.
class COnpPath {
public:
    COnpPath(const std::vector<int>& a, const std::vector<int>& b, std::size_t choicesPerLine)
        : m_a(a), m_b(b), m_m(static_cast<int>(a.size())), m_n(static_cast<int>(b.size())), m_delta(m_n - m_m),
          m_offset(m_m + 1), m_maxBandChoices(choicesPerLine * (static_cast<std::size_t>(m_m + m_n) + 3)) {}

    // The diagonals of the snakes on the path, first to last; the first is diagonal 0 from the origin.
    std::vector<int> Diagonals() const {
        std::vector<int> furthest(static_cast<std::size_t>(m_m + m_n + 3), -1);
        // The first rounds' choices while they fit; the rounds after them replayed from where they end.
        Band first;
        first.down.reserve(m_maxBandChoices);
        std::vector<int> afterFirst;
        bool recording = true;
        int rounds = 0;
        for (int p = 0; furthest[m_delta + m_offset] != m_n; ++p, ++rounds) {
            if (recording && first.down.size() + RoundWidth(p, m_delta) <= m_maxBandChoices) {
                RecordRound(p, furthest, first);
                continue;
            }
            if (recording)
                afterFirst = furthest;
            recording = false;
            Round(p, furthest, [](int, bool) {});
        }
        std::vector<int> diagonals;
        Snake last{rounds - 1, m_delta};
        if (!recording)
            last = Backtrack(static_cast<int>(first.roundStart.size()), rounds - 1, afterFirst, last, diagonals);
        WalkBack(first, last, diagonals);
        std::reverse(diagonals.begin(), diagonals.end());
        return diagonals;
    }

private:
    struct Snake {
        int round; // -1 for the origin
        int k;
    };

    // One round over `furthest`; `choice(k, down)` hears each diagonal in the order of the round.
    template <typename Choice> void Round(int p, std::vector<int>& furthest, Choice choice) const {
        int* fp = furthest.data() + m_offset;
        const auto snake = [&](int k) {
            const int down = fp[k - 1] + 1;
            const int right = fp[k + 1];
            int y = std::max(down, right);
            int x = y - k;
            while (x < m_m && y < m_n && m_a[x] == m_b[y]) {
                ++x;
                ++y;
            }
            fp[k] = y;
            choice(k, down > right);
        };
        for (int k = -p; k < m_delta; ++k)
            snake(k);
        for (int k = m_delta + p; k > m_delta; --k)
            snake(k);
        snake(m_delta);
    }

    // The snake whose furthest point the snake came from: the neighbour's of this round when the round had moved
    // it already, else of the round before; the origin when it had never moved.
    Snake Previous(Snake snake, bool down) const {
        const int p = snake.round;
        const int k = snake.k;
        const int from = down ? k - 1 : k + 1;
        bool movedThisRound;
        if (k < m_delta)
            movedThisRound = down && from >= -p;
        else if (k > m_delta)
            movedThisRound = !down && from <= m_delta + p;
        else
            movedThisRound = from >= -p && from <= m_delta + p;
        if (movedThisRound)
            return {p, from};
        if (p >= 1 && from >= -(p - 1) && from <= m_delta + p - 1)
            return {p - 1, from};
        return {-1, from};
    }

    static std::size_t RoundWidth(int p, int delta) { return static_cast<std::size_t>(2 * p + delta + 1); }

    // Adds the diagonals of the path's snakes of rounds first..last, from `target` back, to `diagonals`, and returns
    // the snake before them. `furthest` holds the furthest points before round `first`.
    Snake Backtrack(int first, int last, const std::vector<int>& furthest, Snake target,
                    std::vector<int>& diagonals) const {
        std::size_t choices = 0;
        for (int p = first; p <= last && choices <= m_maxBandChoices; ++p)
            choices += RoundWidth(p, m_delta);
        if (choices > m_maxBandChoices && first < last) {
            const int middle = first + (last - first) / 2;
            if (target.round > middle) {
                std::vector<int> atMiddle = furthest;
                for (int p = first; p <= middle; ++p)
                    Round(p, atMiddle, [](int, bool) {});
                target = Backtrack(middle + 1, last, atMiddle, target, diagonals);
            }
            return Backtrack(first, middle, furthest, target, diagonals);
        }
        Band band{first, {}, {}};
        band.down.reserve(choices);
        std::vector<int> replayed = furthest;
        for (int p = first; p <= last; ++p)
            RecordRound(p, replayed, band);
        return WalkBack(band, target, diagonals);
    }

    // The choices of consecutive rounds from `first`, round after round, each round by diagonal.
    struct Band {
        int first = 0;
        std::vector<bool> down;
        std::vector<std::size_t> roundStart;
    };

    // Round p over `furthest`, its choices added to the band.
    void RecordRound(int p, std::vector<int>& furthest, Band& band) const {
        const std::size_t at = band.down.size();
        band.roundStart.push_back(at);
        band.down.resize(at + RoundWidth(p, m_delta));
        Round(p, furthest,
              [&band, at, p](int k, bool fromDown) { band.down[at + static_cast<std::size_t>(k + p)] = fromDown; });
    }

    // Adds the diagonals of the path's snakes in the band, from `target` back; returns the snake before them.
    Snake WalkBack(const Band& band, Snake target, std::vector<int>& diagonals) const {
        while (target.round >= band.first) {
            diagonals.push_back(target.k);
            const std::size_t round = static_cast<std::size_t>(target.round - band.first);
            target =
                Previous(target, band.down[band.roundStart[round] + static_cast<std::size_t>(target.k + target.round)]);
        }
        return target;
    }

    const std::vector<int>& m_a;
    const std::vector<int>& m_b;
    int m_m;
    int m_n;
    int m_delta;
    int m_offset;
    std::size_t m_maxBandChoices;
};

} // namespace

std::vector<LineEdit> CDocumentComparison::DiffLines(const LogicLineArray& older, const LogicLineArray& newer,
                                                     std::size_t choicesPerLine) {
    const bool swapped = older.size() > newer.size();
    std::vector<int> a;
    std::vector<int> b;
    NumberLines(swapped ? newer : older, swapped ? older : newer, a, b);
    const int m = static_cast<int>(a.size());
    const int n = static_cast<int>(b.size());

    std::vector<LineEdit> script;
    const auto append = [&](LineEdit::Kind kind, int ia, int ib) {
        if (swapped) {
            std::swap(ia, ib);
            if (kind != LineEdit::Same)
                kind = kind == LineEdit::Added ? LineEdit::Removed : LineEdit::Added;
        }
        script.push_back({kind, ia, ib});
    };
    // Each snake after the first begins with one step from the diagonal before it.
    int x = 0;
    int y = 0;
    int diagonal = 0;
    for (const int k : COnpPath(a, b, choicesPerLine).Diagonals()) {
        if (k > diagonal)
            append(LineEdit::Added, -1, y++);
        else if (k < diagonal)
            append(LineEdit::Removed, x++, -1);
        diagonal = k;
        for (; x < m && y < n && a[x] == b[y]; ++x, ++y)
            append(LineEdit::Same, x, y);
    }
    return script;
}
