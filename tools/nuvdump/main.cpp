// nuvdump: loads a document file as the editor opens it and prints everything loaded as canonical text;
// --resave and --export-older write it back in the current or the older format; --compare prints how the second
// document differs from the first; --merge adds the unit functions of FROM below the origin of INTO and writes OUT.

#include "interchange/DocumentComparison.h"
#include "interchange/FunctionMerge.h"
#include "model/DocumentData.h"
#include "support/DocumentDump.h"
#include "support/ToolSupport.h"

#include <cerrno>

namespace {

const QString kTool = QStringLiteral("nuvdump");

// Whether the file was refused for what it asks of the reader (a file too large, a table of contents too deep, memory
// that ran out), which the tools say in words, rather than for its content, which the dump gives as its number.
bool RefusedByABound(LoadResult result) {
    return result == LoadResult::TooLarge || result == LoadResult::TooDeep || result == LoadResult::OutOfMemory;
}

// The unit functions of another document read from `path`: nothing when they loaded; else the failure said and
// the tool's exit status.
std::optional<int> ReadOrFail(const QString& path, const std::optional<LoadResult>& result) {
    if (!result) {
        const int error = errno;
        return tools::CannotOpen(kTool, path, tools::OpenFailure(path, error));
    }
    if (RefusedByABound(*result))
        return tools::CannotRead(kTool, path, *result);
    if (*result != LoadResult::Loaded)
        return tools::Fail(kTool, QStringLiteral("%1: load result %2").arg(path).arg(static_cast<int>(*result)));
    return std::nullopt;
}

int Compare(const QString& olderPath, const QString& newerPath) {
    CDocumentData defaults;
    defaults.SetDefaults();
    const ModelOptions options = defaults.GetModelOptions();
    CUnitFunctionRegistry older;
    CUnitFunctionRegistry newer;
    for (const auto& [path, registry] : {std::pair{olderPath, &older}, std::pair{newerPath, &newer}}) {
        if (const std::optional<int> failed = ReadOrFail(path, CDocumentComparison::ReadFile(path, *registry, options)))
            return *failed;
    }
    QStringList lines;
    for (const ComparisonLine& line : CDocumentComparison::Compare(older, newer, options, defaults.SyntaxSymbols))
        lines.append(line.text);
    tools::WriteLines(lines);
    return 0;
}

int Merge(const QString& into, const QString& from, const QString& out) {
    CDocumentData data;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, into, data))
        return *failed;
    CUnitFunctionRegistry incoming;
    if (const std::optional<int> failed = ReadOrFail(from, CFunctionMerge::ReadFile(from, incoming)))
        return *failed;
    const std::optional<CFunctionMerge::Outcome> outcome = CFunctionMerge::Merge(data, incoming, *data.registry.origin);
    if (!outcome)
        return tools::Fail(kTool, QStringLiteral("too many unit functions to merge"));
    QString error;
    if (!tools::SaveDocument(data, out, false, &error))
        return tools::CannotWrite(kTool, out, error);
    tools::WriteOut(QStringLiteral("added %1, renumbered %2, labels dropped %3\n")
                        .arg(outcome->added)
                        .arg(outcome->renumbered)
                        .arg(outcome->labelsDropped));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    const QString command = arguments.value(0);
    if (command == QLatin1String("--compare") && arguments.size() == 3)
        return Compare(arguments[1], arguments[2]);
    if (command == QLatin1String("--merge") && arguments.size() == 4)
        return Merge(arguments[1], arguments[2], arguments[3]);
    const bool resave = command == QLatin1String("--resave");
    const bool exportOlder = command == QLatin1String("--export-older");
    if ((resave || exportOlder) ? arguments.size() != 3 : arguments.size() != 1 || command.startsWith(u'-'))
        return tools::Usage(QStringLiteral("usage: nuvdump FILE.nuv | --resave IN.nuv OUT.nuv | --export-older IN.nuv "
                                           "OUT.nuv | --compare A.nuv B.nuv | --merge INTO.nuv FROM.nuv OUT.nuv\n"));
    const QString input = arguments.value(resave || exportOlder ? 1 : 0);

    CDocumentData data;
    QString reason;
    const std::optional<LoadResult> result = tools::LoadDocument(input, data, &reason);
    if (!result)
        return tools::CannotOpen(kTool, input, reason);
    if (RefusedByABound(*result))
        return tools::CannotRead(kTool, input, *result);
    if (*result != LoadResult::Loaded) {
        tools::WriteOut(QStringLiteral("load result %1\n").arg(static_cast<int>(*result)));
        return static_cast<int>(*result);
    }
    if (resave || exportOlder) {
        if (const std::optional<int> refused = tools::RefuseOutputOverInput(kTool, input, arguments[2]))
            return *refused;
        QString error;
        if (!tools::SaveDocument(data, arguments[2], exportOlder, &error))
            return tools::CannotWrite(kTool, arguments[2], error);
        return 0;
    }
    tools::WriteOut(tools::DumpDocument(data));
    return 0;
}
