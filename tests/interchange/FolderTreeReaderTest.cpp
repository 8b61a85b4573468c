#include "interchange/FolderTreeReader.h"
#include "ImportTestSupport.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunctionRegistry.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FolderTreeReader, NamesThatAreNotUtf8AndTreesDeeperThanAnyPathAreImportedWhole) {
    PlanFolder folder;
    const QByteArray plan = QFile::encodeName(folder.Path("Plan"));
    ASSERT_EQ(::mkdir(QByteArray(plan + "/B\xfe").constData(), 0700), 0);
    ASSERT_EQ(::close(::open(QByteArray(plan + "/B\xfe/d\xff\xfe.txt").constData(), O_WRONLY | O_CREAT, 0600)), 0);
    // A chain of long names far longer than any path the system takes whole, with a side folder every tenth
    // level, which the walk may reach after it has come back from the bottom.
    constexpr int depth = 100;
    const QByteArray deep(200, 'd');
    int handle = ::open(plan.constData(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(::mkdirat(handle, deep.constData(), 0700), 0);
        if (level % 10 == 0) {
            ASSERT_EQ(::mkdirat(handle, "side", 0700), 0);
        }
        const int below = ::openat(handle, deep.constData(), O_RDONLY | O_DIRECTORY);
        ::close(handle);
        handle = below;
    }
    ::close(handle);

    NewDocument document;
    RecordingProgress progress;
    CFolderTreeReader reader;
    ASSERT_TRUE(reader.Open(folder.Path("Plan"), document.data).Succeeded());
    const InterchangeResult result = reader.Import(document.data, progress);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_EQ(result.items, 5 + depth + depth / 10);
    EXPECT_EQ(reader.Unreadable(), 0);
    EXPECT_TRUE(reader.UnreadableText().isEmpty());
    const CUnitFunction* deepest = document.data.registry.origin;
    int found = 0;
    int sides = 0;
    for (;;) {
        sides += std::count_if(deepest->children.begin(), deepest->children.end(),
                               [](const CUnitFunction* child) { return child->name == "side"; });
        const auto next = std::find_if(deepest->children.begin(), deepest->children.end(),
                                       [&](const CUnitFunction* child) { return child->name == QString(deep); });
        if (next == deepest->children.end())
            break;
        deepest = *next;
        ++found;
    }
    EXPECT_EQ(found, depth);
    EXPECT_EQ(sides, depth / 10);
    // The deep chain aside, the bytes that are not UTF-8 show as replacement characters.
    QStringList shallow;
    for (const CUnitFunction* child : document.data.registry.origin->children) {
        if (child->name != QString(deep))
            shallow << SortedTree(*child);
    }
    shallow.sort();
    EXPECT_EQ(shallow, (QStringList{"B(c.txt)", QStringLiteral("B\uFFFD(d\uFFFD\uFFFD.txt)"), "a.txt", "side"}));

    // Removed a level at a time: the tree is too deep for a removal by paths.
    const int root = ::open(plan.constData(), O_RDONLY | O_DIRECTORY);
    QByteArray top = deep;
    for (int level = 0;; ++level) {
        const int current = ::openat(root, top.constData(), O_RDONLY | O_DIRECTORY);
        const QByteArray next = "up" + QByteArray::number(level);
        const bool more = ::renameat(current, deep.constData(), root, next.constData()) == 0;
        ::unlinkat(current, "side", AT_REMOVEDIR);
        ::close(current);
        ::unlinkat(root, top.constData(), AT_REMOVEDIR);
        if (!more)
            break;
        top = next;
    }
    ::close(root);
    // The temporary folder's own removal skips names that are not UTF-8.
    ::unlink(QByteArray(plan + "/B\xfe/d\xff\xfe.txt").constData());
    ::rmdir(QByteArray(plan + "/B\xfe").constData());
}

TEST(FolderTreeReader, FoldersThatCannotBeReadAreCountedAndNamed) {
    QTemporaryDir root;
    const QString missing = root.filePath("missing");
    NewDocument document;
    CFolderTreeReader reader;
    ASSERT_TRUE(reader.Open(missing, document.data).Succeeded());
    EXPECT_EQ(reader.Unreadable(), 1);
    EXPECT_EQ(reader.UnreadableText(),
              QStringLiteral("1 folder(s) could not be read. The files and folders in them were not imported.\n") +
                  missing);
    if (::geteuid() == 0)
        GTEST_SKIP() << "a folder without read permission is still read by root";
    PlanFolder folder;
    for (int i = 0; i < CFolderTreeReader::ListedUnreadable + 1; ++i) {
        const QString locked = folder.Path("Plan/B/") + QString::number(i);
        ASSERT_TRUE(QDir().mkdir(locked));
        ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    }
    ASSERT_TRUE(reader.Open(folder.Path("Plan"), document.data).Succeeded());
    EXPECT_EQ(reader.Unreadable(), CFolderTreeReader::ListedUnreadable + 1);
    EXPECT_EQ(reader.UnreadableText().count('\n'), CFolderTreeReader::ListedUnreadable);
    for (int i = 0; i < CFolderTreeReader::ListedUnreadable + 1; ++i)
        ::chmod(QFile::encodeName(folder.Path("Plan/B/") + QString::number(i)).constData(), 0700);
}

namespace {

// Adds folders named "d" below `root` until it holds a chain `levels` deep. Made from within, one level at a
// time: a path that long cannot be named whole.
void DeepenFolderChain(const QString& root, int levels) {
    const int back = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(back, 0);
    ASSERT_EQ(::chdir(QFile::encodeName(root).constData()), 0);
    for (int level = 0; level < levels; ++level) {
        ASSERT_TRUE(::mkdir("d", 0700) == 0 || errno == EEXIST);
        ASSERT_EQ(::chdir("d"), 0);
    }
    ASSERT_EQ(::fchdir(back), 0);
    ::close(back);
}

void RemoveFolderChain(const QString& root, int levels) {
    const int back = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::chdir(QFile::encodeName(root).constData()), 0);
    for (int level = 0; level < levels; ++level)
        ASSERT_EQ(::chdir("d"), 0);
    for (int level = 0; level < levels; ++level) {
        ASSERT_EQ(::chdir(".."), 0);
        ASSERT_EQ(::rmdir("d"), 0);
    }
    ASSERT_EQ(::fchdir(back), 0);
    ::close(back);
}

} // namespace

TEST(FolderTreeReader, AFolderNestedDeeperThanATableOfContentsMayBeIsRefusedBeforeAnythingChanges) {
    QTemporaryDir root;
    const QString chosen = root.filePath("Deep");
    ASSERT_TRUE(QDir().mkdir(chosen));
    DeepenFolderChain(chosen, kMaxOutlineDepth);
    {
        NewDocument document;
        RecordingProgress progress;
        ASSERT_TRUE(ImportFolder(chosen, document.data, progress).Succeeded());
        EXPECT_EQ(document.data.registry.Count(), kMaxOutlineDepth + 1);
        EXPECT_FALSE(document.data.registry.IsTableOfContentsDeeperThan(kMaxOutlineDepth));
    }
    DeepenFolderChain(chosen, kMaxOutlineDepth + 1);
    NewDocument document;
    document.data.registry.origin->name = QStringLiteral("Kept");
    RecordingProgress progress;
    EXPECT_EQ(ImportFolder(chosen, document.data, progress).failure, InterchangeFailure::TooDeep);
    EXPECT_EQ(document.data.registry.Count(), 1);
    EXPECT_EQ(document.data.registry.origin->name, QStringLiteral("Kept"));
    EXPECT_TRUE(progress.positions.empty());
    RemoveFolderChain(chosen, kMaxOutlineDepth + 1);
}
