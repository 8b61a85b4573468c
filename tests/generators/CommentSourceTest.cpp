#include "generators/CommentSourceOutput.h"
#include "generators/GeneratorTestSupport.h"
#include "model/DefaultSourceCodeTemplate.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

class CommentSourceTest : public GeneratorOutputTest, public ::testing::Test {
protected:
    CommentSourceOkResult Accept(CDocumentData& data, const QString& name, const QString& templateText) {
        return AcceptCommentSourceDialog(data, QStringLiteral("/docs/design.nuv"), Path(name), templateText);
    }
};

TEST_F(CommentSourceTest, BuiltInTemplateWritesOneBlockPerUnitFunction) {
    GeneratorTestDocument document({{"Origin", ""}, {"a/*b", ""}, {"Third", ""}});
    CUnitFunction& second = document.Find("a/*b");
    second.codeSymbol = QStringLiteral("check_level");
    second.header.uniqueLabel = QStringLiteral("U-1");
    second.header.ownRequirements = {QStringLiteral("R1"), QStringLiteral("R0")};
    second.header.TypeNo = 1;
    document.Find("Third").header.TypeNo = 99;
    document.data.registry.RebuildAndNotify(document.data.indexRoot, document.data.GetModelOptions());
    ASSERT_EQ(Accept(document.data, "out.c", GetDefaultSourceCodeTemplate()), CommentSourceOkResult::Written);
    ExpectSameAsGolden(Path("out.c"), "comment-default.c");
    EXPECT_EQ(document.data.environment.outputSourceCodeFileName, Path("out.c"));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(CommentSourceTest, EmptyTemplateWritesAnEmptyFileAndTagsExpandPerUnitFunction) {
    GeneratorTestDocument document({{"Origin", ""}});
    document.data.documentHeader.Title = QStringLiteral("Title");
    ASSERT_EQ(Accept(document.data, "empty.c", QString()), CommentSourceOkResult::Written);
    EXPECT_TRUE(ReadFileBytes(Path("empty.c")).isEmpty());
    ASSERT_EQ(Accept(document.data, "tags.c", "<f>|<p>|<t>|<L><G><S><T>|<E=<c>;none;<c>>|<R=abcabc;b;<o>>|<x><N>"),
              CommentSourceOkResult::Written);
    EXPECT_EQ(ReadFileBytes(Path("tags.c")), QByteArray("design.nuv|/docs/design.nuv|Title|<>;\t|none|a0ca0c|\r\n"));
}

TEST_F(CommentSourceTest, ValidatorReportsEveryTopLevelFaultAndTheUserMayGoOn) {
    qsizetype consumed = 0;
    const QString text = QStringLiteral("<N=x><E=<n>;y><R=a;b><Q><E=<Q>;;z>");
    const TemplateNode root = ParseTemplate(text, consumed);
    EXPECT_EQ(consumed, text.size());
    QString errors;
    EXPECT_FALSE(ValidateTemplateNode(root, errors));
    EXPECT_EQ(errors, QStringLiteral("コマンド <N> の引数は無効です。\n"
                                     "コマンド <E> には 2 個の引数がありますが、3 個必要です。\n"
                                     "コマンド <R> には 2 個の引数がありますが、3, 5, 7, ... 個必要です。\n"
                                     "コマンド <Q> は無効です。\n"));

    GeneratorTestDocument document({{"Origin", ""}});
    messages.Answer(platform::MessageAnswer::Cancel);
    EXPECT_EQ(Accept(document.data, "faults.c", "<E=a;b>x"), CommentSourceOkResult::KeepOpen);
    EXPECT_FALSE(QFile::exists(Path("faults.c")));
    EXPECT_TRUE(messages.Texts().last().endsWith(QStringLiteral("\n続行しますか？")));
    // Going on, the faulty tag expands to nothing.
    EXPECT_EQ(Accept(document.data, "faults.c", "<E=a;b>x"), CommentSourceOkResult::Written);
    EXPECT_EQ(ReadFileBytes(Path("faults.c")), QByteArray("x"));
}

TEST_F(CommentSourceTest, TemplatesThatDoNotParseToTheirEnd) {
    for (const char* text : {"a;b", "a>b", "<N", "<>", "<É>", "<E=a;b"}) {
        qsizetype consumed = 0;
        ParseTemplate(QString::fromUtf8(text), consumed);
        EXPECT_LT(consumed, QString::fromUtf8(text).size()) << text;
    }
    qsizetype consumed = 0;
    const TemplateNode root = ParseTemplate(QStringLiteral("a\r\n\tb<N>"), consumed);
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].text, QStringLiteral("ab"));
}

TEST_F(CommentSourceTest, LoopQuestionAfterSixteenRoundsAndTheSizeBound) {
    GeneratorTestDocument document({{"Origin", ""}});
    messages.Answer(platform::MessageAnswer::Cancel);
    EXPECT_EQ(Accept(document.data, "loop.c", "<R=a;a;aa>"), CommentSourceOkResult::KeepOpen);
    EXPECT_FALSE(QFile::exists(Path("loop.c")));
    EXPECT_EQ(messages.Texts(), QStringList({"置換が無限ループしている可能性があります。\n\n続行してもよろしいですか？",
                                             "コメントソース出力を中止しました。"}));
    // Going on, the doubling text outgrows the bound before the next question.
    GeneratorOutputTest again;
    again.messages.Answer(platform::MessageAnswer::Ok);
    EXPECT_EQ(AcceptCommentSourceDialog(document.data, QString(), again.Path("loop.c"), "<R=a;a;aa>"),
              CommentSourceOkResult::KeepOpen);
    EXPECT_EQ(again.messages.Texts().size(), 3);
    EXPECT_EQ(again.messages.Texts()[1], QStringLiteral("The replacement was stopped: its result grew too long."));
}

TEST_F(CommentSourceTest, TheWholeOutputIsBoundedLikeEachReplacement) {
    // Each tag multiplies one letter by 32 four times in one round: 1 Mi characters, within its own bound.
    QString multiplying = QStringLiteral("<R=a");
    for (char letter = 'a'; letter < 'e'; ++letter)
        multiplying += QStringLiteral(";%1;%2").arg(QChar(letter), QString(32, QChar(letter + 1)));
    multiplying += '>';
    const qsizetype tagsPerOutput = CCommentSourceExpander::MaxOutputLength / CCommentSourceExpander::MaxReplacedLength;
    // Too long for one unit function's text, then for the file of two unit functions.
    GeneratorTestDocument one({{"Origin", ""}});
    GeneratorTestDocument two({{"Origin", ""}, {"Second", ""}});
    for (auto [document, tags] : {std::pair{&one, tagsPerOutput + 1}, {&two, tagsPerOutput / 2 + 1}}) {
        GeneratorOutputTest output;
        EXPECT_EQ(
            AcceptCommentSourceDialog(document->data, QString(), output.Path("big.c"), multiplying.repeated(tags)),
            CommentSourceOkResult::KeepOpen);
        EXPECT_FALSE(QFile::exists(output.Path("big.c")));
        EXPECT_EQ(output.messages.Texts(), QStringList({"The replacement was stopped: its result grew too long.",
                                                        "コメントソース出力を中止しました。"}));
    }
}

TEST_F(CommentSourceTest, FileThatCannotBeWrittenIsReportedAndTheDialogStays) {
    GeneratorTestDocument document({{"Origin", ""}});
    EXPECT_EQ(Accept(document.data, "missing/out.c", QStringLiteral("x")), CommentSourceOkResult::KeepOpen);
    EXPECT_EQ(messages.Texts().last(), QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%2")
                                           .arg(Path("missing/out.c"), QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_EQ(DefaultCommentSourceFileName(QStringLiteral("/docs/design.v2.nuv"), QString()),
              QStringLiteral("/docs/design.v2.c"));
}

} // namespace
