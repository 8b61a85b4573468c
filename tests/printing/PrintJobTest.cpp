#include "printing/PrintTestSupport.h"

#include "logic/InspectionView.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "printing/PrintHeaderFooter.h"
#include "printing/PrintPageLayout.h"
#include "printing/PrintUnits.h"
#include "support/ChildProcess.h"
#include "support/JapaneseFont.h"
#include "support/ProgramRun.h"
#include "support/TestFiles.h"
#include "support/logic/GeneratedLogicDocument.h"
#include "support/model/LockHolderName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::vector<std::pair<QString, QString>> kCooker = {
    {QStringLiteral("炊飯器"), QStringLiteral("Fn 炊飯する\nFn 保温する")},
    {QStringLiteral("炊飯する"), QStringLiteral("if <ふた>が{閉}\nDo <ヒーター>を{オン}せよ\nendif")},
    {QStringLiteral("保温する"), QString()},
};

// The printouts below are read back as text, which needs a face that draws their Japanese.
TEST(InstalledFonts, SomeFaceDrawsJapanese) {
    EXPECT_TRUE(HasJapaneseFont()) << "No installed font draws Japanese: install " << kJapaneseFontPackage;
}

class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT_JAPANESE_FONT(); }
    QString Path(const QString& name) const { return m_directory.filePath(name); }

    QTemporaryDir m_directory;
    platform::ScriptedMessageSink m_messages;
};

TEST_F(PrintJobTest, UnitFunctionsPrintTheirHeadingsAndLogicWithinTheRangeAndFilters) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("cooker.nuv"))};
    CPrintJob job;
    ASSERT_TRUE(job.PreparePrintUnitFunctions(source));
    EXPECT_EQ(document->printSettings.printKind, PrintKindUnitFunctions);
    PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("all.pdf")));
    EXPECT_EQ(printed.pages, 1);
    EXPECT_EQ(printed.pdfPages, 1);
    EXPECT_TRUE(printed.text.contains(QStringLiteral("0 炊飯器"))) << printed.text.toStdString();
    EXPECT_TRUE(printed.text.contains(QStringLiteral("1 炊飯する")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("2: Do ヒーターをオンせよ")));
    // Only unit functions with a logic description by default: the empty one is left out until asked for.
    EXPECT_FALSE(printed.text.contains(QStringLiteral("2 保温する")));
    document->printSettings.sections[PrintSettings::UnitFunctions].nonWrited = 0;
    ASSERT_TRUE(job.PreparePrintUnitFunctions(source));
    EXPECT_TRUE(
        PrintToPdf(job, source, Path(QStringLiteral("written.pdf"))).text.contains(QStringLiteral("2 保温する")));

    // The current unit function alone.
    document->printSettings.sections[PrintSettings::UnitFunctions].scope = 2;
    source.current = document->indexRoot.children.at(0).unitFunction;
    ASSERT_TRUE(job.PreparePrintUnitFunctions(source));
    printed = PrintToPdf(job, source, Path(QStringLiteral("current.pdf")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("1 炊飯する")));
    EXPECT_FALSE(printed.text.contains(QStringLiteral("炊飯器")));
    // Nothing in range: refused with a message.
    document->printSettings.sections[PrintSettings::UnitFunctions].nonWrited = 1;
    source.current = document->indexRoot.children.at(1).unitFunction;
    EXPECT_FALSE(job.PreparePrintUnitFunctions(source));
    EXPECT_EQ(m_messages.Requests().size(), 1);
    EXPECT_EQ(job.Print(*std::make_unique<QPdfWriter>(Path(QStringLiteral("none.pdf"))), source, 0), 0);
}

TEST_F(PrintJobTest, OutlineIndexFlowsOverPagesAndTheScaleChangesThePageCount) {
    auto document = LoadScriptDocument(Path(QStringLiteral("big.nuv")), GeneratedLogicScripts(3));
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("big.nuv"))};
    CPrintJob job;
    ASSERT_TRUE(job.PreparePrintOutlineIndex(source));
    const PrintedPdf normal = PrintToPdf(job, source, Path(QStringLiteral("normal.pdf")));
    EXPECT_GT(normal.pages, 1);
    EXPECT_EQ(normal.pdfPages, normal.pages);
    // Every item is there, the last one too, with its outline number.
    const CAbstractIndexItem& last = document->indexRoot.children.back();
    EXPECT_TRUE(normal.text.contains(last.GetOutlineNumberString() + QLatin1Char(' ') + last.unitFunction->name))
        << last.GetOutlineNumberString().toStdString();
    // The default footer numbers every page.
    EXPECT_TRUE(QString(normal.text).remove(QLatin1Char(' ')).contains(QStringLiteral("-%1-").arg(normal.pages)));

    document->printSettings.sections[PrintSettings::OutlineOrderedIndex].zoom = 150;
    ASSERT_TRUE(job.PreparePrintOutlineIndex(source));
    EXPECT_GT(PrintToPdf(job, source, Path(QStringLiteral("large.pdf"))).pages, normal.pages);
    // A scale the pages never offer (0 from a file without it) prints at full size.
    document->printSettings.sections[PrintSettings::OutlineOrderedIndex].zoom = 0;
    ASSERT_TRUE(job.PreparePrintOutlineIndex(source));
    EXPECT_EQ(PrintToPdf(job, source, Path(QStringLiteral("zero.pdf"))).pages, normal.pages);
    // Wider margins leave fewer lines a page.
    document->printSettings.marginTop = document->printSettings.marginBottom = 60;
    ASSERT_TRUE(job.PreparePrintOutlineIndex(source));
    EXPECT_GT(PrintToPdf(job, source, Path(QStringLiteral("margins.pdf"))).pages, normal.pages);
}

TEST_F(PrintJobTest, EveryPrintoutPrintsOnlyTheChosenPages) {
    auto document = LoadScriptDocument(Path(QStringLiteral("big.nuv")), GeneratedLogicScripts(3));
    document->documentHeader.Title = QStringLiteral("炊飯器仕様書");
    document->MemoText = QStringList(400, QStringLiteral("メモの行")).join(QLatin1Char('\n'));
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("big.nuv"))};
    // The default footer numbers the pages of the whole printout: "- n -".
    const auto pageNumbers = [](const PrintedPdf& printed) {
        QList<int> numbers;
        const QString compact = QString(printed.text).remove(QLatin1Char(' '));
        for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("-(\\d+)-")).globalMatch(compact))
            numbers << match.captured(1).toInt();
        return numbers;
    };
    CPrintJob job;
    for (const auto prepare :
         {&CPrintJob::PreparePrintOutlineIndex, &CPrintJob::PreparePrintUnitFunctions, &CPrintJob::PreparePrintNotes}) {
        ASSERT_TRUE((job.*prepare)(source));
        SCOPED_TRACE(job.Kind());
        const PrintedPdf all = PrintToPdf(job, source, Path(QStringLiteral("all.pdf")));
        ASSERT_GT(all.pages, 3);
        const PrintedPdf chosen = PrintToPdf(job, source, Path(QStringLiteral("chosen.pdf")), {2, 3});
        EXPECT_EQ(chosen.pages, 2);
        EXPECT_EQ(chosen.pdfPages, 2);
        EXPECT_EQ(pageNumbers(chosen), (QList<int>{2, 3}));
        // A range past the last page prints what there is of it.
        EXPECT_EQ(PrintToPdf(job, source, Path(QStringLiteral("end.pdf")), {all.pages, 999}).pages, 1);
    }
    ASSERT_TRUE(job.PreparePrintTitlePage(source));
    EXPECT_EQ(PrintToPdf(job, source, Path(QStringLiteral("title.pdf")), {1, 1}).pages, 1);
    EXPECT_EQ(PrintToPdf(job, source, Path(QStringLiteral("none.pdf")), {2, 5}).pages, 0);
}

TEST_F(PrintJobTest, TitlePageNeedsATitleAndPrintsItsLinesOnOnePage) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("cooker.nuv"))};
    CPrintJob job;
    EXPECT_FALSE(job.PreparePrintTitlePage(source));
    ASSERT_EQ(m_messages.Texts().size(), 1);
    EXPECT_TRUE(
        m_messages.Texts().first().startsWith(QStringLiteral("Nothing can be printed: there is no document title")));
    EXPECT_EQ(job.Kind(), 0);

    document->documentHeader.Title = QStringLiteral("炊飯器仕様書");
    document->printSettings.titleLines[PrintSettings::InputText1] = {QStringLiteral("社外秘"), 9, 1};
    ASSERT_TRUE(job.PreparePrintTitlePage(source));
    EXPECT_EQ(document->printSettings.printKind, PrintKindTitlePage);
    const PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("title.pdf")));
    EXPECT_EQ(printed.pdfPages, 1);
    for (const QString& text : {QStringLiteral("炊飯器仕様書"), QStringLiteral("cooker.nuv"), QStringLiteral("社外秘")})
        EXPECT_TRUE(printed.text.contains(text)) << text.toStdString() << "\n" << printed.text.toStdString();
    // Input text 2 stands at position 0: not printed.
    document->printSettings.titleLines[PrintSettings::InputText2].text = QStringLiteral("非表示");
    ASSERT_TRUE(job.PreparePrintTitlePage(source));
    EXPECT_FALSE(PrintToPdf(job, source, Path(QStringLiteral("hidden.pdf"))).text.contains(QStringLiteral("非表示")));
    // A title wider than the page is wrapped to it: both of its ends are printed.
    document->documentHeader.Title = QStringLiteral("始まり") + QString(80, QChar(0x3042)) + QStringLiteral("終わり");
    ASSERT_TRUE(job.PreparePrintTitlePage(source));
    const PrintedPdf wrapped = PrintToPdf(job, source, Path(QStringLiteral("long.pdf")));
    EXPECT_EQ(wrapped.pdfPages, 1);
    EXPECT_TRUE(wrapped.text.contains(QStringLiteral("始まり"))) << wrapped.text.toStdString();
    EXPECT_TRUE(wrapped.text.contains(QStringLiteral("終わり"))) << wrapped.text.toStdString();
    // A title with blanks wraps between its words.
    QStringList words;
    for (int n = 0; n < 12; ++n)
        words << QStringLiteral("requirement%1").arg(n) << QStringLiteral("RC-2000");
    document->documentHeader.Title = words.join(QLatin1Char(' '));
    ASSERT_TRUE(job.PreparePrintTitlePage(source));
    const PrintedPdf english = PrintToPdf(job, source, Path(QStringLiteral("english.pdf")));
    EXPECT_GT(english.text.count(QLatin1Char('\n')), 2);
    for (int n = 0; n < 12; ++n)
        EXPECT_TRUE(english.text.contains(QStringLiteral("requirement%1 RC-2000").arg(n)) ||
                    english.text.contains(QStringLiteral("requirement%1\n").arg(n)))
            << n << "\n"
            << english.text.toStdString();
    EXPECT_EQ(english.text.count(QStringLiteral("RC-2000")), 12) << english.text.toStdString();
}

TEST_F(PrintJobTest, ResultsNeedRecordLinesAndPrintTheirTime) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    CInspectionView results;
    const PrintSource source{*document, &results, nullptr, QString()};
    CPrintJob job;
    results.AddMessageWithoutTarget(QStringLiteral("ジャンプ行だけ"));
    EXPECT_FALSE(job.PreparePrintResultMessages(source));
    EXPECT_EQ(m_messages.Texts(),
              QStringList{QStringLiteral("検査・検索等結果のメッセージがないため、印刷できません。")});

    results.ClearMessages();
    for (int k = 0; k < 120; ++k)
        results.AddLine(QStringLiteral("検索結果 %1").arg(k), nullptr, k);
    document->resultsTime = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)).toSecsSinceEpoch();
    ASSERT_TRUE(job.PreparePrintResultMessages(source));
    EXPECT_EQ(document->printSettings.printKind, PrintKindResultMessages);
    const PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("results.pdf")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("検査・検索等開始時間 : 05:06:07 2026/03/04")))
        << printed.text.toStdString();
    EXPECT_TRUE(printed.text.contains(QStringLiteral("検索結果 119")));
    EXPECT_GT(printed.pdfPages, 1);
}

TEST_F(PrintJobTest, NotesNeedATextAndWrapLongLines) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    const PrintSource source{*document, nullptr, nullptr, QString()};
    CPrintJob job;
    document->MemoText = QStringLiteral(" \n ");
    EXPECT_FALSE(job.PreparePrintNotes(source));
    EXPECT_EQ(m_messages.Texts(), QStringList{QStringLiteral("Nothing can be printed: there is no memo.")});

    document->MemoText = QStringLiteral("始まり") + QString(400, QChar(0x3042)) + QStringLiteral("終わり\n次の段落");
    ASSERT_TRUE(job.PreparePrintNotes(source));
    PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("notes.pdf")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("始まり")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("終わり")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("次の段落")));
    // Cut at the line's end instead: the end of the long paragraph and the next paragraph are gone.
    document->printSettings.sections[PrintSettings::Notes].omission = 1;
    ASSERT_TRUE(job.PreparePrintNotes(source));
    printed = PrintToPdf(job, source, Path(QStringLiteral("cut.pdf")));
    EXPECT_TRUE(printed.text.contains(QStringLiteral("...")));
    EXPECT_FALSE(printed.text.contains(QStringLiteral("終わり")));
}

TEST_F(PrintJobTest, UnitFunctionsBreakTheirLinesBetweenWords) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    CUnitFunction& function = *document->indexRoot.children.at(0).unitFunction;
    const QString sentence = QStringLiteral("Increase the color of the indicator lamp while the rice is cooking. ");
    function.header.contentText = sentence.repeated(12);
    function.name = QStringLiteral("Cook the rice and keep it warm until the lid opens and the colour changes");
    document->printSettings.sections[PrintSettings::UnitFunctions].object |= PrintedFunctionContent;
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("cooker.nuv"))};
    CPrintJob job;
    ASSERT_TRUE(job.PreparePrintUnitFunctions(source));
    const PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("words.pdf")));
    ASSERT_GT(printed.text.count(QStringLiteral("cooking.")), 0) << printed.text.toStdString();
    // Every word whole, however the lines fall: each printed run of letters is a word of the texts or a keyword.
    const QStringList words = (sentence + function.name + QStringLiteral(" Fn Do if endif")).split(QLatin1Char(' '));
    const QRegularExpression letters(QStringLiteral("^[A-Za-z.]+$"));
    int printedWords = 0;
    for (const QString& token : printed.text.split(QRegularExpression(QStringLiteral("\\s+")))) {
        if (letters.match(token).hasMatch()) {
            ++printedWords;
            EXPECT_TRUE(words.contains(token)) << token.toStdString() << "\n" << printed.text.toStdString();
        }
    }
    EXPECT_GT(printedWords, 12 * 12);
}

TEST_F(PrintJobTest, AVeryLongNamePrintsWhatOnePageShows) {
    auto document = LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    // Four million characters, as a map's node can make a unit function's name or a title.
    const QString huge = QStringLiteral("long name ").repeated(400'000);
    document->indexRoot.children.at(0).unitFunction->name = huge;
    document->documentHeader.Title = huge;
    document->printSettings.headerKinds = {HeaderFooterDocumentTitle, HeaderFooterNone, HeaderFooterNone};
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("cooker.nuv"))};
    CPrintJob job;
    for (const auto prepare : {&CPrintJob::PreparePrintOutlineIndex, &CPrintJob::PreparePrintUnitFunctions,
                               &CPrintJob::PreparePrintTitlePage}) {
        ASSERT_TRUE((job.*prepare)(source));
        SCOPED_TRACE(job.Kind());
        const QString path = Path(QStringLiteral("long%1.pdf").arg(job.Kind()));
        const PrintedPdf printed = PrintToPdf(job, source, path);
        EXPECT_LE(printed.pages, 2);
        EXPECT_EQ(printed.pdfPages, printed.pages);
        EXPECT_TRUE(printed.text.contains(QStringLiteral("long name long name")))
            << printed.text.left(2000).toStdString();
        EXPECT_TRUE(printed.text.contains(QStringLiteral("...")));
        EXPECT_LT(QFileInfo(path).size(), 200'000);
    }
}

// Unit functions take a page at most each; notes flow on (on pages of two lines, to be quick).
TEST_F(PrintJobTest, APrintoutOfEveryPagePrintsPastTheDialogsHighestPage) {
    auto document = LoadScriptDocument(Path(QStringLiteral("big.nuv")), GeneratedLogicScripts(2));
    QStringList notes;
    for (int line = 1; line <= 2200; ++line)
        notes << QStringLiteral("メモ%1").arg(line);
    document->MemoText = notes.join(QLatin1Char('\n'));
    document->printSettings.marginTop = document->printSettings.marginBottom = 140;
    const CAbstractIndexItem& last = document->indexRoot.children.back();
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("big.nuv"))};
    document->printSettings.footerKinds = {HeaderFooterNone, HeaderFooterPageOfPages, HeaderFooterNone};
    const std::pair<bool (CPrintJob::*)(const PrintSource&), QString> cases[] = {
        {&CPrintJob::PreparePrintUnitFunctions,
         last.GetOutlineNumberString() + QLatin1Char(' ') + last.unitFunction->name},
        {&CPrintJob::PreparePrintNotes, QStringLiteral("メモ2200")},
    };
    CPrintJob job;
    for (const auto& [prepare, lastText] : cases) {
        ASSERT_TRUE((job.*prepare)(source));
        SCOPED_TRACE(job.Kind());
        const PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("every.pdf")));
        EXPECT_GT(printed.pages, PrintHighestPage);
        EXPECT_EQ(printed.pdfPages, printed.pages);
        EXPECT_TRUE(printed.text.contains(lastText)) << lastText.toStdString();
        // pdftotext keeps no spaces of its own around short words.
        EXPECT_TRUE(
            QString(printed.text).remove(QLatin1Char(' ')).contains(QStringLiteral("%1/%1").arg(printed.pages)));
        EXPECT_EQ(PrintToPdf(job, source, Path(QStringLiteral("range.pdf")), {PrintHighestPage, PrintHighestPage + 1})
                      .pdfPages,
                  2);
    }
}

TEST_F(PrintJobTest, HeaderAndFooterItemsArePrintedOnEveryPage) {
    auto document = LoadScriptDocument(Path(QStringLiteral("design.nuv")), GeneratedLogicScripts(3));
    const PrintSource source{*document, nullptr, nullptr, Path(QStringLiteral("design.nuv"))};
    PrintSettings& settings = document->printSettings;
    document->documentHeader.Title = QStringLiteral("要求仕様");
    settings.headerKinds = {HeaderFooterDocumentTitle, HeaderFooterInputText1, HeaderFooterFileName};
    settings.footerKinds = {HeaderFooterInputText2, HeaderFooterPageOfPages, HeaderFooterDate};
    settings.headerFooterText1 = QStringLiteral("第1版");
    settings.headerFooterText2 = QStringLiteral("社内限");
    CPrintJob job;
    ASSERT_TRUE(job.PreparePrintOutlineIndex(source));
    QPdfWriter writer(Path(QStringLiteral("hf.pdf")));
    const int pages = job.Print(writer, source, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)).toSecsSinceEpoch());
    const PrintedPdf printed = PrintToPdf(job, source, Path(QStringLiteral("hf.pdf")));
    ASSERT_GT(pages, 1);
    for (const QString& text :
         {QStringLiteral("要求仕様"), QStringLiteral("第1版"), QStringLiteral("design.nuv"), QStringLiteral("社内限")})
        EXPECT_EQ(printed.text.count(text), pages) << text.toStdString();
    // pdftotext keeps no spaces of its own around short words.
    const QString compact = QString(printed.text).remove(QLatin1Char(' '));
    EXPECT_TRUE(compact.contains(QStringLiteral("1/%1").arg(pages)));
    EXPECT_TRUE(compact.contains(QStringLiteral("%1/%1").arg(pages)));
    const PrintPageInfo info{2, 5, QStringLiteral("/a/b.nuv"),
                             QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)).toSecsSinceEpoch()};
    EXPECT_EQ(HeaderFooterItemText(HeaderFooterDateAndTime, *document, info), QStringLiteral("2026/01/02 03:04:05"));
    EXPECT_EQ(HeaderFooterItemText(HeaderFooterPageNumber, *document, info), QStringLiteral("- 2 -"));
    EXPECT_EQ(HeaderFooterItemText(HeaderFooterItemCount, *document, info), QString());
}

TEST_F(PrintJobTest, NuvprintWritesThePrintoutOrFailsWhenThereIsNothingToPrint) {
    LoadScriptDocument(Path(QStringLiteral("cooker.nuv")), kCooker);
    ProgramRun run =
        RunProgram(QStringLiteral("nuvprint"),
                   {QStringLiteral("functions"), Path(QStringLiteral("cooker.nuv")), Path(QStringLiteral("out.pdf"))});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.Lines(), QStringList{QStringLiteral("1 pages")});
    run = RunProgram(QStringLiteral("nuvprint"),
                     {QStringLiteral("notes"), Path(QStringLiteral("cooker.nuv")), Path(QStringLiteral("notes.pdf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("there is no memo"))) << run.standardError.toStdString();
}

TEST_F(PrintJobTest, NuvprintSaysWhyItCannotWriteAndNeverWritesOverItsDocument) {
    const QString document = Path(QStringLiteral("cooker.nuv"));
    LoadScriptDocument(document, kCooker);
    ProgramRun run = RunProgram(QStringLiteral("nuvprint"), {QStringLiteral("functions"), document, "/dev/full"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardOutput.isEmpty());
    // Qt may say something of its own first.
    EXPECT_TRUE(run.standardError.endsWith(QStringLiteral(
        "nuvprint: cannot write /dev/full: \"/dev/full\" is not a regular file: it cannot be overwritten.\n")))
        << run.standardError.toStdString();

    run = RunProgram(QStringLiteral("nuvprint"), {QStringLiteral("index"), document, Path(QStringLiteral("a.pdf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.endsWith(
        "nuvprint: unknown printout index; choose one of outline, functions, title, notes\n"))
        << run.standardError.toStdString();

    const QByteArray content = ReadFileBytes(document);
    ASSERT_TRUE(QFile::link(document, Path(QStringLiteral("link.nuv"))));
    run = RunProgram(QStringLiteral("nuvprint"),
                     {QStringLiteral("functions"), document, Path(QStringLiteral("link.nuv"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("is the input document"))) << run.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(document), content);
}

TEST_F(PrintJobTest, NuvprintRefusesAnOutputThatIsItsInputAPipeOrADocumentInUse) {
    const QString document = Path(QStringLiteral("cooker.nuv"));
    LoadScriptDocument(document, kCooker);
    const QByteArray content = ReadFileBytes(document);
    const auto print = [&](const QString& output) {
        return RunProgram(QStringLiteral("nuvprint"), {QStringLiteral("outline"), document, output},
                          QProcessEnvironment::systemEnvironment(), m_directory.path());
    };

    // Its input under another name: another hard link, a path relative to the working folder.
    const QString hard = Path(QStringLiteral("hard.pdf"));
    ASSERT_EQ(link(QFile::encodeName(document).constData(), QFile::encodeName(hard).constData()), 0);
    const QString relative = "../" + QFileInfo(m_directory.path()).fileName() + "/./cooker.nuv";
    for (const QString& output : {hard, relative}) {
        const ProgramRun run = print(output);
        EXPECT_EQ(run.exitCode, 1) << output.toStdString();
        EXPECT_TRUE(run.standardError.endsWith(
            QStringLiteral("%1 is the input document; it is not written over\n").arg(output)))
            << run.standardError.toStdString();
    }

    // A pipe is refused at once, not written into once something reads it.
    const QString pipe = Path(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ProgramRun run = print(pipe);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.endsWith(
        QStringLiteral("nuvprint: cannot write %1: \"%1\" is not a regular file: it cannot be overwritten.\n")
            .arg(pipe)))
        << run.standardError.toStdString();

    // A document an editor holds, under a path longer than an instance record keeps: left as it was, until it is
    // let go.
    const QString folder = Path(QString(120, u'f')) + QLatin1Char('/') + QString(120, u'g');
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString held = folder + QStringLiteral("/held.nuv");
    WriteFileBytes(held, content);
    {
        platform::DocumentFileLock editor;
        ASSERT_TRUE(editor.Hold(held));
        run = print(held);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.endsWith(
            QStringLiteral("nuvprint: cannot write %1: %1 は使用中です。\n\n使用者は'%2'です。\n")
                .arg(held, LockHolderName())))
            << run.standardError.toStdString();
        EXPECT_TRUE(run.standardOutput.isEmpty());
        EXPECT_EQ(ReadFileBytes(held), content);
    }
    EXPECT_EQ(print(held).exitCode, 0);
    EXPECT_TRUE(ReadFileBytes(held).startsWith("%PDF"));
    EXPECT_EQ(ReadFileBytes(document), content);
}

// On a full file system the printout is not written: the old one stays whole, and the message names the room that
// would let it through.
TEST_F(PrintJobTest, NuvprintOnAFullFileSystemKeepsTheOldPrintoutAndNamesTheRoomItWants) {
    const QString document = Path(QStringLiteral("cooker.nuv"));
    LoadScriptDocument(document, kCooker);
    const QString small = Path(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    const QString out = small + QStringLiteral("/out.pdf");
    const int status = InChild([&] {
        if (!MountSmallFileSystem(small, 256 << 10))
            _exit(kChildCannotSetUp);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), small + QStringLiteral("/cache"));
        const auto print = [&](const QString& to) {
            return RunProgram(QStringLiteral("nuvprint"), {QStringLiteral("functions"), document, to, "--all"},
                              environment);
        };
        if (print(out).exitCode != 0)
            _exit(2);
        const QByteArray old = ReadFileBytes(out);
        const int filler = open(QFile::encodeName(small + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
        static const char block[4096] = {};
        while (write(filler, block, sizeof block) > 0) {
        }
        close(filler);
        const auto wanted = [&](const QString& to) {
            return QStringLiteral("nuvprint: cannot write %1: The file could not be saved for lack of free space. It "
                                  "can be saved when any one of these is free:\n")
                .arg(to);
        };
        const ProgramRun run = print(out);
        // A new file names the room too.
        const ProgramRun fresh = print(small + QStringLiteral("/new.pdf"));
        fprintf(stderr, "%s\n%s\n", run.standardError.toLocal8Bit().constData(),
                fresh.standardError.toLocal8Bit().constData());
        _exit(run.exitCode == 1 && run.standardError.contains(wanted(out)) && fresh.exitCode == 1 &&
                      fresh.standardError.contains(wanted(small + QStringLiteral("/new.pdf"))) &&
                      fresh.standardError.contains(QStringLiteral(" bytes in the folder \"%1\"").arg(small)) &&
                      ReadFileBytes(out) == old &&
                      QDir(small).entryList(QDir::Files | QDir::Hidden) ==
                          QStringList({QStringLiteral("filler"), QStringLiteral("out.pdf")})
                  ? 0
                  : 1);
    });
    if (status == kChildCannotSetUp)
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    EXPECT_EQ(status, 0);
}

TEST(PrintPageLayoutTest, WrapsElidesAndBreaksPages) {
    const auto measure = [](const QString& text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("abcdefg\n\nxy"), 30, measure),
              (QStringList{QStringLiteral("abc"), QStringLiteral("def"), QStringLiteral("g"), QString(),
                           QStringLiteral("xy")}));
    // However narrow, every line takes a character: no endless loop.
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("ab"), 0, measure).size(), 2);
    // Broken at blanks: between words where there are blanks, between characters only in a word too long.
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("require ment  RC-2 000 abcdefghij"), 70, measure),
              (QStringList{QStringLiteral("require"), QStringLiteral("ment"), QStringLiteral("RC-2"),
                           QStringLiteral("000"), QStringLiteral("abcdefg"), QStringLiteral("hij")}));
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("ab cd"), 0, measure).size(), 4);
    // Every kind of line end ends a paragraph; a pair of surrogates is never split.
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("ab\r\ncd\ref"), 30, measure),
              (QStringList{QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("ef")}));
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("abcdef   \nxyz\n"), 70, measure),
              (QStringList{QStringLiteral("abcdef"), QStringLiteral("xyz"), QString()}));
    // A line as wide as thousands of characters.
    const auto narrow = [](const QString& text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(PrintPageLayout::BreakLines(QString(3000, QLatin1Char('x')) + QStringLiteral("\r\nab"), 2500, narrow),
              (std::vector<PrintPageLayout::LineSpan>{{0, 2500, false}, {2500, 500, false}, {3002, 2, false}}));
    EXPECT_EQ(PrintPageLayout::WrapText(QStringLiteral("a\U0001F600b"), 20, measure),
              (QStringList{QStringLiteral("a"), QStringLiteral("\U0001F600"), QStringLiteral("b")}));
    EXPECT_EQ(PrintPageLayout::ElideText(QStringLiteral("abcdefgh"), 60, measure), QStringLiteral("abc..."));
    EXPECT_EQ(PrintPageLayout::ElideText(QStringLiteral("abc"), 60, measure), QStringLiteral("abc"));
    EXPECT_EQ(PrintPageLayout::ElideText(QStringLiteral("abc\ndef"), 60, measure), QStringLiteral("abc..."));
    // The first line of each page, the lines given one at a time.
    const auto pages = [](const std::vector<int>& heights, const std::vector<bool>& keepWithNext = {}) {
        PrintPageLayout::PageBreaker breaker(25);
        std::vector<int> firstLines;
        for (size_t k = 0; k < heights.size(); ++k)
            if (const std::optional<int> first = breaker.Add(heights[k], k < keepWithNext.size() && keepWithNext[k]))
                firstLines.push_back(*first);
        return firstLines;
    };
    EXPECT_EQ(pages({10, 10, 10, 10, 10}), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(pages({40, 10, 40}), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(pages({}).empty());
    // A heading at the foot of a page goes over with its first line, unless it opens the page.
    EXPECT_EQ(pages({10, 10, 10, 10}, {false, true, false, false}), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(pages({10, 30, 10}, {true, false, false}), (std::vector<int>{0, 1, 2}));
}

TEST(PrintPageLayoutTest, LaysOutOnlyTheLinesAskedForWhateverTheTextsLength) {
    qsizetype measured = 0;
    const auto measure = [&measured](const QString& text) {
        measured += text.size();
        return static_cast<int>(text.size()) * 10;
    };
    // Ten million characters, as a map's node can make a name: three lines of seven, the last cut with "...".
    const QString words = QStringList(1'000'000, QStringLiteral("abc defgh")).join(QLatin1Char(' '));
    EXPECT_EQ(PrintPageLayout::WrapText(words, 70, measure, 3),
              (QStringList{QStringLiteral("abc"), QStringLiteral("defgh"), QStringLiteral("abc...")}));
    const QString word(10'000'000, QLatin1Char('x'));
    EXPECT_EQ(PrintPageLayout::WrapText(word, 70, measure, 2),
              (QStringList{QStringLiteral("xxxxxxx"), QStringLiteral("xxxx...")}));
    EXPECT_EQ(PrintPageLayout::ElideText(word, 70, measure), QStringLiteral("xxxx..."));
    EXPECT_LT(measured, 1000);
    // Short paragraphs are measured up to their line ends, not into the paragraphs after them.
    measured = 0;
    const QString paragraphs = QStringList(1000, QStringLiteral("abc")).join(QLatin1Char('\n'));
    EXPECT_EQ(PrintPageLayout::BreakLines(paragraphs, 1000, measure).size(), 1000);
    EXPECT_LE(measured, 2 * paragraphs.size());
    // The line that ends the text is not cut; one before the next paragraph is.
    EXPECT_EQ(PrintPageLayout::BreakLines(QStringLiteral("abc defgh"), 70, measure, 2),
              (std::vector<PrintPageLayout::LineSpan>{{0, 3, false}, {4, 5, false}}));
    EXPECT_EQ(PrintPageLayout::BreakLines(QStringLiteral("abc\nd"), 70, measure, 1),
              (std::vector<PrintPageLayout::LineSpan>{{0, 3, true}}));
}

TEST(PrintUnitsTest, ConvertsBetweenTenthsOfMillimetresAndDevicePixels) {
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(10000); // 10 pixels a millimetre
    device.setDotsPerMeterY(20000);
    const QRect logical(100, 50, 250, 30);
    const QRect pixels = ConvertPrintUnits(logical, device, PrintUnitDirection::LogicalToDevice);
    EXPECT_EQ(pixels, QRect(100, 100, 250, 60));
    EXPECT_EQ(ConvertPrintUnits(pixels, device, PrintUnitDirection::DeviceToLogical), logical);
    EXPECT_EQ(MillimetresToDevice(5, device), 50);
    FontSetting font;
    font.pointSize = 200;
    const QSize large = MeasureTextWithPointFont(font, QStringLiteral("仕様"), device);
    font.pointSize = 100;
    EXPECT_GT(large.width(), MeasureTextWithPointFont(font, QStringLiteral("仕様"), device).width());
}

} // namespace
