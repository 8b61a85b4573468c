#include "AppDirectories.h"
#include "support/ProgramRun.h"

#include <QFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A program given a pipe without a writer or a link to an endless device as its document ends within seconds.
ProgramRun RunWithinSeconds(const QString& name, const QStringList& arguments, const QProcessEnvironment& environment) {
    const std::unique_ptr<QProcess> process = StartProgram(name, arguments, environment);
    if (!process->waitForFinished(15000)) {
        process->kill();
        process->waitForFinished();
        ADD_FAILURE() << name.toStdString() << " " << arguments.join(' ').toStdString() << " did not end";
    }
    return FinishProgram(*process);
}

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.nuv")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("zero.nuv")));
        ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", Path("layout.nuv")));
        m_environment.insert("XDG_RUNTIME_DIR", m_dirs.Root());
        m_environment.insert("XDG_CONFIG_HOME", m_dirs.Path("config"));
        m_environment.insert("XDG_CACHE_HOME", m_dirs.Path("cache"));
        m_environment.insert("QT_QPA_PLATFORM", "offscreen");
        m_environment.remove("DISPLAY");
        m_environment.remove("WAYLAND_DISPLAY");
    }
    QString Path(const QString& name) const { return m_dirs.Path(name); }

    AppDirectories m_dirs;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(SpecialFiles, EveryProgramRefusesAPipeOrADeviceAsItsDocumentAtOnceAndSaysWhy) {
    const QString layout = Path("layout.nuv");
    for (const QString& special : {Path("pipe.nuv"), Path("zero.nuv")}) {
        struct Run {
            const char* program;
            QStringList arguments;
        };
        const Run runs[] = {
            {"nuvdump", {special}},
            {"nuvdump", {"--compare", layout, special}},
            {"nuvdump", {"--compare", special, layout}},
            {"nuvdump", {"--merge", layout, special, Path("merged.nuv")}},
            {"nuvdump", {"--merge", special, layout, Path("merged.nuv")}},
            {"nuvdump", {"--resave", special, Path("resaved.nuv")}},
            {"nuvview", {"chart", special}},
            {"nuvinspect", {"inspect", special, "--all"}},
            {"nuvgen", {"testspec", special, "-o", Path("out.csv")}},
            {"nuvsearch", {"find", special, "--text", "a"}},
            {"nuvedit", {special, "--current", "1", Path("script.txt")}},
            {"nuvprint", {"outline", special, Path("out.pdf")}},
        };
        for (const Run& run : runs) {
            const ProgramRun result = RunWithinSeconds(run.program, run.arguments, m_environment);
            const std::string what = std::string(run.program) + " " + run.arguments.join(' ').toStdString();
            EXPECT_EQ(result.exitCode, 1) << what;
            EXPECT_TRUE(
                result.standardError.contains(QStringLiteral("cannot open %1: not a regular file").arg(special)))
                << what << ": " << result.standardError.toStdString();
        }
        EXPECT_FALSE(QFile::exists(Path("merged.nuv")));
        EXPECT_FALSE(QFile::exists(Path("resaved.nuv")));

        // The editor says so and ends without a window; the converter does not wait on a map that is a pipe.
        const ProgramRun editor = RunWithinSeconds("nuv", {special}, m_environment);
        EXPECT_EQ(editor.exitCode, 1) << special.toStdString();
        EXPECT_TRUE(editor.standardError.contains(
            QStringLiteral("\"%1\" is not a regular file: it cannot be read.").arg(special)))
            << editor.standardError.toStdString();
        const ProgramRun converter = RunWithinSeconds("tobrel", {special}, m_environment);
        EXPECT_NE(converter.exitCode, 0);
        EXPECT_TRUE(converter.standardError.contains(QStringLiteral("is not a regular file: it cannot be read.")))
            << converter.standardError.toStdString();
    }
}

} // namespace
