#pragma once

#include "logic/Jumper.h"
#include "logic/SearchHit.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class CUnitFunction;

// One record line of the result pane: the unit function it is about and a logic line (0 or more) or a
// header field (negative: -code).
struct InspectionLineRecord {
    QString text; // null when the line was empty
    qint32 internalId = 0;
    qint32 lineIndex = 0;
    ResultLine location; // a search hit's place; default for other lines
};

// The lines a pane widget takes in one go: the next ones after those it shows, or, when the list was cleared
// or changed in the middle since it last took any, the first ones of the list in place of all it shows.
struct InspectionViewLines {
    quint64 generation = 0;
    bool restart = false;
    QStringList texts;
    bool more = false; // further lines are waiting
};

// The one list of results: what the inspection, the condition/conclusion list and the searches write, line by
// line, with the jump target of each line. A model only; the pane widget shows it. A writer never pushes lines
// at the widget: the first change after the widget last took lines emits LinesWaiting once, and the widget
// takes them with TakeLines in batches of its choosing, however many a worker writes meanwhile. A worker may
// write while the user-interface thread reads: every read hands out copies, never a reference into the lists.
class CInspectionView : public QObject {
    Q_OBJECT
public:
    explicit CInspectionView(QObject* parent = nullptr);
    ~CInspectionView() override;

    void ClearMessages();

    // Jump lines.
    void AddMessage(QString text, std::unique_ptr<CJumper> jumper);
    void AddMessageWithoutTarget(const QString& text);

    // Record lines.
    void AddLine(const QString& text, const CUnitFunction* unitFunction, qint32 lineIndex);
    // A line about a search hit: its unit function, line index and location come from the hit.
    void AddLineWithLocation(const FindHit& hit, const QString& text);
    void InsertLine(const QString& text, qint32 position);
    // The record at the index, or nothing past the end; a negative index is a caller error.
    std::optional<InspectionLineRecord> GetLineRecord(qint32 index) const;

    // What a double-click on a line does: the line's jumper, then the record's jump, which for search results
    // opens the unit function at the hit.
    void OnLineDoubleClick(qint32 line, CJumpHandler& handler) const;

    // Up to maxLines lines after the first `shown` of the list the widget took at `generation`. Once the
    // widget has taken everything, the next change emits LinesWaiting again.
    InspectionViewLines TakeLines(quint64 generation, int shown, int maxLines);

    QStringList Lines() const;
    int LineCount() const;
    int RecordLineCount() const;
    // The jumper of a line, kept alive for the caller even when the pane is cleared meanwhile.
    std::shared_ptr<const CJumper> JumperAt(qint32 line) const;

    // When the last record line was written (seconds since the epoch), 0 before any.
    qint64 ResultsTime() const;

    // Set by the searches right after they cleared the pane.
    int advancedSearchResults = 0;
    int obscureWordResults = 0;

signals:
    void Cleared();
    // Lines were written or the list was cleared, and the widget has not taken them yet.
    void LinesWaiting();
    // The results time moved on. Whoever keeps it in the document connects with a receiver on the
    // user-interface thread, so the document is written there and never by the worker.
    void ResultsTimeChanged(qint64 resultsTime);

private:
    void AppendRecord(InspectionLineRecord record);
    // Under the lock; the new time when it moved on.
    std::optional<qint64> TouchResultsTime();
    // Under the lock; true when the change must be announced (nothing announced is still waiting).
    bool MarkWaiting();
    void AnnounceWaiting(bool announce);

    mutable QMutex m_mutex;
    QStringList m_texts;
    std::vector<InspectionLineRecord> m_lines;
    std::vector<std::shared_ptr<const CJumper>> m_jumpers;
    qint64 m_resultsTime = 0;
    quint64 m_generation = 0; // moves on when lines shown before may no longer be the list's first ones
    bool m_waitingAnnounced = false;
};
