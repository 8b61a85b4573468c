#include "views/HierarchicalChart.h"
#include "ViewsTestSupport.h"
#include "views/HierarchicalChartPrint.h"

#include <gtest/gtest.h>

namespace {

CHierarchicalChart LaidOut(TestDocument& document) {
    CHierarchicalChart chart;
    chart.ApplySettings(document.data.indexViewSettings, QSize(800, 600));
    chart.Rebuild(&document.root());
    chart.RecalcLayout();
    return chart;
}

QRect RectOf(const CHierarchicalChart& chart, const QString& outline) {
    for (const auto& box : chart.Boxes())
        if (box.item->GetOutlineNumberString() == outline)
            return box.pageRect;
    return {};
}

} // namespace

TEST(HierarchicalChartLayout, ThreeLeavesCentreTheirParent) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    const CHierarchicalChart chart = LaidOut(document);
    EXPECT_EQ(RectOf(chart, "0"), QRect(160, 0, 140, 50));
    EXPECT_EQ(RectOf(chart, "1"), QRect(0, 70, 140, 50));
    EXPECT_EQ(RectOf(chart, "2"), QRect(160, 70, 140, 50));
    EXPECT_EQ(RectOf(chart, "3"), QRect(320, 70, 140, 50));
    EXPECT_EQ(chart.Extent().width(), 460);
    EXPECT_EQ(chart.Extent().height(), 140);
    EXPECT_EQ(chart.PageCount(), 1);
}

TEST(HierarchicalChartLayout, TheTipOfABoxNamesItsOtherPlaces) {
    TestDocument document;
    AddLeaves(document, 2);
    CUnitFunction* shared = document.Add(3000, QStringLiteral("Shared"), document.origin()->children[0]);
    CUnitFunction::AppendChild(document.origin()->children[1], shared);
    document.Rebuild();
    const ModelOptions options = document.data.GetModelOptions();
    EXPECT_EQ(CHierarchicalChart::BoxTooltip(*document.Item({1}), options),
              "1 " + document.Item({1})->GetDisplayText(options));
    const CAbstractIndexItem& place = *document.Item({2, 1});
    EXPECT_EQ(CHierarchicalChart::BoxTooltip(place, options),
              "2.1 " + place.GetDisplayText(options) + " (" + shared->GetOutlineNumberText(false) + ")");
    EXPECT_TRUE(shared->GetOutlineNumberText(false).contains("1.1"));
}

TEST(HierarchicalChartLayout, RootAloneAndFoldedParents) {
    TestDocument alone;
    alone.Rebuild();
    const CHierarchicalChart single = LaidOut(alone);
    ASSERT_EQ(single.Boxes().size(), 1u);
    EXPECT_EQ(single.ScrollSize(), QSize(140, 70));

    // A folded parent takes one column; its sibling starts one pitch to its right.
    TestDocument document;
    AddLeaves(document, 2);
    document.Rebuild();
    CUnitFunction* first = document.origin()->children[0];
    AddLeaves(document, 3, first);
    document.Rebuild();
    document.Item({1})->chartExpanded = 0;
    const CHierarchicalChart chart = LaidOut(document);
    EXPECT_EQ(RectOf(chart, "1"), QRect(0, 70, 140, 50));
    EXPECT_EQ(RectOf(chart, "2"), QRect(160, 70, 140, 50));
    EXPECT_TRUE(RectOf(chart, "1.1").isNull());
    EXPECT_EQ(chart.Extent().width(), 300);
    // The folded box keeps its line up and the short line from its bottom edge down to its fold button.
    for (int k = 0; k < int(chart.Boxes().size()); ++k)
        if (chart.Boxes()[size_t(k)].item == document.Item({1})) {
            std::vector<std::pair<QPoint, QPoint>> lines;
            chart.ConnectorLines(k, lines);
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_EQ(lines[1], std::make_pair(QPoint(70, 120), QPoint(70, 131)));
        }
}

TEST(HierarchicalChartLayout, WideChartsSplitIntoPages) {
    TestDocument document;
    AddLeaves(document, 300); // 300 columns of 160: 48000 pixels
    document.Rebuild();
    CHierarchicalChart chart = LaidOut(document);
    EXPECT_EQ(chart.PageWidth(), 32640);
    EXPECT_EQ(chart.PageCount(), 2);
    EXPECT_EQ(chart.ScrollSize().width(), 32640);
    for (const auto& box : chart.Boxes()) {
        const bool onPage = box.pageRect.left() >= 0 && box.pageRect.right() < chart.PageWidth();
        EXPECT_EQ(box.Shown(), onPage) << box.item->GetOutlineNumberString().toStdString();
    }
    ASSERT_TRUE(chart.NextPage());
    EXPECT_EQ(chart.ScrollSize().width(), 48000 - 20 - 32640);
    EXPECT_EQ(RectOf(chart, "205"), QRect(204 * 160 - 32640, 70, 140, 50));
    EXPECT_TRUE(RectOf(chart, "205").left() >= 0);
}

TEST(HierarchicalChartLayout, ZoomOutsideOneToHundredReadsAsHundred) {
    for (int zoom : {0, 150}) {
        TestDocument document;
        AddLeaves(document, 1);
        document.Rebuild();
        document.data.indexViewSettings.HierZoomVal = zoom;
        const CHierarchicalChart chart = LaidOut(document);
        EXPECT_EQ(document.data.indexViewSettings.HierZoomVal, 100);
        EXPECT_EQ(chart.Metrics().boxWidth, 140);
    }
    TestDocument half;
    half.Rebuild();
    half.data.indexViewSettings.HierZoomVal = 50;
    EXPECT_EQ(LaidOut(half).Metrics().boxWidth, 70);
}

TEST(HierarchicalChartCommands, FitAndReductions) {
    TestDocument document;
    AddLeaves(document, 9);
    document.Rebuild();
    HierarchicalIndexSettings& settings = document.data.indexViewSettings;
    CHierarchicalChart chart = LaidOut(document);
    chart.ChooseFit(settings, QSize(800, 600));
    EXPECT_EQ(settings.HierZoomWindowAdj, 1);
    EXPECT_LT(settings.HierZoomVal, 100);
    EXPECT_EQ(CHierarchicalChart::CheckedReduction(settings), 0);
    // Tiny windows never divide by zero, and the zoom stays readable.
    EXPECT_NO_FATAL_FAILURE(chart.FitToWindow(settings, 0, 0));
    EXPECT_NO_FATAL_FAILURE(chart.FitToWindow(settings, 1, 1));
    EXPECT_GE(settings.HierZoomVal, 1);
    EXPECT_TRUE(chart.ChooseReduction(settings, 70));
    EXPECT_EQ(settings.HierZoomWindowAdj, 0);
    EXPECT_EQ(CHierarchicalChart::CheckedReduction(settings), 70);
    EXPECT_FALSE(chart.ChooseReduction(settings, 70));
}

TEST(HierarchicalChartCommands, HitTestFoldAndReveal) {
    TestDocument document;
    AddLeaves(document, 2);
    document.Rebuild();
    AddLeaves(document, 2, document.origin()->children[1]);
    document.Rebuild();
    CHierarchicalChart chart = LaidOut(document);
    const QRect parent = RectOf(chart, "2");
    const CHierarchicalChart::Hit box = chart.HitTest(parent.center());
    ASSERT_EQ(box.kind, CHierarchicalChart::Hit::Box);
    const CHierarchicalChart::Hit fold = chart.HitTest(chart.FoldButtonRect(box.box).center());
    ASSERT_EQ(fold.kind, CHierarchicalChart::Hit::FoldButton);
    chart.SetFolded(fold.box, true, &document.root());
    chart.RecalcLayout();
    EXPECT_EQ(document.Item({2})->chartExpanded, 0); // kept in the document's own item
    int child = -1;
    for (size_t i = 0; i < chart.Boxes().size(); ++i)
        if (chart.Boxes()[i].item->GetOutlineNumberString() == "2.2")
            child = int(i);
    ASSERT_GE(child, 0);
    EXPECT_FALSE(chart.Boxes()[size_t(child)].placed);
    EXPECT_TRUE(chart.RevealBox(child, &document.root()));
    EXPECT_TRUE(chart.Boxes()[size_t(child)].Shown());
}

TEST(HierarchicalChartCommands, ScrollFollowsGrowth) {
    EXPECT_EQ(CHierarchicalChart::CorrectScroll({100, 50}, {1000, 500}, {1200, 600}, {300, 200}), QPoint(300, 150));
    EXPECT_EQ(CHierarchicalChart::CorrectScroll({100, 50}, {1000, 500}, {250, 150}, {300, 200}), QPoint(0, 0));
    EXPECT_EQ(CHierarchicalChart::CorrectScroll({900, 0}, {1000, 500}, {1000, 500}, {300, 200}), QPoint(700, 0));
}

TEST(HierarchicalChartPrinting, RangesAndPages) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    CUnitFunction* unplaced = document.Add(3000, QStringLiteral("Loose"));
    document.Rebuild();
    PrintSection& section = document.data.printSettings.sections[PrintSettings::HierarchicalIndex];
    CHierarchicalChartPrint print;

    // All unit functions print whatever placed unit function the tab shows; one without a place prints nothing.
    section.scope = 0;
    EXPECT_FALSE(print.Prepare(document.data, unplaced));
    ASSERT_TRUE(print.Prepare(document.data, document.origin()->children[2]));
    ASSERT_EQ(print.Records().size(), 4u);
    EXPECT_EQ(print.Records().back().item->GetOutlineNumberString(), "0"); // after its subtree
    EXPECT_EQ(print.Records().back().rect, QRect(160, -70, 140, 50));
    EXPECT_EQ(print.Records().front().parent, 3);

    section.scope = 2;
    EXPECT_FALSE(print.Prepare(document.data, unplaced));
    ASSERT_TRUE(print.Prepare(document.data, document.origin()->children[1]));
    ASSERT_EQ(print.Records().size(), 1u);
    EXPECT_EQ(print.Records().front().item->GetOutlineNumberString(), "2");

    // Three columns of one box each on pages one box wide; the row above the leaves is empty but for the root.
    section.scope = 0;
    ASSERT_TRUE(print.Prepare(document.data, nullptr));
    const std::vector<QPoint> pages = print.Pages(1, QRect(0, 0, 160, 70));
    EXPECT_EQ(pages.size(), 4u); // 3 columns x 2 rows, of which two upper cells hold no box
}

TEST(HierarchicalChartPrinting, ClippingAndShortenedTexts) {
    QPoint a(-10, 5);
    QPoint b(50, 5);
    ASSERT_TRUE(CHierarchicalChartPrint::ClipSegment(a, b, QRect(0, 0, 20, 20)));
    EXPECT_EQ(a, QPoint(0, 5));
    EXPECT_EQ(b, QPoint(19, 5));
    QPoint c(30, 30);
    QPoint d(40, 40);
    EXPECT_FALSE(CHierarchicalChartPrint::ClipSegment(c, d, QRect(0, 0, 20, 20)));

    const auto measure = [](const QString& text) { return int(text.size()) * 10; };
    EXPECT_EQ(CHierarchicalChartPrint::FitNumber("12.34.56.78", 90, measure), "12...78");
    EXPECT_EQ(CHierarchicalChartPrint::FitName("Abcdefghijk", 90, measure), "Abcd...");
    EXPECT_EQ(CHierarchicalChartPrint::FitName("Short", 90, measure), "Short");

    // A name or number of millions of characters costs what the box shows of it, not its length.
    qsizetype measured = 0;
    const auto counted = [&measured](const QString& text) {
        measured += text.size();
        return int(text.size()) * 10;
    };
    const QString huge(4'000'000, QLatin1Char('n'));
    EXPECT_EQ(CHierarchicalChartPrint::FitName(huge, 90, counted), "nnnn...");
    EXPECT_EQ(CHierarchicalChartPrint::FitNumber(huge, 90, counted), "nn...nn");
    EXPECT_LT(measured, 1000);
}

TEST(HierarchicalChartLayout, TheNameStandsOnOneLineBelowTheDividerShortenedToTheLabel) {
    // The label of a box of the default height 50: from 26 below its top, 23 high, one pixel in from each side.
    EXPECT_EQ(CHierarchicalChart::NameRect(QRect(10, 20, 120, 50)), QRect(11, 46, 118, 23));
    EXPECT_EQ(CHierarchicalChart::NameRect(QRect(0, 0, 140, 100)), QRect(1, 54, 138, 45));
    const auto measure = [](const QString& text) { return int(text.size()) * 7; };
    const int width = CHierarchicalChart::NameRect(QRect(0, 0, 140, 50)).width();
    const QString name = "Item 4.6 with a rather long name that will not fit";
    const QString shown = CHierarchicalChartPrint::FitName(name, width, measure);
    EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
    EXPECT_TRUE(name.startsWith(shown.chopped(3))) << shown.toStdString();
    EXPECT_LE(measure(shown), width);
    EXPECT_EQ(CHierarchicalChartPrint::FitName("Cook rice", width, measure), "Cook rice");
}

TEST(HierarchicalChartLayout, TheDividerNeverRunsThroughTheOutlineNumber) {
    const QRect box(10, 20, 120, 50);
    EXPECT_EQ(CHierarchicalChart::DividerOffset(box), 15);
    // A number font that fits stands at the top of the box.
    EXPECT_EQ(CHierarchicalChart::NumberRect(box, 10), QRect(11, 21, 118, 14));
    // A taller one is moved up until its baseline ends above the divider.
    for (int ascent : {14, 16, 20}) {
        const QRect number = CHierarchicalChart::NumberRect(box, ascent);
        EXPECT_LT(number.top() + ascent, box.top() + CHierarchicalChart::DividerOffset(box)) << ascent;
        EXPECT_LE(number.bottom(), box.top() + CHierarchicalChart::DividerOffset(box) - 1) << ascent;
    }
}
