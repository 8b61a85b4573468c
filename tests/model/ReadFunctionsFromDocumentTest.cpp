#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/UnitFunctionRegistry.h"
#include "support/QStringPrinter.h"
#include "support/ToolSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList NamesInOutlineOrder(const CUnitFunctionRegistry& registry) {
    QStringList names;
    for (const CUnitFunction* function : registry.InOutlineOrder(false))
        names.append(function->GetOutlineNumberText(false) + u' ' + function->name);
    return names;
}

LoadResult Read(const QString& path, CUnitFunctionRegistry& registry) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const LoadResult result = ReadFunctionsFromDocument(file, registry);
    registry.Rebuild(ModelOptions());
    return result;
}

TEST(ReadFunctionsFromDocument, ReadsTheCurrentAndTheOlderLayoutIntoARegistryOfItsOwn) {
    QTemporaryDir folder;
    CDocumentData data;
    data.SetDefaults();
    CUnitFunctionRegistry& registry = data.registry;
    registry.origin->name = QStringLiteral("top");
    for (const char* name : {"first", "second"}) {
        CUnitFunction* function = registry.CreateFunction(QString::fromUtf8(name), data.GetModelOptions());
        CUnitFunction::AppendChild(registry.origin, function);
    }
    registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    const QString current = folder.filePath("current.nuv");
    const QString older = folder.filePath("older.nuv");
    ASSERT_TRUE(tools::SaveDocument(data, current, false));
    ASSERT_TRUE(tools::SaveDocument(data, older, true));

    const QStringList expected = {"0 top", "1 first", "2 second"};
    CUnitFunctionRegistry read;
    ASSERT_EQ(Read(current, read), LoadResult::Loaded);
    EXPECT_EQ(NamesInOutlineOrder(read), expected);
    EXPECT_EQ(read.FindByName("first")->InternalID, registry.FindByName("first")->InternalID);
    // What the registry held before is gone.
    ASSERT_EQ(Read(older, read), LoadResult::Loaded);
    EXPECT_EQ(NamesInOutlineOrder(read), expected);
    EXPECT_EQ(read.Count(), 3);

    const QString broken = folder.filePath("broken.nuv");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<NUV><Document>");
    file.close();
    EXPECT_EQ(Read(broken, read), LoadResult::MalformedXml);
    EXPECT_EQ(read.Count(), 3);
}

} // namespace
