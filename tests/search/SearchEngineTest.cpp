#include "SearchTestDocument.h"
#include "logic/InspectionView.h"
#include "logic/JumpHandler.h"
#include "model/TextUtilities.h"
#include "search/FindResultSet.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

SearchRequest Request(const QString& text, bool header, bool content, bool logic) {
    SearchRequest request;
    request.findText = text;
    request.searchUnitFunction = header;
    request.searchFunctionContentField = content;
    request.searchLogicDescriptionField = logic;
    request.outlineNumber = request.unitFunctionName = request.uniqueLabel = request.codeSymbol = 1;
    return request;
}

} // namespace

TEST(SearchEngine, OccurrencesNeverOverlap) {
    EXPECT_EQ(FindOccurrences("aaaa", "aa"), (std::vector<qint32>{0, 2}));
    EXPECT_EQ(FindOccurrences("aaa", "aa"), (std::vector<qint32>{0}));
    EXPECT_TRUE(FindOccurrences("", "a").empty());
    EXPECT_TRUE(FindOccurrences("abc", "").empty());
    EXPECT_TRUE(FindOccurrences("ABC", "b").empty()) << "the search tells letter case apart";
}

namespace {

std::vector<QString> ContentLines(const QString& text) {
    std::vector<QString> lines;
    for (QStringView line : SplitContentLines(text))
        lines.push_back(line.toString());
    return lines;
}

} // namespace

TEST(SearchEngine, ContentLinesSplitAtEveryBreakWithTheOrdinalPerLine) {
    EXPECT_EQ(ContentLines("a\r\nb\nc\rd"), (std::vector<QString>{"a", "b", "c", "d"}));
    EXPECT_EQ(ContentLines("x\n"), (std::vector<QString>{"x", ""}));
    // A line ends at a CR LF before a LF before a CR, wherever each comes after its start.
    EXPECT_EQ(ContentLines("x\rno\nx"), (std::vector<QString>{"x\rno", "x"}));
    EXPECT_EQ(ContentLines("a\nb\r\nc\rd\ne\rf"), (std::vector<QString>{"a\nb", "c\rd", "e", "f"}));
    EXPECT_EQ(ContentLines(""), (std::vector<QString>{""}));

    SearchTestDocument document;
    document.Origin("");
    document.data.registry.origin->header.contentText = "xx x\r\nx\nno\rx";
    document.Finish();
    FindHits hits;
    FindInFunctionContentField(Request("x", false, true, false), *document.data.registry.origin, document.context,
                               hits);
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits[0].text, "機能内容欄 1 行目: xx x");
    EXPECT_EQ(hits[1].text, "機能内容欄 1 行目: (2 回目の出現)");
    EXPECT_EQ(hits[2].text, "機能内容欄 1 行目: (3 回目の出現)");
    EXPECT_EQ(hits[3].text, "機能内容欄 2 行目: x");
    EXPECT_EQ(hits[3].location.occurrence, 1) << "each line counts its occurrences afresh";
    EXPECT_EQ(hits[4].lineIndex, 4);
    EXPECT_EQ(hits[4].location.kind, ResultLine::FunctionContentLine);
    EXPECT_EQ(hits[2].location.startPosition, 3);
    EXPECT_EQ(hits[2].location.length, 1);
}

TEST(SearchEngine, PreviewStopsBeforeTheFirstBreak) {
    EXPECT_EQ(ShortenToFirstLine(QString(300, 'a')), QString(300, 'a'));
    EXPECT_EQ(ShortenToFirstLine(QString(200, 'a') + "\nb"), QString(127, 'a') + "...");
    EXPECT_EQ(ShortenToFirstLine("abc\r\nd"), "ab...") << "the character before the break is dropped";
    EXPECT_EQ(ShortenToFirstLine("\nabc"), "\nabc") << "a break at the start does not count";
}

TEST(SearchEngine, LogicDetailsTouchExactlyTheirSlots) {
    SearchTestDocument document;
    document.Origin("if <KK>が{KK}KK\nswitch <KK>KK\ncase {KK}KK\n(: KK\nFn KKsub\nDo <Z>を{Z}せよ");
    document.Add("KKsub", "");
    document.Finish();
    const CUnitFunction& origin = *document.data.registry.origin;
    const auto slotsFound = [&](int member, int state, int fn, int words) {
        SearchRequest request = Request("KK", false, false, true);
        request.memberName = member;
        request.stateName = state;
        request.logicUnitFunctionName = fn;
        request.particlesAuxiliaryVerbsComments = words;
        FindHits hits;
        FindInLogicDescriptionField(request, origin, document.data, hits);
        std::vector<std::pair<int, int>> found;
        for (const FindHit& hit : hits) {
            found.emplace_back(hit.lineIndex, hit.location.element);
            EXPECT_EQ(hit.location.length, 2) << "a hit's length is the find text's";
        }
        return found;
    };
    EXPECT_EQ(slotsFound(1, 0, 0, 0), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
    EXPECT_EQ(slotsFound(0, 1, 0, 0), (std::vector<std::pair<int, int>>{{0, 2}, {2, 0}}));
    EXPECT_EQ(slotsFound(0, 0, 1, 0), (std::vector<std::pair<int, int>>{{4, 0}}));
    EXPECT_EQ(slotsFound(0, 0, 0, 1), (std::vector<std::pair<int, int>>{{0, 3}, {1, 1}, {2, 1}, {3, 0}}));

    FindHits hits;
    FindInLogicDescriptionField(Request("KK", false, false, true), origin, document.data, hits);
    ASSERT_GE(hits.size(), 3u);
    EXPECT_EQ(hits[0].text, "論理記述欄 1 行目: if <KK>が{KK}KK");
    EXPECT_EQ(hits[1].text, "論理記述欄 1 行目: (2 回目の出現)") << "the state comes second, before the verb";
    EXPECT_EQ(hits[2].text, "論理記述欄 1 行目: (3 回目の出現)");
}

TEST(SearchEngine, CountLineStandsAboveTheBlocks) {
    SearchTestDocument document;
    document.Origin("Do <abab>を{S}せよ");
    document.Add("abab", "");
    document.Finish();
    const QStringList lines =
        CFindResultSet(document.data, document.context).SearchAll(Request("ab", true, false, true), nullptr).Texts();
    EXPECT_EQ(lines, (QStringList{
                         "検索された文字列: ab",
                         "検索対象: 単位機能, 論理記述欄",
                         "単位機能の詳細な検索対象: アウトライン番号, 単位機能名, ユニークラベル, コードシンボル",
                         "論理記述欄の詳細な検索対象: メンバー名, 状態名, 単位機能名, 助詞と助動詞とコメント",
                         "検索範囲: すべての単位機能",
                         "",
                         "出現回数: 4 回",
                         "",
                         "0 [Main]",
                         "論理記述欄 1 行目: Do<abab>を{S}せよ",
                         "論理記述欄 1 行目: (2 回目の出現)",
                         "",
                         "1 [abab]",
                         "単位機能名: abab",
                         "単位機能名: (2 回目の出現)",
                     }));
}

TEST(SearchEngine, ZeroHitsEndWithACountOfZero) {
    SearchTestDocument document;
    document.Origin("Do <A>を{S}せよ");
    document.Add("Child", "");
    document.Finish();
    SearchRequest request = Request("none", false, true, false);
    request.scope = SearchRequest::CurrentFunction;
    const QStringList lines = CFindResultSet(document.data, document.context).SearchAll(request, nullptr).Texts();
    EXPECT_EQ(lines, (QStringList{"検索された文字列: none", "検索対象: 機能内容欄", "検索範囲: 現在の単位機能", "",
                                  "出現回数: 0 回"}));
}

TEST(SearchEngine, ScopesGatherTheirUnitFunctions) {
    SearchTestDocument document;
    CUnitFunction& origin = document.Origin("Fn Far");
    CUnitFunction& child = document.Add("Child", "Fn Far");
    document.Add("Grandchild", "", &child);
    CUnitFunction& far = document.Add("Far", "");
    (void)origin;
    document.Finish();
    const auto names = [&](int scope, const CUnitFunction* current) {
        QStringList list;
        for (const CUnitFunction* function : GatherScope(document.data, scope, current))
            list << function->name;
        return list;
    };
    EXPECT_EQ(names(SearchRequest::CurrentFunction, nullptr), QStringList{"Main"}) << "the origin stands in";
    EXPECT_EQ(names(SearchRequest::CurrentAndDescendants, &child), (QStringList{"Child", "Grandchild"}))
        << "the Fn statements of the current unit function itself are not followed";
    EXPECT_EQ(names(SearchRequest::AllFunctions, &far).size(), 4);
}

TEST(SearchEngine, SearchHitsOpenTheirPlaceFromThePane) {
    SearchTestDocument document;
    document.Origin("Do <A>を{S}せよ\nDo <hit>を{S}せよ");
    document.Finish();
    CInspectionView pane;
    CFindResultSet(document.data, document.context)
        .SearchAll(Request("hit", false, false, true), nullptr)
        .WriteTo(pane);
    EXPECT_EQ(pane.advancedSearchResults, 1);
    const std::optional<InspectionLineRecord> record = pane.GetLineRecord(pane.RecordLineCount() - 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->internalId, static_cast<qint32>(document.data.registry.origin->InternalID));
    EXPECT_EQ(record->lineIndex, 1);
    EXPECT_EQ(record->location.kind, ResultLine::LogicDescriptionLine);
    EXPECT_EQ(record->location.element, 0);
}

namespace {

struct RecordingJumps : CJumpHandler {
    bool OpenFunction(qint32 internalId) override {
        calls << QStringLiteral("open %1").arg(internalId);
        return true;
    }
    void GoToLogicLine(qint32 lineNumber) override { calls << QStringLiteral("line %1").arg(lineNumber); }
    void FocusHeaderField(qint32 fieldCode) override { calls << QStringLiteral("field %1").arg(fieldCode); }
    void SelectExplanation(qint32, qint32) override { calls << QStringLiteral("explanation"); }
    void OfferIntraMemberConsistencyRule(const QString&, const QString&, const QString&) override {}
    QStringList calls;
};

} // namespace

TEST(SearchEngine, DoubleClickOnAHitOpensItsPlace) {
    SearchTestDocument document;
    document.Origin("Do <A>を{S}せよ\nDo <hit>を{S}せよ");
    document.Add("hit", "");
    document.Finish();
    CInspectionView pane;
    const CResultPaneReport report =
        CFindResultSet(document.data, document.context).SearchAll(Request("hit", true, false, true), nullptr);
    report.WriteTo(pane);
    const QStringList lines = pane.Lines();
    const qint32 origin = static_cast<qint32>(document.data.registry.origin->InternalID);
    RecordingJumps jumps;
    pane.OnLineDoubleClick(static_cast<qint32>(lines.indexOf("論理記述欄 2 行目: Do<hit>を{S}せよ")), jumps);
    EXPECT_EQ(jumps.calls, (QStringList{QStringLiteral("open %1").arg(origin), "line 2"}));
    jumps.calls.clear();
    pane.OnLineDoubleClick(static_cast<qint32>(lines.indexOf("単位機能名: hit")), jumps);
    ASSERT_EQ(jumps.calls.size(), 2);
    EXPECT_EQ(jumps.calls[1], "field 2");
    jumps.calls.clear();
    pane.OnLineDoubleClick(0, jumps);
    EXPECT_TRUE(jumps.calls.isEmpty()) << "the header lines lead nowhere";
}

TEST(SearchEngine, AHitInANameOfMegabytesShowsTheTextAroundItAndKeepsItsPlace) {
    const QString name = "Start" + QString(5'000'000, 'x') + "needle" + QString(5'000'000, 'x') + "needle";
    SearchTestDocument document;
    document.Origin("");
    document.Add(name, "").header.contentText = "first line\r\n" + name;
    document.Finish();
    CInspectionView pane;
    CFindResultSet(document.data, document.context)
        .SearchAll(Request("needle", true, true, false), nullptr)
        .WriteTo(pane);
    const QStringList lines = pane.Lines();
    const QString around = ShownText(name, 5 + 5'000'000, 6);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.mid(7, 4), QStringList({"1 [" + ShownText(name) + "]", "単位機能名: " + around,
                                            "単位機能名: (2 回目の出現)", "機能内容欄 2 行目: " + around}));
    for (const int line : {8, 9, 10}) {
        const ResultLine place = pane.GetLineRecord(line)->location;
        EXPECT_EQ(place.matchedText.mid(place.startPosition, 6), "needle") << line;
    }
}
