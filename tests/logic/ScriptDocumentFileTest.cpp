#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The documents the benchmarks write for the programs they time: more unit functions than a document holds is said
// once and writes nothing, never going on without the unit function that could not be made.
TEST(ScriptDocumentFile, MoreUnitFunctionsThanADocumentHoldsWriteNothing) {
    QTemporaryDir directory;
    platform::ScriptedMessageSink messages;
    const QString path = directory.filePath("many.nuv");
    // The origin and as many more as there are internal IDs to draw: one too many.
    const std::vector<std::pair<QString, QString>> functions(CUnitFunctionRegistry::MaxDrawnInternalID + 1,
                                                             {QStringLiteral("F"), QStringLiteral("Do <X>を{x}せよ")});
    EXPECT_TRUE(SaveScriptDocument(path, functions).isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(messages.Texts(),
              QStringList{"No unit function can be made: there are already 32767, the most a document holds."});
    // One fewer is written.
    const std::vector<std::pair<QString, QString>> most(functions.begin(), functions.end() - 1);
    EXPECT_EQ(SaveScriptDocument(path, most), path);
}
