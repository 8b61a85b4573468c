#include "model/DocumentData.h"
#include "support/ProgramRun.h"
#include "support/TestFiles.h"
#include "support/ToolSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs a script on the origin of a new document.
ProgramRun RunScript(const QString& script) {
    QTemporaryDir dir;
    CDocumentData data;
    data.SetDefaults();
    const QString document = dir.filePath(QStringLiteral("doc.nuv"));
    EXPECT_TRUE(tools::SaveDocument(data, document, false));
    const QString scriptPath = dir.filePath(QStringLiteral("script.txt"));
    WriteFileBytes(scriptPath, script.toUtf8());
    return RunProgram(QStringLiteral("nuvedit"),
                      {document, QStringLiteral("--current"), QStringLiteral("0"), scriptPath});
}

TEST(NuvEditTest, ScriptInsertsTypesPrintsAndUndoes) {
    const ProgramRun run = RunScript(QStringLiteral("# an if block, a member typed into it\n"
                                                    "OnAddIfAtCurrent\n"
                                                    "type a\n"
                                                    "print\n"
                                                    "flags\n"
                                                    "context\n"
                                                    "UndoLastEdit\n"
                                                    "print\n"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("0\t0 4 4 ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("if <a>")) || lines[0].contains(QStringLiteral("<a>")));
    EXPECT_EQ(lines[3], QStringLiteral("caret 0 5"));
    EXPECT_EQ(lines[5], QStringLiteral("0")); // member name
}

TEST(NuvEditTest, MessagesPrintAndUnknownCommandsStopTheScript) {
    const ProgramRun run = RunScript(QStringLiteral("type x\nNoSuchCommand\nprint\n"));
    EXPECT_NE(run.exitCode, 0);
    ASSERT_FALSE(run.Lines().isEmpty());
    EXPECT_TRUE(run.Lines()[0].startsWith(QStringLiteral("message: ")));
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("line 2")));
}

TEST(NuvEditTest, ScriptWrapsCopiesPastesAndDeletesFrames) {
    const ProgramRun run = RunScript(QStringLiteral("OnAddDoAtCurrent\n"
                                                    "type m\n"
                                                    "select 0 0 1 0\n"
                                                    "OnWrapInLoop\n"
                                                    "select 0 0 3 0\n"
                                                    "OnEditCopy\n"
                                                    "caret 2 0\n"
                                                    "OnEditPasteLines\n"
                                                    "caret 0 0\n"
                                                    "OnDeleteFrame\n"
                                                    "print\n"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_EQ(lines.size(), 5) << run.standardOutput.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("0\t0 0 ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("<m>")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t0 4 ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2\t4 4 ")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("<m>")));
}

TEST(NuvEditTest, ScriptKeepsTheCaretOnABlankFnAndHasNoUndoAfterIt) {
    const ProgramRun run = RunScript(QStringLiteral("OnAddDoAtCurrent\n"
                                                    "OnAddFnAfter\n"
                                                    "key Up\n"
                                                    "UndoLastEdit\n"
                                                    "print\n"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_EQ(lines.size(), 5) << run.standardOutput.toStdString();
    // The message has two lines.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("message: ")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1\t0 0 ")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("caret 1 ")));
}

} // namespace
