#include "interchange/FolderTreeReader.h"
#include "interchange/ImportProgress.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class RecordingProgress : public CImportProgress {
public:
    void SetRange(int total) override { range = total; }
    void SetPos(int position) override { positions.push_back(position); }
    bool IsCancelled() const override { return stopAt > 0 && int(positions.size()) >= stopAt; }
    void ShowFinished() override {}

    int range = -1;
    std::vector<int> positions;
    int stopAt = 0;
};

struct NewDocument {
    NewDocument() { data.SetDefaults(); }
    CDocumentData data;
};

// The folder "Plan" holding a.txt and a folder B with c.txt.
struct PlanFolder {
    PlanFolder() {
        QDir(root.path()).mkpath(QStringLiteral("Plan/B"));
        WriteFileBytes(Path(QStringLiteral("a.txt")), "a");
        WriteFileBytes(Path(QStringLiteral("B/c.txt")), "c");
    }
    QString Path(const QString& name = QString()) const {
        return root.filePath(QStringLiteral("Plan")) + (name.isEmpty() ? QString() : '/' + name);
    }
    QTemporaryDir root;
};

InterchangeResult ImportFolder(const QString& folder, CDocumentData& data, RecordingProgress& progress) {
    CFolderTreeReader reader;
    const InterchangeResult opened = reader.Open(folder, data);
    return opened.Succeeded() ? reader.Import(data, progress) : opened;
}

QStringList SortedChildNames(const CUnitFunction& function) {
    QStringList names;
    for (const CUnitFunction* child : function.children)
        names << child->name;
    names.sort();
    return names;
}

const CUnitFunction* Child(const CUnitFunction& function, const QString& name) {
    const auto found = std::find_if(function.children.begin(), function.children.end(),
                                    [&name](const CUnitFunction* child) { return child->name == name; });
    return found == function.children.end() ? nullptr : *found;
}

} // namespace

TEST(FolderTreeReader, EveryFileAndFolderBecomesAUnitFunctionBelowTheOriginNamedAfterTheFolder) {
    PlanFolder folder;
    NewDocument document;
    RecordingProgress progress;
    const InterchangeResult result = ImportFolder(folder.Path(), document.data, progress);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_EQ(result.items, 3);
    EXPECT_EQ(progress.range, 3);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3}));
    const CUnitFunction& origin = *document.data.registry.origin;
    EXPECT_EQ(origin.name, QStringLiteral("Plan"));
    EXPECT_EQ(SortedChildNames(origin), (QStringList{"B", "a.txt"}));
    const CUnitFunction* b = Child(origin, QStringLiteral("B"));
    ASSERT_TRUE(b);
    EXPECT_EQ(SortedChildNames(*b), QStringList{"c.txt"});
    EXPECT_EQ(b->primaryParent, &origin);
    EXPECT_TRUE(Child(origin, QStringLiteral("a.txt"))->header.contentText.isEmpty());

    // A second import keeps what is there and appends after it.
    QDir(folder.root.path()).mkdir(QStringLiteral("Empty"));
    const InterchangeResult empty =
        ImportFolder(folder.root.filePath(QStringLiteral("Empty")), document.data, progress);
    EXPECT_TRUE(empty.Succeeded());
    EXPECT_EQ(origin.name, QStringLiteral("Empty"));
    EXPECT_EQ(origin.children.size(), 2u);
    ImportFolder(folder.Path(QStringLiteral("B")), document.data, progress);
    EXPECT_EQ(origin.children.size(), 3u);
    EXPECT_EQ(origin.children.back()->name, QStringLiteral("c.txt"));
}

TEST(FolderTreeReader, ALinkToAFolderIsAnEntryThatIsNotEntered) {
    PlanFolder folder;
    // B/up leads back to Plan: followed, the walk would never end.
    ASSERT_TRUE(QFile::link(folder.Path(), folder.Path(QStringLiteral("B/up"))));
    NewDocument document;
    RecordingProgress progress;
    const InterchangeResult result = ImportFolder(folder.Path(), document.data, progress);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_EQ(result.items, 4);
    const CUnitFunction* b = Child(*document.data.registry.origin, QStringLiteral("B"));
    ASSERT_TRUE(b);
    EXPECT_EQ(SortedChildNames(*b), (QStringList{"c.txt", "up"}));
    EXPECT_TRUE(Child(*b, QStringLiteral("up"))->children.empty());
}

TEST(FolderTreeReader, CancellingKeepsWhatWasMade) {
    PlanFolder folder;
    NewDocument document;
    RecordingProgress progress;
    progress.stopAt = 1;
    const InterchangeResult result = ImportFolder(folder.Path(), document.data, progress);
    EXPECT_EQ(result.failure, InterchangeFailure::Cancelled);
    EXPECT_EQ(result.items, 1);
    EXPECT_EQ(document.data.registry.Count(), 2);
    EXPECT_EQ(document.data.registry.origin->name, QStringLiteral("Plan"));
}
