#include "interchange/DocumentComparison.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <limits>
#include <numeric>
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
                                       std::vector<ComparisonLine>& report, QString& unreadable, LoadResult* result) {
    const ModelOptions options = data.GetModelOptions();
    const auto readVersion = [&](int index, CUnitFunctionRegistry& registry) {
        if (index < 0 || index >= static_cast<int>(data.versionHistory.size()))
            return false;
        const StoredVersion& version = data.versionHistory[static_cast<size_t>(index)];
        const LoadResult read = ReadStoredVersion(version, registry, options);
        if (result)
            *result = read;
        if (read == LoadResult::Loaded)
            return true;
        unreadable = version.label.trimmed();
        return false;
    };
    CUnitFunctionRegistry older;
    if (!sides.olderPath.isEmpty()) {
        const std::optional<LoadResult> read = ReadFile(sides.olderPath, older, options);
        if (result)
            *result = read.value_or(LoadResult::MalformedXml);
        if (read != LoadResult::Loaded) {
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
    // An open table of the lines numbered so far, at most half full, probed from the hash's high bits on; each slot
    // holds the hash's low half and the line's number. Its slots are fetched a few lines ahead.
    struct Slot {
        quint32 hash = 0;
        int number = -1;
    };
    int bits = 4;
    while ((std::size_t{1} << bits) < 2 * (a.size() + b.size()))
        ++bits;
    std::vector<Slot> table(std::size_t{1} << bits);
    const std::size_t mask = table.size() - 1;
    std::vector<const CLogicLine*> numbered;
    for (const auto& [lines, out] : {std::pair{&a, &numbersA}, std::pair{&b, &numbersB}}) {
        constexpr std::size_t kAhead = 8;
        std::vector<std::size_t> starts(lines->size());
        std::vector<quint32> hashes(lines->size());
        for (std::size_t i = 0; i < lines->size(); ++i) {
            const std::size_t h = hash((*lines)[i].get());
            hashes[i] = static_cast<quint32>(h);
            starts[i] = (h * 0x9E3779B97F4A7C15ULL) >> (64 - bits);
        }
        out->reserve(lines->size());
        for (std::size_t i = 0; i < lines->size(); ++i) {
            if (i + kAhead < lines->size())
                __builtin_prefetch(&table[starts[i + kAhead]]);
            const CLogicLine* line = (*lines)[i].get();
            std::size_t at = starts[i];
            while (table[at].number >= 0 && (table[at].hash != hashes[i] ||
                                             LinesDiffer(numbered[static_cast<std::size_t>(table[at].number)], line)))
                at = (at + 1) & mask;
            if (table[at].number < 0) {
                table[at] = {hashes[i], static_cast<int>(numbered.size())};
                numbered.push_back(line);
            }
            out->push_back(table[at].number);
        }
    }
}

// Wu, Manber, Myers and Miller's O(NP) algorithm over the shorter sequence A and the longer B. Round p moves the
// furthest point of each diagonal k from -p to delta + p one step (from the diagonal below, "down", when that
// reaches further, else from the one above) and along its snake. A point's cost is the rounds it took; the path's is
// P, the rounds of the search.
//
// Lines found on one side only must be removed or added whatever the path, so from each point they bound the rounds
// still to come from below. Searching with a bound on P, a point whose cost and that bound exceed it leaves its
// diagonal unreached: no point of a shortest path is left so, nor any point that reached as far as one of a shortest
// path's points, so the points and choices of the path are those of the search without bounds. A bound below P
// leaves every diagonal unreached before the end; the search is then made again with a looser one, starting from the
// bound at the origin, where a few changes among many lines keep each round to a few diagonals.
//
// The path is read back from the last snake through the choice made at each one; the choices of all rounds would take
// memory with the square of the differences, so they are kept for a band of rounds at a time, replayed from the
// furthest points where the band begins, and the bands are found by halving the rounds.
class COnpPath {
public:
    COnpPath(const std::vector<int>& a, const std::vector<int>& b, std::size_t choicesPerLine)
        : m_a(a), m_b(b), m_m(static_cast<int>(a.size())), m_n(static_cast<int>(b.size())), m_delta(m_n - m_m),
          m_offset(m_m + 1), m_maxBandChoices(choicesPerLine * (static_cast<std::size_t>(m_m + m_n) + 3)),
          m_onlyInA(LinesNotIn(a, b)), m_onlyInB(LinesNotIn(b, a)) {}

    // The diagonals of the snakes on the path, first to last; the first is diagonal 0 from the origin.
    // Searches that fail cost at most about as much as the search without bounds would: once they have spent more
    // than the rounds up to their last bound take without one, the search is made without bounds.
    std::vector<int> Diagonals() {
        std::vector<int> diagonals;
        const int atOrigin = RoundsStillToCome(0, 0, 0);
        double spent = 0;
        for (int slack = 0;; slack = 2 * slack + 1) {
            const bool bounded = slack < m_m && spent <= UnboundedChoicesUpTo(m_bound);
            m_bound = bounded ? atOrigin + slack : std::numeric_limits<int>::max();
            if (Search(diagonals))
                return diagonals;
            spent += std::accumulate(m_roundWidths.begin(), m_roundWidths.end(), 0.0);
        }
    }

private:
    static constexpr int kUnreached = std::numeric_limits<int>::min() / 2;

    struct Snake {
        int round; // -1 for the origin
        int k;
    };

    // The furthest point of each diagonal, by k + offset, kUnreached where none is; the diagonals that hold one lie
    // between `low` and `high`.
    struct Frontier {
        std::vector<int> furthest;
        int low;
        int high;
    };

    // The choices of consecutive rounds from `first`, round after round, each round by diagonal from its lowest.
    struct Band {
        int first = 0;
        std::vector<bool> down;
        std::vector<std::size_t> roundStart;
        std::vector<int> roundLow;
    };

    // For each start of `lines`, how many of the lines from there have no equal in `other`.
    static std::vector<int> LinesNotIn(const std::vector<int>& lines, const std::vector<int>& other) {
        std::vector<bool> inOther;
        for (const int number : other) {
            if (static_cast<std::size_t>(number) >= inOther.size())
                inOther.resize(static_cast<std::size_t>(number) + 1);
            inOther[static_cast<std::size_t>(number)] = true;
        }
        std::vector<int> counts(lines.size() + 1, 0);
        for (std::size_t i = lines.size(); i-- > 0;) {
            const auto number = static_cast<std::size_t>(lines[i]);
            counts[i] = counts[i + 1] + (number < inOther.size() && inOther[number] ? 0 : 1);
        }
        return counts;
    }

    // At least how many rounds a path from (x, y) on diagonal k still takes: its lines of A without an equal in B are
    // removed, its lines of B without an equal in A added; above diagonal delta removals cost a round only past the
    // removals the diagonal asks for, below it additions.
    int RoundsStillToCome(int x, int y, int k) const {
        const int removals = m_onlyInA[static_cast<std::size_t>(std::min(x, m_m))] - std::max(0, k - m_delta);
        const int additions = m_onlyInB[static_cast<std::size_t>(std::min(y, m_n))] - std::max(0, m_delta - k);
        return std::max({0, removals, additions});
    }

    // The choices the search without bounds makes in rounds 0..`round`.
    double UnboundedChoicesUpTo(int round) const {
        const double rounds = std::min(round, m_m) + 1.0;
        return rounds * (rounds + m_delta);
    }

    // The search under m_bound; false when it left every diagonal unreached before the end.
    bool Search(std::vector<int>& diagonals) {
        diagonals.clear();
        m_roundWidths.clear();
        // The diagonal below the origin's holds -1 so that round 0 starts at the origin.
        Frontier frontier{std::vector<int>(static_cast<std::size_t>(m_m + m_n + 3), kUnreached), 1, m_delta - 1};
        frontier.furthest[static_cast<std::size_t>(m_offset - 1)] = -1;
        // The first rounds' choices while they fit; the rounds after them replayed from where they end.
        Band first;
        Frontier afterFirst;
        bool recording = true;
        int rounds = 0;
        for (int p = 0; frontier.furthest[static_cast<std::size_t>(m_delta + m_offset)] != m_n; ++p, ++rounds) {
            if (p > 0 && frontier.low > frontier.high)
                return false;
            m_roundWidths.push_back(RoundWidth(p, frontier));
            if (recording && first.down.size() + m_roundWidths.back() <= m_maxBandChoices) {
                RecordRound(p, frontier, first);
                continue;
            }
            if (recording)
                afterFirst = frontier;
            recording = false;
            Round(p, frontier, [](int, bool) {});
        }
        Snake last{rounds - 1, m_delta};
        if (!recording)
            last = Backtrack(static_cast<int>(first.roundStart.size()), rounds - 1, afterFirst, last, diagonals);
        WalkBack(first, last, diagonals);
        std::reverse(diagonals.begin(), diagonals.end());
        return true;
    }

    // The diagonals round p may reach from `frontier`: one past the last round's at either end, and on towards delta
    // as far as the round's own steps reach; delta always.
    int RoundLow(int p, const Frontier& frontier) const { return std::max(-p, std::min(frontier.low - 1, m_delta)); }
    int RoundHigh(int p, const Frontier& frontier) const {
        return std::min(m_delta + p, std::max(frontier.high + 1, m_delta));
    }
    std::size_t RoundWidth(int p, const Frontier& frontier) const {
        return static_cast<std::size_t>(RoundHigh(p, frontier) - RoundLow(p, frontier) + 1);
    }

    // One round over `frontier`; `choice(k, down)` hears each diagonal in the order of the round. Below delta a
    // diagonal hears its neighbour below from this round and the one above from the round before; above delta the
    // other way round. A point is left unreached when the bound says so at either end of the diagonals reached, and
    // where the round reaches on beyond the last round's.
    template <typename Choice> void Round(int p, Frontier& frontier, Choice choice) const {
        int* fp = frontier.furthest.data() + m_offset;
        const int low = RoundLow(p, frontier);
        const int high = RoundHigh(p, frontier);
        const auto snake = [&](int k) {
            const int down = fp[k - 1] + 1;
            const int right = fp[k + 1];
            int y = std::max(down, right);
            choice(k, down > right);
            if (y < 0) {
                fp[k] = kUnreached;
                return;
            }
            int x = y - k;
            while (x < m_m && y < m_n && m_a[x] == m_b[y]) {
                ++x;
                ++y;
            }
            fp[k] = y;
        };
        const auto leftUnreached = [&](int k) {
            if (fp[k] != kUnreached && p + RoundsStillToCome(fp[k] - k, fp[k], k) > m_bound)
                fp[k] = kUnreached;
            return fp[k] == kUnreached;
        };
        // Beyond the last round's diagonals a diagonal is reached only from the one before it in this round.
        for (int k = low; k < m_delta; ++k) {
            snake(k);
            if (k > frontier.high && leftUnreached(k))
                break;
        }
        for (int k = high; k > m_delta; --k) {
            snake(k);
            if (k < frontier.low && leftUnreached(k))
                break;
        }
        snake(m_delta);
        frontier.low = low;
        frontier.high = high;
        while (frontier.low <= frontier.high && leftUnreached(frontier.low))
            ++frontier.low;
        while (frontier.low <= frontier.high && leftUnreached(frontier.high))
            --frontier.high;
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

    // Adds the diagonals of the path's snakes of rounds first..last, from `target` back, to `diagonals`, and returns
    // the snake before them. `frontier` is where round `first` starts.
    Snake Backtrack(int first, int last, const Frontier& frontier, Snake target, std::vector<int>& diagonals) const {
        std::size_t choices = 0;
        for (int p = first; p <= last && choices <= m_maxBandChoices; ++p)
            choices += m_roundWidths[static_cast<std::size_t>(p)];
        if (choices > m_maxBandChoices && first < last) {
            const int middle = first + (last - first) / 2;
            if (target.round > middle) {
                Frontier atMiddle = frontier;
                for (int p = first; p <= middle; ++p)
                    Round(p, atMiddle, [](int, bool) {});
                target = Backtrack(middle + 1, last, atMiddle, target, diagonals);
            }
            return Backtrack(first, middle, frontier, target, diagonals);
        }
        Band band;
        band.first = first;
        band.down.reserve(choices);
        Frontier replayed = frontier;
        for (int p = first; p <= last; ++p)
            RecordRound(p, replayed, band);
        return WalkBack(band, target, diagonals);
    }

    // Round p over `frontier`, its choices added to the band.
    void RecordRound(int p, Frontier& frontier, Band& band) const {
        const std::size_t at = band.down.size();
        const int low = RoundLow(p, frontier);
        band.roundStart.push_back(at);
        band.roundLow.push_back(low);
        band.down.resize(at + RoundWidth(p, frontier));
        Round(p, frontier,
              [&band, at, low](int k, bool fromDown) { band.down[at + static_cast<std::size_t>(k - low)] = fromDown; });
    }

    // Adds the diagonals of the path's snakes in the band, from `target` back; returns the snake before them.
    Snake WalkBack(const Band& band, Snake target, std::vector<int>& diagonals) const {
        while (target.round >= band.first) {
            diagonals.push_back(target.k);
            const auto round = static_cast<std::size_t>(target.round - band.first);
            const std::size_t choice =
                band.roundStart[round] + static_cast<std::size_t>(target.k - band.roundLow[round]);
            target = Previous(target, band.down[choice]);
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
    std::vector<int> m_onlyInA;
    std::vector<int> m_onlyInB;
    int m_bound = std::numeric_limits<int>::max();
    std::vector<std::size_t> m_roundWidths; // the choices each round of the search makes
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
