#include "interchange/MindMapReader.h"
#include "ImportTestSupport.h"
#include "model/OutlineNumber.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

InterchangeResult ReadMap(const QByteArray& map, CDocumentData& data, RecordingProgress& progress) {
    QByteArray bytes = map;
    QBuffer device(&bytes);
    CMindMapReader reader;
    const InterchangeResult opened = reader.Open(device, data);
    return opened.Succeeded() ? reader.Convert(data, progress) : opened;
}

const QByteArray kPlan = R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.0.1"><node TEXT="Plan"><node TEXT="Cook"><richcontent TYPE="NOTE"><html><body><p> Rinse first </p></body></html></richcontent><node TEXT="Soak"/></node><node><richcontent TYPE="NODE"><html><body>Serve</body></html></richcontent></node></node></map>)";

} // namespace

TEST(MindMapReader, ANewDocumentTakesTheTopNodeAsOriginAndTheRestBelowIt) {
    NewDocument document;
    RecordingProgress progress;
    const InterchangeResult result = ReadMap(kPlan, document.data, progress);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_EQ(result.items, 4);
    const CUnitFunction& origin = *document.data.registry.origin;
    EXPECT_EQ(origin.name, "Plan");
    ASSERT_EQ(ChildNames(origin), QStringList({"Cook", "Serve"}));
    const CUnitFunction& cook = *origin.children.front();
    EXPECT_EQ(cook.header.contentText, "Rinse first");
    EXPECT_EQ(ChildNames(cook), QStringList({"Soak"}));
    EXPECT_EQ(document.data.registry.Count(), 4);
    EXPECT_EQ(progress.range, 4);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(progress.finished, 0) << "the caller says when the whole import is over";
}

TEST(MindMapReader, ADocumentWithUnitFunctionsGetsTheMapBelowItsOrigin) {
    NewDocument document;
    RecordingProgress progress;
    ASSERT_TRUE(ReadMap(kPlan, document.data, progress).Succeeded());
    ASSERT_TRUE(ReadMap(R"(<map><node TEXT="Wash"/></map>)", document.data, progress).Succeeded());
    EXPECT_EQ(document.data.registry.origin->name, "Plan");
    EXPECT_EQ(ChildNames(*document.data.registry.origin), QStringList({"Cook", "Serve", "Wash"}));
}

TEST(MindMapReader, WhatIsNoMapIsUnreadableAndChangesNothing) {
    const QByteArray notMaps[] = {
        "",
        "plain text",
        "<map></map>",
        "<notamap><node TEXT=\"A\"/></notamap>",
        "<map><node TEXT=\"A\">",
        QByteArray("<map><node TEXT=\"A\0B\"/></map>", 29),
        "<map><node TEXT=\"A&#0;\"/></map>",
    };
    for (const QByteArray& bytes : notMaps) {
        NewDocument document;
        RecordingProgress progress;
        const InterchangeResult result = ReadMap(bytes, document.data, progress);
        EXPECT_EQ(result.failure, InterchangeFailure::Unreadable) << bytes.constData();
        EXPECT_EQ(result.items, 0);
        EXPECT_EQ(document.data.registry.Count(), 1);
        EXPECT_EQ(progress.range, -1) << "no progress for a map that did not open";
    }
}

// A device that runs out of memory while it is read.
class ExhaustedDevice : public QIODevice {
public:
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { throw std::bad_alloc(); }
    qint64 writeData(const char*, qint64) override { return -1; }
};

// Memory that runs out while the map is read or converted is said as such, not as a map that cannot be read; what was
// converted before stays.
TEST(MindMapReader, RunningOutOfMemoryIsNoUnreadableMap) {
    const struct {
        bool whileRead;
        int convertedBefore;
    } cases[] = {{true, 0}, {false, 1}};
    for (const auto& c : cases) {
        NewDocument document;
        RecordingProgress progress;
        progress.outOfMemoryAt = 2;
        InterchangeResult result;
        if (c.whileRead) {
            ExhaustedDevice device;
            result = CMindMapReader().Open(device, document.data);
        } else {
            result = ReadMap(kPlan, document.data, progress);
        }
        EXPECT_EQ(result.failure, InterchangeFailure::OutOfMemory) << c.whileRead;
        EXPECT_EQ(result.items, c.convertedBefore);
        EXPECT_EQ(document.data.registry.origin->name, c.convertedBefore ? "Plan" : "");
        EXPECT_EQ(document.data.registry.Count(), 1);
    }
}

TEST(MindMapReader, AMapThatNeedsMoreIdsThanAreLeftIsRefusedWithTheCounts) {
    QByteArray map = "<map><node TEXT=\"top\">";
    for (int i = 0; i < 32767; ++i)
        map += "<node TEXT=\"n\"/>";
    map += "</node></map>";
    NewDocument document;
    RecordingProgress progress;
    const InterchangeResult result = ReadMap(map, document.data, progress);
    EXPECT_EQ(result.failure, InterchangeFailure::LimitExceeded);
    EXPECT_EQ(result.needed, 32767);
    EXPECT_EQ(result.available, 32766);
    EXPECT_EQ(document.data.registry.Count(), 1);
}

TEST(MindMapReader, AStopKeepsWhatWasConvertedAndDeepMapsNeedNoDeepStack) {
    // The top node becomes the origin: the deepest table of contents a document may have.
    const int depth = kMaxOutlineDepth + 1;
    const auto nested = [](int levels) {
        return "<map>" + QByteArray("<node TEXT=\"level\">").repeated(levels) + QByteArray("</node>").repeated(levels) +
               "</map>";
    };
    const QByteArray map = nested(depth);
    NewDocument document;
    RecordingProgress progress;
    progress.stopAt = 500;
    const InterchangeResult result = ReadMap(map, document.data, progress);
    EXPECT_EQ(result.failure, InterchangeFailure::Cancelled);
    EXPECT_EQ(result.items, 500);
    EXPECT_EQ(document.data.registry.Count(), 500);
    EXPECT_EQ(progress.range, depth);

    NewDocument whole;
    RecordingProgress unstopped;
    EXPECT_TRUE(ReadMap(map, whole.data, unstopped).Succeeded());
    EXPECT_EQ(whole.data.registry.Count(), depth);

    // One level more is refused before anything is made.
    NewDocument deeper;
    EXPECT_EQ(ReadMap(nested(depth + 1), deeper.data, unstopped).failure, InterchangeFailure::TooDeep);
    EXPECT_EQ(deeper.data.registry.Count(), 1);
}

TEST(MindMapReader, ConvertWithoutAnOpenedMapChangesNothing) {
    NewDocument document;
    RecordingProgress progress;
    CMindMapReader reader;
    EXPECT_EQ(reader.Convert(document.data, progress).failure, InterchangeFailure::Unreadable);
    QByteArray bytes = "<map/>";
    QBuffer device(&bytes);
    EXPECT_FALSE(reader.Open(device, document.data).Succeeded());
    EXPECT_EQ(reader.Convert(document.data, progress).failure, InterchangeFailure::Unreadable);
    EXPECT_EQ(document.data.registry.Count(), 1);
}
