// nuvinspect: the logic language and its inspection from the command line, for tests.
//   nuvinspect match FILE.txt                     WELLFORMED or ILLFORMED under the default keywords
//   nuvinspect inspect FILE.nuv (--current OUTLINE | --all) [--command ID]
//   nuvinspect conditions FILE.nuv (--current OUTLINE | --all)
// inspect and conditions print the lines they write to the result pane, one per line; they end with status 1 when the
// list or the inspection could not be made (the line that says why is printed).

#include "logic/ConditionConclusionList.h"
#include "logic/InspectionEnvironment.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "logic/LogicLineMatcher.h"
#include "model/DocumentData.h"
#include "platform/UserFile.h"
#include "support/ToolSupport.h"

#include <new>

namespace {

const QString kTool = QStringLiteral("nuvinspect");
constexpr qint64 kMaxLineFileBytes = qint64(16) << 20;

int Usage() {
    return tools::Usage(QStringLiteral("usage: nuvinspect match FILE.txt\n"
                                       "       nuvinspect inspect FILE.nuv (--current OUTLINE | --all) [--command ID]\n"
                                       "       nuvinspect conditions FILE.nuv (--current OUTLINE | --all)\n"));
}

int Match(const QString& path) {
    QByteArray bytes;
    if (!platform::ReadUserFile(path, kMaxLineFileBytes, bytes))
        return tools::CannotOpen(kTool, path);
    CDocumentData defaults;
    defaults.SetDefaults();
    const QString text = QString::fromUtf8(bytes);
    const bool wellFormed = CLogicLineMatcher(text, GetLogicKeywords(defaults)).MatchesWholeLine();
    tools::WriteLines({wellFormed ? QStringLiteral("WELLFORMED") : QStringLiteral("ILLFORMED")});
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    const QString verb = arguments.value(0);
    if (verb == QLatin1String("match"))
        return arguments.size() == 2 ? Match(arguments[1]) : Usage();
    if (verb != QLatin1String("inspect") && verb != QLatin1String("conditions"))
        return Usage();

    QString outline;
    bool all = false;
    int command = CommandInspectAll;
    for (int i = 2; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--all")) {
            all = true;
        } else if (arguments[i] == QLatin1String("--current") && i + 1 < arguments.size()) {
            outline = arguments[++i];
        } else if (verb == QLatin1String("inspect") && arguments[i] == QLatin1String("--command") &&
                   i + 1 < arguments.size()) {
            bool ok = false;
            command = arguments[++i].toInt(&ok);
            if (!ok)
                return Usage();
        } else {
            return Usage();
        }
    }
    if (arguments.size() < 2 || all == !outline.isEmpty())
        return Usage();

    CDocumentData data;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, arguments[1], data))
        return *failed;
    const InspectionEnvironment environment = MakeInspectionEnvironment(data);
    const CUnitFunction* current = nullptr;
    if (!all) {
        current = data.registry.FindByDisplayedNumber(outline);
        if (!current)
            return tools::Fail(kTool, QStringLiteral("no unit function %1").arg(outline));
    }
    CInspectionView pane;
    bool failed = false;
    if (verb == QLatin1String("conditions")) {
        const int scope =
            all ? CConditionConclusionList::AllUnitFunctions : CConditionConclusionList::CurrentUnitFunction;
        const CConditionConclusionList::Outcome outcome =
            CConditionConclusionList::Run(pane, environment, scope, CConditionConclusionList::DoStatements, current);
        if (outcome == CConditionConclusionList::Refused)
            return 1;
        // The line that says why the list could not be made is written, and the status says so too.
        failed = outcome == CConditionConclusionList::Failed;
    } else if (all) {
        if (RefuseFnCycle(data.registry))
            return 1;
        CInspectionProgress run;
        failed = !StartWholeInspection(command, pane, environment, run);
    } else {
        failed = !InspectCurrentUnitFunction(*current, pane, environment);
    }
    // A block of lines at a time: a run's millions of lines are never all held as text.
    constexpr int kBlock = 65536;
    try {
        QString block;
        for (int first = 0; first < pane.LineCount(); first += kBlock) {
            block.clear();
            pane.AppendLinesFrom(first, kBlock, block);
            tools::WriteOut(block);
        }
    } catch (const std::bad_alloc&) {
        return tools::Fail(kTool, QStringLiteral("out of memory while writing the lines"));
    }
    return failed ? 1 : 0;
}
