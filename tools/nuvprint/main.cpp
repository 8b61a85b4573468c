// nuvprint: a printout of a document written to a PDF file, for tests.
//   nuvprint KIND DOC OUT.pdf [--all]   KIND: outline, functions, title, notes; prints the page count; --all prints
//                                       unit functions without a logic description too

#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "printing/PrintFile.h"
#include "printing/PrintJob.h"
#include "support/ToolSupport.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPdfWriter>

namespace {

const QString kTool = QStringLiteral("nuvprint");
const QStringList kKinds = {QStringLiteral("outline"), QStringLiteral("functions"), QStringLiteral("title"),
                            QStringLiteral("notes")};

} // namespace

int main(int argc, char** argv) {
    // Fonts need the graphical application object; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = tools::ToolArguments(argc, argv);
    const bool all = arguments.size() == 4 && arguments[3] == QLatin1String("--all");
    if (arguments.size() != 3 && !all)
        return tools::Usage(QStringLiteral("usage: nuvprint outline|functions|title|notes DOC OUT.pdf [--all]\n"));
    const QString& kind = arguments[0];
    if (!kKinds.contains(kind))
        return tools::Fail(kTool, QStringLiteral("unknown printout %1; choose one of %2").arg(kind, kKinds.join(", ")));
    if (const std::optional<int> refused = tools::RefuseOutputOverInput(kTool, arguments[1], arguments[2]))
        return *refused;
    // The output is taken before the printout is made: one that may not be replaced (a document an editor holds,
    // anything but a regular file) is refused at once, and left as it is.
    platform::FileReplacement out(arguments[2]);
    if (!out.Open())
        return tools::CannotWrite(kTool, arguments[2], ReplacementFailureText(out, arguments[2]));
    CDocumentData document;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, arguments[1], document))
        return *failed;
    if (all)
        document.printSettings.sections[PrintSettings::UnitFunctions].nonWrited = 0;
    const PrintSource source{document, nullptr, nullptr, arguments[1]};
    CPrintJob job;
    const bool prepared = kind == QLatin1String("outline")     ? job.PreparePrintOutlineIndex(source)
                          : kind == QLatin1String("functions") ? job.PreparePrintUnitFunctions(source)
                          : kind == QLatin1String("title")     ? job.PreparePrintTitlePage(source)
                          : kind == QLatin1String("notes")     ? job.PreparePrintNotes(source)
                                                               : false;
    if (!prepared)
        return 1;
    QString failure;
    const int pages = WritePrintout(
        out, arguments[2],
        [&job, &source](QPdfWriter& writer) { return job.Print(writer, source, QDateTime::currentSecsSinceEpoch()); },
        failure);
    if (pages == 0)
        return tools::CannotWrite(kTool, arguments[2], failure.isEmpty() ? QStringLiteral("no page printed") : failure);
    tools::WriteOut(QStringLiteral("%1 pages\n").arg(pages));
    return 0;
}
