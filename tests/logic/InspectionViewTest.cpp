#include "logic/InspectionView.h"
#include "logic/JumperToFunction.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "logic/JumperToLineInLogic.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(InspectionView, JumpLinesCarryTheirTargetsAndClearingKeepsTheResultsTime) {
    qint64 resultsTime = 7;
    CInspectionView pane(&resultsTime);
    pane.AddMessageWithoutTarget("header");
    pane.AddMessage("[1 Line 3] Do", new CJumperToLineInLogic(12, 2));
    pane.AddMessage("gone", new CJumperToLineInLogic(404, 0));
    pane.AddMessage("── 矛盾の可能性があります ──", new CJumperToIntraMemberConsistency("X", "S", "T"));
    EXPECT_EQ(resultsTime, 7); // jump lines leave the results time alone
    RecordingHandler handler;
    for (int line = 0; line < 5; ++line)
        pane.OnLineDoubleClick(line, handler);
    EXPECT_EQ(handler.calls, (QStringList{"open 12", "line 3", "open 404", "offer X S T"}));
    pane.ClearMessages();
    EXPECT_EQ(pane.LineCount(), 0);
    EXPECT_EQ(pane.JumperAt(0), nullptr);
}

TEST(InspectionView, RecordLinesJumpToLinesOrHeaderFields) {
    qint64 resultsTime = 0;
    CInspectionView pane(&resultsTime);
    pane.AddLine("", nullptr, 0);
    EXPECT_GT(resultsTime, 0);
    ASSERT_NE(pane.GetLineRecord(0), nullptr);
    EXPECT_TRUE(pane.GetLineRecord(0)->text.isNull());
    EXPECT_EQ(pane.GetLineRecord(1), nullptr);
    EXPECT_THROW(pane.GetLineRecord(-1), std::invalid_argument);

    pane.InsertLine("first", 0);
    pane.InsertLine("last", 99);
    EXPECT_EQ(pane.Lines(), (QStringList{"first", "", "last"}));
    EXPECT_EQ(pane.GetLineRecord(2)->text, "last");

    CInspectionView records;
    records.AddLine("x", nullptr, 0);
    const_cast<InspectionLineRecord*>(records.GetLineRecord(0))->internalId = 5;
    const_cast<InspectionLineRecord*>(records.GetLineRecord(0))->lineIndex = -3;
    RecordingHandler handler;
    records.OnLineDoubleClick(0, handler);
    EXPECT_EQ(handler.calls, (QStringList{"open 5", "field 3"}));
}
