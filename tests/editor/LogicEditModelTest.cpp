#include "editor/LogicEditModel.h"
#include "editor/LogicLineBlock.h"
#include "editor/LogicToolbox.h"
#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "model/ModelShell.h"
#include "model/QuantifierCheck.h"
#include "platform/MessageBox.h"
#include "support/logic/BareLogicDocumentFixture.h"
#include "texts/StringTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

namespace {

class LogicEditModelTest : public BareLogicDocumentFixture {
protected:
    CUnitFunction& Origin() { return *document.registry.origin; }
    QString Columns(const CLogicEditModel& model, int line) {
        const CLogicLine& r = *model.Record(line);
        return QStringLiteral("%1 %2 %3 %4 %5").arg(r.Top).arg(r.Next).arg(r.Home).arg(r.Home2).arg(r.End);
    }

    CProcessClipboard clipboard;
};

TEST_F(LogicEditModelTest, IfColumnsFollowTypingAndParticles) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    ASSERT_EQ(model.RecordCount(), 3);
    EXPECT_EQ(Columns(model, 0), QStringLiteral("0 4 4 6 7"));
    EXPECT_EQ(model.Caret(), (EditPosition{0, 4}));
    model.TypeCharacter(QChar('a'));
    EXPECT_EQ(Columns(model, 0), QStringLiteral("0 4 4 7 8"));
    EXPECT_EQ(model.LineText(0), QStringLiteral("if <a>{}"));

    // Left and Right stay in the slot: "a" is slot 1 (columns 4-5), the state slot starts at 7.
    model.PressKey(EditKey::Right);
    EXPECT_EQ(model.Caret(), (EditPosition{0, 5})) << "Right stops at the slot's end";
    model.PressKey(EditKey::Left);
    model.PressKey(EditKey::Left);
    EXPECT_EQ(model.Caret(), (EditPosition{0, 4})) << "Left stops at the slot's start";
    model.SetCaret(0, 7);
    model.PressKey(EditKey::Left);
    EXPECT_EQ(model.Caret(), (EditPosition{0, 7}));

    document.particles.ifParticle = QStringLiteral("が");
    CUnitFunction other;
    CLogicEditModel second(document, other, clipboard);
    second.OnAddIfAtCurrent();
    EXPECT_EQ(Columns(second, 0), QStringLiteral("0 4 4 7 8"));
}

TEST_F(LogicEditModelTest, SlotLimitsRefuseTheExtraCharacter) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    for (int i = 0; i < 65; ++i)
        model.TypeCharacter(QChar('x'));
    EXPECT_EQ(model.Record(0)->textSlots[0].text.size(), 64);
    EXPECT_EQ(model.Caret().column, model.Record(0)->Home + 64);
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::SlotTextTooLong)});

    model.SetCaret(1, 0);
    model.OnAddCommentAfter();
    const int line = model.Caret().line;
    for (int i = 0; i < 257; ++i)
        model.TypeCharacter(QChar('c'));
    EXPECT_EQ(model.Record(line)->textSlots[0].text.size(), 256);
    EXPECT_EQ(sink.Texts().size(), 2);
}

TEST_F(LogicEditModelTest, BracketsAreRefusedOutsideCommentsAndTypingOutsideLinesIsExplained) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.TypeCharacter(QChar('a'));
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::TypingOutsideLines)});
    model.OnAddDoAtCurrent();
    model.TypeCharacter(QChar('>'));
    EXPECT_EQ(model.LineText(0), QStringLiteral("Do<>{}"));
}

// Where the caret cannot go further up or down, the key still commits the line.
TEST_F(LogicEditModelTest, UpOnTheFirstLineAndDownOnTheLastCommitTheTypedNames) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddFnAtCurrent();
    for (const QChar c : QStringLiteral("Short"))
        model.TypeCharacter(c);
    model.PressKey(EditKey::Up);
    EXPECT_FALSE(model.IsFnNameChanged());
    const CUnitFunction* shortFunction = document.registry.FindByName(QStringLiteral("Short"));
    ASSERT_NE(shortFunction, nullptr);
    EXPECT_EQ(model.Record(0)->calledInternalID, shortFunction->InternalID);
    EXPECT_EQ(model.CaretLine(), 0);

    model.OnAddFnAfter();
    for (const QChar c : QStringLiteral("Long"))
        model.TypeCharacter(c);
    model.PressKey(EditKey::Down);
    EXPECT_FALSE(model.IsFnNameChanged());
    ASSERT_NE(document.registry.FindByName(QStringLiteral("Long")), nullptr);
    EXPECT_EQ(model.CaretLine(), 1);

    // A member typed on the first line is remembered as unregistered.
    model.SetCaret(0, 0);
    model.OnAddDoBefore();
    model.TypeCharacter(QChar('v'));
    model.PressKey(EditKey::Up);
    EXPECT_FALSE(model.IsTyped());
    EXPECT_EQ(document.RecentNames.size(), 1u);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
}

TEST_F(LogicEditModelTest, InsertionsAfterKeepRecordsAndTextInStep) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    model.SetCaret(0, 0);
    model.OnAddIfAfter();
    ASSERT_EQ(model.RecordCount(), 6);
    EXPECT_EQ(Columns(model, 1), QStringLiteral("4 8 8 10 11"));
    EXPECT_EQ(model.LineText(2), QStringLiteral("    else"));
    model.SetCaret(0, 0);
    model.OnAddSwitchAfter();
    EXPECT_EQ(model.RecordCount(), 12);
    EXPECT_TRUE(model.PlainText().contains(QStringLiteral("    case{}\n    case{}\n    case{}\n    elsw\n    endsw")));
}

TEST_F(LogicEditModelTest, UndoTwiceIsTheIdentityAndFnInsertionHasNoUndo) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    const QString before = model.PlainText();
    model.SetCaret(0, 0);
    model.OnAddIfAfter();
    const QString after = model.PlainText();
    model.UndoLastEdit();
    EXPECT_EQ(model.PlainText(), before);
    model.UndoLastEdit();
    EXPECT_EQ(model.PlainText(), after);

    model.SetCaret(model.RecordCount(), 0);
    model.OnAddFnAtCurrent();
    EXPECT_FALSE(model.IsUndoAvailable());
}

TEST_F(LogicEditModelTest, DeletionsRemoveWholeBlocksAndRefuseWithoutPartner) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    model.SetCaret(1, 0);
    model.OnDeleteLine();
    EXPECT_EQ(model.RecordCount(), 0);

    model.SetCaret(0, 0);
    model.OnAddSwitchAtCurrent();
    model.SetCaret(2, 0);
    model.OnDeleteLine(); // a case line takes only itself and its body
    EXPECT_EQ(model.RecordCount(), 5);
    model.SetCaret(0, 0);
    model.OnDeleteFrame();
    EXPECT_EQ(model.RecordCount(), 0);

    // A description whose endif is gone: deleting the if deletes nothing.
    auto line = std::make_unique<CLogicLine>();
    model.InitLineRecord(*line, SyntaxIf, 0);
    Origin().logicLines.push_back(std::move(line));
    CLogicEditModel broken(document, Origin(), clipboard);
    broken.SetCaret(0, 0);
    broken.OnDeleteLine();
    EXPECT_EQ(broken.RecordCount(), 1);
    EXPECT_EQ(sink.Texts().last(), LoadString(StringId::PartnerLineMissing));
}

TEST_F(LogicEditModelTest, WrapsStopAtTheNestingLimit) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    model.Select(0, 0, 1, 0);
    model.OnWrapInIfElse();
    ASSERT_EQ(model.RecordCount(), 4);
    EXPECT_EQ(model.LineText(1), QStringLiteral("    Do<>{}"));
    for (int depth = 2; depth <= 12; ++depth) {
        const int doLine = depth - 1;
        model.Select(doLine, 0, doLine + 1, 0);
        model.OnWrapInIfElse();
    }
    const int count = model.RecordCount();
    const int doLine = 11;
    EXPECT_EQ(model.Record(doLine)->Top, 44);
    model.Select(doLine, 0, doLine + 1, 0);
    model.OnWrapInIfElse();
    EXPECT_EQ(model.RecordCount(), count);
}

TEST_F(LogicEditModelTest, GrammarGateFlags) {
    CLogicEditModel model(document, Origin(), clipboard);
    EXPECT_EQ(model.GetToolboxInsertionFlags(), unsigned(CaretOnAppendLine | AddIf | AddDo | AddTransitState | AddFn |
                                                         AddSwitch | AddComment | AddLineBreak | AddLoop));
    model.OnAddSwitchAtCurrent();
    model.SetCaret(0, 0);
    EXPECT_EQ(model.GetToolboxInsertionFlags(), unsigned(AddCase | AddComment | AddLineBreak));
    model.SetCaret(1, 0);
    EXPECT_TRUE(model.GetToolboxInsertionFlags() & AddCase);
    EXPECT_TRUE(model.CanDeleteSyntaxBlock());
}

TEST_F(LogicEditModelTest, PasteFiltersLineBreaksAndBrackets) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    clipboard.SetContent(QStringLiteral("a\r\nb<c>"), {});
    model.SetCaret(0, 3);
    model.OnEditPaste();
    EXPECT_EQ(model.Record(0)->textSlots[0].text, QStringLiteral("ab c "));
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::SyntaxBracketsReplaced)});
    clipboard.SetContent(QString(70, QChar('z')), {});
    model.SetCaret(0, 3);
    model.OnEditPaste();
    EXPECT_EQ(model.Record(0)->textSlots[0].text.size(), 64);
    EXPECT_EQ(sink.Texts().last(), LoadString(StringId::PastedTextTruncated));
    model.OnEditPaste();
    EXPECT_EQ(sink.Texts().last(), LoadString(StringId::SlotAlreadyFull));
}

TEST_F(LogicEditModelTest, LineBlocksRoundTripAndDamagedBlocksAreRefused) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    model.TypeCharacter(QChar('m'));
    model.Select(1, 0, 2, 0); // the else line widens to the whole block
    model.OnEditCopy();
    const std::optional<std::vector<CLogicLine>> lines = LogicLineBlock::Decode(clipboard.LineBlock());
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3u);
    CLogicLine copied = *model.Record(0);
    copied.changeMarks = 0; // never leaves the editor
    EXPECT_EQ((*lines)[0], copied);

    QByteArray block = clipboard.LineBlock();
    for (int cut : {10, 24, static_cast<int>(block.size()) - 1})
        EXPECT_FALSE(LogicLineBlock::Decode(block.left(cut)));
    QByteArray huge = block;
    huge[20] = char(0xFF); // claims far more records than it holds
    EXPECT_FALSE(LogicLineBlock::Decode(huge));

    clipboard.SetContent(QString(), block.left(block.size() - 3));
    model.SetCaret(2, 0);
    model.OnEditPasteLines();
    EXPECT_EQ(model.RecordCount(), 3);
    EXPECT_EQ(sink.Texts().last(), LoadString(StringId::LineBlockDamaged));

    clipboard.SetContent(QString(), block);
    model.SetCaret(2, 0);
    model.OnEditPasteLines();
    EXPECT_EQ(model.RecordCount(), 6);
    EXPECT_EQ(model.LineText(3), QStringLiteral("if <m>{}"));
}

TEST_F(LogicEditModelTest, FnNameCommitBindsRenamesCreatesAndAsks) {
    const ModelOptions options = document.GetModelOptions();
    CUnitFunction* existing = document.registry.CreateFunction(QStringLiteral("known"), options);
    ASSERT_TRUE(existing);
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddFnAtCurrent();
    for (QChar c : QStringLiteral("known"))
        model.TypeCharacter(c);
    EXPECT_EQ(model.CommitLineEdits(false), 1);
    EXPECT_EQ(model.Record(0)->calledInternalID, existing->InternalID);

    model.SetCaret(1, 0);
    model.OnAddFnAtCurrent();
    for (QChar c : QStringLiteral("fresh"))
        model.TypeCharacter(c);
    model.CommitLineEdits(false);
    CUnitFunction* fresh = document.registry.FindByName(QStringLiteral("fresh"));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(model.Record(1)->calledInternalID, fresh->InternalID);

    model.SetCaret(1, model.Record(1)->End);
    model.TypeCharacter(QChar('2'));
    model.CommitLineEdits(false);
    EXPECT_EQ(fresh->name, QStringLiteral("fresh2"));

    model.SetCaret(2, 0);
    model.OnAddFnAtCurrent();
    EXPECT_EQ(model.CommitLineEdits(false), 0);
    EXPECT_EQ(sink.Texts().last(), LoadString(StringId::BlankFnName));
}

TEST_F(LogicEditModelTest, ACommittedFnBindingIsNeverUndone) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddFnAtCurrent();
    for (QChar c : QStringLiteral("Pump"))
        model.TypeCharacter(c);
    // An edit made while the name waits opens an undo group (Enter ends the typing one); the commit that follows
    // binds the line.
    model.PressKey(EditKey::Enter);
    model.OnAddIfAfter();
    model.CloseUndoGroup();
    ASSERT_EQ(model.CommitLineEdits(false), 1);
    const CUnitFunction* pump = document.registry.FindByName(QStringLiteral("Pump"));
    ASSERT_NE(pump, nullptr);
    EXPECT_FALSE(model.IsUndoAvailable());
    model.UndoLastEdit();
    EXPECT_EQ(model.Record(0)->calledInternalID, pump->InternalID);
    EXPECT_EQ(pump->places.size(), 1u) << "the unit function keeps its place";
}

TEST_F(LogicEditModelTest, TypedMemberNamesAreCheckedForQuantifiers) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    for (QChar c : QStringLiteral("∀水位"))
        model.TypeCharacter(c);
    EXPECT_EQ(model.Record(0)->mark, quantifierWarningMark);
    EXPECT_EQ(model.Record(0)->Memo(), QStringLiteral("メンバー名の先頭の \"∀\" は全称記号です。"));
    model.SetCaret(0, model.Record(0)->Home + 1);
    model.PressKey(EditKey::Backspace);
    EXPECT_EQ(model.Record(0)->textSlots[0].text, QStringLiteral("水位"));
    EXPECT_EQ(model.Record(0)->mark, 0u);
    EXPECT_TRUE(model.Record(0)->Memo().isEmpty());
}

TEST_F(LogicEditModelTest, EndStopsAtTheEndOfTheEditableSlot) {
    const ModelOptions options = document.GetModelOptions();
    CUnitFunction* called = document.registry.CreateFunction(QStringLiteral("Abc"), options);
    ASSERT_TRUE(called);
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddFnAtCurrent();
    for (QChar c : QStringLiteral("Abc"))
        model.TypeCharacter(c);
    ASSERT_EQ(model.CommitLineEdits(false), 1);
    const CLogicLine& fn = *model.Record(0);
    ASSERT_EQ(fn.calledInternalID, called->InternalID);
    ASSERT_GT(model.LineLength(0), fn.End) << "the unit function's number follows the name";
    model.SetCaret(0, fn.Home);
    model.PressKey(EditKey::End);
    EXPECT_EQ(model.Caret(), (EditPosition{0, fn.End}));
    model.TypeCharacter(QChar('d'));
    EXPECT_EQ(model.Record(0)->textSlots[0].text, QStringLiteral("Abcd"));
}

TEST_F(LogicEditModelTest, SelectedTextForSearchesStaysInsideOneLine) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    for (QChar c : QStringLiteral("member"))
        model.TypeCharacter(c);
    model.SetCaret(1, 0);
    model.OnAddDoAtCurrent();
    const int home = model.Record(0)->Home;
    model.Select(0, home, 0, home + 3);
    EXPECT_EQ(model.GetSelectedText(), QStringLiteral("mem"));
    model.SetCaret(0, home);
    EXPECT_EQ(model.GetSelectedText(), QString()) << "nothing selected";
    // Across lines, from inside one or from a line start, nothing is taken.
    model.Select(0, home + 2, 1, 2);
    EXPECT_EQ(model.GetSelectedText(), QString());
    model.Select(0, 0, 1, 0);
    EXPECT_EQ(model.GetSelectedText(), QString());
}

TEST_F(LogicEditModelTest, RegisteredNamesAreOfferedAsTheDocumentAllows) {
    document.memberDefinitions.push_back({QStringLiteral("弁"), QString(), {{QStringLiteral("開"), QString()}}});
    document.RecentNames.push_back({0, -1, QStringLiteral("圧力")});
    document.RecentNamePairs.push_back({0, -1, QStringLiteral("弁"), QStringLiteral("閉")});
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    const auto candidatesAt = [&](int column, int line = 0) {
        model.SetCaret(line, column);
        return model.PrepareContextCandidates().words;
    };
    EXPECT_EQ(candidatesAt(model.Record(0)->Home), (QStringList{QStringLiteral("弁"), QStringLiteral("圧力")}));
    for (QChar c : QStringLiteral("弁"))
        model.TypeCharacter(c);
    EXPECT_EQ(candidatesAt(model.Record(0)->Home2), (QStringList{QStringLiteral("開"), QStringLiteral("閉")}));

    document.FAreaTable.IsDispRegisterStatus = 0;
    EXPECT_EQ(candidatesAt(model.Record(0)->Home2), QStringList{QStringLiteral("閉")});
    document.FAreaTable.IsDispRegisterStatus = 1;
    document.FAreaTable.IsDispRegisterMember = 0;
    EXPECT_EQ(candidatesAt(model.Record(0)->Home2), QStringList{QStringLiteral("閉")}) << "states need both";
    model.SetCaret(1, 0);
    model.OnAddDoAfter();
    EXPECT_EQ(candidatesAt(model.Record(2)->Home, 2), QStringList{QStringLiteral("圧力")});
}

TEST_F(LogicEditModelTest, ParseGuardRestoresRecords) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddIfAtCurrent();
    const QString text = model.PlainText();
    model.Select(0, 0, 1, 0); // the if line alone
    model.OnDeleteSelection();
    EXPECT_EQ(model.RecordCount(), 3);
    EXPECT_EQ(model.PlainText(), text);
    EXPECT_EQ(model.Record(0)->lineKind, SyntaxIf);
}

// Undo and its redo give a line its statement back; the marks, the memo and the files the user set or took off after
// the edit stay as the user left them, and the automatic quantifier marks follow the member name as typing makes them.
TEST_F(LogicEditModelTest, UndoAndRedoLeaveTheLineMarksAsTheUserLeftThem) {
    const QString memo = QStringLiteral("IMPORTANT MEMO TEXT");
    const std::array<QString, 3> files = {QStringLiteral("/tmp/plan.txt"), QString(), QString()};
    const auto markZero = [](CLogicEditModel& m) { ToggleLineMark(m, 0, 0); };
    const auto setAll = [&](CLogicEditModel& m) {
        ToggleLineMark(m, 0, 0);
        SetLineMarkTexts(m, 0, memo, files);
    };
    const struct {
        const char* name;
        std::function<void(CLogicEditModel&)> before, after; // what the user does to the marks around the typing
        QString typed;
        CLogicLine::MarkNotes undone;
    } cases[] = {
        {"a mark, its memo and a file set after the typing", nullptr, setAll, "z", {1, memo, files}},
        {"all deleted after the typing", setAll, [](CLogicEditModel& m) { DeleteLineMarks(m, 0); }, "z", {}},
        {"a quantifier typed beside a mark", markZero, nullptr, QStringLiteral("∀"), {1}},
        {"a quantifier typed beside a mark, another mark set after",
         markZero,
         [](CLogicEditModel& m) { ToggleLineMark(m, 0, 1); },
         QStringLiteral("∀"),
         {3, QStringLiteral("メンバー名の先頭の \"∀\" は全称記号です。")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CUnitFunction& function = *document.registry.CreateFunction(QStringLiteral("F"), document.GetModelOptions());
        CLogicEditModel model(document, function, clipboard);
        model.OnAddDoAtCurrent();
        model.TypeCharacter(u'a');
        model.CloseUndoGroup();
        if (c.before)
            c.before(model);
        model.SetCaret(0, model.Record(0)->Home);
        model.TypeCharacter(c.typed[0]);
        model.CloseUndoGroup();
        if (c.after)
            c.after(model);
        const CLogicLine& line = *model.Record(0);
        const CLogicLine::MarkNotes user = line.GetMarkNotes();
        model.UndoLastEdit();
        EXPECT_EQ(line.textSlots[0].text, QStringLiteral("a"));
        EXPECT_EQ(line.GetMarkNotes(), c.undone);
        model.UndoLastEdit();
        EXPECT_EQ(line.textSlots[0].text, c.typed + QStringLiteral("a"));
        EXPECT_EQ(line.GetMarkNotes(), user);

        // Marks set between an undo and its redo stay.
        model.UndoLastEdit();
        ToggleLineMark(model, 0, 5);
        SetLineMarkTexts(model, 0, memo, files);
        const CLogicLine::MarkNotes marked = line.GetMarkNotes();
        model.UndoLastEdit();
        EXPECT_EQ(line.mark & ~(quantifierWarningMark | quantifierErrorMark), marked.mark);
        EXPECT_EQ(line.Memo(), memo);
        EXPECT_EQ(line.Urls(), files);
    }
}

// A line takes its marks with it where an edit and its undo take it: a deleted line comes back with them, and a line
// marked after the undo goes with them when the deletion is done again.
TEST_F(LogicEditModelTest, ADeletedLineComesBackWithItsMarks) {
    CLogicEditModel model(document, Origin(), clipboard);
    model.OnAddDoAtCurrent();
    model.TypeCharacter(u'a');
    model.SetCaret(0, 0);
    model.OnAddDoAfter();
    model.CloseUndoGroup();
    ToggleLineMark(model, 0, 0);
    SetLineMarkTexts(model, 0, QStringLiteral("memo"), {QStringLiteral("/tmp/a.txt"), QString(), QString()});
    const CLogicLine::MarkNotes marked = model.Record(0)->GetMarkNotes();
    model.SetCaret(0, 0);
    model.OnDeleteLine();
    model.UndoLastEdit();
    EXPECT_EQ(model.Record(0)->textSlots[0].text, QStringLiteral("a"));
    EXPECT_EQ(model.Record(0)->GetMarkNotes(), marked);
    ToggleLineMark(model, 0, 3);
    model.UndoLastEdit();
    EXPECT_EQ(model.Record(0)->mark, 0u);
    model.UndoLastEdit();
    EXPECT_EQ(model.Record(0)->mark, 9u);
}

} // namespace

// The unit function 1.1 "Unit" holds a blank line, Fn Alpha (1.1.1), Do<aaa>, Do<bbb>, Fn Beta (1.1.2) and Do<ccc>.
// Like the window's tabs, every open logic description is reloaded when the table of contents changes.
class UnitDocument : public CModelShell {
public:
    explicit UnitDocument(int mode) {
        document.SetDefaults();
        document.environment.synchronizeFn = mode;
        const ModelOptions options = document.GetModelOptions();
        CUnitFunction& origin = *document.registry.origin;
        unit = document.registry.CreateFunction(QStringLiteral("Unit"), options);
        CUnitFunction::AppendChild(&origin, unit);
        origin.InsertFnStatement(0, *unit, 0, options);
        for (const QString& name : {QStringLiteral("Alpha"), QStringLiteral("Beta")})
            CUnitFunction::AppendChild(unit, document.registry.CreateFunction(name, options));
        CLogicEditModel scratch(document, origin, clipboard);
        for (const QString& text : QStringList{"", "Fn Alpha", "aaa", "bbb", "Fn Beta", "ccc"}) {
            if (text.startsWith("Fn ")) {
                unit->InsertFnStatement(unit->logicLines.size(), *document.registry.FindByName(text.mid(3)), 0,
                                        options);
                continue;
            }
            auto record = std::make_unique<CLogicLine>();
            scratch.InitLineRecord(*record, text.isEmpty() ? SyntaxPlainLine : SyntaxDo, 0);
            if (!text.isEmpty())
                record->textSlots[0].text = text;
            record->RecountPositions();
            unit->logicLines.push_back(std::move(record));
        }
        document.RebuildAndRefresh(options);
    }

    void RefreshFunctionList() override {
        if (tab)
            tab->ReloadRecords();
    }
    bool PromptFunctionName(QString& name) override {
        name = QStringLiteral("Gamma");
        return true;
    }
    CAbstractIndexItem& Item(const OutlineNumber& number) {
        return *CAbstractIndexItem::FindByOutlineNumber(&document.indexRoot, number, 0);
    }

    CDocumentData document;
    CProcessClipboard clipboard;
    CUnitFunction* unit = nullptr;
    CLogicEditModel* tab = nullptr;

private:
    CModelShellInstaller m_installer{*this};
};

// An undo never puts a recorded line over another one: a change made outside the tab to its lines withdraws its undo,
// and the lines keep what both changes gave them; a reload that leaves them as shown keeps it.
TEST(OutsideChange, ChangesMadeOutsideATabToItsLinesWithdrawItsUndo) {
    const struct {
        const char* name;
        int mode;
        int typedLine;
        std::function<void(UnitDocument&)> change;
        int line;
        QString expected;
        bool kept;
    } cases[] = {
        {"delete Alpha in the table of contents", 1, 2,
         [](UnitDocument& d) {
             CAbstractIndexItem::RemoveFromIndex(d.document, d.Item({1, 1}), d.document.GetModelOptions());
         },
         1, "aaaz", false},
        {"create the child Gamma, always synchronised", 2, 5,
         [](UnitDocument& d) {
             CAbstractIndexItem::CreateChildFunction(d.document, d.Item({1}), d.document.GetModelOptions());
         },
         6, "cccz", false},
        {"replace aa by XX", 1, 2,
         [](UnitDocument& d) {
             for (const auto& record : d.unit->logicLines)
                 record->textSlots[0].text.replace(QStringLiteral("aa"), QStringLiteral("XX"));
             d.RefreshFunctionList();
         },
         2, "XXaz", false},
        {"rename a unit function the tab does not call", 1, 2,
         [](UnitDocument& d) {
             d.document.registry.origin->name = QStringLiteral("Renamed");
             d.document.RebuildAndRefresh(d.document.GetModelOptions());
         },
         2, "aaa", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScriptedMessageSink sink;
        UnitDocument d(c.mode);
        CLogicEditModel model(d.document, *d.unit, d.clipboard);
        d.tab = &model;
        model.SetCaret(c.typedLine, CLogicEditModel::SlotColumn(*model.Record(c.typedLine), 0, 3));
        model.TypeCharacter(u'z');
        model.CloseUndoGroup();

        c.change(d);
        EXPECT_EQ(model.IsUndoAvailable(), c.kept);
        model.UndoLastEdit();
        EXPECT_EQ(model.Record(c.line)->textSlots[0].text, c.expected);
        EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
    }
}

// The tab's own edit of its Fn lines and its undo bring the table of contents along, which reloads the tab: the edit
// keeps its undo and its redo.
TEST(OwnChange, TheTabsOwnEditsKeepUndoAndRedo) {
    platform::ScriptedMessageSink sink;
    UnitDocument d(2);
    CLogicEditModel model(d.document, *d.unit, d.clipboard);
    d.tab = &model;
    model.Select(1, 0, 5, 0);
    model.OnWrapInLoop();
    const QString wrapped = model.PlainText();
    ASSERT_TRUE(model.IsUndoAvailable());
    model.UndoLastEdit();
    EXPECT_NE(model.PlainText(), wrapped);
    EXPECT_TRUE(model.IsUndoAvailable());
    model.UndoLastEdit();
    EXPECT_EQ(model.PlainText(), wrapped);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
}
