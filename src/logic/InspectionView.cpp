#include "logic/InspectionView.h"

#include "logic/JumperToAnywhere.h"
#include "model/UnitFunction.h"

#include <QDateTime>

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
    {
        QMutexLocker lock(&m_mutex);
        m_lines.clear();
        m_jumpers.clear();
        m_texts.clear();
        advancedSearchResults = 0;
        obscureWordResults = 0;
    }
    emit Cleared();
}

void CInspectionView::AddMessage(QString text, std::unique_ptr<CJumper> jumper) {
    {
        QMutexLocker lock(&m_mutex);
        m_texts.append(text);
        m_jumpers.emplace_back(std::move(jumper));
    }
    emit LineAppended(text);
}

void CInspectionView::AddMessageWithoutTarget(const QString& text) {
    AddMessage(text, std::make_unique<CJumperToAnywhere>());
}

void CInspectionView::AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex) {
    InspectionLineRecord record =
        MakeRecord(text, unitFunction ? static_cast<qint32>(unitFunction->InternalID) : 0, lineIndex);
    std::optional<qint64> resultsTime;
    {
        QMutexLocker lock(&m_mutex);
        m_lines.push_back(std::move(record));
        m_texts.append(text);
        resultsTime = TouchResultsTime();
    }
    emit LineAppended(text);
    if (resultsTime)
        emit ResultsTimeChanged(*resultsTime);
}

void CInspectionView::InsertLine(const QString& text, qint32 position) {
    InspectionLineRecord record = MakeRecord(text, 0, 0);
    bool appended = false;
    std::optional<qint64> resultsTime;
    {
        QMutexLocker lock(&m_mutex);
        if (position >= 0 && position <= static_cast<qint32>(m_lines.size())) {
            m_lines.insert(m_lines.begin() + position, std::move(record));
            // The text list and the record list line up only when a producer writes record lines alone.
            appended = position >= m_texts.size();
            if (appended)
                m_texts.append(text);
            else
                m_texts.insert(position, text);
        } else {
            m_lines.push_back(std::move(record));
            m_texts.append(text);
            appended = true;
        }
        resultsTime = TouchResultsTime();
    }
    if (appended)
        emit LineAppended(text);
    else
        emit LineInserted(position, text);
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
    if (record->lineIndex >= 0)
        handler.GoToLogicLine(record->lineIndex + 1);
    else
        handler.FocusHeaderField(-record->lineIndex);
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
