#include "logic/InspectionView.h"
#include "logic/JumperToFunction.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "logic/JumperToLineInLogic.h"
#include "model/UnitFunction.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class RecordingHandler : public CJumpHandler {
public:
    bool OpenFunction(qint32 internalId) override {
        calls << QString("open %1").arg(internalId);
        return internalId != 404;
    }
    void GoToLogicLine(qint32 lineNumber) override { calls << QString("line %1").arg(lineNumber); }
    void FocusHeaderField(qint32 fieldCode) override { calls << QString("field %1").arg(fieldCode); }
    void SelectExplanation(qint32 start, qint32 length) override {
        calls << QString("select %1 %2").arg(start).arg(length);
    }
    void OfferIntraMemberConsistencyRule(const QString& member, const QString& state1, const QString& state2) override {
        calls << "offer " + member + " " + state1 + " " + state2;
    }
    QStringList calls;
};

} // namespace

TEST(InspectionView, JumpLinesCarryTheirTargetsAndLeaveTheResultsTimeAlone) {
    CInspectionView pane;
    pane.AddMessageWithoutTarget("header");
    pane.AddMessage("[1 Line 3] Do", std::make_unique<CJumperToLineInLogic>(12, 2));
    pane.AddMessage("gone", std::make_unique<CJumperToLineInLogic>(404, 0));
    pane.AddMessage("── 矛盾の可能性があります ──", std::make_unique<CJumperToIntraMemberConsistency>("X", "S", "T"));
    EXPECT_EQ(pane.ResultsTime(), 0);
    RecordingHandler handler;
    for (int line = 0; line < 5; ++line)
        pane.OnLineDoubleClick(line, handler);
    EXPECT_EQ(handler.calls, (QStringList{"open 12", "line 3", "open 404", "offer X S T"}));
    pane.ClearMessages();
    EXPECT_EQ(pane.LineCount(), 0);
    EXPECT_EQ(pane.JumperAt(0), nullptr);
}

TEST(InspectionView, RecordLinesJumpToLinesOrHeaderFieldsAndClearingKeepsTheResultsTime) {
    CInspectionView pane;
    pane.AddLine("", nullptr, 0);
    const qint64 written = pane.ResultsTime();
    EXPECT_GT(written, 0);
    ASSERT_TRUE(pane.GetLineRecord(0).has_value());
    EXPECT_TRUE(pane.GetLineRecord(0)->text.isNull());
    EXPECT_FALSE(pane.GetLineRecord(1).has_value());
    EXPECT_THROW(pane.GetLineRecord(-1), std::invalid_argument);

    pane.InsertLine("first", 0);
    pane.InsertLine("last", 99);
    EXPECT_EQ(pane.Lines(), (QStringList{"first", "", "last"}));
    EXPECT_EQ(pane.GetLineRecord(2)->text, "last");
    pane.ClearMessages();
    EXPECT_GE(pane.ResultsTime(), written);

    CUnitFunction function;
    function.InternalID = 5;
    CInspectionView records;
    records.AddLine("x", &function, -3);
    records.AddLine("y", &function, 6);
    RecordingHandler handler;
    records.OnLineDoubleClick(0, handler);
    records.OnLineDoubleClick(1, handler);
    EXPECT_EQ(handler.calls, (QStringList{"open 5", "field 3", "open 5", "line 7"}));
}

TEST(InspectionView, WhatAReaderTookOutlivesAClearOfThePane) {
    CUnitFunction function;
    function.InternalID = 9;
    CInspectionView pane;
    pane.AddLine("record", &function, 2);
    pane.AddMessage("jump", std::make_unique<CJumperToFunction>(31));
    const std::optional<InspectionLineRecord> record = pane.GetLineRecord(0);
    const std::shared_ptr<const CJumper> jumper = pane.JumperAt(0);
    ASSERT_TRUE(record && jumper);

    // The next run starts while the user-interface thread still holds the old results.
    pane.ClearMessages();
    pane.AddLine("next", nullptr, 0);
    pane.AddMessage("next jump", std::make_unique<CJumperToFunction>(77));

    EXPECT_EQ(record->text, "record");
    EXPECT_EQ(record->internalId, 9);
    EXPECT_EQ(record->lineIndex, 2);
    RecordingHandler handler;
    jumper->Jump(handler);
    EXPECT_EQ(handler.calls, QStringList{"open 31"});
}

TEST(InspectionView, AWorkerWritesWhileTheUserInterfaceThreadReads) {
    constexpr int kLines = 20000;
    CInspectionView pane;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < kLines; ++i) {
            // Each run clears the pane first, as the inspection does.
            if (i % 500 == 0)
                pane.ClearMessages();
            pane.AddLine(QString::number(i), nullptr, i);
            pane.AddMessage(QString::number(i), std::make_unique<CJumperToLineInLogic>(i + 1000, i + 999));
        }
        done.store(true);
    });

    int reads = 0;
    int inconsistent = 0;
    while (!done.load() || reads == 0) {
        const int count = pane.RecordLineCount();
        if (count == 0)
            continue;
        ++reads;
        if (const std::optional<InspectionLineRecord> record = pane.GetLineRecord(count - 1))
            inconsistent += record->text != QString::number(record->lineIndex);
        // Record lines and jump lines alternate, so about half the lines have a jumper.
        if (const std::shared_ptr<const CJumper> jumper = pane.JumperAt(pane.LineCount() / 2 - 1)) {
            RecordingHandler handler;
            jumper->Jump(handler);
            // Opens unit function n, then goes to line n.
            inconsistent += handler.calls.size() != 2 || handler.calls[0].mid(5) != handler.calls[1].mid(5);
        }
    }
    worker.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(inconsistent, 0);
    EXPECT_EQ(pane.RecordLineCount(), 500);
    EXPECT_EQ(pane.Lines().first(), QString::number(kLines - 500));
}

TEST(InspectionView, TheResultsTimeReachesTheDocumentOnTheUserInterfaceThread) {
    int argc = 1;
    char name[] = "logic_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    CInspectionView pane;
    qint64 documentResultsTime = 0;
    QThread* writtenOn = nullptr;
    // The document's side: a receiver that lives on this (the user-interface) thread.
    QObject document;
    QObject::connect(&pane, &CInspectionView::ResultsTimeChanged, &document, [&](qint64 resultsTime) {
        documentResultsTime = resultsTime;
        writtenOn = QThread::currentThread();
    });

    std::thread worker([&pane] {
        for (int i = 0; i < 100; ++i)
            pane.AddLine("line", nullptr, i);
    });
    worker.join();
    EXPECT_EQ(documentResultsTime, 0); // the worker never writes it
    EXPECT_GT(pane.ResultsTime(), 0);

    QCoreApplication::processEvents();
    EXPECT_EQ(documentResultsTime, pane.ResultsTime());
    EXPECT_EQ(writtenOn, application.thread());
}

TEST(InspectionView, FindingRecordsReadAsTheLinesTheyStandFor) {
    CInspectionView pane;
    pane.AddMessageWithoutTarget("before");
    const quint32 layout = pane.AddFindingLayout({{QString(), "── header ──", "note"}, {0, 1, -2, -1, 2}});
    const quint32 first = pane.AddTargetLine({"[1 Line 3] ", "Do <X>{S}", 12, 2, true});
    const quint32 second = pane.AddTargetLine({"[] ", "exitlp", 0, -1, false});
    pane.AddFinding(layout, {first, second, 0, 0});
    pane.AddFinding(layout, {second, first, 0, 0});
    pane.AddMessageWithoutTarget("after");
    const QStringList expected = {"before",
                                  "",
                                  "── header ──",
                                  "[] exitlp",
                                  "[1 Line 3] Do <X>{S}",
                                  "note",
                                  "",
                                  "── header ──",
                                  "[1 Line 3] Do <X>{S}",
                                  "[] exitlp",
                                  "note",
                                  "after"};
    EXPECT_EQ(pane.Lines(), expected);
    EXPECT_EQ(pane.LineCount(), expected.size());
    // Read from inside a finding to inside another, as a list and as one text after what it held.
    EXPECT_EQ(pane.LinesFrom(3, 6), expected.mid(3, 6));
    QString text = "held\n";
    pane.AppendLinesFrom(3, 6, text);
    EXPECT_EQ(text, "held\n" + expected.mid(3, 6).join('\n') + '\n');
    pane.AppendLinesFrom(10, 5, text); // past the end: the last two lines only
    EXPECT_TRUE(text.endsWith("note\nafter\n"));
    RecordingHandler handler;
    for (const qint32 line : {3, 4, 5, 8})
        pane.JumperAt(line)->Jump(handler);
    EXPECT_EQ(handler.calls, QStringList({"open 12", "line 3", "open 12", "line 3"}));
    EXPECT_EQ(pane.JumperAt(12), nullptr);

    // A record line written into the middle of a finding splits it; the jump lines stay as they were. Lines go
    // into the middle only as far as there are record lines.
    QStringList withInsert = expected;
    for (int i = 0; i < 10; ++i) {
        pane.AddLine(QString::number(i), nullptr, i);
        withInsert << QString::number(i);
    }
    pane.InsertLine("inserted", 9);
    withInsert.insert(9, "inserted");
    EXPECT_EQ(pane.Lines(), withInsert);
    handler.calls.clear();
    pane.JumperAt(8)->Jump(handler);
    pane.JumperAt(9)->Jump(handler);
    EXPECT_EQ(handler.calls, QStringList({"open 12", "line 3"}));

    pane.ClearMessages();
    EXPECT_EQ(pane.LineCount(), 0);
    EXPECT_EQ(pane.JumperAt(0), nullptr);
}

TEST(InspectionView, AWidgetTakesTheNumberOfLinesAndTheWidestOfThemByColumns) {
    CInspectionView pane;
    InspectionViewLines taken = pane.TakeLines(0, 0);
    EXPECT_EQ(taken.count, 0);
    EXPECT_EQ(taken.widestLine, -1);
    pane.AddMessageWithoutTarget("abc");
    const quint32 layout = pane.AddFindingLayout({{QString(), "note"}, {0, -1, 1}});
    const quint32 target = pane.AddTargetLine({"[1 Line 3] ", "Do <X>{S}", 12, 2, true});
    pane.AddFinding(layout, {target, 0, 0, 0});
    taken = pane.TakeLines(taken.generation, 1);
    EXPECT_FALSE(taken.restart);
    EXPECT_EQ(taken.count, 3);
    EXPECT_EQ(taken.widestLine, 2);
    EXPECT_EQ(taken.widest, "[1 Line 3] Do <X>{S}");
    // A full-width character takes two columns: eleven of them beat twenty half-width ones.
    pane.AddMessageWithoutTarget("一二三四五六七八九十一");
    pane.AddFinding(layout, {target, 0, 0, 0});
    taken = pane.TakeLines(taken.generation, 4);
    EXPECT_EQ(taken.count, 4);
    EXPECT_EQ(taken.widestLine, 4);
    EXPECT_EQ(taken.widest, "一二三四五六七八九十一");

    // A line into the middle moves the widest one down, or is the widest itself; the widget takes every line
    // again.
    for (int i = 0; i < 6; ++i)
        pane.AddLine(QString::number(i), nullptr, i);
    pane.InsertLine("x", 1);
    taken = pane.TakeLines(taken.generation, 14);
    EXPECT_TRUE(taken.restart);
    EXPECT_EQ(taken.count, 15);
    EXPECT_EQ(taken.widestLine, 5);
    EXPECT_EQ(pane.LinesFrom(5, 1), QStringList{"一二三四五六七八九十一"});
    pane.InsertLine("一二三四五六七八九十あい", 2);
    taken = pane.TakeLines(taken.generation, 15);
    EXPECT_EQ(taken.widestLine, 2);
    EXPECT_EQ(taken.widest, "一二三四五六七八九十あい");

    pane.ClearMessages();
    taken = pane.TakeLines(taken.generation, 16);
    EXPECT_TRUE(taken.restart);
    EXPECT_EQ(taken.count, 0);
    EXPECT_EQ(taken.widestLine, -1);
}

// Runs of target lines, as the condition/conclusion list writes its rows: each names its lines by number and reads
// as those lines, with their jumps, however often a line is named; a record line written into the middle of a run
// splits it.
TEST(InspectionView, RunsOfTargetLinesReadAsTheLinesTheyName) {
    CInspectionView pane;
    pane.AddMessageWithoutTarget("before");
    const quint32 statement = pane.AddTargetLine({"[1 Line 3] ", "Do <X>{S}", 12, 2, true});
    const quint32 rule = pane.AddTargetLine({QString(), "──", 0, -1, false});
    const quint32 condition = pane.AddTargetLine({"[2 Line 1] ", "<A>が{一二三四五六七八}", 13, 0, true});
    pane.AddTargetLines(std::vector<quint32>{statement, rule, condition});
    pane.AddTargetLines({});
    pane.AddTargetLines(std::vector<quint32>{condition, condition, statement});
    pane.AddMessageWithoutTarget("after");
    const QStringList expected = {"before",
                                  "[1 Line 3] Do <X>{S}",
                                  "──",
                                  "[2 Line 1] <A>が{一二三四五六七八}",
                                  "[2 Line 1] <A>が{一二三四五六七八}",
                                  "[2 Line 1] <A>が{一二三四五六七八}",
                                  "[1 Line 3] Do <X>{S}",
                                  "after"};
    EXPECT_EQ(pane.Lines(), expected);
    EXPECT_EQ(pane.LinesFrom(2, 3), expected.mid(2, 3));
    const InspectionViewLines taken = pane.TakeLines(0, 0);
    EXPECT_EQ(taken.count, expected.size());
    EXPECT_EQ(taken.widestLine, 3);
    RecordingHandler handler;
    for (const qint32 line : {1, 2, 5, 6})
        pane.JumperAt(line)->Jump(handler);
    EXPECT_EQ(handler.calls, QStringList({"open 12", "line 3", "open 13", "line 1", "open 12", "line 3"}));

    QStringList withInsert = expected;
    for (int i = 0; i < 6; ++i) {
        pane.AddLine(QString::number(i), nullptr, i);
        withInsert << QString::number(i);
    }
    pane.InsertLine("inserted", 5);
    withInsert.insert(5, "inserted");
    EXPECT_EQ(pane.Lines(), withInsert);
    handler.calls.clear();
    pane.JumperAt(4)->Jump(handler);
    pane.JumperAt(6)->Jump(handler);
    EXPECT_EQ(handler.calls, QStringList({"open 13", "line 1", "open 12", "line 3"}));
}

// A line of megabytes, as a message naming a unit function of such a name makes one: the pane shows and scrolls by
// what a row holds, and a copy still takes it whole.
TEST(InspectionView, ALineOfMegabytesShowsWhatARowHolds) {
    const QString name(10'000'000, 'n');
    const QString cut = QString(CInspectionView::ShownLineLength, 'n') + QChar(0x2026);
    CInspectionView record, inserted, target;
    record.AddLine(name, nullptr, 0);
    inserted.AddLine("after", nullptr, 0);
    inserted.InsertLine(name, 0);
    target.AddTargetLines(std::vector<quint32>{target.AddTargetLine({"[1 Line 3] ", name, 12, 2, true})});
    const QString targetShown = "[1 Line 3] " + cut.right(CInspectionView::ShownLineLength - 10);
    for (const auto& [pane, shown] : {std::pair{&record, cut}, {&inserted, cut}, {&target, targetShown}}) {
        EXPECT_EQ(pane->ShownLinesFrom(0, 1), QStringList{shown});
        EXPECT_EQ(pane->TakeLines(0, 0).widest, shown);
        EXPECT_GE(pane->LinesFrom(0, 1).front().size(), name.size());
    }
}
