#include "interchange/FolderTreeReader.h"
#include "ImportTestSupport.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The folder "Plan" holding a.txt and a folder B with c.txt.
struct PlanFolder {
    PlanFolder() {
        QDir(root.path()).mkpath(QStringLiteral("Plan/B"));
        WriteFileBytes(root.filePath(QStringLiteral("Plan/a.txt")), "a");
        WriteFileBytes(root.filePath(QStringLiteral("Plan/B/c.txt")), "c");
    }
    QString Path(const char* name) const { return root.filePath(QString::fromUtf8(name)); }
    QTemporaryDir root;
};

InterchangeResult ImportFolder(const QString& folder, CDocumentData& data, RecordingProgress& progress) {
    CFolderTreeReader reader;
    const InterchangeResult opened = reader.Open(folder, data);
    return opened.Succeeded() ? reader.Import(data, progress) : opened;
}

// "name(child,child)", the children sorted: the file system lists them in an order of its own.
QString SortedTree(const CUnitFunction& function) {
    QStringList children;
    for (const CUnitFunction* child : function.children)
        children << SortedTree(*child);
    children.sort();
    return function.name + (children.isEmpty() ? QString() : '(' + children.join(',') + ')');
}

} // namespace

TEST(FolderTreeReader, EveryFileAndFolderBecomesAUnitFunctionBelowTheOriginNamedAfterTheFolder) {
    PlanFolder folder;
    NewDocument document;
    RecordingProgress progress;
    const InterchangeResult result = ImportFolder(folder.Path("Plan"), document.data, progress);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_EQ(result.items, 3);
    EXPECT_EQ(progress.range, 3);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3}));
    const CUnitFunction& origin = *document.data.registry.origin;
    EXPECT_EQ(SortedTree(origin), QStringLiteral("Plan(B(c.txt),a.txt)"));

    // Another import renames the origin and appends after what is there.
    ImportFolder(folder.Path("Plan/B"), document.data, progress);
    EXPECT_EQ(SortedTree(origin), QStringLiteral("B(B(c.txt),a.txt,c.txt)"));
    EXPECT_EQ(origin.children.back()->name, QStringLiteral("c.txt"));
    EXPECT_EQ(origin.children.back()->primaryParent, &origin);
}

TEST(FolderTreeReader, ALinkToAFolderIsNotEnteredAndCancellingKeepsWhatWasMade) {
    PlanFolder folder;
    // B/up leads back to Plan: followed, the walk would never end.
    ASSERT_TRUE(QFile::link(folder.Path("Plan"), folder.Path("Plan/B/up")));
    NewDocument document;
    RecordingProgress progress;
    ASSERT_TRUE(ImportFolder(folder.Path("Plan"), document.data, progress).Succeeded());
    EXPECT_EQ(SortedTree(*document.data.registry.origin), QStringLiteral("Plan(B(c.txt,up),a.txt)"));

    NewDocument stopped;
    RecordingProgress stopping;
    stopping.stopAt = 1;
    const InterchangeResult result = ImportFolder(folder.Path("Plan"), stopped.data, stopping);
    EXPECT_EQ(result.failure, InterchangeFailure::Cancelled);
    EXPECT_EQ(result.items, 1);
    EXPECT_EQ(stopped.data.registry.Count(), 2);
}
