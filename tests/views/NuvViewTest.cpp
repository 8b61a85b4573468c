#include "model/DocumentData.h"
#include "model/ModelTestSupport.h"
#include "support/ProgramRun.h"
#include "support/ToolSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ProgramRun View(const QStringList& arguments) {
    return RunProgram(QStringLiteral("nuvview"), arguments);
}

QStringList Lines(const QStringList& arguments) {
    const ProgramRun run = View(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    return run.Lines();
}

// A document file whose origin "O" has the children named, each a leaf unless `build` adds to it.
QString SaveDocument(const QString& path, const QStringList& children,
                     const std::function<void(CDocumentData&)>& build = {}) {
    CDocumentData data;
    data.SetDefaults();
    data.registry.origin->name = QStringLiteral("O");
    for (const QString& name : children)
        CUnitFunction::AppendChild(data.registry.origin, data.registry.CreateFunction(name, data.GetModelOptions()));
    if (build)
        build(data);
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    QString error;
    EXPECT_TRUE(tools::SaveDocument(data, path, false, &error)) << error.toStdString();
    return path;
}

// The origin's first two children share S and carry the labels L2 and L1; the origin calls the first twice;
// U is in no place.
void SharedAndUnplaced(CDocumentData& data) {
    CUnitFunction* origin = data.registry.origin;
    CUnitFunction* shared = data.registry.CreateFunction(QStringLiteral("S"), data.GetModelOptions());
    CUnitFunction::AppendChild(origin->children[0], shared);
    CUnitFunction::AppendChild(origin->children[1], shared);
    data.registry.CreateFunction(QStringLiteral("U"), data.GetModelOptions());
    AppendFnLine(origin, origin->children[0]);
    AppendFnLine(origin, origin->children[0]);
    origin->children[0]->header.uniqueLabel = QStringLiteral("L2");
    origin->children[1]->header.uniqueLabel = QStringLiteral("L1");
}

} // namespace

TEST(NuvView, ChartPrintsBoxesExtentScrollAndPages) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("d.nuv"), {"A", "B", "C"});
    EXPECT_EQ(Lines({"chart", path}), (QStringList{"0\t160 0 140 50", "1\t0 70 140 50", "2\t160 70 140 50",
                                                   "3\t320 70 140 50", "extent 460 140", "scroll 460 140", "pages 1"}));
    // A folded origin is one box; half the zoom halves the boxes and the gaps.
    EXPECT_EQ(Lines({"chart", path, "--fold", "0"}),
              (QStringList{"0\t0 0 140 50", "extent 140 70", "scroll 140 70", "pages 1"}));
    EXPECT_EQ(Lines({"chart", path, "--zoom", "50"}),
              (QStringList{"0\t80 0 70 25", "1\t0 35 70 25", "2\t80 35 70 25", "3\t160 35 70 25", "extent 230 70",
                           "scroll 230 70", "pages 1"}));
    EXPECT_EQ(View({"chart", path, "--fold", "9"}).exitCode, 1);

    // 210 columns of 160 pixels pass the page width of 32640 (204 columns): boxes off the first page are left out.
    QStringList many;
    for (int i = 1; i <= 210; ++i)
        many << QStringLiteral("F%1").arg(i);
    const QStringList wide = Lines({"chart", SaveDocument(directory.filePath("wide.nuv"), many)});
    EXPECT_EQ(wide.mid(wide.size() - 3), (QStringList{"extent 33580 140", "scroll 32640 140", "pages 2"}));
    EXPECT_EQ(wide.size(), 1 + 204 + 3); // the origin, centred on the first page, and its first 204 children
    EXPECT_EQ(View({"chart", path, "--zoom", "x"}).exitCode, 2);
}

TEST(NuvView, DiagramPrintsBoxesAndImageSize) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("d.nuv"), {"A", "B"});
    EXPECT_EQ(Lines({"diagram", path}),
              (QStringList{"0\t20 40 160 43", "1\t200 40 160 43", "2\t200 103 160 43", "image 400 166"}));
    // Fit to a narrow pane halves the widths; the copied image keeps its size at 100 %.
    EXPECT_EQ(Lines({"diagram", path, "--zoom", "0", "--pane-width", "200"}),
              (QStringList{"0\t10 40 80 43", "1\t100 40 80 43", "2\t100 103 80 43", "image 400 166"}));
    EXPECT_EQ(View({"diagram", path, "--pane-width"}).exitCode, 2);
}

TEST(NuvView, ListSortsByTheNamedColumnBothWays) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("d.nuv"), {"B", "A"}, SharedAndUnplaced);
    const QStringList outlineOrder{"0\t1\t0\tO\t", "1\t1\t2\tB\tL2", "1.1/2.1\t2\t0\tS\t", "2\t1\t0\tA\tL1",
                                   "+1\t0\t0\tU\t"};
    EXPECT_EQ(Lines({"list", path}), outlineOrder);
    EXPECT_EQ(Lines({"list", path, "--sort", "単位機能名"}),
              (QStringList{outlineOrder[3], outlineOrder[1], outlineOrder[0], outlineOrder[2], outlineOrder[4]}));
    EXPECT_EQ(Lines({"list", path, "--sort", "単位機能名", "--descending"}),
              (QStringList{outlineOrder[4], outlineOrder[2], outlineOrder[0], outlineOrder[1], outlineOrder[3]}));
    EXPECT_EQ(Lines({"list", path, "--sort", "Unique label"}).mid(3), (QStringList{outlineOrder[3], outlineOrder[1]}));
    EXPECT_EQ(Lines({"list", path, "--descending"}).first(), outlineOrder[4]);
    EXPECT_EQ(View({"list", path, "--sort", "nothing"}).exitCode, 1);
}

TEST(NuvView, TocIndentsItemsWithPrefixPostfixAndIcons) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("d.nuv"), {"B", "A"}, SharedAndUnplaced);
    EXPECT_EQ(Lines({"toc", path}), (QStringList{"O\t2", "\tB\t2", "\t\t[[S]]\t1", "\tA\t1", "\t\t[[S]]\t1"}));
    EXPECT_EQ(
        Lines({"toc", path, "--prefix", "--postfix"}),
        (QStringList{"0 O\t2", "\t1 B\t2", "\t\t1.1 [[S]] (1.1/2.1)\t1", "\t2 A\t1", "\t\t2.1 [[S]] (1.1/2.1)\t1"}));
    EXPECT_EQ(Lines({"toc", path, "--postfix"}).at(2), "\t\t[[S]] (1.1/2.1)\t1");
    EXPECT_EQ(View({"toc", path, "--sort"}).exitCode, 2);
    EXPECT_EQ(View({"toc", directory.filePath("missing.nuv")}).exitCode, 1);
}
