#include "logic/InspectionView.h"

#include "logic/JumperToAnywhere.h"
#include "logic/JumperToLineInLogic.h"
#include "model/TextUtilities.h"
#include "model/UnitFunction.h"

#include <QDateTime>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

InspectionLineRecord MakeRecord(const QString& text, qint32 internalId, qint32 lineIndex) {
    InspectionLineRecord record;
    if (!text.isEmpty())
        record.text = text;
    record.internalId = internalId;
    record.lineIndex = lineIndex;
    return record;
}

// A line from its two parts.
QString Joined(const QString& head, const QString& tail) {
    return tail.isNull() ? head : head + tail;
}

// A line as the pane shows it, reading no more of its parts than it shows.
QString ShownLine(const QString& head, const QString& tail) {
    if (tail.isEmpty() || head.size() > CInspectionView::ShownLineLength)
        return ShownText(head, 0, 0, CInspectionView::ShownLineLength);
    return ShownText(head + tail.left(CInspectionView::ShownLineLength + 1 - head.size()), 0, 0,
                     CInspectionView::ShownLineLength);
}

// The columns a line takes as the pane shows it: they set how far it scrolls.
qsizetype ShownColumns(const QString& head, const QString& tail = QString()) {
    if (head.size() + tail.size() <= CInspectionView::ShownLineLength)
        return TextColumns(head) + TextColumns(tail);
    return TextColumns(ShownLine(head, tail));
}

} // namespace

CInspectionView::CInspectionView(QObject* parent) : QObject(parent) {}

CInspectionView::~CInspectionView() = default;

void CInspectionView::ClearMessages() {
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        // Swapped out, not cleared: a large run's lists give their memory back.
        std::vector<Block>().swap(m_textBlocks);
        std::vector<Block>().swap(m_messageBlocks);
        std::vector<PlainLine>().swap(m_plain);
        std::vector<Finding>().swap(m_findings);
        std::vector<Layout>().swap(m_layouts);
        std::vector<TargetLine>().swap(m_targetLines);
        std::vector<TargetRun>().swap(m_runs);
        std::deque<quint32>().swap(m_runTargets);
        std::vector<InspectionLineRecord>().swap(m_lines);
        m_textCount = 0;
        m_messageCount = 0;
        m_widestLine = -1;
        m_widestColumns = -1;
        advancedSearchResults = 0;
        obscureWordResults = 0;
        ++m_generation;
        announce = MarkWaiting();
    }
    emit Cleared();
    AnnounceWaiting(announce);
}

void CInspectionView::AddMessage(QString text, std::unique_ptr<CJumper> jumper) {
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        AppendPlain(std::move(text), std::move(jumper));
        m_messageBlocks.push_back({m_messageCount++, m_textBlocks.back().source});
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
}

void CInspectionView::AddMessageWithoutTarget(const QString& text) {
    AddMessage(text, std::make_unique<CJumperToAnywhere>());
}

quint32 CInspectionView::AddFindingLayout(InspectionFindingLayout layout) {
    std::vector<qsizetype> columns;
    for (const QString& text : layout.texts)
        columns.push_back(ShownColumns(text));
    QMutexLocker lock(&m_mutex);
    m_layouts.push_back({std::move(layout), std::move(columns)});
    return static_cast<quint32>(m_layouts.size() - 1);
}

quint32 CInspectionView::AddTargetLine(InspectionTargetLine line) {
    const qsizetype columns = ShownColumns(line.place, line.text);
    QMutexLocker lock(&m_mutex);
    m_targetLines.push_back({std::move(line), columns});
    return static_cast<quint32>(m_targetLines.size() - 1);
}

void CInspectionView::AddFinding(quint32 layout, const std::array<quint32, 4>& targets) {
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        const auto finding = static_cast<quint32>(m_findings.size());
        m_findings.push_back({layout, targets});
        const Layout& parts = m_layouts[layout];
        const quint32 count = BlockLineCount(finding);
        for (quint32 offset = 0; offset < count; ++offset) {
            const qint8 part = parts.layout.parts[offset];
            Widen(m_textCount + offset, part >= 0 ? parts.columns[part] : m_targetLines[targets[-1 - part]].columns);
        }
        m_textBlocks.push_back({m_textCount, finding});
        m_textCount += count;
        m_messageBlocks.push_back({m_messageCount, finding});
        m_messageCount += count;
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
}

void CInspectionView::AddTargetLines(std::span<const quint32> targets) {
    if (targets.empty())
        return;
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        if (targets.size() > MaxLines - m_textCount)
            throw InspectionViewFull();
        const auto run = static_cast<quint32>(m_runs.size()) | kTargets;
        m_runs.push_back({static_cast<quint32>(m_runTargets.size()), static_cast<quint32>(targets.size())});
        for (const quint32 target : targets) {
            Widen(m_textCount++, m_targetLines[target].columns);
            m_runTargets.push_back(target);
        }
        m_textBlocks.push_back({m_textCount - m_runs.back().count, run});
        m_messageBlocks.push_back({m_messageCount, run});
        m_messageCount += m_runs.back().count;
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
}

std::pair<const CInspectionView::Block*, quint32> CInspectionView::Find(const std::vector<Block>& blocks,
                                                                        quint32 line) {
    const auto after = std::upper_bound(blocks.begin(), blocks.end(), line,
                                        [](quint32 value, const Block& block) { return value < block.first; });
    const Block& block = *(after - 1);
    return {&block, line - block.first};
}

quint32 CInspectionView::BlockLineCount(quint32 source) const {
    if (source & kTargets)
        return m_runs[source & ~kTargets].count;
    return static_cast<quint32>(m_layouts[m_findings[source].layout].layout.parts.size());
}

const CInspectionView::TargetLine* CInspectionView::BlockTarget(quint32 source, quint32 offset) const {
    if (source & kTargets)
        return &m_targetLines[m_runTargets[m_runs[source & ~kTargets].first + offset]];
    const Finding& record = m_findings[source];
    const qint8 part = m_layouts[record.layout].layout.parts[offset];
    return part < 0 ? &m_targetLines[record.targets[-1 - part]] : nullptr;
}

std::shared_ptr<const CJumper> CInspectionView::BlockJumper(quint32 source, quint32 offset) const {
    const TargetLine* target = BlockTarget(source, offset);
    if (target && target->line.inFunction)
        return std::make_shared<CJumperToLineInLogic>(target->line.internalId, target->line.lineIndex);
    return std::make_shared<CJumperToAnywhere>();
}

template <typename Text> void CInspectionView::ForEachLine(qint32 first, qint32 count, Text text) const {
    const auto begin = static_cast<quint32>(std::clamp(first, 0, static_cast<qint32>(m_textCount)));
    const quint32 end = std::min(m_textCount, begin + static_cast<quint32>(std::max(count, 0)));
    if (begin == end)
        return;
    // One search for the first line; the others follow block by block.
    auto [block, offset] = Find(m_textBlocks, begin);
    const Block* const last = m_textBlocks.data() + m_textBlocks.size() - 1;
    for (quint32 line = begin; line < end; ++line) {
        if (block->source & kPlain) {
            text(m_plain[block->source & ~kPlain].text, QString());
        } else if (block->source & kTargets) {
            const InspectionTargetLine& target = BlockTarget(block->source, offset)->line;
            text(target.place, target.text);
        } else {
            const Finding& finding = m_findings[block->source];
            const InspectionFindingLayout& layout = m_layouts[finding.layout].layout;
            const qint8 part = layout.parts[offset];
            if (part >= 0) {
                text(layout.texts[part], QString());
            } else {
                const InspectionTargetLine& target = m_targetLines[finding.targets[-1 - part]].line;
                text(target.place, target.text);
            }
        }
        ++offset;
        while (block != last && block[1].first == line + 1) {
            ++block;
            offset = 0;
        }
    }
}

QString CInspectionView::TextAt(quint32 line) const {
    QString text;
    ForEachLine(static_cast<qint32>(line), 1,
                [&text](const QString& head, const QString& tail) { text = Joined(head, tail); });
    return text;
}

void CInspectionView::Widen(quint32 line, qsizetype columns) {
    if (columns > m_widestColumns) {
        m_widestLine = static_cast<qint32>(line);
        m_widestColumns = columns;
    }
}

void CInspectionView::AppendPlain(QString text, std::shared_ptr<const CJumper> jumper) {
    Widen(m_textCount, ShownColumns(text));
    m_plain.push_back({std::move(text), std::move(jumper)});
    m_textBlocks.push_back({m_textCount++, static_cast<quint32>(m_plain.size() - 1) | kPlain});
}

void CInspectionView::SplitBlockAt(quint32 line) {
    const auto [found, offset] = Find(m_textBlocks, line);
    if ((found->source & kPlain) || offset == 0)
        return;
    const quint32 source = found->source;
    const quint32 first = found->first;
    const quint32 count = BlockLineCount(source);
    std::vector<Block> lines;
    for (quint32 i = 0; i < count; ++i) {
        m_plain.push_back({TextAt(first + i), BlockJumper(source, i)});
        lines.push_back({first + i, static_cast<quint32>(m_plain.size() - 1) | kPlain});
    }
    const auto at = m_textBlocks.begin() + (found - m_textBlocks.data());
    m_textBlocks.insert(m_textBlocks.erase(at), lines.begin(), lines.end());
    // The block's jump lines keep what they had: the message list shows the same lines.
    const auto message = std::find_if(m_messageBlocks.begin(), m_messageBlocks.end(),
                                      [source](const Block& block) { return block.source == source; });
    const quint32 firstMessage = message->first;
    for (quint32 i = 0; i < count; ++i)
        lines[i].first = firstMessage + i;
    m_messageBlocks.insert(m_messageBlocks.erase(message), lines.begin(), lines.end());
}

void CInspectionView::AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex) {
    AppendRecord(MakeRecord(text, unitFunction ? static_cast<qint32>(unitFunction->InternalID) : 0, lineIndex));
}

void CInspectionView::AddLineWithLocation(const FindHit& hit, const QString& text) {
    const bool located = hit.location.kind <= ResultLine::LogicDescriptionLine;
    InspectionLineRecord record = MakeRecord(text, located ? hit.location.internalId : 0, hit.lineIndex);
    record.location = hit.location;
    AppendRecord(std::move(record));
}

void CInspectionView::AppendRecord(InspectionLineRecord record) {
    std::optional<qint64> resultsTime;
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        AppendPlain(record.text, nullptr);
        m_lines.push_back(std::move(record));
        resultsTime = TouchResultsTime();
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
    if (resultsTime)
        emit ResultsTimeChanged(*resultsTime);
}

void CInspectionView::InsertLine(const QString& text, qint32 position) {
    InspectionLineRecord record = MakeRecord(text, 0, 0);
    std::optional<qint64> resultsTime;
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        if (position >= 0 && position <= static_cast<qint32>(m_lines.size())) {
            m_lines.insert(m_lines.begin() + position, std::move(record));
            // The text list and the record list line up only when a producer writes record lines alone.
            if (static_cast<quint32>(position) >= m_textCount) {
                AppendPlain(text, nullptr);
            } else {
                SplitBlockAt(static_cast<quint32>(position));
                const auto [found, offset] = Find(m_textBlocks, static_cast<quint32>(position));
                const auto at = m_textBlocks.begin() + (found - m_textBlocks.data());
                m_plain.push_back({text, nullptr});
                for (auto later = at; later != m_textBlocks.end(); ++later)
                    ++later->first;
                m_textBlocks.insert(
                    at, {static_cast<quint32>(position), static_cast<quint32>(m_plain.size() - 1) | kPlain});
                ++m_textCount;
                if (m_widestLine >= position)
                    ++m_widestLine;
                Widen(static_cast<quint32>(position), ShownColumns(text));
                // A line in the middle: the widget shows the list afresh.
                ++m_generation;
            }
        } else {
            m_lines.push_back(std::move(record));
            AppendPlain(text, nullptr);
        }
        resultsTime = TouchResultsTime();
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
    if (resultsTime)
        emit ResultsTimeChanged(*resultsTime);
}

std::optional<InspectionLineRecord> CInspectionView::GetLineRecord(qint32 index) const {
    if (index < 0)
        throw std::invalid_argument("CInspectionView::GetLineRecord: negative index");
    QMutexLocker lock(&m_mutex);
    if (index >= static_cast<qint32>(m_lines.size()))
        return std::nullopt;
    return m_lines[index];
}

void CInspectionView::OnLineDoubleClick(qint32 line, CJumpHandler& handler) const {
    if (const std::shared_ptr<const CJumper> jumper = JumperAt(line))
        jumper->Jump(handler);
    if (line < 0)
        return;
    const std::optional<InspectionLineRecord> record = GetLineRecord(line);
    if (!record || record->internalId == 0 || !handler.OpenFunction(record->internalId))
        return;
    if (advancedSearchResults != 0 || obscureWordResults != 0)
        handler.SelectSearchHit(record->location, record->lineIndex);
    else if (record->lineIndex >= 0)
        handler.GoToLogicLine(record->lineIndex + 1);
    else
        handler.FocusHeaderField(-record->lineIndex);
}

InspectionViewLines CInspectionView::TakeLines(quint64 generation, int shown) {
    InspectionViewLines taken;
    QMutexLocker lock(&m_mutex);
    taken.generation = m_generation;
    taken.restart = generation != m_generation;
    const int first = taken.restart ? 0 : std::clamp(shown, 0, static_cast<int>(m_textCount));
    taken.count = static_cast<int>(m_textCount) - first;
    taken.widestLine = m_widestLine;
    if (m_widestLine >= 0)
        ForEachLine(m_widestLine, 1,
                    [&taken](const QString& head, const QString& tail) { taken.widest = ShownLine(head, tail); });
    m_waitingAnnounced = false;
    return taken;
}

QStringList CInspectionView::Lines() const {
    return LinesFrom(0, std::numeric_limits<qint32>::max());
}

QStringList CInspectionView::LinesFrom(qint32 first, qint32 count) const {
    QStringList lines;
    QMutexLocker lock(&m_mutex);
    ForEachLine(first, count, [&lines](const QString& head, const QString& tail) { lines.append(Joined(head, tail)); });
    return lines;
}

QStringList CInspectionView::ShownLinesFrom(qint32 first, qint32 count) const {
    QStringList lines;
    QMutexLocker lock(&m_mutex);
    ForEachLine(first, count,
                [&lines](const QString& head, const QString& tail) { lines.append(ShownLine(head, tail)); });
    return lines;
}

void CInspectionView::AppendLinesFrom(qint32 first, qint32 count, QString& text) const {
    QMutexLocker lock(&m_mutex);
    ForEachLine(first, count, [&text](const QString& head, const QString& tail) {
        text += head;
        text += tail;
        text += QLatin1Char('\n');
    });
}

int CInspectionView::LineCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_textCount);
}

int CInspectionView::RecordLineCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_lines.size());
}

std::shared_ptr<const CJumper> CInspectionView::JumperAt(qint32 line) const {
    QMutexLocker lock(&m_mutex);
    if (line < 0 || static_cast<quint32>(line) >= m_messageCount)
        return nullptr;
    const auto [block, offset] = Find(m_messageBlocks, static_cast<quint32>(line));
    if (block->source & kPlain)
        return m_plain[block->source & ~kPlain].jumper;
    return BlockJumper(block->source, offset);
}

qint64 CInspectionView::ResultsTime() const {
    QMutexLocker lock(&m_mutex);
    return m_resultsTime;
}

std::optional<qint64> CInspectionView::TouchResultsTime() {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (std::exchange(m_resultsTime, now) == now)
        return std::nullopt;
    return now;
}

bool CInspectionView::MarkWaiting() {
    return !std::exchange(m_waitingAnnounced, true);
}

void CInspectionView::AnnounceWaiting(bool announce) {
    if (announce)
        emit LinesWaiting();
}
