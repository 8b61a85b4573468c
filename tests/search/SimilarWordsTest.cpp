#include "SearchTestDocument.h"
#include "model/WordSimilarity.h"
#include "search/FindResultSet.h"
#include "search/SimilarityRows.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <random>

TEST(SimilarWords, PercentagesAndTheExactMatchSetting) {
    EXPECT_EQ(WordSimilarityPercent("kitten", "sitting"), 61);
    EXPECT_EQ(WordSimilarityPercent("abc", "abd"), 66);
    EXPECT_TRUE(IsSimilarWord("abc", "abd", 60, true));
    EXPECT_FALSE(IsSimilarWord("abc", "abd", 70, true));
    EXPECT_FALSE(IsSimilarWord("same", "same", 60, true));
    EXPECT_TRUE(IsSimilarWord("same", "same", 100, false));
}

// The answers kept in rows, however few rows memory holds, are those of comparing each pair anew: names from a
// small alphabet, repeated in random order, against every later record.
TEST(SimilarWords, RowsAnswerAsEachPairComparedAnew) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        std::vector<QString> distinct;
        for (int n = 0; n < 12; ++n) {
            QString name;
            for (int c = 0, length = 1 + static_cast<int>(random() % 6); c < length; ++c)
                name += QChar(u'a' + static_cast<char16_t>(random() % 3));
            distinct.push_back(n == 0 ? QString() : name);
        }
        std::vector<QString> records;
        for (int r = 0; r < 60; ++r)
            records.push_back(distinct[random() % distinct.size()]);
        std::vector<const QString*> names;
        for (const QString& record : records)
            names.push_back(&record);
        const int rate = 50 + static_cast<int>(random() % 51);
        const bool exact = round % 2 == 0;
        for (const std::size_t budget : {std::size_t{1}, std::size_t{30}, CSimilarityRows::MaxKnownPairs}) {
            CSimilarityRows rows(names, rate, exact, budget);
            for (std::size_t i = 0; i < records.size(); ++i) {
                rows.BeginHead(i);
                for (std::size_t j = i + 1; j < records.size(); ++j)
                    ASSERT_EQ(rows.IsSimilar(j), IsSimilarWord(records[i], records[j], rate, exact))
                        << records[i].toStdString() << " " << records[j].toStdString() << " rate " << rate << " budget "
                        << budget;
            }
        }
    }
}

TEST(SimilarWords, ReportsPairsOfLongEnoughNames) {
    SearchTestDocument document;
    document.Origin(
        "Do <temperature1>を{S}せよ\nDo <temperature2>を{S}せよ\nDo <short1>を{S}せよ\nDo <short2>を{S}せよ");
    document.Finish();
    document.data.similarWords.length = 10;
    document.data.similarWords.scope = 0;
    const QStringList lines = CFindResultSet(document.data, document.context).FindSimilarWords().Texts();
    EXPECT_EQ(lines, (QStringList{"=== 類似語検索  開始 ===", "", "メンバー名 \"temperature1\" [0 Line 1] と、",
                                  "  メンバー名 \"temperature2\" [0 Line 2] が類似です。", "",
                                  "=== 類似語検索 終了 類似語数 : 1 ==="}));
}

TEST(SimilarWords, StatesPairOnlyWithinOneMember) {
    SearchTestDocument document;
    document.Origin("case {waitingstate1}\nswitch <M>\ncase {waitingstate2}\ncase {waitingstate3}");
    document.Finish();
    document.data.similarWords.scope = 1;
    const QStringList lines = CFindResultSet(document.data, document.context).FindSimilarWords().Texts();
    EXPECT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[2], "メンバー名 \"M\" の状態名 \"waitingstate2\" [0 Line 3] と、");
    EXPECT_EQ(lines[3], "  同一メンバー名 \"M\" の状態名 \"waitingstate3\" [0 Line 4] が類似です。");
}

TEST(SimilarWords, CapStopsAtOneMoreThanTheMaximum) {
    SearchTestDocument document;
    QString script;
    for (int k = 0; k < 6; ++k)
        script += QStringLiteral("Do <membername%1>を{S}せよ\n").arg(k);
    document.Origin(script);
    document.Finish();
    document.data.similarWords.show = 3;
    document.data.similarWords.scope = 0;
    CFindResultSet run(document.data, document.context);
    const QStringList lines = run.FindSimilarWords().Texts();
    EXPECT_EQ(run.HitCount(), 4);
    EXPECT_EQ(lines.last(), "=== 類似語数が3を超えたので途中終了しました ===");

    document.data.similarWords.agreement = 100;
    EXPECT_EQ(CFindResultSet(document.data, document.context).FindSimilarWords().Texts(),
              (QStringList{"=== 類似語検索  開始 ===", "=== 類似語検索 終了 類似語数 : 0 ==="}));
}

TEST(ObscureWords, EveryWordGetsItsCountEvenWithoutHits) {
    SearchTestDocument document;
    document.Origin("Do <適宜>を{S}せよ");
    document.Finish();
    document.data.registry.origin->header.contentText = "適宜 and 適宜";
    document.data.fuzzwords.words = QStringList{"適宜", "なるべく"};
    const CResultPaneReport report = CFindResultSet(document.data, document.context).FindFuzzyWords(true, true);
    EXPECT_TRUE(report.obscureWordResults);
    EXPECT_EQ(
        report.Texts(),
        (QStringList{"検索対象: 機能内容欄, 論理記述欄", "合計出現回数: 3 回", "", "曖昧語: 適宜", "出現回数: 3 回",
                     "0 機能内容欄 1 行目: 適宜 and 適宜", "0 機能内容欄 1 行目: (2 回目の出現)",
                     "0 論理記述欄 1 行目: Do<適宜>を{S}せよ", "", "曖昧語: なるべく", "出現回数: 0 回", ""}));
}
