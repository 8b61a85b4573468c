// nuvgen: the generators from the command line, for tests. Each command loads the document and
// runs the generator as its dialog's OK would, with the settings the document holds.
//   nuvgen dtable DOC -o OUT.csv [--current OUTLINE]
//   nuvgen testspec DOC -o OUT.csv
//   nuvgen comment DOC -o OUT [--current OUTLINE] [--template FILE] [--answer ok|cancel]
//   nuvgen sentences DOC --current OUTLINE
//   nuvgen trace-export DOC -o OUT.csv
//   nuvgen trace-import DOC IN.csv -o OUT.nuv [--answer ok|cancel]
//   nuvgen trace-list DOC IN.csv
//   nuvgen process DOC -o OUT.csv --kind 0|1|2
//   nuvgen label DOC [--count N] [--now 2024-03-05T07:08:09.012] [--zone-minutes M]
// dtable's --current starts the table at that unit function whatever scope the document holds: with the unit functions
// it calls unless the scope is the current unit function alone.
// A command that writes a file exits 0 only when it was written; messages and questions go to standard error,
// the questions answered by --answer (their default without it).

#include "generators/CommentSourceOutput.h"
#include "generators/DecisionTableMaker.h"
#include "generators/NaturalSentence.h"
#include "generators/TestSpecificationDraft.h"
#include "generators/TraceabilityMatrix.h"
#include "generators/UniqueLabelClock.h"
#include "generators/UniqueLabelGenerator.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/UserFile.h"
#include "support/ToolSupport.h"
#include "texts/MessageContext.h"

#include <QFileInfo>
#include <QMap>

#include <memory>
#include <optional>

namespace {

const QString kTool = QStringLiteral("nuvgen");
// A template file longer than the output it may make is refused.
constexpr qint64 kMaxTemplateBytes = qint64(16) << 20;

int Usage() {
    return tools::Usage(
        QStringLiteral("usage: nuvgen dtable DOC -o OUT.csv [--current OUTLINE]\n"
                       "       nuvgen testspec DOC -o OUT.csv\n"
                       "       nuvgen comment DOC -o OUT [--current OUTLINE] [--template FILE] [--answer ok|cancel]\n"
                       "       nuvgen sentences DOC --current OUTLINE\n"
                       "       nuvgen trace-export DOC -o OUT.csv\n"
                       "       nuvgen trace-import DOC IN.csv -o OUT.nuv [--answer ok|cancel]\n"
                       "       nuvgen trace-list DOC IN.csv\n"
                       "       nuvgen process DOC -o OUT.csv --kind 0|1|2\n"
                       "       nuvgen label DOC [--count N] [--now 2024-03-05T07:08:09.012] [--zone-minutes M]\n"));
}

struct Command {
    QString verb;
    QStringList positional; // DOC first
    QMap<QString, QString> options;
};

// The options each command takes, all with a value.
const QMap<QString, QStringList> kOptions = {
    {"dtable", {"-o", "--current"}},
    {"testspec", {"-o"}},
    {"comment", {"-o", "--current", "--template", "--answer"}},
    {"sentences", {"--current"}},
    {"trace-export", {"-o"}},
    {"trace-import", {"-o", "--answer"}},
    {"trace-list", {}},
    {"process", {"-o", "--kind"}},
    {"label", {"--count", "--now", "--zone-minutes"}},
};
const QMap<QString, int> kPositionals = {{"trace-import", 2}, {"trace-list", 2}};

bool ParseCommand(const QStringList& arguments, Command& command) {
    command.verb = arguments.value(0);
    if (!kOptions.contains(command.verb))
        return false;
    const QStringList allowed = kOptions[command.verb];
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (allowed.contains(argument)) {
            if (i + 1 >= arguments.size() || command.options.contains(argument))
                return false;
            command.options[argument] = arguments[++i];
        } else if (argument.startsWith('-')) {
            return false;
        } else {
            command.positional << argument;
        }
    }
    if (command.positional.size() != kPositionals.value(command.verb, 1))
        return false;
    const QString answer = command.options.value("--answer", "ok");
    return answer == QLatin1String("ok") || answer == QLatin1String("cancel");
}

bool Require(const Command& command, const QStringList& options) {
    for (const QString& option : options) {
        if (!command.options.contains(option))
            return false;
    }
    return true;
}

int Written(bool written) {
    return written ? 0 : 1;
}

class Generation {
public:
    Generation(const Command& command, CDocumentData& data)
        : m_command(command), m_data(data), m_path(QFileInfo(command.positional[0]).absoluteFilePath()) {
        m_context.m_language = 1;
    }

    int Run() {
        const QString& verb = m_command.verb;
        const CUnitFunction* current = nullptr;
        if (m_command.options.contains("--current")) {
            current = m_data.registry.FindByDisplayedNumber(m_command.options["--current"]);
            if (!current)
                return tools::Fail(kTool, QStringLiteral("no unit function %1").arg(m_command.options["--current"]));
        }
        const QString output = m_command.options.value("-o");
        // Only the imported matrix goes back into a document.
        if (verb != QLatin1String("trace-import")) {
            if (const std::optional<int> refused = tools::RefuseOutputOverInput(kTool, m_path, output))
                return *refused;
        }
        if (verb == QLatin1String("dtable"))
            return DecisionTable(output, current);
        if (verb == QLatin1String("testspec")) {
            bool stored = false;
            return Written(AcceptTestSpecificationDialog(m_data, output, stored));
        }
        if (verb == QLatin1String("comment"))
            return CommentSource(output);
        if (verb == QLatin1String("sentences"))
            return Sentences(current);
        if (verb == QLatin1String("trace-export"))
            return Written(TraceabilityMatrix(m_data, m_path, m_context).Export(output));
        if (verb == QLatin1String("trace-import"))
            return TraceImport(output);
        if (verb == QLatin1String("trace-list"))
            return TraceList();
        if (verb == QLatin1String("process"))
            return ProcessMatrix(output);
        return Labels();
    }

private:
    int DecisionTable(const QString& output, const CUnitFunction* current) {
        DecisionTableSessionChoices session;
        DecisionTableDialogChoice choice = StoredDecisionTableChoice(m_data, session);
        choice.fileName = output;
        if (current && choice.scope == 1)
            choice.scope = 2;
        bool stored = false;
        return Written(AcceptDecisionTableDialog(m_data, session, choice, current, stored) ==
                       GeneratorOkResult::Written);
    }

    int CommentSource(const QString& output) {
        QString templateText = m_data.environment.outputSourceCodeFormat;
        if (m_command.options.contains("--template")) {
            const QString path = m_command.options["--template"];
            QByteArray bytes;
            if (!platform::ReadUserFile(path, kMaxTemplateBytes, bytes))
                return tools::CannotOpen(kTool, path);
            templateText = QString::fromUtf8(bytes);
        }
        qsizetype consumed = 0;
        ParseTemplate(templateText, consumed);
        if (consumed != templateText.size())
            return tools::Fail(kTool, QStringLiteral("the template does not parse after character %1").arg(consumed));
        return Written(AcceptCommentSourceDialog(m_data, m_path, output, templateText) ==
                       CommentSourceOkResult::Written);
    }

    int Sentences(const CUnitFunction* current) {
        if (!current)
            return Usage();
        QStringList sentences;
        const CNaturalSentence::Result result =
            CNaturalSentence(m_data.naturalSentenceWords, m_data.quantifiers).Convert(current->logicLines, sentences);
        tools::WriteOut(sentences.join(QString()));
        if (result != CNaturalSentence::Done)
            return tools::Fail(kTool, QStringLiteral("the conversion stopped (result %1)").arg(result));
        return 0;
    }

    int TraceImport(const QString& output) {
        CInspectionView pane;
        if (TraceabilityMatrix(m_data, m_path, m_context).Import(m_command.positional[1], pane) !=
            TraceabilityMatrix::ImportResult::Imported)
            return 1;
        QString errorText;
        if (!tools::SaveDocument(m_data, output, false, &errorText))
            return tools::CannotWrite(kTool, output, errorText);
        return 0;
    }

    int TraceList() {
        CInspectionView pane;
        TraceabilityMatrix matrix(m_data, m_path, m_context);
        if (matrix.Import(m_command.positional[1], pane) != TraceabilityMatrix::ImportResult::Imported)
            return 1;
        tools::WriteLines(pane.Lines());
        matrix.ShowList(pane);
        tools::WriteLines(pane.Lines());
        return 0;
    }

    int ProcessMatrix(const QString& output) {
        bool ok = false;
        const int kind = m_command.options["--kind"].toInt(&ok);
        if (!ok || kind < ProcessRowsRequirements || kind > ProcessRowsBoth)
            return Usage();
        return Written(TraceabilityMatrix(m_data, m_path, m_context).ExportProcessMatrix(output, kind));
    }

    int Labels() {
        bool ok = true;
        const int count = m_command.options.value("--count", "1").toInt(&ok);
        if (!ok || count < 0)
            return Usage();
        std::unique_ptr<CUniqueLabelClock> clock = std::make_unique<CSystemUniqueLabelClock>();
        int zone = clock->StandardOffsetMinutes();
        if (m_command.options.contains("--zone-minutes")) {
            zone = m_command.options["--zone-minutes"].toInt(&ok);
            if (!ok)
                return Usage();
        }
        QDateTime now = clock->LocalNow();
        if (m_command.options.contains("--now")) {
            now = QDateTime::fromString(m_command.options["--now"], Qt::ISODateWithMs);
            if (!now.isValid())
                return Usage();
        }
        if (m_command.options.contains("--now") || m_command.options.contains("--zone-minutes"))
            clock = std::make_unique<CFixedUniqueLabelClock>(now, zone);
        CUniqueLabelGenerator generator(m_data);
        QStringList labels;
        for (int i = 0; i < count; ++i)
            labels << generator.GenerateUniqueLabel(*clock);
        tools::WriteLines(labels);
        return 0;
    }

    const Command& m_command;
    CDocumentData& m_data;
    QString m_path;
    CMessageContext m_context;
};

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    Command command;
    if (!ParseCommand(application.Arguments(), command))
        return Usage();
    static const QMap<QString, QStringList> required = {
        {"dtable", {"-o"}},       {"testspec", {"-o"}},     {"comment", {"-o"}},          {"sentences", {"--current"}},
        {"trace-export", {"-o"}}, {"trace-import", {"-o"}}, {"process", {"-o", "--kind"}}};
    if (!Require(command, required.value(command.verb)))
        return Usage();
    // Without --answer the headless sink takes each question's default.
    std::optional<tools::AnsweringMessageSink> sink;
    if (command.options.contains("--answer"))
        sink.emplace(command.options["--answer"] == QLatin1String("ok"));

    CDocumentData data;
    const QString& path = command.positional[0];
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, path, data))
        return *failed;
    return Generation(command, data).Run();
}
