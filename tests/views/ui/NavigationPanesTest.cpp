#include "../ViewsTestSupport.h"
#include "model/ViewLayoutTables.h"
#include "platform/MessageBox.h"
#include "printing/PrintHeaderFooter.h"
#include "printing/PrintJob.h"
#include "printing/ui/PrintDialog.h"
#include "support/TestFiles.h"
#include "support/model/FailingTemporaryWrites.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"
#include "views/ChartCommand.h"
#include "views/DrawingConsent.h"
#include "views/HierarchicalChartPrint.h"
#include "views/ViewHost.h"
#include "views/ui/FunctionListView.h"
#include "views/ui/FunctionPromptDialogs.h"
#include "views/ui/HierarchicalChartCommands.h"
#include "views/ui/HierarchicalView.h"
#include "views/ui/LexicographicalView.h"
#include "views/ui/MemoView.h"
#include "views/ui/StructureDiagram.h"
#include "views/ui/ViewWidgets.h"
#include "views/ui/ZoomDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class FakeViewHost : public CViewHost {
public:
    explicit FakeViewHost(TestDocument& document) : m_document(document) {}

    CDocumentData& Document() override { return m_document.data; }
    bool HasDocument() const override { return hasDocument; }
    QString DocumentPath() const override { return path; }
    const CMessageContext& MessageContext() const override { return m_context; }
    CMessageContext& Context() { return m_context; }
    void OpenFunctionTab(CUnitFunction* function) override { opened.push_back(function); }
    CUnitFunction* ActiveTabFunction() override { return active; }
    void SetModified() override { ++modified; }
    void SetNotesText(const QString& text) override {
        m_document.data.MemoText = text;
        ++notesSet;
    }
    CDrawingConsent& DrawingConsent() override { return consent; }

    bool hasDocument = true;
    QString path;
    CUnitFunction* active = nullptr;
    std::vector<CUnitFunction*> opened;
    int modified = 0;
    int notesSet = 0;
    CDrawingConsent consent;

private:
    TestDocument& m_document;
    CMessageContext m_context;
};

// The page count poppler reads from a PDF file; -1 when it cannot.
int PdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    if (!process.waitForFinished(30000))
        return -1;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The pages of the grid the whole chart's printout is tiled over on the printer, with the unit measured on it and
// the default margins.
size_t GridPages(const CDocumentData& document, QPrinter& printer) {
    CHierarchicalChartPrint print;
    EXPECT_TRUE(print.Prepare(document, nullptr));
    QFont unitFont(GetDefaultUIFontName());
    unitFont.setPointSizeF(10.5);
    const int unit = std::max(1, static_cast<int>(QFontMetrics(unitFont, &printer).height() / 10.0 + 0.5));
    const double perMillimetre = printer.resolution() / 25.4;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(int(5 * perMillimetre), int(5 * perMillimetre), page.width() - int(10 * perMillimetre),
                     page.height() - int(10 * perMillimetre));
    return print.Pages(unit, area).size();
}

// Hands the next modal dialog to `answer` once it shows; the answer must close it.
void WhenModalShows(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(10, [answer = std::move(answer)]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else
            WhenModalShows(std::move(answer));
    });
}

// Where the tree shows `item`, in its viewport.
QPoint CentreOf(const CLexicographicalView& view, const CAbstractIndexItem& item) {
    return view.visualItemRect(static_cast<QTreeWidgetItem*>(item.treeItem)).center();
}

} // namespace

TEST(HierarchicalChartPane, DrawsOnlyAfterTheQuestionAndOpensClickedBoxes) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    FakeViewHost host(document);
    CHierarchicalView view(host);
    view.resize(600, 400);
    view.show();
    view.OnUpdate();
    EXPECT_TRUE(view.Chart().IsEmpty());

    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Cancel);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(view.Chart().IsEmpty());
    sink.Answer(platform::MessageAnswer::Ok);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(sink.Texts().size(), 2);
    ASSERT_EQ(view.Chart().Boxes().size(), 4u);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(170 + 60, 70 + 20));
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened.front(), document.origin()->children[1]);
    EXPECT_EQ(sink.Texts().size(), 2); // asked no more

    view.hide();
    view.OnUpdate();
    EXPECT_TRUE(view.UpdatePending());
    view.show();
    EXPECT_FALSE(view.UpdatePending());
}

// A name wider than its box is not wrapped into a second line that the box's bottom edge cuts through.
TEST(HierarchicalChartPane, ALongNameStaysOnTheFirstLineOfItsLabel) {
    TestDocument document;
    document.Add(2001, QStringLiteral("alpha beta gamma delta epsilon zeta eta theta iota kappa"), document.origin());
    document.Rebuild();
    FakeViewHost host(document);
    CHierarchicalView view(host);
    view.resize(600, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Ok);
    view.OnUpdate();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(view.Chart().Boxes().size(), 2u);
    const QRect box = view.Chart().Boxes()[1].pageRect.translated(-view.horizontalScrollBar()->value(),
                                                                  -view.verticalScrollBar()->value());
    const QRect name = CHierarchicalChart::NameRect(box);
    const HierarchicalIndexSettings& settings = document.data.indexViewSettings;
    const QFont nameFont =
        ViewWidgets::FontOf(settings.HieFont, view.Chart().ScaledFontSize(settings.HieFont.pointSize));
    const int firstLineEnd = name.top() + QFontMetrics(nameFont).height();
    ASSERT_LT(firstLineEnd, name.bottom()) << "the label has room below a first line";
    const QImage image = view.viewport()->grab().toImage();
    const auto inked = [&image](int top, int bottom, int left, int right) {
        int count = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                count += qGray(image.pixel(x, y)) < 200;
        return count;
    };
    EXPECT_GT(inked(name.top(), firstLineEnd, name.left() + 1, name.right() - 1), 0) << "the name shows";
    EXPECT_EQ(inked(firstLineEnd + 1, name.bottom(), name.left() + 1, name.right() - 1), 0);
}

TEST(HierarchicalChartPane, StoresWhereItStoodAndGoesBackThereOnceLaidOut) {
    TestDocument document;
    AddLeaves(document, 40);
    document.Rebuild();
    FakeViewHost host(document);
    platform::ScriptedMessageSink sink;
    sink.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(host.consent.ConfirmChart(document.data.indexRoot));
    CHierarchicalView view(host);
    view.resize(400, 300);

    // Hidden, the chart keeps the place it was given until it is laid out; a save meanwhile stores that place.
    IndexViewInfo place;
    place.HierClickedInternalID = 2005;
    place.HierViewPageNum = 1;
    place.HierHScrollPosition = 500;
    place.HierVScrollPosition = 7;
    view.RestoreViewState(place);
    view.OnUpdate();
    IndexViewInfo stored;
    view.StoreViewState(stored);
    EXPECT_EQ(stored, place);

    // Shown, it stands there; the chart is too low to scroll down, so no downward position is stored.
    view.show();
    ASSERT_FALSE(view.Chart().IsEmpty());
    view.StoreViewState(stored);
    EXPECT_EQ(stored.HierHScrollPosition, 500);
    EXPECT_EQ(stored.HierVScrollPosition, 0);
    EXPECT_EQ(stored.HierClickedInternalID, 2005u);
    EXPECT_EQ(stored.HierViewPageNum, 1);

    // A box clicked is the unit function stored next.
    for (const CHierarchicalChart::Box& box : view.Chart().Boxes()) {
        const QRect shown = box.pageRect.translated(-500, 0);
        if (box.depth == 2 && view.viewport()->rect().contains(shown)) {
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, shown.center());
            view.StoreViewState(stored);
            EXPECT_EQ(stored.HierClickedInternalID, box.item->unitFunction->InternalID);
            break;
        }
    }
    EXPECT_EQ(host.opened.size(), 1u);
}

TEST(HierarchicalChartPane, PrintsThePagesOfTheGridToPdf) {
    TestDocument document;
    AddLeaves(document, 40);
    document.Rebuild();
    AddLeaves(document, 12, document.origin()->children[0]);
    document.Rebuild();
    FakeViewHost host(document);
    CHierarchicalView view(host);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // The header names the document's file, the footer numbers the pages.
    host.path = folder.filePath(QStringLiteral("chart.nuv"));
    document.data.printSettings.headerKinds = {HeaderFooterFileName, 0, 0};
    ASSERT_GT(view.Print(printer, {}), 0);

    const size_t pages = GridPages(document.data, printer);
    EXPECT_GT(pages, 1u);
    EXPECT_EQ(PdfPages(path), int(pages));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(text.readAllStandardOutput().contains("chart.nuv"));
    EXPECT_EQ(view.PrintPageCount(printer), int(pages));
    // A stored zoom outside 1 to 100 prints at 100, shown on the screen or not.
    document.data.indexViewSettings.HierZoomVal = 400;
    EXPECT_EQ(view.PrintPageCount(printer), int(pages));
    document.data.indexViewSettings.HierZoomVal = 100;

    // A page range prints only its pages.
    const QString range = folder.filePath(QStringLiteral("range.pdf"));
    printer.setOutputFileName(range);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    EXPECT_EQ(view.Print(printer, PrintPageRange::ChosenOn(printer)), 2);
    EXPECT_EQ(PdfPages(range), 2);
    printer.setPrintRange(QPrinter::AllPages);

    // A unit function without a place prints nothing of its own range, with the message.
    document.data.printSettings.sections[PrintSettings::HierarchicalIndex].scope = 2;
    host.active = document.Add(3000, QStringLiteral("Loose"));
    document.Rebuild();
    platform::ScriptedMessageSink sink;
    EXPECT_EQ(view.Print(printer, {}), 0);
    ASSERT_EQ(sink.Texts().size(), 1);
    EXPECT_TRUE(sink.Texts().front().startsWith("印刷に該当する単位機能がないため"));
}

TEST(OutlineOrderedPane, ARightPressKeepsTheSelectionAndOpensNothing) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    FakeModelShell shell;
    FakeViewHost host(document);
    CLexicographicalView view(host);
    view.resize(300, 300);
    view.show();
    view.OnUpdate();
    CAbstractIndexItem* first = document.Item({1});
    CAbstractIndexItem* second = document.Item({2});
    view.SelectItem(first);

    QTest::mousePress(view.viewport(), Qt::RightButton, {}, CentreOf(view, *second));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, CentreOf(view, *second));
    EXPECT_TRUE(shell.openedTabs.empty());
    EXPECT_EQ(CLexicographicalView::IndexItem(view.currentItem()), first);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CentreOf(view, *second));
    ASSERT_EQ(shell.openedTabs.size(), 1u);
    EXPECT_EQ(shell.openedTabs.front(), second->unitFunction);
}

// The active tab's item comes from the outline number its tab shows.
class ActiveTabShell : public FakeModelShell {
public:
    bool GetCurrentOutlineNumber(OutlineNumber& number) override {
        number = activeNumber;
        return activeFunction != nullptr;
    }
    OutlineNumber activeNumber;
};

TEST(OutlineOrderedPane, TheRestoredPlaceComesBackAndSelectingTheActiveItemAgainKeepsIt) {
    TestDocument document;
    AddLeaves(document, 80);
    document.Rebuild();
    ActiveTabShell shell;
    FakeViewHost host(document);
    CLexicographicalView view(host);
    view.resize(300, 300);
    IndexViewInfo place;
    place.LexiVScrollPosition = 20;

    // Read while the pane is behind another: the place waits for the tree, which has no active item yet.
    view.OnUpdate();
    view.RestoreViewState(place);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.verticalScrollBar()->value(), 20);

    // With an active tab its item is selected, and the place still comes back.
    view.hide();
    shell.activeFunction = document.Item({70})->unitFunction;
    shell.activeNumber = {70};
    view.OnUpdate();
    place.LexiVScrollPosition = 30;
    view.RestoreViewState(place);
    view.show();
    EXPECT_EQ(view.verticalScrollBar()->value(), 30);
    EXPECT_EQ(CLexicographicalView::IndexItem(view.currentItem()), document.Item({70}));
    // The active tab's notices select its item again: the tree stays where it was put.
    view.SelectItem(document.Item({70}));
    EXPECT_EQ(view.verticalScrollBar()->value(), 30);
    // Another tab's item is scrolled into view.
    view.SelectItem(document.Item({3}));
    EXPECT_LT(view.verticalScrollBar()->value(), 30);
    EXPECT_EQ(CLexicographicalView::IndexItem(view.currentItem()), document.Item({3}));
    // Selected again from its tab, an item leaves the tree opening what the user clicks next.
    view.SelectItem(document.Item({3}));
    const CAbstractIndexItem* next = document.Item({4});
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CentreOf(view, *next));
    ASSERT_EQ(shell.openedTabs.size(), 1u);
    EXPECT_EQ(shell.openedTabs.front(), next->unitFunction);
}

TEST(StructureDiagramPane, APageMovesTheDiagramByAHundred) {
    TestDocument document;
    AddLeaves(document, 60);
    document.Rebuild();
    CUnitFunction* parent = document.origin()->children[0];
    for (int depth = 0; depth < 12; ++depth) {
        AddLeaves(document, 1, parent);
        document.Rebuild();
        parent = parent->children[0];
    }
    document.data.environment.structureDiagram.defaultZoom = 100;
    FakeViewHost host(document);
    CStructureDiagram pane(host);
    pane.resize(500, 400);
    pane.show();
    pane.ApplyZoomSetting();
    for (QScrollBar* bar : {pane.HorizontalBar(), pane.VerticalBar()}) {
        ASSERT_GT(bar->maximum(), 300) << bar->orientation();
        ASSERT_GT(bar->pageStep(), 100) << bar->orientation();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(bar->value(), 100) << bar->orientation();
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(bar->value(), 0) << bar->orientation();
        bar->setValue(bar->maximum() - 30);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(bar->value(), bar->maximum()) << bar->orientation();
    }
}

TEST(NotesPane, PastesPlainTextRefusesDropsAndIsReadOnlyWithoutADocument) {
    TestDocument document;
    document.Rebuild();
    document.data.MemoText = QStringLiteral("first");
    FakeViewHost host(document);
    CMemoView notes(host);
    EXPECT_EQ(notes.toPlainText(), "first");
    EXPECT_FALSE(notes.isReadOnly());
    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b>bold</b> text"));
    mime->setText(QStringLiteral("bold text"));
    QApplication::clipboard()->setMimeData(mime);
    notes.moveCursor(QTextCursor::End);
    notes.paste();
    EXPECT_EQ(notes.toPlainText(), "firstbold text");
    EXPECT_FALSE(notes.document()->toHtml().contains("font-weight:700"));
    EXPECT_EQ(document.data.MemoText, "firstbold text");
    EXPECT_GE(host.notesSet, 1);
    EXPECT_EQ(host.modified, 0); // the document owner marks it

    // Text dragged over the pane, its own or another's, is refused.
    QMimeData dragged;
    dragged.setText(QStringLiteral("dragged"));
    const QPoint point(5, 5);
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(notes.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDragMoveEvent move(point, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(notes.viewport(), &move);
    EXPECT_FALSE(move.isAccepted());
    QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(notes.viewport(), &drop);
    EXPECT_EQ(notes.toPlainText(), "firstbold text");
    EXPECT_EQ(document.data.MemoText, "firstbold text");

    host.hasDocument = false;
    notes.OnUpdate();
    EXPECT_TRUE(notes.toPlainText().isEmpty());
    EXPECT_TRUE(notes.isReadOnly());
}

TEST(NameAndMovePromptDialogs, RefuseTakenNamesAndEnableMoveForOutlineNumbers) {
    TestDocument document;
    FakeModelShell shell;
    document.Add(2001, QStringLiteral("A"), document.origin());
    document.Add(2002, QStringLiteral("B"), document.origin());
    document.Rebuild();
    document.data.environment.enableDuplicateFunctionName = 0;
    platform::ScriptedMessageSink sink;
    CFunctionNameprompt prompt(document.data, false, QString());
    prompt.Field()->setText(QStringLiteral("A"));
    prompt.accept();
    EXPECT_EQ(prompt.result(), QDialog::Rejected);
    ASSERT_EQ(sink.Texts().size(), 1);
    prompt.Field()->setText(QStringLiteral("New"));
    prompt.accept();
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.Name(), "New");

    CFunctionNameprompt isolate(document.data, true, QStringLiteral("A2"));
    EXPECT_TRUE(isolate.OkButton()->isEnabled());
    isolate.Field()->clear();
    EXPECT_FALSE(isolate.OkButton()->isEnabled());

    // A name longer than can be typed is offered whole.
    const QString longName = QString(100, QChar(u'x'));
    CFunctionNameprompt isolateLong(document.data, true, longName);
    EXPECT_EQ(isolateLong.Field()->text(), longName);
    isolateLong.accept();
    EXPECT_EQ(isolateLong.Name(), longName);
    // One longer than the field holds is offered by its start, and an edit there keeps the rest.
    const QString longerName = QString(40000, QChar(u'x')) + QStringLiteral("TAIL");
    CFunctionNameprompt isolateLonger(document.data, true, longerName);
    QTest::keyClick(isolateLonger.Field(), Qt::Key_End);
    QTest::keyClick(isolateLonger.Field(), Qt::Key_Backspace);
    isolateLonger.accept();
    EXPECT_EQ(isolateLonger.Name().size(), 40003);
    EXPECT_TRUE(isolateLonger.Name().endsWith(QStringLiteral("TAIL")));
    QTest::keyClicks(prompt.Field(), QString(70, QChar(u'y')));
    EXPECT_EQ(prompt.Field()->text(), QStringLiteral("New") + QString(61, QChar(u'y')));

    CFunctionMoveWindow move(document.data, *document.Item({2}));
    EXPECT_EQ(move.Field()->text(), "2");
    EXPECT_FALSE(move.OkButton()->isEnabled());
    move.Field()->setText(QStringLiteral("1."));
    EXPECT_FALSE(move.OkButton()->isEnabled());
    move.Field()->setText(QStringLiteral("1"));
    EXPECT_TRUE(move.OkButton()->isEnabled());
    move.accept();
    EXPECT_EQ(move.result(), QDialog::Accepted);
    EXPECT_EQ(document.origin()->children.front()->name, "B");
}

TEST(NameAndMovePromptDialogs, TheMovePromptOpensWithTheCaretAtTheEndOfTheNumber) {
    TestDocument document;
    FakeModelShell shell;
    CUnitFunction* parent = document.Add(2001, QStringLiteral("A"), document.origin());
    document.Add(2002, QStringLiteral("B"), document.origin());
    document.Add(2003, QStringLiteral("A1"), parent);
    document.Rebuild();
    CFunctionMoveWindow move(document.data, *document.Item({1, 1}));
    move.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&move));
    ASSERT_TRUE(move.Field()->hasFocus());
    EXPECT_FALSE(move.Field()->hasSelectedText());
    QTest::keyClick(move.Field(), Qt::Key_Backspace);
    QTest::keyClick(move.Field(), Qt::Key_Backspace);
    EXPECT_EQ(move.Field()->text(), "1");
    EXPECT_TRUE(move.OkButton()->isEnabled());
    QTest::keyClicks(move.Field(), ".2");
    EXPECT_EQ(move.Field()->text(), "1.2");
}

TEST(FunctionListPane, HeaderCaptionsReadWholeAndTheNameColumnShowsInANarrowPane) {
    TestDocument document;
    document.Add(2001, QStringLiteral("Cook rice"), document.origin());
    document.Add(2002, QStringLiteral("Keep warm"), document.origin());
    document.Rebuild();
    FakeViewHost host(document);
    for (int language : {0, 1}) {
        host.Context().m_language = language;
        CFunctionListView list(host);
        list.resize(280, 300);
        list.show();
        list.Refresh();
        const QHeaderView& header = *list.List()->horizontalHeader();
        const QFontMetrics metrics(header.font());
        for (int column = 0; column < CFunctionListRows::ColumnCount; ++column) {
            const QString shown = list.List()->horizontalHeaderItem(column)->text();
            for (const QString& line : shown.split('\n'))
                EXPECT_LT(metrics.horizontalAdvance(line), header.sectionSize(column)) << line.toStdString();
            EXPECT_EQ(QString(shown).remove('\n').remove(' '),
                      CFunctionListRows::HeaderText(host.MessageContext(), column).remove(' '));
        }
        // At the pane's default width the name column shows at least as much as a count column's width.
        EXPECT_GE(list.List()->viewport()->width() - header.sectionPosition(CFunctionListRows::NameColumn),
                  CFunctionListRows::ColumnWidth(CFunctionListRows::FnUsageColumn))
            << language;
    }
}

TEST(FunctionListPane, OnlyARowSelectedAloneOpensAndAShownPaneSelectsTheActiveTabsRow) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    FakeViewHost host(document);
    CFunctionListView list(host);
    list.resize(400, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.Refresh();
    QTableWidget& table = *list.List();
    const auto rowOf = [&document, &list](const QString& name) {
        return list.Rows().IndexOf(document.registry().FindByName(name));
    };
    const auto click = [&table](int row, Qt::KeyboardModifiers modifiers) {
        const QRect cell = table.visualRect(table.model()->index(row, CFunctionListRows::NameColumn));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, cell.center());
    };
    const auto selectedRows = [&table] {
        QList<int> rows;
        for (const QModelIndex& index : table.selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    };

    click(rowOf("C1"), {});
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened.back()->name, "C1");
    click(rowOf("C2"), Qt::ControlModifier);
    EXPECT_EQ(host.opened.size(), 1u) << "two rows selected open nothing";
    click(rowOf("C2"), Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), QList<int>{rowOf("C1")});
    EXPECT_EQ(host.opened.size(), 1u) << "a row selected off opens no other row";
    click(rowOf("C3"), {});
    ASSERT_EQ(host.opened.size(), 2u);
    EXPECT_EQ(host.opened.back()->name, "C3");

    // Tabs switched while the pane is behind another, after a unit function came before them: shown again, the
    // pane selects the active tab's row.
    list.hide();
    CUnitFunction* second = document.registry().FindByName("C2");
    CUnitFunction::InsertChild(document.origin(), document.Add(3001, "First"), 0);
    document.Rebuild();
    list.Refresh();
    host.active = second;
    list.SelectCurrentFunction(second);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(table.item(rowOf("First"), CFunctionListRows::NameColumn)->text(), "First");
    EXPECT_EQ(selectedRows(), QList<int>{rowOf("C2")});
    EXPECT_EQ(table.currentRow(), rowOf("C2"));
    EXPECT_TRUE(list.DeleteButton()->isEnabled());
    EXPECT_EQ(host.opened.size(), 2u) << "showing the pane opens nothing";
}

TEST(ZoomWindowDialog, SliderLabelAndActualSize) {
    int applied = 0;
    CZoomDialog dialog([&applied] { ++applied; });
    EXPECT_EQ(dialog.Label()->text(), "100 %");
    dialog.Slider()->setValue(176);
    EXPECT_EQ(dialog.Label()->text(), "35 %");
    EXPECT_EQ(applied, 1);
    dialog.ApplyPosition(64);
    EXPECT_EQ(dialog.Label()->text(), "400 %");
    EXPECT_DOUBLE_EQ(dialog.ZoomFactor(), 4.0);
    QTest::mouseClick(dialog.ActualSizeButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.Label()->text(), "100 %");
    EXPECT_EQ(applied, 3);
}

TEST(ZoomWindowDialog, TheSliderShowsOneTickAtTheActualSize) {
    CZoomDialog dialog([] {});
    QSlider* slider = dialog.Slider();
    dialog.resize(200, 400);
    dialog.show();
    slider->setValue(64);
    const QImage image = slider->grab().toImage();
    const auto centreOf = [slider](int value) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = value;
        option.upsideDown = !slider->invertedAppearance();
        option.tickPosition = slider->tickPosition();
        return slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center()
            .y();
    };
    const auto tickAt = [&image](int y) {
        for (int x = image.width() - 4; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)).lightness() < 128)
                return true;
        return false;
    };
    EXPECT_TRUE(tickAt(centreOf(128)));
    EXPECT_FALSE(tickAt(centreOf(0)));
    EXPECT_FALSE(tickAt(centreOf(192)));
}

TEST(ZoomWindowDialog, UpPageUpAndTheWheelTurnedUpEnlargeAndMoveTheThumbUp) {
    CZoomDialog dialog([] {});
    QSlider* slider = dialog.Slider();
    slider->resize(30, 200);
    const auto thumbTop = [slider] {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        option.upsideDown = !slider->invertedAppearance();
        option.subControls = QStyle::SC_SliderHandle;
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).top();
    };
    const int actualSizeTop = thumbTop();
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_GT(dialog.ZoomFactor(), 1.0);
    EXPECT_LT(thumbTop(), actualSizeTop);
    dialog.ApplyPosition(128);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(dialog.ZoomFactor(), 2.0);
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_LT(dialog.ZoomFactor(), 1.0);

    dialog.ApplyPosition(128);
    const QPoint centre = slider->rect().center();
    QWheelEvent wheel(centre, slider->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    EXPECT_DOUBLE_EQ(dialog.ZoomFactor(), 2.0);
}

TEST(HierarchicalChartPane, PrintCommandsOpenTheirDialogsOnlyWithSomethingToPrint) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    FakeViewHost host(document);
    CHierarchicalView view(host);
    CCommandRegistry registry;
    QPrinter printer;
    AddHierarchicalChartCommands(
        registry, [&view]() -> CHierarchicalView& { return view; }, [&printer]() -> QPrinter& { return printer; });
    for (int id : {CommandPrintHierarchicalIndex, CommandPreviewHierarchicalIndex}) {
        ASSERT_NE(registry.Find(id), nullptr) << id;
        EXPECT_EQ(registry.Find(id)->rule, CommandRule::DocumentOpen);
    }

    // Without a document both say so and open nothing.
    host.hasDocument = false;
    platform::ScriptedMessageSink sink;
    EXPECT_TRUE(registry.Dispatch(CommandPrintHierarchicalIndex));
    EXPECT_TRUE(registry.Dispatch(CommandPreviewHierarchicalIndex));
    ASSERT_EQ(sink.Texts().size(), 2);
    EXPECT_TRUE(sink.Texts().back().startsWith("印刷に該当する単位機能がないため"));

    // With one the preview shows the printout's page; the print dialog offers the printer.
    host.hasDocument = true;
    int previewPages = -1;
    size_t gridPages = 0;
    WhenModalShows([&](QWidget* modal) {
        auto* preview = qobject_cast<CPrintPreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        gridPages = GridPages(document.data, *preview->printer());
        preview->reject();
    });
    registry.Dispatch(CommandPreviewHierarchicalIndex);
    EXPECT_GE(previewPages, 1);
    EXPECT_EQ(previewPages, int(gridPages));
    // The printer is the one every printout shares, set up as the printer settings left it; every page is offered
    // again.
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    QPrinter* dialogPrinter = nullptr;
    int maxPage = 0;
    QAbstractPrintDialog::PrintRange offered = QAbstractPrintDialog::PageRange;
    WhenModalShows([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            dialogPrinter = dialog->printer();
            maxPage = dialog->maxPage();
            offered = dialog->printRange();
        }
        qobject_cast<QDialog*>(modal)->reject();
    });
    registry.Dispatch(CommandPrintHierarchicalIndex);
    EXPECT_EQ(dialogPrinter, &printer);
    EXPECT_EQ(offered, QAbstractPrintDialog::AllPages);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(maxPage, int(GridPages(document.data, printer))) << "the dialog is told the page count";
    EXPECT_EQ(sink.Texts().size(), 2);
    EXPECT_EQ(document.data.printSettings.printKind, 2);
}

// The chart's printout to a file goes through the replacement of every file written: one that cannot be written is
// said, with the file's name and the reason, and leaves no file.
TEST(HierarchicalChartPane, APrintoutToAFileThatCannotBeWrittenIsSaidAndLeavesNoFile) {
    TestDocument document;
    AddLeaves(document, 3);
    document.Rebuild();
    FakeViewHost host(document);
    CHierarchicalView view(host);
    CCommandRegistry registry;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    AddHierarchicalChartCommands(
        registry, [&view]() -> CHierarchicalView& { return view; }, [&printer]() -> QPrinter& { return printer; });
    platform::ScriptedMessageSink sink;
    const FailingTemporaryWrites failing;
    WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    registry.Dispatch(CommandPrintHierarchicalIndex);
    EXPECT_EQ(sink.Texts(), QStringList{QStringLiteral("The printout could not be written to the file \"%1\".\n%2")
                                            .arg(path, QString::fromLocal8Bit(std::strerror(EIO)))});
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(NameAndMovePromptDialogs, EveryDialogWithATextIsWalkedInReadingOrder) {
    TestDocument document;
    document.Add(2001, QStringLiteral("A"), document.origin());
    document.Rebuild();
    {
        CFunctionNameprompt dialog(document.data, false, QStringLiteral("A"));
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CFunctionMoveWindow dialog(document.data, *document.Item({1}));
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CZoomDialog dialog([] {});
        dialog_checks::ExpectReadingOrder(dialog);
    }
}
