// nuvinspect: the logic language and its inspection from the command line, for tests.
//   nuvinspect match FILE.txt                     WELLFORMED or ILLFORMED under the default keywords
//   nuvinspect inspect FILE.nuv (--current OUTLINE | --all) [--command ID]
//   nuvinspect conditions FILE.nuv (--current OUTLINE | --all)
// inspect and conditions print the lines they write to the result pane, one per line.

#include "logic/ConditionConclusionList.h"
#include "logic/InspectionEnvironment.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "logic/LogicLineMatcher.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/XmlDocumentContext.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: nuvinspect match FILE.txt\n"
                         "       nuvinspect inspect FILE.nuv (--current OUTLINE | --all) [--command ID]\n"
                         "       nuvinspect conditions FILE.nuv (--current OUTLINE | --all)\n");
    return 2;
}

void Print(const QStringList& lines) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const QString& line : lines)
        out << line << '\n';
}

int Match(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "nuvinspect: cannot open %s\n", qPrintable(path));
        return 1;
    }
    CDocumentData defaults;
    defaults.SetDefaults();
    const QString text = QString::fromUtf8(file.readAll());
    const bool wellFormed = CLogicLineMatcher(text, GetLogicKeywords(defaults)).MatchesWholeLine();
    Print({wellFormed ? QStringLiteral("WELLFORMED") : QStringLiteral("ILLFORMED")});
    return 0;
}

bool Load(const QString& path, CDocumentData& data) {
    data.SetDefaults();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "nuvinspect: cannot open %s\n", qPrintable(path));
        return false;
    }
    XmlDocumentContext context(&data);
    const LoadResult result = LoadDocumentXml(file, context, 0);
    if (result != LoadResult::Loaded) {
        std::fprintf(stderr, "nuvinspect: cannot read %s (load result %d)\n", qPrintable(path),
                     static_cast<int>(result));
        return false;
    }
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
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
    if (!Load(arguments[1], data))
        return 1;
    const InspectionEnvironment environment = MakeInspectionEnvironment(data);
    const CUnitFunction* current = nullptr;
    if (!all) {
        current = data.registry.FindByDisplayedNumber(outline);
        if (!current) {
            std::fprintf(stderr, "nuvinspect: no unit function %s\n", qPrintable(outline));
            return 1;
        }
    }
    CInspectionView pane(&data.resultsTime);
    if (verb == QLatin1String("conditions")) {
        const int scope =
            all ? CConditionConclusionList::AllUnitFunctions : CConditionConclusionList::CurrentUnitFunction;
        if (!CConditionConclusionList::Run(pane, environment, scope, CConditionConclusionList::DoStatements, current))
            return 1;
    } else if (all) {
        if (RefuseFnCycle(data.registry))
            return 1;
        StartWholeInspection(command, pane, environment);
    } else {
        InspectCurrentUnitFunction(*current, pane, environment);
    }
    Print(pane.Lines());
    return 0;
}
