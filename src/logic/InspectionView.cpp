#include "logic/InspectionView.h"

#include "model/UnitFunction.h"

#include <QDateTime>

#include <stdexcept>

CInspectionView::CInspectionView(qint64* resultsTime, QObject* parent)
    : QObject(parent), m_resultsTime(resultsTime ? resultsTime : &m_ownResultsTime) {}

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

void CInspectionView::AddMessage(QString text, CJumper* jumper) {
    {
        QMutexLocker lock(&m_mutex);
        m_texts.append(text);
        m_jumpers.emplace_back(jumper);
    }
    emit LineAppended(text);
}

void CInspectionView::AddMessageWithoutTarget(const QString& text) {
    AddMessage(text, new CJumperToAnywhere);
}

void CInspectionView::AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex) {
    auto record = std::make_unique<InspectionLineRecord>();
    if (!text.isEmpty())
        record->text = text;
    record->internalId = unitFunction ? static_cast<qint32>(unitFunction->InternalID) : 0;
    record->lineIndex = lineIndex;
    {
        QMutexLocker lock(&m_mutex);
        m_lines.push_back(std::move(record));
        m_texts.append(text);
        TouchResultsTime();
    }
    emit LineAppended(text);
}

void CInspectionView::InsertLine(const QString& text, qint32 position) {
    auto record = std::make_unique<InspectionLineRecord>();
    if (!text.isEmpty())
        record->text = text;
    bool appended = false;
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
        TouchResultsTime();
    }
    if (appended)
        emit LineAppended(text);
    else
        emit LineInserted(position, text);
}

const InspectionLineRecord* CInspectionView::GetLineRecord(qint32 index) const {
    if (index < 0)
        throw std::invalid_argument("CInspectionView::GetLineRecord: negative index");
    QMutexLocker lock(&m_mutex);
    return index < static_cast<qint32>(m_lines.size()) ? m_lines[index].get() : nullptr;
}

void CInspectionView::OnLineDoubleClick(qint32 line, CJumpHandler& handler) const {
    const CJumper* jumper = JumperAt(line);
    if (jumper)
        jumper->Jump(handler);
    if (line < 0)
        return;
    const InspectionLineRecord* record = GetLineRecord(line);
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

const CJumper* CInspectionView::JumperAt(qint32 line) const {
    QMutexLocker lock(&m_mutex);
    if (line < 0 || line >= static_cast<qint32>(m_jumpers.size()))
        return nullptr;
    return m_jumpers[line].get();
}

void CInspectionView::TouchResultsTime() {
    *m_resultsTime = QDateTime::currentSecsSinceEpoch();
}
