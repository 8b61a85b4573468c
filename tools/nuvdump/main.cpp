// nuvdump: loads a document file as the editor opens it and prints everything loaded as canonical text;
// --resave and --export-older write it back in the current or the older format.

#include "model/DocumentData.h"
#include "support/DocumentDump.h"
#include "support/ToolSupport.h"

namespace {

const QString kTool = QStringLiteral("nuvdump");

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    const bool resave = arguments.value(0) == QLatin1String("--resave");
    const bool exportOlder = arguments.value(0) == QLatin1String("--export-older");
    if ((resave || exportOlder) ? arguments.size() != 3 : arguments.size() != 1)
        return tools::Usage(
            QStringLiteral("usage: nuvdump FILE.nuv | --resave IN.nuv OUT.nuv | --export-older IN.nuv OUT.nuv\n"));
    const QString input = arguments.value(resave || exportOlder ? 1 : 0);

    CDocumentData data;
    const std::optional<LoadResult> result = tools::LoadDocument(input, data);
    if (!result)
        return tools::CannotOpen(kTool, input);
    if (*result != LoadResult::Loaded) {
        tools::WriteOut(QStringLiteral("load result %1\n").arg(static_cast<int>(*result)));
        return static_cast<int>(*result);
    }
    if (resave || exportOlder) {
        QString error;
        if (!tools::SaveDocument(data, arguments[2], exportOlder, &error))
            return tools::Fail(kTool, QStringLiteral("cannot write %1: %2").arg(arguments[2], error));
        return 0;
    }
    tools::WriteOut(tools::DumpDocument(data));
    return 0;
}
