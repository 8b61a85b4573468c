#include "ViewsTestSupport.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"
#include "views/DrawingConsent.h"
#include "views/FunctionListRows.h"
#include "views/FunctionPrompts.h"
#include "views/HierarchicalChart.h"
#include "views/IndexContextMenu.h"
#include "views/OutlineIndexItems.h"
#include "views/StructureDiagramLayout.h"
#include "views/ZoomScale.h"

#include <gtest/gtest.h>

namespace {

QStringList Names(const CFunctionListRows& rows) {
    QStringList names;
    for (const CUnitFunction* function : rows.Rows())
        names << function->name;
    return names;
}

} // namespace

TEST(ZoomWindow, SliderPercentages) {
    EXPECT_EQ(CZoomScale::Label(176), "35 %");
    EXPECT_EQ(CZoomScale::Label(64), "400 %");
    EXPECT_EQ(CZoomScale::Label(128), "100 %");
    EXPECT_EQ(CZoomScale::Label(0), "1600 %");
    EXPECT_DOUBLE_EQ(CZoomScale::FactorOfPosition(192), 0.25);
}

TEST(FunctionListPane, SortsEveryColumnBothWays) {
    TestDocument document;
    CUnitFunction* b = document.Add(2001, QStringLiteral("B"), document.origin());
    CUnitFunction* a = document.Add(2002, QStringLiteral("A"), document.origin());
    CUnitFunction* c = document.Add(2003, QStringLiteral("C"), b);
    CUnitFunction::AppendChild(a, c); // C at two places
    document.Add(2004, QStringLiteral("D"));
    AppendFnLine(document.origin(), b);
    document.origin()->name = QStringLiteral("O");
    b->header.uniqueLabel = QStringLiteral("L3");
    a->header.uniqueLabel = QStringLiteral("L1");
    c->header.uniqueLabel = QStringLiteral("L2");
    document.Rebuild();
    CFunctionListRows rows;
    rows.Refresh(document.registry(), false);
    EXPECT_EQ(Names(rows).join(','), "O,B,C,A,D"); // outline order, the unplaced one last
    rows.ClickColumn(CFunctionListRows::OutlineNumberColumn);
    EXPECT_EQ(Names(rows).join(','), "D,A,C,B,O");
    rows.SetSort(CFunctionListRows::NameColumn, false);
    EXPECT_EQ(Names(rows).join(','), "A,B,C,D,O");
    rows.ClickColumn(CFunctionListRows::NameColumn);
    EXPECT_EQ(Names(rows).join(','), "O,D,C,B,A");
    rows.ClickColumn(CFunctionListRows::NameColumn);
    EXPECT_EQ(Names(rows).join(','), "A,B,C,D,O");
    rows.SetSort(CFunctionListRows::UniqueLabelColumn, false);
    EXPECT_EQ(Names(rows).mid(2).join(','), "A,C,B"); // the two without labels first
    rows.SetSort(CFunctionListRows::IndexUsageColumn, true);
    EXPECT_EQ(rows.Rows().front()->name, "C");
    EXPECT_EQ(rows.Rows().back()->name, "D");
    rows.SetSort(CFunctionListRows::FnUsageColumn, true);
    EXPECT_EQ(rows.Rows().front()->name, "B");

    EXPECT_EQ(CFunctionListRows::CellText(*c, CFunctionListRows::OutlineNumberColumn, false), "1.1/2.1");
    EXPECT_EQ(CFunctionListRows::CellText(*c, CFunctionListRows::IndexUsageColumn, false), "2");
    c->occurrenceCount = -1;
    EXPECT_EQ(CFunctionListRows::CellText(*c, CFunctionListRows::IndexUsageColumn, false), QString(QChar(0x221E)));
    EXPECT_FALSE(CFunctionListRows::CanCreate("A", document.registry(), false));
    EXPECT_TRUE(CFunctionListRows::CanCreate("A", document.registry(), true));
    EXPECT_FALSE(CFunctionListRows::CanCreate("", document.registry(), true));
}

TEST(FunctionListPane, DeletingSeveralAsksOnceAndLooksEachUpAgain) {
    TestDocument document;
    FakeModelShell shell;
    CUnitFunction* a = document.Add(2001, QStringLiteral("A"), document.origin());
    document.Add(2002, QStringLiteral("B"), document.origin());
    document.Rebuild();
    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Ok);
    // The origin is refused by the registry; an id already gone is skipped.
    EXPECT_TRUE(CFunctionListRows::DeleteFunctions(document.data, {2001, 2002, 2001, 1000}));
    ASSERT_GE(sink.Texts().size(), 1);
    EXPECT_TRUE(sink.Texts().front().startsWith("4個の単位機能を削除しようとしています。"));
    EXPECT_EQ(document.registry().Count(), 1);
    (void)a;

    TestDocument single;
    FakeModelShell singleShell;
    CUnitFunction* used = single.Add(2001, QStringLiteral("Used"), single.origin());
    AppendFnLine(single.origin(), used);
    single.Rebuild();
    platform::ScriptedMessageSink answers;
    answers.Answer(platform::MessageAnswer::Ok);
    answers.Answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(CFunctionListRows::DeleteFunctions(single.data, {2001}));
    ASSERT_EQ(answers.Texts().size(), 2);
    EXPECT_TRUE(answers.Texts()[0].contains("は目次で使用されています。"));
    EXPECT_TRUE(answers.Texts()[1].contains("はFn構文に指されています。"));
    EXPECT_EQ(single.registry().Count(), 2);
}

TEST(StructureDiagramPane, RootWithTwoLeaves) {
    TestDocument document;
    AddLeaves(document, 2);
    document.Rebuild();
    StructureDiagramSettings settings;
    const CStructureDiagramLayout layout(settings);
    CAbstractIndexItem& root = document.root();
    EXPECT_EQ(CStructureDiagramLayout::GetColumnCount(root), 2);
    EXPECT_EQ(CStructureDiagramLayout::GetRowCount(root), 2);
    std::vector<QRect> boxes;
    layout.Walk(root, {1.0, 1.0}, QPoint(), [&](const CStructureDiagramLayout::Placed& placed) {
        boxes.push_back(placed.box);
        return true;
    });
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], QRect(20, 40, 160, 43));
    EXPECT_EQ(boxes[1], QRect(200, 40, 160, 43));
    EXPECT_EQ(boxes[2], QRect(200, 103, 160, 43));
    EXPECT_EQ(layout.ImageSize(root), QSize(400, 166));
    EXPECT_EQ(layout.TrunkX(0, {1.0, 1.0}, 0), 190);
    EXPECT_EQ(layout.Extent(root, 1000), QSize(400, 166));

    // A folded root is one row and one column; fit to width keeps 1.0 in a wide pane.
    settings.defaultZoom = 0;
    EXPECT_DOUBLE_EQ(layout.Scales(root, 1000).x, 1.0);
    EXPECT_DOUBLE_EQ(layout.Scales(root, 200).x, 0.5);
    EXPECT_EQ(layout.Extent(root, 1000).width(), 999);
    root.diagramExpanded = 0;
    EXPECT_EQ(CStructureDiagramLayout::GetRowCount(root), 1);
    EXPECT_EQ(CStructureDiagramLayout::GetColumnCount(root), 1);
    root.diagramExpanded = 1;

    const CStructureDiagramLayout::Hit circle = layout.HitTest(root, {1.0, 1.0}, QPoint(), QPoint(190, 61));
    EXPECT_EQ(circle.kind, CStructureDiagramLayout::Hit::Circle);
    const CStructureDiagramLayout::Hit box = layout.HitTest(root, {1.0, 1.0}, QPoint(), QPoint(360, 146));
    EXPECT_EQ(box.kind, CStructureDiagramLayout::Hit::Box);
    EXPECT_EQ(box.item, document.Item({2}));

    settings.showPrefix = 0;
    settings.showPostfix = 0;
    EXPECT_EQ(CStructureDiagramLayout::BoxText(*document.Item({1}), settings, false), "C1");
}

TEST(StructureDiagramPane, DrawingIsConfirmedAgainAfterALargeDocument) {
    TestDocument small;
    AddLeaves(small, 99);
    small.Rebuild();
    CDrawingConsent consent;
    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(consent.ConfirmDiagram(small.root()));
    EXPECT_EQ(sink.Texts().back(), "目次項目が100個あります。\n構造図を描画してもよろしいですか。");
    sink.Answer(platform::MessageAnswer::Ok);
    EXPECT_TRUE(consent.ConfirmDiagram(small.root()));
    consent.DocumentOpened(small.root());
    EXPECT_TRUE(consent.DiagramAllowed());
    TestDocument large;
    AddLeaves(large, 100);
    large.Rebuild();
    consent.DocumentOpened(large.root());
    EXPECT_FALSE(consent.DiagramAllowed());
    sink.Answer(platform::MessageAnswer::Ok);
    EXPECT_TRUE(consent.ConfirmChart(large.root()));
    EXPECT_EQ(sink.Texts().back(), "目次項目が101個あります。\n階層順目次を描画してもよろしいですか。");
    consent.DocumentOpened(large.root());
    EXPECT_TRUE(consent.ChartAllowed()); // the chart's answer holds for the process
}

TEST(OutlineIndexPane, TextsIconsAndFont) {
    TestDocument document;
    CUnitFunction* a = document.Add(2001, QStringLiteral("A"), document.origin());
    CUnitFunction* b = document.Add(2002, QStringLiteral("B"), document.origin());
    CUnitFunction* shared = document.Add(2003, QStringLiteral("S"), a);
    CUnitFunction::AppendChild(b, shared);
    CUnitFunction::AppendChild(a, a); // a cycle
    AppendFnLine(document.origin(), a);
    document.Rebuild();
    const ModelOptions& options = document.options;
    const CAbstractIndexItem& sharedItem = *document.Item({1, 1});
    EXPECT_EQ(COutlineIndexItems::ItemText(sharedItem, options, false, false), "[[S]]");
    EXPECT_EQ(COutlineIndexItems::ItemText(sharedItem, options, true, true), "1.1 [[S]] (1.1/2.1)");
    EXPECT_EQ(COutlineIndexItems::ItemText(*document.Item({2}), options, true, true), "2 B");
    EXPECT_EQ(COutlineIndexItems::ItemText(document.root(), options, true, true), "0 Origin");
    EXPECT_EQ(COutlineIndexItems::ItemIcon(document.root()), COutlineIndexItems::UsedIcon);
    EXPECT_EQ(COutlineIndexItems::ItemIcon(*document.Item({1})), COutlineIndexItems::UsedIcon);
    EXPECT_EQ(COutlineIndexItems::ItemIcon(*document.Item({2})), COutlineIndexItems::UnusedIcon);
    EXPECT_EQ(COutlineIndexItems::ItemIcon(*document.Item({1, 2})), COutlineIndexItems::CycleIcon);

    // A name of a megabyte shows what a row can hold, with its number and places kept; a pair is never split.
    shared->name = QStringLiteral("x").repeated(1021) + QStringLiteral("😀").repeated(500000);
    const QString longText = COutlineIndexItems::ItemText(sharedItem, options, true, true);
    EXPECT_LT(longText.size(), 1100);
    EXPECT_TRUE(longText.startsWith(QStringLiteral("1.1 [[") + QStringLiteral("x").repeated(1021) + QChar(0x2026)))
        << longText.left(1040).toStdString();
    EXPECT_TRUE(longText.endsWith(QStringLiteral(" (1.1/2.1)")));

    FontSetting font;
    font.pointSize = 200;
    font.faceName.clear();
    EXPECT_EQ(COutlineIndexItems::ShownFont(font).pointSize, 100);
    EXPECT_FALSE(COutlineIndexItems::ShownFont(font).faceName.isEmpty());
    font.pointSize = 160;
    EXPECT_EQ(COutlineIndexItems::ShownFont(font).pointSize, 160);
}

TEST(NameAndMovePrompts, RefusalsAndOutlineNumbers) {
    TestDocument document;
    document.Add(2001, QStringLiteral("Placed"), document.origin());
    document.Add(2002, QStringLiteral("Listed"));
    document.Rebuild();
    EXPECT_EQ(CFunctionPrompts::NameRefusal("Placed", document.registry(), false, true),
              "単位機能名 \"Placed\" はすでに使われています。");
    EXPECT_EQ(CFunctionPrompts::NameRefusal("Listed", document.registry(), false, true),
              "単位機能名 \"Listed\" を持つ単位機能は、目次にはありませんが、単位機能一覧に存在します。\n"
              "単位機能一覧で単位機能を削除するか、別の単位機能名を入力してください。");
    EXPECT_TRUE(CFunctionPrompts::NameRefusal("Placed", document.registry(), true, true).isEmpty());
    EXPECT_TRUE(CFunctionPrompts::NameRefusal("New", document.registry(), false, false).isEmpty());
    for (const char* good : {"1", "1.2.3", "0"})
        EXPECT_TRUE(CFunctionPrompts::CanMoveTo(good)) << good;
    for (const char* bad : {"", "1..2", "1.2.", " 1", "a"})
        EXPECT_FALSE(CFunctionPrompts::CanMoveTo(bad)) << bad;
}

TEST(IndexContextMenu, LevelsChecksAndGreying) {
    CMessageContext context;
    context.m_language = 1;
    const auto simple = CIndexContextMenu::LocalizeIndexContextMenu(context, 0, false);
    ASSERT_EQ(simple.size(), 7u);
    EXPECT_EQ(simple[0].id, CIndexContextMenu::CreateChild);
    EXPECT_TRUE(simple[5].IsSeparator());
    EXPECT_TRUE(simple[6].submenu[0].checked);
    const auto full = CIndexContextMenu::LocalizeIndexContextMenu(context, 1, false);
    ASSERT_EQ(full.size(), 13u);
    EXPECT_EQ(full[10].id, CIndexContextMenu::MakeReuseSource);
    EXPECT_FALSE(full[10].enabled);
    EXPECT_TRUE(full[12].submenu[1].checked);

    TestDocument document;
    document.Rebuild();
    CIndexContextMenu::RunCommand(CIndexContextMenu::FullMenu, document.data, document.root());
    EXPECT_EQ(document.data.environment.indexMenuLevel, 1);
}

TEST(StructureDiagramPane, ABoxTextOfTwoLinesIsNotCutThrough) {
    const QRect box(20, 40, 160, 43);
    // One line fits between the margins; so do the side bars' wider ones.
    EXPECT_EQ(CStructureDiagramLayout::TextRect(box, false, 16, 16), QRect(28, 48, 144, 27));
    EXPECT_EQ(CStructureDiagramLayout::TextRect(box, true, 16, 16), QRect(36, 48, 128, 27));
    // Two lines of 16 pixels would lose the lower one's last pixels there: they take the frame's inside.
    const QRect two = CStructureDiagramLayout::TextRect(box, false, 32, 16);
    EXPECT_EQ(two.height(), 32);
    EXPECT_GT(two.top(), box.top());
    EXPECT_LT(two.bottom(), box.bottom());
    // More lines than the frame holds: whole lines only.
    EXPECT_EQ(CStructureDiagramLayout::TextRect(box, false, 64, 16).height(), 32);
}

TEST(NavigationPanes, EveryViewAndMessageShowsOfANameOfMegabytesWhatARowHolds) {
    TestDocument document;
    CUnitFunction* shared = document.Add(2003, QStringLiteral("S"), document.Add(2001, "A", document.origin()));
    CUnitFunction::AppendChild(document.Add(2002, "B", document.origin()), shared);
    document.Rebuild();
    shared->name = QStringLiteral("Start") + QString(10'000'000, 'x');
    shared->header.uniqueLabel = QStringLiteral("Label") + QString(10'000'000, 'y');
    const CAbstractIndexItem& item = *document.Item({1, 1});
    // The tip goes on in lines that fit the screen.
    const QString tip = CHierarchicalChart::BoxTooltip(item, document.options);
    for (const QString& line : tip.split(u'\n'))
        EXPECT_LE(TextColumns(line), CHierarchicalChart::TooltipColumns);
    EXPECT_GT(tip.count(u'\n'), 5);
    // The questions and refusals that name the unit function quote of it what a row shows.
    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(CFunctionListRows::DeleteFunctions(document.data, {2003}));
    ASSERT_EQ(sink.Texts().size(), 1);
    const QString refusal = CFunctionPrompts::NameRefusal(shared->name, document.registry(), false, false);
    const struct {
        const char* view;
        QString text;
        QString before;
        QString after;
    } cases[] = {
        {"tree", COutlineIndexItems::ItemText(item, document.options, true, true), "1.1 [[Start", " (1.1/2.1)"},
        {"chart tip", QString(tip).remove(u'\n'), "1.1 [[Start", " (1.1/2.1)"},
        {"diagram box", CStructureDiagramLayout::BoxText(item, {}, false), "1.1 Start", " (1.1/2.1)"},
        {"list name", CFunctionListRows::CellText(*shared, CFunctionListRows::NameColumn, false), "Start", ""},
        {"list label", CFunctionListRows::CellText(*shared, CFunctionListRows::UniqueLabelColumn, false), "Label", ""},
        {"delete question", sink.Texts().front(), "単位機能 \"Start",
         "\" は目次で使用されています。\n目次から削除してもよろしいですか？"},
        {"name refusal", refusal, "単位機能名 \"Start", "\" はすでに使われています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        EXPECT_LE(c.text.size(), c.before.size() + ShownTextLength + 1 + c.after.size());
        EXPECT_TRUE(c.text.startsWith(c.before) && c.text.endsWith(QChar(0x2026) + c.after))
            << c.text.right(20).toStdString();
    }
}
