// nuvsearch: the searches from the command line, for tests. Each command prints the result pane's lines.
//   nuvsearch find DOC --text T [--in header,content,logic] [--header outline,name,label,requirements,symbol]
//                  [--logic member,state,fn,words] [--scope all|descendants|current] [--current OUTLINE]
//   nuvsearch replace DOC --text F --with R [--in names,content,logic] [--logic member,state,words,comments]
//                  [--scope all|descendants|current] [--current OUTLINE] [--continue] -o OUT.nuv
//   nuvsearch similar DOC [--rate 60|70|80|90|100] [--target member|state|both] [--min N] [--exact-is-similar]
//   nuvsearch obscure DOC [--content] [--logic]
//   nuvsearch marks DOC (--all | --group N | --attribute N)

#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "search/FindResultSet.h"
#include "search/LineMarkSearch.h"
#include "search/ReplaceAll.h"
#include "support/ToolSupport.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <map>

namespace {

const QString kTool = QStringLiteral("nuvsearch");

int Usage() {
    return tools::Usage(QStringLiteral(
        "usage: nuvsearch find DOC --text T [--in header,content,logic] [--header "
        "outline,name,label,requirements,symbol]\n"
        "                 [--logic member,state,fn,words] [--scope all|descendants|current] [--current OUTLINE]\n"
        "       nuvsearch replace DOC --text F --with R [--in names,content,logic] [--logic "
        "member,state,words,comments]\n"
        "                 [--scope all|descendants|current] [--current OUTLINE] [--continue] -o OUT.nuv\n"
        "       nuvsearch similar DOC [--rate 60|70|80|90|100] [--target member|state|both] [--min N] "
        "[--exact-is-similar]\n"
        "       nuvsearch obscure DOC [--content] [--logic]\n"
        "       nuvsearch marks DOC (--all | --group N | --attribute N)\n"));
}

using Options = tools::CommandOptions;

std::optional<int> ScopeOf(const Options& options) {
    const QString scope =
        options.Has(QStringLiteral("--scope")) ? options.Value(QStringLiteral("--scope")) : QStringLiteral("all");
    const QStringList names{QStringLiteral("all"), QStringLiteral("descendants"), QStringLiteral("current")};
    if (!names.contains(scope))
        return std::nullopt;
    return static_cast<int>(names.indexOf(scope));
}

void Print(const CResultPaneReport& report) {
    CInspectionView pane;
    report.WriteTo(pane);
    tools::WriteLines(pane.Lines());
}

int Find(const CDocumentData& data, const CMessageContext& context, const Options& options,
         const CUnitFunction* current) {
    SearchRequest request;
    bool ok = options.Has(QStringLiteral("--text"));
    request.findText = options.Value(QStringLiteral("--text"));
    if (options.Has(QStringLiteral("--in"))) {
        const QStringList in = options.List(
            QStringLiteral("--in"), {QStringLiteral("header"), QStringLiteral("content"), QStringLiteral("logic")}, ok);
        request.searchUnitFunction = in.contains(QStringLiteral("header"));
        request.searchFunctionContentField = in.contains(QStringLiteral("content"));
        request.searchLogicDescriptionField = in.contains(QStringLiteral("logic"));
    }
    if (options.Has(QStringLiteral("--header"))) {
        const QStringList header =
            options.List(QStringLiteral("--header"),
                         {QStringLiteral("outline"), QStringLiteral("name"), QStringLiteral("label"),
                          QStringLiteral("requirements"), QStringLiteral("symbol")},
                         ok);
        request.outlineNumber = header.contains(QStringLiteral("outline"));
        request.unitFunctionName = header.contains(QStringLiteral("name"));
        request.uniqueLabel = header.contains(QStringLiteral("label"));
        request.originalRequirementItem = header.contains(QStringLiteral("requirements"));
        request.codeSymbol = header.contains(QStringLiteral("symbol"));
    }
    if (options.Has(QStringLiteral("--logic"))) {
        const QStringList logic = options.List(
            QStringLiteral("--logic"),
            {QStringLiteral("member"), QStringLiteral("state"), QStringLiteral("fn"), QStringLiteral("words")}, ok);
        request.memberName = logic.contains(QStringLiteral("member"));
        request.stateName = logic.contains(QStringLiteral("state"));
        request.logicUnitFunctionName = logic.contains(QStringLiteral("fn"));
        request.particlesAuxiliaryVerbsComments = logic.contains(QStringLiteral("words"));
    }
    const std::optional<int> scope = ScopeOf(options);
    if (!ok || !scope)
        return Usage();
    request.scope = *scope;
    Print(CFindResultSet(data, context).SearchAll(request, current));
    return 0;
}

int Replace(CDocumentData& data, const Options& options, const CUnitFunction* current) {
    ReplaceRequest request;
    bool ok = options.Has(QStringLiteral("--text")) && options.Has(QStringLiteral("--with")) &&
              options.Has(QStringLiteral("-o"));
    request.findText = options.Value(QStringLiteral("--text"));
    request.replaceText = options.Value(QStringLiteral("--with"));
    if (options.Has(QStringLiteral("--in"))) {
        const QStringList in = options.List(
            QStringLiteral("--in"), {QStringLiteral("names"), QStringLiteral("content"), QStringLiteral("logic")}, ok);
        request.unitFunctionNames = in.contains(QStringLiteral("names"));
        request.functionContentField = in.contains(QStringLiteral("content"));
        request.logicDescriptionField = in.contains(QStringLiteral("logic"));
    }
    if (options.Has(QStringLiteral("--logic"))) {
        const QStringList logic = options.List(
            QStringLiteral("--logic"),
            {QStringLiteral("member"), QStringLiteral("state"), QStringLiteral("words"), QStringLiteral("comments")},
            ok);
        request.memberNames = logic.contains(QStringLiteral("member"));
        request.stateNames = logic.contains(QStringLiteral("state"));
        request.particlesAndAuxiliaryVerbs = logic.contains(QStringLiteral("words"));
        request.comments = logic.contains(QStringLiteral("comments"));
    }
    request.continueOverLengthLimit = options.Has(QStringLiteral("--continue"));
    const std::optional<int> scope = ScopeOf(options);
    if (!ok || !scope)
        return Usage();
    request.scope = *scope;
    if (ReplaceTextHasRefusedBrackets(request)) {
        platform::ShowMessageBox(LoadString(StringId::ReplaceBracketsRefused), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return 1;
    }
    const ReplaceResult result = ReplaceAll(data, request, current);
    Print(result.report);
    if (!result.duplicateName.isEmpty())
        platform::ShowMessageBox(LoadString(StringId::ReplaceMadeDuplicateName).arg(result.duplicateName),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Information);
    if (result.replacedCount == 0)
        return 0;
    QString error;
    const QString out = options.Value(QStringLiteral("-o"));
    if (!tools::SaveDocument(data, out, false, &error))
        return tools::CannotWrite(kTool, out, error);
    return 0;
}

int Similar(CDocumentData& data, const CMessageContext& context, const Options& options) {
    SimilarWordSettings& settings = data.similarWords;
    bool ok = true;
    if (options.Has(QStringLiteral("--rate"))) {
        settings.agreement = options.Value(QStringLiteral("--rate")).toInt(&ok);
        ok &= QList<int>{60, 70, 80, 90, 100}.contains(settings.agreement);
    }
    if (options.Has(QStringLiteral("--target"))) {
        const QStringList targets{QStringLiteral("member"), QStringLiteral("state"), QStringLiteral("both")};
        settings.scope = static_cast<int>(targets.indexOf(options.Value(QStringLiteral("--target"))));
        ok &= settings.scope >= 0;
    }
    if (options.Has(QStringLiteral("--min"))) {
        bool number = false;
        settings.length = options.Value(QStringLiteral("--min")).toInt(&number);
        ok &= number && settings.length >= 1 && settings.length <= 64;
    }
    if (options.Has(QStringLiteral("--exact-is-similar")))
        settings.complete = 0;
    if (!ok)
        return Usage();
    Print(CFindResultSet(data, context).FindSimilarWords());
    return 0;
}

int Marks(const CDocumentData& data, const Options& options) {
    const int modes = options.Has(QStringLiteral("--all")) + options.Has(QStringLiteral("--group")) +
                      options.Has(QStringLiteral("--attribute"));
    if (modes != 1)
        return Usage();
    quint16 request = LineMarkSearchRequestValue(AllLineMarks, 0);
    bool ok = true;
    if (options.Has(QStringLiteral("--group"))) {
        const int group = options.Value(QStringLiteral("--group")).toInt(&ok);
        ok &= group >= 0 && group <= LineMarkTable::GroupCount;
        request = LineMarkSearchRequestValue(GroupLineMarks, static_cast<quint8>(group));
    } else if (options.Has(QStringLiteral("--attribute"))) {
        const int attribute = options.Value(QStringLiteral("--attribute")).toInt(&ok);
        ok &= attribute >= 0 && attribute < LineMarkTable::AttributeCount;
        request = LineMarkSearchRequestValue(AttributeLineMarks, static_cast<quint8>(attribute));
    }
    if (!ok)
        return Usage();
    Print(VeskSearchLineMarks(data, request));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    const QString verb = arguments.value(0);
    const std::map<QString, std::pair<QStringList, QStringList>> commands{
        {QStringLiteral("find"), {{}, {"--text", "--in", "--header", "--logic", "--scope", "--current"}}},
        {QStringLiteral("replace"),
         {{"--continue"}, {"--text", "--with", "--in", "--logic", "--scope", "--current", "-o"}}},
        {QStringLiteral("similar"), {{"--exact-is-similar"}, {"--rate", "--target", "--min"}}},
        {QStringLiteral("obscure"), {{"--content", "--logic"}, {}}},
        {QStringLiteral("marks"), {{"--all"}, {"--group", "--attribute"}}},
    };
    const auto command = commands.find(verb);
    if (command == commands.end() || arguments.size() < 2)
        return Usage();
    const Options options(arguments.mid(2), command->second.first, command->second.second);
    if (options.Bad())
        return Usage();

    CDocumentData data;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, arguments[1], data))
        return *failed;
    const CUnitFunction* current = nullptr;
    if (options.Has(QStringLiteral("--current"))) {
        current = data.registry.FindByDisplayedNumber(options.Value(QStringLiteral("--current")));
        if (!current)
            return tools::Fail(kTool,
                               QStringLiteral("no unit function %1").arg(options.Value(QStringLiteral("--current"))));
    }
    CMessageContext context;
    context.m_language = 1;
    if (verb == QLatin1String("find"))
        return Find(data, context, options, current);
    if (verb == QLatin1String("replace"))
        return Replace(data, options, current);
    if (verb == QLatin1String("similar"))
        return Similar(data, context, options);
    if (verb == QLatin1String("obscure"))
        return (Print(CFindResultSet(data, context)
                          .FindFuzzyWords(options.Has(QStringLiteral("--content")),
                                          options.Has(QStringLiteral("--logic")))),
                0);
    return Marks(data, options);
}
