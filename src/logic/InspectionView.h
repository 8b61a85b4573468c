#pragma once

#include "logic/Jumper.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CUnitFunction;

// One record line of the result pane: the unit function it is about and a logic line (0 or more) or a
// header field (negative: -code).
struct InspectionLineRecord {
    QString text; // null when the line was empty
    qint32 internalId = 0;
    qint32 lineIndex = 0;
};

// The one list of results: what the inspection, the condition/conclusion list and the searches write, line by
// line, with the jump target of each line. A model only; the pane widget shows it and follows its signals
// (delivered queued when a worker thread writes).
class CInspectionView : public QObject {
    Q_OBJECT
public:
    // resultsTime: where record lines note the time they were written (the document's results time).
    explicit CInspectionView(qint64* resultsTime = nullptr, QObject* parent = nullptr);
    ~CInspectionView() override;

    void ClearMessages();

    // Jump lines.
    void AddMessage(QString text, CJumper* jumper);
    void AddMessageWithoutTarget(const QString& text);

    // Record lines.
    void AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex);
    void InsertLine(const QString& text, qint32 position);
    // The record at the index, or nullptr past the end; a negative index is a caller error.
    const InspectionLineRecord* GetLineRecord(qint32 index) const;

    // What a double-click on a line does: the line's jumper, then the record's jump.
    void OnLineDoubleClick(qint32 line, CJumpHandler& handler) const;

    QStringList Lines() const;
    int LineCount() const;
    int RecordLineCount() const;
    const CJumper* JumperAt(qint32 line) const;

    qint64 ResultsTime() const { return *m_resultsTime; }

    // Set by the searches right after they cleared the pane.
    int advancedSearchResults = 0;
    int obscureWordResults = 0;

signals:
    void Cleared();
    void LineAppended(const QString& text);
    void LineInserted(int position, const QString& text);

private:
    void TouchResultsTime();

    mutable QMutex m_mutex;
    QStringList m_texts;
    std::vector<std::unique_ptr<InspectionLineRecord>> m_lines;
    std::vector<std::unique_ptr<CJumper>> m_jumpers;
    qint64 m_ownResultsTime = 0;
    qint64* m_resultsTime;
};
