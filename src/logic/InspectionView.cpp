#include "logic/InspectionView.h"

#include "logic/JumperToAnywhere.h"
#include "model/UnitFunction.h"

#include <QDateTime>

#include <algorithm>
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

} // namespace

CInspectionView::CInspectionView(QObject* parent) : QObject(parent) {}

CInspectionView::~CInspectionView() = default;

void CInspectionView::ClearMessages() {
    bool announce = false;
    {
        QMutexLocker lock(&m_mutex);
        m_lines.clear();
        m_jumpers.clear();
        m_texts.clear();
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
        m_texts.append(std::move(text));
        m_jumpers.emplace_back(std::move(jumper));
        announce = MarkWaiting();
    }
    AnnounceWaiting(announce);
}

void CInspectionView::AddMessageWithoutTarget(const QString& text) {
    AddMessage(text, std::make_unique<CJumperToAnywhere>());
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
        m_texts.append(record.text);
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
            if (position >= m_texts.size()) {
                m_texts.append(text);
            } else {
                m_texts.insert(position, text);
                // A line in the middle: the widget shows the list afresh.
                ++m_generation;
            }
        } else {
            m_lines.push_back(std::move(record));
            m_texts.append(text);
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

InspectionViewLines CInspectionView::TakeLines(quint64 generation, int shown, int maxLines) {
    InspectionViewLines taken;
    QMutexLocker lock(&m_mutex);
    taken.generation = m_generation;
    taken.restart = generation != m_generation;
    const int first = taken.restart ? 0 : std::clamp(shown, 0, static_cast<int>(m_texts.size()));
    taken.texts = m_texts.mid(first, maxLines);
    taken.more = first + taken.texts.size() < m_texts.size();
    if (!taken.more)
        m_waitingAnnounced = false;
    return taken;
}

QStringList CInspectionView::Lines() const {
    QMutexLocker lock(&m_mutex);
    return m_texts;
}

int CInspectionView::LineCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_texts.size());
}

int CInspectionView::RecordLineCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_lines.size());
}

std::shared_ptr<const CJumper> CInspectionView::JumperAt(qint32 line) const {
    QMutexLocker lock(&m_mutex);
    if (line < 0 || line >= static_cast<qint32>(m_jumpers.size()))
        return nullptr;
    return m_jumpers[line];
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
