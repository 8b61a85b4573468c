#include "support/ProgramRun.h"
#include "support/TestFiles.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// Every program that runs out of memory says so and ends with status 1, never with a signal, wherever memory runs
// out: while its worker threads read the document, in a run, in the event loop, while a map is converted. Within 90 and
// 130 MB each runs out at some point of a generated document of 10,000 unit functions; within 250 MB some get through.
// The editor is run within 170, 200 and 250 MB as well: there it gets far enough to paint, where the toolkit's
// painting hands work to its threads and waits for it, and its own libraries may fail an allocation unchecked.
TEST(OutOfMemory, EveryProgramEndsWithItsMessageAndStatusOne) {
    if (!CanLimitMemory())
        GTEST_SKIP() << "the sanitizer build cannot run within a bounded address space";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString document = SaveSharedMemberDocument(dir.filePath("shared.nuv"), 10000);
    WriteFileBytes(dir.filePath("script.txt"), "print\n");
    // A map of 30,000 nodes with notes: the converter fills a document as large.
    QByteArray map = "<map><node TEXT=\"0\">";
    for (int i = 0; i < 30000; ++i)
        map += QByteArray("<node TEXT=\"n%1\"><richcontent TYPE=\"NOTE\"><p>note %1</p></richcontent></node>")
                   .replace("%1", QByteArray::number(i));
    WriteFileBytes(dir.filePath("map.mm"), map + "</node></map>");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", dir.path());
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    // The editor ends by itself once its window shows.
    environment.insert("NUV_RUN_COMMANDS", "57665");
    const std::vector<std::pair<QString, QStringList>> runs = {
        {"nuvinspect", {"conditions", document, "--all"}},
        {"nuvinspect", {"inspect", document, "--all"}},
        {"nuvdump", {document}},
        {"nuvsearch", {"similar", document}},
        {"nuvview", {"chart", document}},
        {"nuvgen", {"testspec", document, "-o", dir.filePath("test.csv")}},
        {"nuvedit", {document, "--current", "0", dir.filePath("script.txt")}},
        {"nuvprint", {"functions", document, dir.filePath("out.pdf"), "--all"}},
        {"nuv", {document}},
        {"tobrel", {dir.filePath("map.mm")}},
    };
    for (const qint64 megabytes : {90, 130, 170, 200, 250}) {
        for (const auto& [program, arguments] : runs) {
            if ((megabytes == 170 || megabytes == 200) && program != "nuv")
                continue;
            const ProgramRun run = RunProgramWithinMemory(program, arguments, megabytes << 20, environment);
            const QString said = run.standardError + QString::fromUtf8(run.standardOutput.right(4096));
            // -1 for a signal; 0 for a run that got through, as the converter may within 130 MB. The converter says
            // that memory ran out, not that the map is at fault.
            const bool toldSo =
                (said.contains("out of memory") || said.contains(QStringLiteral("Not enough memory"))) &&
                !said.contains(QStringLiteral("変換に失敗しました"));
            EXPECT_TRUE((run.exitCode == 1 && toldSo) ||
                        (run.exitCode == 0 && (megabytes > 130 || program == "tobrel")))
                << program.toStdString() << " within " << megabytes << " MB: " << said.right(400).toStdString();
        }
    }
}
