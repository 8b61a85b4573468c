#include "editor/LineMarkTip.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicToolbox.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/ModelShell.h"
#include "model/RuleVocabularyTables.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using namespace LogicEditCommand;

struct ModifiedCounter : CModelShell {
    void SetDocumentModified() override { ++count; }
    int count = 0;
};

class LineAttributeTest : public ::testing::Test {
protected:
    LineAttributeTest() {
        document.SetDefaults();
        document.particles.ifParticle.clear();
        document.particles.switchParticle.clear();
    }
    CUnitFunction& Origin() { return *document.registry.origin; }

    platform::ScriptedMessageSink sink;
    ModifiedCounter shell;
    CModelShellInstaller installed{shell};
    CDocumentData document;
    CProcessClipboard clipboard;
};

// ---- the event and state attribute of if and switch lines ----

TEST_F(LineAttributeTest, EventAndStateGoOnIfAndSwitchLinesOnlyAndAreUndone) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    model.TypeCharacter(QChar('m'));
    model.PressKey(EditKey::Enter);
    const QString plain = model.LineText(0);
    ASSERT_EQ(plain, QStringLiteral("if <m>{}"));

    shell.count = 0;
    model.MarkLineAsEvent();
    EXPECT_EQ(model.Record(0)->transitionAttribute, CLogicLine::EventAttribute);
    EXPECT_EQ(model.LineText(0), QStringLiteral("Evif <m>{}"));
    EXPECT_EQ(model.Record(0)->Home, 6) << "the slots move on with the prefix";
    EXPECT_EQ(shell.count, 1);
    EXPECT_EQ(model.Caret(), (EditPosition{0, 7})) << "the caret stays behind the m";
    // Typing still lands in the member slot.
    model.TypeCharacter(QChar('x'));
    EXPECT_EQ(model.Record(0)->textSlots[0].text, QStringLiteral("mx"));
    EXPECT_EQ(model.LineText(0), QStringLiteral("Evif <mx>{}"));
    model.PressKey(EditKey::Enter);

    // The same value again changes nothing; the other one replaces it.
    shell.count = 0;
    model.MarkLineAsEvent();
    EXPECT_EQ(shell.count, 0);
    model.MarkLineAsState();
    EXPECT_EQ(model.LineText(0), QStringLiteral("Stif <mx>{}"));
    EXPECT_EQ(model.Record(0)->transitionAttribute, CLogicLine::StateAttribute);

    model.UndoLastEdit();
    EXPECT_EQ(model.LineText(0), QStringLiteral("Evif <mx>{}"));
    EXPECT_EQ(model.Record(0)->transitionAttribute, CLogicLine::EventAttribute);

    // A Do line, an else line and the append line take no attribute.
    model.SetCaret(1, 0);
    const QString elseLine = model.LineText(1);
    model.MarkLineAsEvent();
    EXPECT_EQ(model.LineText(1), elseLine);
    model.SetCaret(0, model.Record(0)->Home);
    model.OnAddDoAfter();
    const int doLine = model.CaretLine();
    ASSERT_EQ(model.Record(doLine)->lineKind, SyntaxDo);
    shell.count = 0;
    model.MarkLineAsState();
    EXPECT_EQ(model.Record(doLine)->transitionAttribute, 0);
    model.SetCaret(model.RecordCount(), 0);
    model.MarkLineAsState();
    EXPECT_EQ(shell.count, 0);

    model.OnAddSwitchAtCurrent();
    const int switchLine = model.CaretLine();
    ASSERT_EQ(model.Record(switchLine)->lineKind, SyntaxSwitch);
    model.TypeCharacter(QChar('s'));
    model.MarkLineAsState();
    EXPECT_TRUE(model.LineText(switchLine).startsWith(QStringLiteral("Stswitch <s>")))
        << model.LineText(switchLine).toStdString();
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('\n').toStdString();
}

// The prefix is black on its light background; the keyword after it keeps its own colour on white.
TEST_F(LineAttributeTest, ThePrefixHasItsOwnFormatAndTheKeywordKeepsItsOwn) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    model.MarkLineAsState();
    model.SetCaret(model.RecordCount(), 0);
    model.OnAddSwitchAtCurrent();
    const int switchLine = model.CaretLine();
    model.MarkLineAsEvent();
    struct Expected {
        int line;
        int kind;
        QString prefix;
        quint32 background;
    };
    for (const Expected& expected : {Expected{0, SyntaxIf, QStringLiteral("St"), 0xAAFFFF},
                                     Expected{switchLine, SyntaxSwitch, QStringLiteral("Ev"), 0xAAFFAA}}) {
        const ComposedLine& line = model.Composed(expected.line);
        const QString keyword = document.SyntaxSymbols[expected.kind].keyword;
        const auto prefix = std::find_if(line.runs.begin(), line.runs.end(),
                                         [&](const LineFormatRun& run) { return run.start == 0 && run.length > 0; });
        ASSERT_NE(prefix, line.runs.end());
        EXPECT_EQ(line.text.mid(prefix->start, prefix->length), expected.prefix);
        EXPECT_EQ(prefix->font.colour, 0u);
        EXPECT_EQ(prefix->font.bold, 1);
        EXPECT_EQ(prefix->background, expected.background);
        const auto next = prefix + 1;
        ASSERT_NE(next, line.runs.end());
        EXPECT_TRUE(line.text.mid(next->start, next->length).startsWith(keyword));
        EXPECT_EQ(next->font.colour, document.SyntaxSymbols[expected.kind].font.colour);
        EXPECT_NE(next->font.colour, 0u) << "the keyword's colour is not black";
        EXPECT_EQ(next->background, 0xFFFFFFu);
    }
}

TEST_F(LineAttributeTest, AMarkedLineIsSavedAndReadBack) {
    {
        CLogicEditModel model(document, Origin(), clipboard);
        model.OnAddIfAtCurrent();
        model.TypeCharacter(QChar('m'));
        model.MarkLineAsEvent();
    }
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("marks.nuv"));
    ASSERT_TRUE(SaveDocumentXml(document, path));

    CDocumentData read;
    read.SetDefaults();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(LoadDocumentXml(file, read, 0), LoadResult::Loaded);
    CLogicEditModel model(read, *read.registry.origin, clipboard);
    ASSERT_GE(model.RecordCount(), 1);
    EXPECT_EQ(model.Record(0)->transitionAttribute, CLogicLine::EventAttribute);
    EXPECT_EQ(model.LineText(0), QStringLiteral("Evif <m>{}"));
    EXPECT_EQ(model.Record(0)->Home, 6);
}

// ---- registering the member name at the caret ----

TEST_F(LineAttributeTest, RegistrationIsOfferedInANamedMemberAndAsksFirst) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    EXPECT_FALSE(IsCaretInMemberName(model)) << "an empty member";
    EXPECT_FALSE(IsToolboxButtonEnabled(model, 1338));
    model.TypeCharacter(QChar('m'));
    model.TypeCharacter(QChar('e'));
    EXPECT_TRUE(IsCaretInMemberName(model));
    EXPECT_EQ(MemberNameAtCaret(model), QStringLiteral("me"));
    EXPECT_EQ(ToolboxButtonCommand(model, 1338), RegisterThisMemberName);
    model.SetCaret(0, model.Record(0)->Home2);
    EXPECT_FALSE(IsCaretInMemberName(model)) << "the state slot";
    EXPECT_TRUE(MemberNameAtCaret(model).isEmpty());
    EXPECT_TRUE(IsToolboxButtonEnabled(model, 1333));
    EXPECT_TRUE(IsToolboxButtonEnabled(model, 1335));

    sink.Answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(ConfirmMemberNameRegistration(QStringLiteral("me")));
    sink.Answer(platform::MessageAnswer::Ok);
    EXPECT_TRUE(ConfirmMemberNameRegistration(QStringLiteral("me")));
    ASSERT_EQ(sink.Requests().size(), 2);
    const platform::MessageRequest& question = sink.Requests()[0];
    EXPECT_EQ(question.text,
              QStringLiteral(
                  "メンバー名 \"me\" を登録します。\nまた、このメンバー名と組にして使われている状態名を登録します。"));
    EXPECT_EQ(question.buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(question.icon, platform::MessageIcon::Warning);
}

// ---- the margin's line-mark menu ----

TEST_F(LineAttributeTest, LineMarkMenuStartsWithEditingThenUngroupedMarksThenGroupsInOrder) {
    using Kind = LineMarkMenuItem::Kind;
    LineMarkTable& marks = document.lineMarkTable;
    for (int i = 0; i < LineMarkTable::AttributeCount; ++i) {
        marks.attributes[i].name = QStringLiteral("a%1").arg(i);
        marks.attributes[i].groupNo = 0;
    }
    marks.groupNames = {QStringLiteral("g1"), QStringLiteral("g2"), QStringLiteral("g3"), QStringLiteral("g4")};
    // Groups named out of attribute order: 3 comes first among the attributes, then 1, then 4.
    marks.attributes[2].groupNo = 3;
    marks.attributes[5].groupNo = 1;
    marks.attributes[6].groupNo = 4;
    marks.attributes[9].groupNo = 1;
    const auto describe = [](const std::vector<LineMarkMenuItem>& menu) {
        QStringList shown;
        for (const LineMarkMenuItem& item : menu) {
            switch (item.kind) {
            case Kind::EditMarks:
                shown << QStringLiteral("edit");
                break;
            case Kind::Separator:
                shown << QStringLiteral("-");
                break;
            case Kind::Mark:
                shown << item.name + (item.checked ? QStringLiteral("*") : QString());
                break;
            case Kind::Group: {
                QStringList names;
                for (const LineMarkMenuItem& mark : item.marks)
                    names << mark.name + (mark.checked ? QStringLiteral("*") : QString());
                shown << item.name + QStringLiteral("[") + names.join(',') + QStringLiteral("]");
                break;
            }
            }
        }
        return shown.join(' ');
    };

    CLogicLine line;
    EXPECT_EQ(describe(BuildLineMarkMenu(line, marks)),
              QStringLiteral("a0 a1 a3 a4 a7 a8 a10 a11 a12 a13 a14 - g1[a5,a9] g3[a2] g4[a6]"));
    line.mark = (1u << 1) | (1u << 9);
    EXPECT_EQ(describe(BuildLineMarkMenu(line, marks)),
              QStringLiteral("edit - a0 a1* a3 a4 a7 a8 a10 a11 a12 a13 a14 - g1[a5,a9*] g3[a2] g4[a6]"));
    // Without ungrouped marks there is no separator before the groups.
    for (LineMarkTable::Attribute& attribute : marks.attributes)
        attribute.groupNo = 2;
    EXPECT_EQ(describe(BuildLineMarkMenu(line, marks)),
              QStringLiteral("edit - g2[a0,a1*,a2,a3,a4,a5,a6,a7,a8,a9*,a10,a11,a12,a13,a14]"));
}

// ---- wrapping the selected lines ----

TEST_F(LineAttributeTest, WrapsAreOfferedOnlyWhereTheyAct) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddLoopAtCurrent();
    model.OnAddSwitchAfter();
    const int switchLine = model.CaretLine();
    ASSERT_EQ(model.Record(switchLine)->lineKind, SyntaxSwitch);
    // From the loop to inside the switch.
    model.Select(0, 0, switchLine + 2, 0);
    EXPECT_FALSE(model.CanWrapSelectionInIf());
    EXPECT_FALSE(model.CanWrapSelectionInLoop());
    const int count = model.RecordCount();
    model.OnWrapInIfElse();
    model.OnWrapInLoop();
    EXPECT_EQ(model.RecordCount(), count);

    CUnitFunction other;
    CLogicEditModel plain(document, other, clipboard);
    plain.OnAddDoAtCurrent();
    plain.OnAddDoAfter();
    plain.Select(0, 0, 2, 0);
    EXPECT_TRUE(plain.CanWrapSelectionInIf());
    EXPECT_TRUE(plain.CanWrapSelectionInLoop());
    plain.SetCaret(0, 0);
    EXPECT_FALSE(plain.CanWrapSelectionInIf()) << "no whole lines selected";
}

} // namespace
