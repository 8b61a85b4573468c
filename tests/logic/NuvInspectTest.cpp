#include "LogicScript.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/XmlDocumentContext.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(NUV_TEST_DATA_DIR "/logic/");

struct ToolRun {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

ToolRun Inspect(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(NUV_BINARY_DIR "/nuvinspect"), arguments);
    process.waitForFinished(60000);
    ToolRun run;
    run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    if (!run.lines.isEmpty() && run.lines.last().isEmpty())
        run.lines.removeLast();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A document saved by the document writer: the origin and its children, each with a script.
QString SaveDocument(const QString& path, const std::vector<std::pair<QString, QString>>& functions) {
    CDocumentData data;
    data.SetDefaults();
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    for (size_t i = 0; i < functions.size(); ++i) {
        CUnitFunction* function =
            i == 0 ? data.registry.origin : data.registry.CreateFunction(functions[i].first, data.GetModelOptions());
        function->name = functions[i].first;
        if (i > 0)
            CUnitFunction::AppendChild(data.registry.origin, function);
        for (const QString& text : functions[i].second.split('\n', Qt::SkipEmptyParts))
            function->logicLines.push_back(MakeScriptLine(text.trimmed(), pendingFn));
    }
    ResolveScriptFnLines(data.registry, pendingFn);
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    XmlDocumentContext context(&data);
    QString error;
    EXPECT_TRUE(SaveDocumentXml(context, path, &error)) << error.toStdString();
    return path;
}

} // namespace

TEST(NuvInspect, MatchUsesTheDefaultKeywords) {
    EXPECT_EQ(Inspect({"match", kDataDir + "missing-final-break.txt"}).lines, QStringList{"ILLFORMED"});
    EXPECT_EQ(Inspect({"match", kDataDir + "switch.txt"}).lines, QStringList{"WELLFORMED"});
    EXPECT_EQ(Inspect({"match", kDataDir + "stray-endif.txt"}).lines, QStringList{"ILLFORMED"});
    EXPECT_EQ(Inspect({"match"}).exitCode, 2);
}

TEST(NuvInspect, InspectsTheSavedDocumentAsTheEditorWould) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("d.nuv"), {{"Main", "if <A>{a}\nFn Sub\nelse\nFn Sub\nendif"},
                                                                    {"Sub", "Do <X>{S}\nDo <X>{S}"}});
    const ToolRun current = Inspect({"inspect", path, "--current", "1"});
    ASSERT_EQ(current.exitCode, 0) << current.errors.toStdString();
    EXPECT_EQ(current.lines.first(), "=== 当該単位機能検査（全項目検査）開始 ===");
    EXPECT_TRUE(current.lines.contains("[1 Line 2] Do <X>{S}"));

    const ToolRun syntax = Inspect({"inspect", path, "--all", "--command", "32881"});
    EXPECT_EQ(syntax.lines,
              (QStringList{"=== 全体検査（構文検査）開始 ===", "", "", "  構文検査の検出数          000000000", "",
                           "=== 全体検査（構文検査）終了 ==="}));

    const ToolRun all = Inspect({"inspect", path, "--all"});
    // The repeated Do of the called unit function is found once per call, and the two calls differ only in
    // the if's condition: three redundancies.
    EXPECT_EQ(all.lines.count("[1 Line 1] を参照してください"), 2) << all.lines.join('\n').toStdString();
    EXPECT_TRUE(all.lines.contains("  冗長検査の検出数          000000003"));
    EXPECT_TRUE(all.lines.contains("  探索した経路数            000000004"));

    const ToolRun conditions = Inspect({"conditions", path, "--all"});
    EXPECT_EQ(conditions.lines.last(),
              "=== 条件と結論の対応一覧終了 (Doの条件をすべての単位機能で確認する) 検出数 4 ===");
    EXPECT_EQ(Inspect({"inspect", path, "--current", "9"}).exitCode, 1);
}

TEST(NuvInspect, FnCycleIsRefusedWithItsMessage) {
    QTemporaryDir directory;
    const QString path = SaveDocument(directory.filePath("c.nuv"), {{"Main", "Fn Sub"}, {"Sub", "Fn Main"}});
    const ToolRun run = Inspect({"inspect", path, "--all"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.lines.isEmpty());
    EXPECT_TRUE(run.errors.contains("Fn構文が循環しているため、この機能を使用できません。"))
        << run.errors.toStdString();
}
