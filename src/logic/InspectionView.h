#pragma once

#include "logic/Jumper.h"
#include "logic/SearchHit.h"
#include "model/TextUtilities.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
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

// A line of a finding that names a logic line: the place and the text as they were when the finding was written,
// for the document may change or close while the pane shows them.
struct InspectionTargetLine {
    QString place; // "[outline Line n] ", or "[] " without a unit function
    QString text;
    qint32 internalId = 0; // the jump target; none without a unit function
    qint32 lineIndex = -1;
    bool inFunction = false;
};

// How the lines of one kind of finding are laid out: each part is a fixed text (its index in texts) or, when
// negative, the target line of the finding's target -1 - part.
struct InspectionFindingLayout {
    QStringList texts;
    std::vector<qint8> parts;
};

// What a pane widget takes in one go: every line after those it shows, or, when the list was cleared or changed
// in the middle since it last took any, every line of the list in place of all it shows. It takes their number,
// not their texts, and the one line among all it then shows that takes the most columns (TextColumns) as the pane
// shows it, so that taking costs the same for ten lines as for millions.
struct InspectionViewLines {
    quint64 generation = 0;
    bool restart = false;
    int count = 0;
    qint32 widestLine = -1; // -1 without lines
    QString widest;         // that line's text as the pane shows it
};

// Thrown by a writer whose lines would take the list past CInspectionView::MaxLines.
struct InspectionViewFull : std::length_error {
    InspectionViewFull() : std::length_error("result list full") {}
};

// The one list of results: what the inspection, the condition/conclusion list and the searches write, line by
// line, with the jump target of each line. A model only; the pane widget shows it. A writer never pushes lines
// at the widget: the first change after the widget last took lines emits LinesWaiting once, and the widget
// takes them with TakeLines, however many a worker writes meanwhile. The widest line is kept as lines are
// written, each text counted once: a finding's lines by the counts of the texts it is made of. A worker may
// write while the user-interface thread reads: every read hands out copies, never a reference into the lists.
class CInspectionView : public QObject {
    Q_OBJECT
public:
    explicit CInspectionView(QObject* parent = nullptr);
    ~CInspectionView() override;

    // The lines the list holds at most, so that each has an int index.
    static constexpr quint32 MaxLines = 0x7fffffff;
    // A row shows a few names as a view shows them (ShownText) with the words around them: a line that names unit
    // functions so is shown whole, and of a longer one, written with a whole name of megabytes, this many characters.
    static constexpr qsizetype ShownLineLength = 4 * ShownTextLength;

    void ClearMessages();

    // Jump lines.
    void AddMessage(QString text, std::unique_ptr<CJumper> jumper);
    void AddMessageWithoutTarget(const QString& text);
    // A finding kept as one record, its jump lines made when they are read: a run can write millions.
    quint32 AddFindingLayout(InspectionFindingLayout layout);
    quint32 AddTargetLine(InspectionTargetLine line);
    void AddFinding(quint32 layout, const std::array<quint32, 4>& targets);
    // Jump lines that are target lines (AddTargetLine), in the order given: a list that shows the same lines many
    // times keeps a number for each. Throws InspectionViewFull, writing none, past MaxLines.
    void AddTargetLines(std::span<const quint32> targets);

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

    // The lines after the first `shown` of the list the widget took at `generation`. The next change emits
    // LinesWaiting again.
    InspectionViewLines TakeLines(quint64 generation, int shown);

    QStringList Lines() const;
    // Up to `count` lines from `first` on, whole: what a copy of them takes.
    QStringList LinesFrom(qint32 first, qint32 count) const;
    // The same as the pane shows them, of a line of megabytes what a row holds (ShownText): a widget reads those it
    // shows when it draws them, and lays out no more.
    QStringList ShownLinesFrom(qint32 first, qint32 count) const;
    // The same lines appended to the text, each followed by a line break: a caller writing millions of lines
    // holds a block of them at a time as one text.
    void AppendLinesFrom(qint32 first, qint32 count, QString& text) const;
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
    // Lines in runs: a plain line with its own text and jumper, the lines of one finding, or a run of target lines.
    struct Block {
        quint32 first;  // the line's or message's number
        quint32 source; // a plain line's index with kPlain set, a run's with kTargets set, or a finding's index
    };
    static constexpr quint32 kPlain = 0x80000000u;
    static constexpr quint32 kTargets = 0x40000000u;
    struct TargetRun {
        quint32 first; // in m_runTargets
        quint32 count;
    };
    struct PlainLine {
        QString text;
        std::shared_ptr<const CJumper> jumper;
    };
    struct Finding {
        quint32 layout;
        std::array<quint32, 4> targets;
    };
    struct Layout {
        InspectionFindingLayout layout;
        std::vector<qsizetype> columns; // of each text
    };
    struct TargetLine {
        InspectionTargetLine line;
        qsizetype columns;
    };
    // The block holding the line (or message) and the line's place in it; the line must exist.
    static std::pair<const Block*, quint32> Find(const std::vector<Block>& blocks, quint32 line);
    // The lines of a block of a finding or a run of target lines, and the jumper of one of them.
    quint32 BlockLineCount(quint32 source) const;
    std::shared_ptr<const CJumper> BlockJumper(quint32 source, quint32 offset) const;
    // The target line that a block's line shows, or null when the line is a finding's fixed text.
    const TargetLine* BlockTarget(quint32 source, quint32 offset) const;
    QString TextAt(quint32 line) const;
    // The line becomes the widest when it takes more columns than the widest so far.
    void Widen(quint32 line, qsizetype columns);
    // A plain line at the end of the list of every line.
    void AppendPlain(QString text, std::shared_ptr<const CJumper> jumper);
    // Under the lock: text(head, tail) for each of up to `count` lines from `first` on, the line being the two
    // one after the other (the tail empty but for a finding's target lines).
    template <typename Text> void ForEachLine(qint32 first, qint32 count, Text text) const;
    // The lines of a finding block or a run become plain lines, so that a line can go between them.
    void SplitBlockAt(quint32 line);

    void AppendRecord(InspectionLineRecord record);
    // Under the lock; the new time when it moved on.
    std::optional<qint64> TouchResultsTime();
    // Under the lock; true when the change must be announced (nothing announced is still waiting).
    bool MarkWaiting();
    void AnnounceWaiting(bool announce);

    mutable QMutex m_mutex;
    // Every line in order, and the jump lines alone: record lines have no jumper.
    std::vector<Block> m_textBlocks;
    quint32 m_textCount = 0;
    std::vector<Block> m_messageBlocks;
    quint32 m_messageCount = 0;
    std::vector<PlainLine> m_plain;
    std::vector<Finding> m_findings;
    std::vector<Layout> m_layouts;
    std::vector<TargetLine> m_targetLines;
    std::vector<TargetRun> m_runs;
    std::deque<quint32> m_runTargets; // grows without moving what it holds: no second copy at its peak
    qint32 m_widestLine = -1;
    qsizetype m_widestColumns = -1;
    std::vector<InspectionLineRecord> m_lines;
    qint64 m_resultsTime = 0;
    quint64 m_generation = 0; // moves on when lines shown before may no longer be the list's first ones
    bool m_waitingAnnounced = false;
};
