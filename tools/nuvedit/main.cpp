// nuvedit: the logic editor's line model from the command line, for tests.
//   nuvedit DOC.nuv --current OUTLINE SCRIPT [--save OUT.nuv]
// opens the unit function at the outline number ("" or "0" for the origin) and runs SCRIPT, one command a
// line: caret LINE COL, select LINE COL LINE COL, type TEXT, key NAME, answer ok|cancel|yes|no, flags,
// context, print, a command by its handler's name, and "#" comments. Messages print as "message: TEXT",
// questions as "question: TEXT", when they are shown. flags prints the toolbox insertion bits: 1 insert line
// before, 2 if, 4 Do, 8 Transit State, 16 Fn, 32 switch, 64 case, 128 Do nothing, 256 comment, 512 line
// break, 1024 loop, 2048 caret on the append line, 4096 while, 8192 for, 16384 exitlp.

#include "editor/LogicEditModel.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "support/ToolSupport.h"

#include <deque>
#include <functional>
#include <map>

namespace {

const QString kTool = QStringLiteral("nuvedit");
constexpr qint64 kMaxScriptBytes = qint64(16) << 20;

int Usage() {
    return tools::Usage(QStringLiteral("usage: nuvedit DOC.nuv --current OUTLINE SCRIPT [--save OUT.nuv]\n"));
}

// Prints each message and question when it is shown and answers questions from the script's queue.
class ScriptSink : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override {
        const bool question = request.buttons != platform::MessageButtons::Ok;
        tools::WriteOut((question ? QStringLiteral("question: ") : QStringLiteral("message: ")) + request.text +
                        QChar('\n'));
        if (!question)
            return platform::MessageAnswer::Ok;
        if (m_answers.empty())
            return request.DefaultAnswer();
        const platform::MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<platform::MessageAnswer> m_answers;

private:
    platform::MessageSinkInstaller m_installer{*this};
};

using Command = std::function<void(CLogicEditModel&)>;

const std::map<QString, Command>& Commands() {
    static const std::map<QString, Command> commands = {
#define NUV_COMMAND(name)                                                                                              \
    {                                                                                                                  \
        QStringLiteral(#name), [](CLogicEditModel& model) { model.name(); }                                            \
    }
        NUV_COMMAND(OnAddIfAtCurrent),
        NUV_COMMAND(OnAddDoAtCurrent),
        NUV_COMMAND(OnAddFnAtCurrent),
        NUV_COMMAND(OnAddSwitchAtCurrent),
        NUV_COMMAND(OnAddLoopAtCurrent),
        NUV_COMMAND(OnAddCommentAtCurrent),
        NUV_COMMAND(AddTransitStateAtCurrent),
        NUV_COMMAND(OnAddLineBreakAtCurrent),
        NUV_COMMAND(OnAddIfAfter),
        NUV_COMMAND(OnAddDoAfter),
        NUV_COMMAND(OnAddTransitStateAfter),
        NUV_COMMAND(OnAddFnAfter),
        NUV_COMMAND(OnAddSwitchAfter),
        NUV_COMMAND(OnAddLoopAfter),
        NUV_COMMAND(OnAddDoNothingAfter),
        NUV_COMMAND(OnAddExitlpAfter),
        NUV_COMMAND(OnAddCaseAfter),
        NUV_COMMAND(OnAddCommentAfter),
        NUV_COMMAND(OnAddLineBreakAfter),
        NUV_COMMAND(OnAddIfBefore),
        NUV_COMMAND(OnAddDoBefore),
        NUV_COMMAND(OnAddFnBefore),
        NUV_COMMAND(OnAddSwitchBefore),
        NUV_COMMAND(OnAddLoopBefore),
        NUV_COMMAND(OnAddCommentBefore),
        NUV_COMMAND(OnAddLineBreakBefore),
        NUV_COMMAND(OnReplaceWithDo),
        NUV_COMMAND(OnReplaceWithTransitState),
        NUV_COMMAND(OnReplaceWithFn),
        NUV_COMMAND(OnReplaceWithIf),
        NUV_COMMAND(OnReplaceWithSwitch),
        NUV_COMMAND(OnReplaceWithCase),
        NUV_COMMAND(OnReplaceWithLoop),
        NUV_COMMAND(OnReplaceWithExitlp),
        NUV_COMMAND(OnReplaceWithDoNothing),
        NUV_COMMAND(OnReplaceWithComment),
        NUV_COMMAND(OnReplaceWithLineBreak),
        NUV_COMMAND(OnWrapInIfElse),
        NUV_COMMAND(OnWrapInElseEndif),
        NUV_COMMAND(OnWrapInLoop),
        NUV_COMMAND(OnDeleteLine),
        NUV_COMMAND(OnDeleteBlock),
        NUV_COMMAND(OnDeleteFrame),
        NUV_COMMAND(OnDeleteSelection),
        NUV_COMMAND(OnEditCopy),
        NUV_COMMAND(OnEditCut),
        NUV_COMMAND(OnEditClear),
        NUV_COMMAND(OnEditPaste),
        NUV_COMMAND(OnEditPasteLines),
        NUV_COMMAND(UndoLastEdit),
        NUV_COMMAND(OnHankakuNegation),
        NUV_COMMAND(OnZenkakuNegation),
        NUV_COMMAND(MarkLineAsEvent),
        NUV_COMMAND(MarkLineAsState),
#undef NUV_COMMAND
        {QStringLiteral("CommitLineEdits"), [](CLogicEditModel& model) { model.CommitLineEdits(false); }},
    };
    return commands;
}

const std::map<QString, EditKey> kKeys = {
    {QStringLiteral("Backspace"), EditKey::Backspace},
    {QStringLiteral("Delete"), EditKey::Delete},
    {QStringLiteral("Tab"), EditKey::Tab},
    {QStringLiteral("Left"), EditKey::Left},
    {QStringLiteral("Right"), EditKey::Right},
    {QStringLiteral("Up"), EditKey::Up},
    {QStringLiteral("Down"), EditKey::Down},
    {QStringLiteral("Home"), EditKey::Home},
    {QStringLiteral("End"), EditKey::End},
    {QStringLiteral("Enter"), EditKey::Enter},
};

const std::map<QString, platform::MessageAnswer> kAnswers = {
    {QStringLiteral("ok"), platform::MessageAnswer::Ok},
    {QStringLiteral("cancel"), platform::MessageAnswer::Cancel},
    {QStringLiteral("yes"), platform::MessageAnswer::Yes},
    {QStringLiteral("no"), platform::MessageAnswer::No},
};

void Print(const CLogicEditModel& model) {
    QStringList lines;
    for (int i = 0; i < model.RecordCount(); ++i) {
        const CLogicLine& r = *model.Record(i);
        lines << QStringLiteral("%1\t%2 %3 %4 %5 %6\t%7")
                     .arg(i)
                     .arg(r.Top)
                     .arg(r.Next)
                     .arg(r.Home)
                     .arg(r.Home2)
                     .arg(r.End)
                     .arg(model.ComposePlainLineText(i));
    }
    lines << QStringLiteral("caret %1 %2").arg(model.Caret().line).arg(model.Caret().column);
    tools::WriteLines(lines);
}

// Runs one script line; false for a command the tool does not know.
bool RunLine(const QString& line, CLogicEditModel& model, ScriptSink& sink) {
    const qsizetype blank = line.indexOf(QChar(' '));
    const QString verb = blank < 0 ? line : line.left(blank);
    const QString rest = blank < 0 ? QString() : line.mid(blank + 1);
    const QStringList numbers = rest.split(QChar(' '), Qt::SkipEmptyParts);
    auto number = [&](int i, bool& ok) { return numbers.value(i).toInt(&ok); };
    bool ok = true;
    if (verb == QLatin1String("caret") && numbers.size() == 2) {
        const int l = number(0, ok);
        const int c = number(1, ok);
        if (ok)
            model.SetCaret(l, c);
        return ok;
    }
    if (verb == QLatin1String("select") && numbers.size() == 4) {
        bool ok1 = true, ok2 = true, ok3 = true;
        const int l0 = number(0, ok), c0 = number(1, ok1), l1 = number(2, ok2), c1 = number(3, ok3);
        if (!(ok && ok1 && ok2 && ok3))
            return false;
        model.Select(l0, c0, l1, c1);
        return true;
    }
    if (verb == QLatin1String("type")) {
        for (QChar c : rest)
            model.TypeCharacter(c);
        return true;
    }
    if (verb == QLatin1String("key") && kKeys.count(rest)) {
        model.PressKey(kKeys.at(rest));
        return true;
    }
    if (verb == QLatin1String("answer") && kAnswers.count(rest)) {
        sink.m_answers.push_back(kAnswers.at(rest));
        return true;
    }
    if (line == QLatin1String("flags")) {
        tools::WriteLines({QString::number(model.GetToolboxInsertionFlags())});
        return true;
    }
    if (line == QLatin1String("context")) {
        tools::WriteLines({QString::number(model.CaretContextCode())});
        return true;
    }
    if (line == QLatin1String("print")) {
        Print(model);
        return true;
    }
    const auto command = Commands().find(line);
    if (command == Commands().end())
        return false;
    command->second(model);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const tools::ToolApplication application(argc, argv);
    const QStringList arguments = application.Arguments();
    if (arguments.size() != 4 && arguments.size() != 6)
        return Usage();
    if (arguments[1] != QLatin1String("--current"))
        return Usage();
    QString savePath;
    if (arguments.size() == 6) {
        if (arguments[4] != QLatin1String("--save"))
            return Usage();
        savePath = arguments[5];
    }
    CDocumentData data;
    if (const std::optional<int> failed = tools::LoadOrFail(kTool, arguments[0], data))
        return *failed;
    const QString outline = arguments[2];
    CUnitFunction* function = outline.isEmpty() || outline == QLatin1String("0")
                                  ? data.registry.origin
                                  : data.registry.FindByDisplayedNumber(outline);
    if (!function)
        return tools::Fail(kTool, QStringLiteral("no unit function %1").arg(outline));
    QByteArray script;
    if (!platform::ReadUserFile(arguments[3], kMaxScriptBytes, script))
        return tools::CannotOpen(kTool, arguments[3]);
    const QStringList lines = QString::fromUtf8(script).split(QChar('\n'));

    ScriptSink sink;
    CProcessClipboard clipboard;
    CLogicEditModel model(data, *function, clipboard);
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QChar('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QChar('#')))
            continue;
        if (!RunLine(line, model, sink))
            return tools::Fail(kTool, QStringLiteral("line %1: unknown command: %2").arg(i + 1).arg(line));
    }
    QString error;
    if (!savePath.isEmpty() && !tools::SaveDocument(data, savePath, false, &error))
        return tools::Fail(kTool, QStringLiteral("cannot save %1: %2").arg(savePath, error));
    return 0;
}
