// The statement, deletion and wrap commands on every kind of caret line, with undo and the parse guard.

#include "editor/LogicEditModel.h"
#include "logic/InspectionEnvironment.h"
#include "logic/LogicLineMatcher.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/logic/BareLogicDocumentFixture.h"
#include "texts/StringTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Line {
    int kind;
    int top;
};

// A description with a line of every kind: a Do, an if block, a switch block with bodies, a loop holding an
// if whose first branch leaves the loop, a comment and a plain line.
const std::vector<Line> kDescription{
    {SyntaxDo, 0},    {SyntaxIf, 0},     {SyntaxDo, 4},    {SyntaxElse, 0},    {SyntaxDo, 4},
    {SyntaxEndif, 0}, {SyntaxSwitch, 0}, {SyntaxCase, 0},  {SyntaxDo, 4},      {SyntaxCase, 0},
    {SyntaxDo, 4},    {SyntaxCase, 0},   {SyntaxDo, 4},    {SyntaxElsw, 0},    {SyntaxDo, 4},
    {SyntaxEndsw, 0}, {SyntaxLoop, 0},   {SyntaxIf, 4},    {SyntaxExitlp, 8},  {SyntaxElse, 4},
    {SyntaxDo, 8},    {SyntaxEndif, 4},  {SyntaxEndlp, 0}, {SyntaxComment, 0}, {SyntaxPlainLine, 0},
};

class LogicEditCommandsTest : public BareLogicDocumentFixture {
protected:
    CUnitFunction& Build(const std::vector<Line>& lines) {
        CUnitFunction& function = *document.registry.origin;
        function.logicLines.clear();
        CLogicEditModel builder(document, function, clipboard);
        for (const Line& line : lines) {
            auto record = std::make_unique<CLogicLine>();
            builder.InitLineRecord(*record, line.kind, line.top);
            function.logicLines.push_back(std::move(record));
        }
        return function;
    }
    bool Parses(const CLogicEditModel& model) const {
        return CLogicLineMatcher(model.PlainText(), GetLogicKeywords(document)).MatchesWholeLine();
    }
    // An Fn line filled at a line with a typed name, committed.
    static int TypeFnName(CLogicEditModel& model, int line, const QString& name) {
        model.SetCaret(line, 0);
        model.OnAddFnAtCurrent();
        for (QChar c : name)
            model.TypeCharacter(c);
        return model.CommitLineEdits(false);
    }
    // Gives "shared" two places: the model's function calls "caller" and then "shared", and "caller" calls
    // "shared" too through its own editor, left in `caller`. A '2' is then typed after the model's "shared".
    void CallSharedFromTwoPlaces(CDocumentData& data, CLogicEditModel& model,
                                 std::unique_ptr<CLogicEditModel>& caller) {
        ASSERT_EQ(TypeFnName(model, 0, QStringLiteral("caller")), 1);
        ASSERT_EQ(TypeFnName(model, 1, QStringLiteral("shared")), 1);
        caller =
            std::make_unique<CLogicEditModel>(data, *data.registry.FindByName(QStringLiteral("caller")), clipboard);
        ASSERT_EQ(TypeFnName(*caller, 0, QStringLiteral("shared")), 1);
        const CUnitFunction* shared = data.registry.FindByName(QStringLiteral("shared"));
        ASSERT_TRUE(shared);
        ASSERT_GE(shared->places.size(), 2u);
        model.SetCaret(1, model.Record(1)->End);
        model.TypeCharacter(QChar('2'));
    }
    static std::vector<CLogicLine> Records(const CLogicEditModel& model) {
        std::vector<CLogicLine> records;
        for (int i = 0; i < model.RecordCount(); ++i)
            records.push_back(*model.Record(i));
        return records;
    }
    // Every line's shown text is the one its record composes to (a plain line shows no blanks).
    static void ExpectTextFollowsRecords(const CLogicEditModel& model, const std::string& where) {
        for (int i = 0; i < model.RecordCount(); ++i) {
            const QString composed =
                model.Record(i)->lineKind == SyntaxPlainLine ? QString() : model.ComposePlainLineText(i);
            EXPECT_EQ(model.LineText(i), composed) << where << ", line " << i;
        }
    }
    // Undo restores the records exactly; a second undo brings the command's result back.
    void ExpectUndoSwapsExactly(CLogicEditModel& model, const std::vector<CLogicLine>& before,
                                const std::string& where) {
        const std::vector<CLogicLine> after = Records(model);
        const QString afterText = model.PlainText();
        ASSERT_TRUE(model.IsUndoAvailable()) << where;
        model.UndoLastEdit();
        EXPECT_EQ(Records(model), before) << where;
        ExpectTextFollowsRecords(model, where + ", undone");
        model.UndoLastEdit();
        EXPECT_EQ(Records(model), after) << where;
        EXPECT_EQ(model.PlainText(), afterText) << where;
    }

    CProcessClipboard clipboard;
};

struct AddCommand {
    const char* name;
    void (CLogicEditModel::*run)();
    unsigned flag;
    std::vector<int> kinds; // the lines it adds
};

const std::vector<AddCommand> kAfterCommands{
    {"if", &CLogicEditModel::OnAddIfAfter, AddIf, {SyntaxIf, SyntaxElse, SyntaxEndif}},
    {"Do", &CLogicEditModel::OnAddDoAfter, AddDo, {SyntaxDo}},
    {"Transit State", &CLogicEditModel::OnAddTransitStateAfter, AddTransitState, {SyntaxTransitState}},
    {"switch",
     &CLogicEditModel::OnAddSwitchAfter,
     AddSwitch,
     {SyntaxSwitch, SyntaxCase, SyntaxCase, SyntaxCase, SyntaxElsw, SyntaxEndsw}},
    {"loop", &CLogicEditModel::OnAddLoopAfter, AddLoop, {SyntaxLoop, SyntaxEndlp}},
    {"Do nothing", &CLogicEditModel::OnAddDoNothingAfter, AddDoNothing, {SyntaxDoNothing}},
    {"exitlp", &CLogicEditModel::OnAddExitlpAfter, AddExitlp, {SyntaxExitlp}},
    {"case", &CLogicEditModel::OnAddCaseAfter, AddCase, {SyntaxCase}},
    {"comment", &CLogicEditModel::OnAddCommentAfter, AddComment, {SyntaxComment}},
    {"line break", &CLogicEditModel::OnAddLineBreakAfter, AddLineBreak, {SyntaxPlainLine}},
};

TEST_F(LogicEditCommandsTest, EveryAllowedAfterCommandOnEveryLineAddsItsStatementAndUndoesExactly) {
    int allowed = 0;
    for (int caret = 0; caret < static_cast<int>(kDescription.size()); ++caret) {
        for (const AddCommand& command : kAfterCommands) {
            CUnitFunction& function = Build(kDescription);
            CLogicEditModel model(document, function, clipboard);
            model.SetCaret(caret, 0);
            if (!(model.GetToolboxInsertionFlags() & command.flag))
                continue;
            ++allowed;
            const std::string where = std::string(command.name) + " after line " + std::to_string(caret);
            const std::vector<CLogicLine> before = Records(model);
            (model.*command.run)();
            ASSERT_EQ(model.RecordCount(), static_cast<int>(before.size() + command.kinds.size())) << where;
            const int indent = command.flag == AddCase ? model.Record(caret)->Top : before[caret].Next;
            for (size_t i = 0; i < command.kinds.size(); ++i) {
                const CLogicLine& added = *model.Record(caret + 1 + static_cast<int>(i));
                EXPECT_EQ(added.lineKind, command.kinds[i]) << where;
                if (command.flag != AddCase) {
                    EXPECT_EQ(added.Top, indent) << where;
                }
            }
            EXPECT_EQ(model.Caret().line, caret + 1) << where;
            EXPECT_TRUE(Parses(model)) << where;
            ExpectTextFollowsRecords(model, where);
            ExpectUndoSwapsExactly(model, before, where);
        }
    }
    EXPECT_GT(allowed, 100);
}

TEST_F(LogicEditCommandsTest, AtCurrentCommandsFillTheAppendLineAndAnEmptyPlainLine) {
    const std::vector<AddCommand> atCurrent{
        {"if", &CLogicEditModel::OnAddIfAtCurrent, AddIf, {SyntaxIf, SyntaxElse, SyntaxEndif}},
        {"Do", &CLogicEditModel::OnAddDoAtCurrent, AddDo, {SyntaxDo}},
        {"Transit State", &CLogicEditModel::AddTransitStateAtCurrent, AddTransitState, {SyntaxTransitState}},
        {"switch",
         &CLogicEditModel::OnAddSwitchAtCurrent,
         AddSwitch,
         {SyntaxSwitch, SyntaxCase, SyntaxCase, SyntaxCase, SyntaxElsw, SyntaxEndsw}},
        {"loop", &CLogicEditModel::OnAddLoopAtCurrent, AddLoop, {SyntaxLoop, SyntaxEndlp}},
        {"comment", &CLogicEditModel::OnAddCommentAtCurrent, AddComment, {SyntaxComment}},
    };
    for (const AddCommand& command : atCurrent) {
        const int plainLine = static_cast<int>(kDescription.size()) - 1;
        for (int caret : {plainLine, plainLine + 1}) {
            const std::string where = std::string(command.name) + " at line " + std::to_string(caret);
            CLogicEditModel model(document, Build(kDescription), clipboard);
            model.SetCaret(caret, 0);
            const std::vector<CLogicLine> before = Records(model);
            (model.*command.run)();
            ASSERT_EQ(model.RecordCount(), caret + static_cast<int>(command.kinds.size())) << where;
            for (size_t i = 0; i < command.kinds.size(); ++i)
                EXPECT_EQ(model.Record(caret + static_cast<int>(i))->lineKind, command.kinds[i]) << where;
            EXPECT_EQ(model.Caret().line, caret) << where;
            EXPECT_TRUE(Parses(model)) << where;
            ExpectTextFollowsRecords(model, where);
            ExpectUndoSwapsExactly(model, before, where);
        }
    }

    // The line break on the append line gives it a plain record and leaves a new append line below.
    CLogicEditModel model(document, Build({{SyntaxDo, 0}}), clipboard);
    model.SetCaret(1, 0);
    model.OnAddLineBreakAtCurrent();
    ASSERT_EQ(model.RecordCount(), 2);
    EXPECT_EQ(model.Record(1)->lineKind, SyntaxPlainLine);
    EXPECT_EQ(model.Caret(), (EditPosition{2, 0}));
}

TEST_F(LogicEditCommandsTest, ReplaceCommandsOnEveryReplaceableLineAndRefusalOnBlockLines) {
    struct Replace {
        const char* name;
        void (CLogicEditModel::*run)();
        std::vector<int> kinds;
    };
    const std::vector<Replace> replaces{
        {"Do", &CLogicEditModel::OnReplaceWithDo, {SyntaxDo}},
        {"Transit State", &CLogicEditModel::OnReplaceWithTransitState, {SyntaxTransitState}},
        {"if", &CLogicEditModel::OnReplaceWithIf, {SyntaxIf, SyntaxElse, SyntaxEndif}},
        {"switch",
         &CLogicEditModel::OnReplaceWithSwitch,
         {SyntaxSwitch, SyntaxCase, SyntaxCase, SyntaxCase, SyntaxElsw, SyntaxEndsw}},
        {"loop", &CLogicEditModel::OnReplaceWithLoop, {SyntaxLoop, SyntaxEndlp}},
        {"Do nothing", &CLogicEditModel::OnReplaceWithDoNothing, {SyntaxDoNothing}},
        {"comment", &CLogicEditModel::OnReplaceWithComment, {SyntaxComment}},
        {"line break", &CLogicEditModel::OnReplaceWithLineBreak, {SyntaxPlainLine}},
    };
    // Replaceable lines at the top level, first and in the middle: Do, comment, plain line.
    for (int caret : {0, 23, 24}) {
        for (const Replace& replace : replaces) {
            const std::string where = std::string(replace.name) + " replacing line " + std::to_string(caret);
            CLogicEditModel model(document, Build(kDescription), clipboard);
            model.SetCaret(caret, 0);
            const std::vector<CLogicLine> before = Records(model);
            (model.*replace.run)();
            ASSERT_EQ(model.RecordCount(), static_cast<int>(before.size() + replace.kinds.size() - 1)) << where;
            for (size_t i = 0; i < replace.kinds.size(); ++i) {
                EXPECT_EQ(model.Record(caret + static_cast<int>(i))->lineKind, replace.kinds[i]) << where;
                EXPECT_EQ(model.Record(caret + static_cast<int>(i))->Top, 0) << where;
            }
            EXPECT_EQ(model.Caret().line, caret) << where;
            EXPECT_TRUE(Parses(model)) << where;
            ExpectTextFollowsRecords(model, where);
            ExpectUndoSwapsExactly(model, before, where);
        }
    }
    // The exitlp inside the loop becomes a Do at its own indentation, and back to exitlp.
    CLogicEditModel model(document, Build(kDescription), clipboard);
    model.SetCaret(18, 0);
    model.OnReplaceWithDo();
    EXPECT_EQ(model.Record(18)->lineKind, SyntaxDo);
    EXPECT_EQ(model.Record(18)->Top, 8);
    model.OnReplaceWithExitlp();
    EXPECT_EQ(model.Record(18)->lineKind, SyntaxExitlp);
    EXPECT_EQ(model.Record(18)->Top, 8);
    // Lines that open, divide or close a block are never replaced.
    for (int caret : {1, 3, 5, 6, 7, 13, 15, 16, 22}) {
        CLogicEditModel refused(document, Build(kDescription), clipboard);
        refused.SetCaret(caret, 0);
        const std::vector<CLogicLine> before = Records(refused);
        refused.OnReplaceWithDo();
        EXPECT_EQ(Records(refused), before) << "line " << caret;
    }
}

TEST_F(LogicEditCommandsTest, DeletionsOnBlockLines) {
    struct Deletion {
        int caret;
        void (CLogicEditModel::*run)();
        int removed;
        const char* name;
    };
    const std::vector<Deletion> deletions{
        {1, &CLogicEditModel::OnDeleteLine, 5, "line on if"},
        {3, &CLogicEditModel::OnDeleteLine, 5, "line on else"},
        {5, &CLogicEditModel::OnDeleteLine, 5, "line on endif"},
        {3, &CLogicEditModel::OnDeleteBlock, 5, "block on else"},
        {1, &CLogicEditModel::OnDeleteFrame, 3, "frame on if"},
        {3, &CLogicEditModel::OnDeleteFrame, 3, "frame on else"},
        {5, &CLogicEditModel::OnDeleteFrame, 3, "frame on endif"},
        {6, &CLogicEditModel::OnDeleteLine, 10, "line on switch"},
        {7, &CLogicEditModel::OnDeleteLine, 2, "line on case"},
        {9, &CLogicEditModel::OnDeleteBlock, 2, "block on case"},
        {13, &CLogicEditModel::OnDeleteLine, 10, "line on elsw"},
        {15, &CLogicEditModel::OnDeleteBlock, 10, "block on endsw"},
        {6, &CLogicEditModel::OnDeleteFrame, 6, "frame on switch"},
        {13, &CLogicEditModel::OnDeleteFrame, 6, "frame on elsw"},
        {15, &CLogicEditModel::OnDeleteFrame, 6, "frame on endsw"},
        {16, &CLogicEditModel::OnDeleteLine, 7, "line on loop"},
        {22, &CLogicEditModel::OnDeleteBlock, 7, "block on endlp"},
        {16, &CLogicEditModel::OnDeleteFrame, 3, "frame on loop"},
        {22, &CLogicEditModel::OnDeleteFrame, 3, "frame on endlp"},
        {18, &CLogicEditModel::OnDeleteLine, 1, "line on exitlp"},
        {18, &CLogicEditModel::OnDeleteBlock, 0, "block on exitlp"},
        {0, &CLogicEditModel::OnDeleteBlock, 0, "block on Do"},
    };
    for (const Deletion& deletion : deletions) {
        CLogicEditModel model(document, Build(kDescription), clipboard);
        model.SetCaret(deletion.caret, 0);
        const std::vector<CLogicLine> before = Records(model);
        (model.*deletion.run)();
        EXPECT_EQ(model.RecordCount(), static_cast<int>(before.size()) - deletion.removed) << deletion.name;
        EXPECT_TRUE(Parses(model)) << deletion.name;
        ExpectTextFollowsRecords(model, deletion.name);
        if (deletion.removed > 0)
            ExpectUndoSwapsExactly(model, before, deletion.name);
    }

    // A frame deletion moves the body out by one level.
    CLogicEditModel model(document, Build(kDescription), clipboard);
    model.SetCaret(1, 0);
    model.OnDeleteFrame();
    EXPECT_EQ(model.Record(1)->lineKind, SyntaxDo);
    EXPECT_EQ(model.Record(1)->Top, 0);
    EXPECT_EQ(model.LineText(2), QStringLiteral("Do<>{}"));
}

TEST_F(LogicEditCommandsTest, WrapsReachTwelveIndentsAndThirteenInsideALoop) {
    auto wrapsUntilRefused = [&](CLogicEditModel& model, int doLine) {
        int wraps = 0;
        for (;;) {
            const int count = model.RecordCount();
            model.Select(doLine, 0, doLine + 1, 0);
            model.OnWrapInIfElse();
            if (model.RecordCount() == count)
                return wraps;
            EXPECT_TRUE(Parses(model)) << "wrap " << wraps;
            ++wraps;
            ++doLine;
        }
    };
    CLogicEditModel top(document, Build({{SyntaxDo, 0}}), clipboard);
    EXPECT_EQ(wrapsUntilRefused(top, 0), 12);
    EXPECT_EQ(top.Record(12)->Top, 48);
    top.SetCaret(12, 0);
    EXPECT_FALSE(top.GetToolboxInsertionFlags() & AddIf);

    CLogicEditModel inLoop(document, Build({{SyntaxLoop, 0}, {SyntaxDo, 4}, {SyntaxEndlp, 0}}), clipboard);
    EXPECT_EQ(wrapsUntilRefused(inLoop, 1), 12);
    EXPECT_EQ(inLoop.Record(13)->Top, 52);

    // A loop never goes into a loop; the else_endif wrap puts the lines into the second branch.
    CLogicEditModel loopWrap(document, Build({{SyntaxLoop, 0}, {SyntaxDo, 4}, {SyntaxEndlp, 0}}), clipboard);
    loopWrap.Select(1, 0, 2, 0);
    loopWrap.OnWrapInLoop();
    EXPECT_EQ(loopWrap.RecordCount(), 3);
    loopWrap.Select(1, 0, 2, 0);
    loopWrap.OnWrapInElseEndif();
    ASSERT_EQ(loopWrap.RecordCount(), 6);
    EXPECT_EQ(loopWrap.Record(2)->lineKind, SyntaxElse);
    EXPECT_EQ(loopWrap.Record(3)->Top, 8);
}

TEST_F(LogicEditCommandsTest, CommonFunctionQuestionCreatesOnOkAndKeepsTheOldOneOnCancel) {
    for (platform::MessageAnswer answer : {platform::MessageAnswer::Ok, platform::MessageAnswer::Cancel}) {
        CDocumentData data;
        data.SetDefaults();
        CLogicEditModel model(data, *data.registry.origin, clipboard);
        std::unique_ptr<CLogicEditModel> caller;
        ASSERT_NO_FATAL_FAILURE(CallSharedFromTwoPlaces(data, model, caller));
        CUnitFunction* shared = data.registry.FindByName(QStringLiteral("shared"));
        const qsizetype asked = sink.Requests().size();
        sink.Answer(answer);
        model.CommitLineEdits(false);
        ASSERT_EQ(sink.Requests().size(), asked + 1);
        EXPECT_EQ(sink.Requests().last().text,
                  LoadString(StringId::CreateCommonFunctionQuestion).arg(QStringLiteral("shared2")));
        EXPECT_EQ(shared->name, QStringLiteral("shared"));
        CUnitFunction* created = data.registry.FindByName(QStringLiteral("shared2"));
        if (answer == platform::MessageAnswer::Ok) {
            ASSERT_TRUE(created);
            EXPECT_EQ(model.Record(1)->calledInternalID, created->InternalID);
        } else {
            EXPECT_FALSE(created);
            EXPECT_EQ(model.Record(1)->calledInternalID, shared->InternalID);
        }
        EXPECT_EQ(caller->Record(0)->calledInternalID, shared->InternalID);
    }
}

TEST_F(LogicEditCommandsTest, ACommitAskedForWhileItsQuestionIsOpenLeavesTheRunningOneAlone) {
    // While the question is open, a timer's save asks the same editor to commit what it holds.
    struct ReenteringSink : platform::MessageSink {
        std::function<void()> during;
        int shown = 0;
        platform::MessageAnswer Show(const platform::MessageRequest&) override {
            ++shown;
            if (during)
                std::exchange(during, nullptr)();
            return platform::MessageAnswer::Ok;
        }
    };
    CDocumentData data;
    data.SetDefaults();
    CLogicEditModel model(data, *data.registry.origin, clipboard);
    std::unique_ptr<CLogicEditModel> caller;
    ASSERT_NO_FATAL_FAILURE(CallSharedFromTwoPlaces(data, model, caller));

    ReenteringSink reentering;
    reentering.during = [&model] { EXPECT_EQ(model.CommitLineEdits(false), 1); };
    const platform::MessageSinkInstaller installed(reentering);
    EXPECT_EQ(model.CommitLineEdits(false), 1);
    EXPECT_EQ(reentering.shown, 1);
    int named = 0;
    for (const auto& [id, function] : data.registry.Functions())
        named += function.name == QStringLiteral("shared2") ? 1 : 0;
    EXPECT_EQ(named, 1);
    ASSERT_TRUE(data.registry.FindByName(QStringLiteral("shared2")));
    EXPECT_EQ(model.Record(1)->calledInternalID, data.registry.FindByName(QStringLiteral("shared2"))->InternalID);
    EXPECT_FALSE(model.IsFnNameChanged());
}

TEST_F(LogicEditCommandsTest, ATypedFnNameOutlivesTheDeletionOfAnotherFnLine) {
    CDocumentData data;
    data.SetDefaults();
    CLogicEditModel model(data, *data.registry.origin, clipboard);
    ASSERT_EQ(TypeFnName(model, 0, QStringLiteral("first")), 1);
    ASSERT_EQ(TypeFnName(model, 1, QStringLiteral("second")), 1);
    CUnitFunction* second = data.registry.FindByName(QStringLiteral("second"));
    model.SetCaret(1, model.Record(1)->End);
    model.TypeCharacter(QChar('2'));
    model.SetCaret(0, model.Record(0)->Home);
    model.OnDeleteLine();
    ASSERT_EQ(model.RecordCount(), 1);
    EXPECT_TRUE(model.IsFnNameChanged());
    EXPECT_EQ(model.CommitLineEdits(false), 1);
    EXPECT_EQ(second->name, QStringLiteral("second2"));
    EXPECT_EQ(model.Record(0)->calledInternalID, second->InternalID);
}

TEST_F(LogicEditCommandsTest, ParseGuardRestoresRecordsAfterEveryKindOfChange) {
    // Removing the else and endif lines of the first if leaves text that does not parse; the lines come
    // back, and so do the columns the frame's body had.
    CLogicEditModel model(document, Build(kDescription), clipboard);
    const std::vector<CLogicLine> before = Records(model);
    const QString text = model.PlainText();
    model.Select(3, 0, 6, 0);
    model.OnDeleteSelection();
    EXPECT_EQ(Records(model), before);
    EXPECT_EQ(model.PlainText(), text);
    // The undo group of the refused command holds nothing that changes the lines.
    model.UndoLastEdit();
    EXPECT_EQ(Records(model), before);

    // A typing run after a structural command: the guard of one keystroke does not undo the command.
    model.SetCaret(0, 0);
    model.OnAddDoAfter();
    model.TypeCharacter(QChar('m'));
    EXPECT_EQ(model.Record(1)->textSlots[0].text, QStringLiteral("m"));
    EXPECT_EQ(model.RecordCount(), static_cast<int>(before.size()) + 1);
}

} // namespace
