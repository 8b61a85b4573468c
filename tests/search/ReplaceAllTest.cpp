#include "search/ReplaceAll.h"
#include "SearchTestDocument.h"
#include "model/QuantifierCheck.h"
#include "model/TextUtilities.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

ReplaceRequest Request(const QString& find, const QString& replace) {
    ReplaceRequest request;
    request.findText = find;
    request.replaceText = replace;
    return request;
}

} // namespace

TEST(ReplaceAll, ReplacesWholeOccurrencesOrFillsEmptyTexts) {
    EXPECT_EQ(ReplaceInText("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceInText("Abc", "a", "x"), "Abc");
    EXPECT_EQ(ReplaceInText("", "", "new"), "new");
    EXPECT_EQ(ReplaceInText("old", "", "new"), "old");
}

TEST(ReplaceAll, BracketsAreRefusedWhereNamesChange) {
    ReplaceRequest request = Request("a", "<b>");
    EXPECT_TRUE(ReplaceTextHasRefusedBrackets(request));
    request.memberNames = request.stateNames = false;
    EXPECT_FALSE(ReplaceTextHasRefusedBrackets(request)) << "comments may hold brackets";
    request.unitFunctionNames = true;
    EXPECT_TRUE(ReplaceTextHasRefusedBrackets(request));

    SearchTestDocument document;
    document.Origin("Do <a>を{S}せよ");
    document.Finish();
    const ReplaceResult result = ReplaceAll(document.data, Request("a", "{b}"), nullptr);
    EXPECT_EQ(result.replacedCount, 0);
    EXPECT_EQ(document.data.registry.origin->logicLines[0]->textSlots[0].text, "a");
}

TEST(ReplaceAll, SlotOverLimitStopsTheRunUnlessToldToContinue) {
    SearchTestDocument document;
    document.Origin(QStringLiteral("Do <%1>を{S}せよ\nDo <x>を{S}せよ").arg(QString(63, 'x')));
    document.Finish();
    const ReplaceResult stopped = ReplaceAll(document.data, Request("x", "yy"), nullptr);
    EXPECT_EQ(
        stopped.report.Texts(),
        (QStringList{
            QStringLiteral("0 [Main] 論理記述欄 1 行目 \"%1\" は字数制限により置換できません。").arg(QString(63, 'x')),
            "字数制限のため、論理記述欄の 1 個の文字列を置換できません。"}));
    EXPECT_EQ(document.data.registry.origin->logicLines[1]->textSlots[0].text, "x") << "nothing changes";

    ReplaceRequest request = Request("x", "yy");
    request.continueOverLengthLimit = true;
    const ReplaceResult continued = ReplaceAll(document.data, request, nullptr);
    EXPECT_EQ(continued.replacedCount, 1);
    EXPECT_EQ(continued.report.Texts().first(),
              QStringLiteral("0 [Main] 論理記述欄 1 行目 \"%1\" は字数制限により置換できませんでした。")
                  .arg(QString(63, 'x')));
    EXPECT_EQ(document.data.registry.origin->logicLines[1]->textSlots[0].text, "yy");
    EXPECT_EQ(continued.report.Texts().last(), "1 個の文字列を置換しました。");
}

TEST(ReplaceAll, CommentsGrowTo256AndNoFurther) {
    SearchTestDocument document;
    document.Origin("(: " + QString(199, 'c') + "#");
    document.Finish();
    ReplaceRequest request = Request("#", QString(57, 'd'));
    ASSERT_EQ(ReplaceAll(document.data, request, nullptr).replacedCount, 1);
    EXPECT_EQ(document.data.registry.origin->logicLines[0]->textSlots[0].text.size(), 256);

    request = Request("c", "cc");
    request.continueOverLengthLimit = true;
    EXPECT_EQ(ReplaceAll(document.data, request, nullptr).replacedCount, 0) << "257 characters are refused";
}

TEST(ReplaceAll, DetailsAndScopesChooseWhatChanges) {
    SearchTestDocument document;
    document.Origin("if <ab>ab{ab}ab\nendif\ncase {ab}ab\n(: ab");
    CUnitFunction& child = document.Add("Child", "Do <ab>を{S}せよ");
    document.Finish();
    ReplaceRequest request = Request("ab", "Q");
    request.stateNames = false;
    request.comments = false;
    request.scope = SearchRequest::CurrentFunction;
    ASSERT_EQ(ReplaceAll(document.data, request, nullptr).replacedCount, 1) << "the origin stands in for the tab";
    const CUnitFunction& origin = *document.data.registry.origin;
    EXPECT_EQ(origin.logicLines[0]->textSlots[0].text, "Q");
    EXPECT_EQ(origin.logicLines[0]->textSlots[2].text, "ab");
    EXPECT_EQ(child.logicLines[0]->textSlots[0].text, "ab") << "outside the chosen scope";

    request.particlesAndAuxiliaryVerbs = true;
    request.scope = SearchRequest::CurrentAndDescendants;
    EXPECT_EQ(ReplaceAll(document.data, request, nullptr).replacedCount, 4);
    EXPECT_EQ(origin.logicLines[0]->textSlots[3].text, "Q");
    EXPECT_EQ(origin.logicLines[2]->textSlots[1].text, "Q");
    EXPECT_EQ(origin.logicLines[3]->textSlots[0].text, "ab");
    EXPECT_EQ(child.logicLines[0]->textSlots[0].text, "Q");
}

TEST(ReplaceAll, DescendantsScopeFollowsEveryFnStatementOnce) {
    SearchTestDocument document;
    document.Origin("Do <ab>を{S}せよ");
    CUnitFunction& current = document.Add("Current", "Fn Zed\nFn Other");
    document.Add("Under", "Fn Zed\nFn Current\nDo <ab>を{S}せよ", &current);
    CUnitFunction* zed = document.data.registry.CreateFunction("Zed", document.data.GetModelOptions());
    AppendScript(*zed, "Do <ab>を{S}せよ\nFn Current", document.pending);
    CUnitFunction& other = document.Add("Other", "Do <ab>を{S}せよ");
    document.Finish();
    ReplaceRequest request = Request("ab", "Q");
    request.scope = SearchRequest::CurrentAndDescendants;
    const ReplaceResult result = ReplaceAll(document.data, request, &current);
    EXPECT_EQ(result.replacedCount, 3) << result.report.Texts().join('\n').toStdString();
    EXPECT_EQ(zed->logicLines[0]->textSlots[0].text, "Q") << "named by the current unit function's own Fn statement";
    EXPECT_EQ(other.logicLines[0]->textSlots[0].text, "Q");
    EXPECT_EQ(document.data.registry.origin->logicLines[0]->textSlots[0].text, "ab") << "above the current one";

    request.scope = SearchRequest::CurrentFunction;
    request.findText = "Q";
    request.replaceText = "R";
    EXPECT_EQ(ReplaceAll(document.data, request, &current).replacedCount, 0) << "the current one alone";
}

TEST(ReplaceAll, ContentIgnoresCaseAndAnEmptyFindOnlyFillsEmptyFields) {
    SearchTestDocument document;
    document.Origin("");
    CUnitFunction& child = document.Add("Child", "");
    document.Finish();
    document.data.registry.origin->header.contentText = "Abc abc";
    ReplaceRequest request = Request("ABC", "x");
    request.functionContentField = true;
    const ReplaceResult result = ReplaceAll(document.data, request, nullptr);
    EXPECT_EQ(result.replacedCount, 2);
    EXPECT_EQ(document.data.registry.origin->header.contentText, "x x");
    EXPECT_EQ(result.report.Texts().first(), "0 [Main] 機能内容欄の \"Abc\" を \"x\" に置換しました。 ");

    request.findText.clear();
    EXPECT_EQ(ReplaceAll(document.data, request, nullptr).replacedCount, 1);
    EXPECT_EQ(child.header.contentText, "x");
    EXPECT_EQ(document.data.registry.origin->header.contentText, "x x");
}

TEST(ReplaceAll, TwoNamesMadeEqualAllowDuplicates) {
    SearchTestDocument document;
    document.Origin("Fn Alpha1");
    document.Add("Alpha1", "");
    document.Add("Alpha2", "");
    document.Finish();
    document.data.environment.enableDuplicateFunctionName = 0;
    ReplaceRequest request = Request("Alpha", "");
    request.unitFunctionNames = true;
    request.logicDescriptionField = false;
    request.findText = "Alpha";
    request.replaceText = "Beta";
    ReplaceResult result = ReplaceAll(document.data, request, nullptr);
    EXPECT_EQ(result.replacedCount, 2);
    EXPECT_TRUE(result.duplicateName.isEmpty());
    EXPECT_EQ(document.data.registry.origin->logicLines[0]->textSlots[0].text, "Beta1") << "the Fn line follows";

    request.findText = "2";
    request.replaceText = "1";
    result = ReplaceAll(document.data, request, nullptr);
    EXPECT_EQ(result.duplicateName, "Beta1");
    EXPECT_EQ(document.data.environment.enableDuplicateFunctionName, 1);
    EXPECT_EQ(result.report.Texts().first(), "2 [Beta2] 単位機能名を [Beta1] に置換しました。");
}

TEST(ReplaceAll, ChangedMemberNamesAreCheckedForQuantifiers) {
    SearchTestDocument document;
    document.Origin("if <水位>が{高}である\nelse\nendif");
    document.Finish();
    const CLogicLine& ifLine = *document.data.registry.origin->logicLines[0];
    ASSERT_EQ(ReplaceAll(document.data, Request("水位", "∀水位"), nullptr).replacedCount, 1);
    EXPECT_EQ(ifLine.mark, quantifierWarningMark);
    EXPECT_EQ(ifLine.Memo(), "メンバー名の先頭の \"∀\" は全称記号です。");
    ASSERT_EQ(ReplaceAll(document.data, Request("∀水位", "水位"), nullptr).replacedCount, 1);
    EXPECT_EQ(ifLine.mark, 0u);
    EXPECT_TRUE(ifLine.Memo().isEmpty());
}

TEST(ReplaceAll, ALineAboutANameOfMegabytesShowsWhatAViewShowsOfIt) {
    SearchTestDocument document;
    document.Origin("");
    const QString name = QStringLiteral("Long") + QString(10'000'000, 'n') + QStringLiteral("x");
    document.Add(name, "Do <x>を{S}せよ");
    document.Finish();
    ReplaceRequest request = Request("x", "yy");
    request.unitFunctionNames = true;
    request.continueOverLengthLimit = true;
    const QString shown = "1 [" + ShownText(name) + "]";
    EXPECT_EQ(ReplaceAll(document.data, request, nullptr).report.Texts().mid(0, 2),
              QStringList({shown + " 単位機能名は字数制限により置換できませんでした。",
                           shown + " 論理記述欄 1 行目 \"x\" を \"yy\" に置換しました。"}));
}
