#include "editor/LogicEditModel.h"
#include "editor/LogicLineBlock.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"
#include "support/logic/BareLogicDocumentFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class LogicLinePasteTest : public BareLogicDocumentFixture {
protected:
    CUnitFunction& NewFunction(const QString& name) {
        return *document.registry.CreateFunction(name, document.GetModelOptions());
    }
    static void Type(CLogicEditModel& model, const QString& text) {
        for (QChar c : text)
            model.TypeCharacter(c);
    }
    // Each line's text with its indentation, one a line.
    static QStringList Lines(const CLogicEditModel& model) {
        QStringList lines;
        for (int i = 0; i < model.RecordCount(); ++i)
            lines << model.LineText(i);
        return lines;
    }

    CProcessClipboard clipboard;
};

// Copies every line of a description built by the callback and gives the lines' texts.
template <typename Build> QStringList CopyAll(CLogicEditModel& model, Build build) {
    build(model);
    model.Select(0, 0, model.RecordCount(), 0);
    model.OnEditCopy();
    QStringList lines;
    for (int i = 0; i < model.RecordCount(); ++i)
        lines << model.LineText(i);
    return lines;
}

TEST_F(LogicLinePasteTest, PastedLinesKeepTheirOrderAndIndentationWhereverTheyGo) {
    CLogicEditModel source(document, NewFunction(QStringLiteral("source")), clipboard);
    const QStringList simple = CopyAll(source, [](CLogicEditModel& model) {
        model.OnAddDoAtCurrent();
        Type(model, QStringLiteral("A"));
        model.SetCaret(model.RecordCount(), 0);
        model.OnAddDoAtCurrent();
        Type(model, QStringLiteral("B"));
        model.SetCaret(model.RecordCount(), 0);
        model.OnAddCommentAtCurrent();
        Type(model, QStringLiteral("C"));
    });
    ASSERT_EQ(simple.size(), 3);

    CLogicEditModel empty(document, NewFunction(QStringLiteral("empty")), clipboard);
    empty.OnEditPasteLines();
    EXPECT_EQ(Lines(empty), simple);
    EXPECT_EQ(empty.SelectionStart(), (EditPosition{0, 0}));
    EXPECT_EQ(empty.SelectionEnd(), (EditPosition{3, 0}));

    // After the first, a middle and the last of three lines.
    for (int caret : {0, 1, 2}) {
        SCOPED_TRACE(caret);
        CLogicEditModel target(document, NewFunction(QStringLiteral("target%1").arg(caret)), clipboard);
        QStringList expected;
        for (int i = 0; i < 3; ++i) {
            target.SetCaret(target.RecordCount(), 0);
            target.OnAddDoAtCurrent();
            Type(target, QStringLiteral("x%1").arg(i));
            expected << target.LineText(i);
        }
        for (int i = 0; i < 3; ++i)
            expected.insert(caret + 1 + i, simple[i]);
        target.SetCaret(caret, 0);
        target.OnEditPasteLines();
        EXPECT_EQ(Lines(target), expected);
    }

    // An if block with a statement in it, and a loop with one: the grammar holds only in the copied order.
    CLogicEditModel blocks(document, NewFunction(QStringLiteral("blocks")), clipboard);
    const QStringList nested = CopyAll(blocks, [](CLogicEditModel& model) {
        model.OnAddIfAtCurrent();
        Type(model, QStringLiteral("m"));
        model.SetCaret(0, 0);
        model.OnAddDoAfter();
        Type(model, QStringLiteral("inner"));
        model.SetCaret(model.RecordCount(), 0);
        model.OnAddLoopAtCurrent();
        model.SetCaret(model.RecordCount() - 2, 0);
        model.OnAddDoAfter();
        Type(model, QStringLiteral("looped"));
    });
    ASSERT_GE(nested.size(), 7);
    ASSERT_TRUE(nested[1].startsWith(QStringLiteral("    "))) << nested.join('\n').toStdString();
    CLogicEditModel emptyForBlocks(document, NewFunction(QStringLiteral("empty2")), clipboard);
    emptyForBlocks.OnEditPasteLines();
    EXPECT_EQ(Lines(emptyForBlocks), nested);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('\n').toStdString();
}

// Undo gives back the very records a command took away or put aside: the same objects, every field as it was.
TEST_F(LogicLinePasteTest, UndoOfAPasteADeletionAndARefusedPasteGivesBackTheVeryRecords) {
    CUnitFunction& function = NewFunction(QStringLiteral("marked"));
    CLogicEditModel model(document, function, clipboard);
    // Do lines with marks, memos, linked files and their own fonts, and an if block between them.
    for (int i = 0; i < 40; ++i) {
        model.SetCaret(model.RecordCount(), 0);
        if (i == 20) {
            model.OnAddIfAtCurrent();
            continue;
        }
        model.OnAddDoAtCurrent();
        Type(model, QStringLiteral("m%1").arg(i));
    }
    ASSERT_EQ(model.RecordCount(), 42);
    for (int i = 0; i < model.RecordCount(); ++i) {
        CLogicLine& record = *model.Record(i);
        record.mark = static_cast<quint32>(i * 7 + 1);
        record.changeMarks = static_cast<quint8>(i % 3);
        record.SetMemo(QStringLiteral("memo %1").arg(i));
        record.SetUrl(i % CLogicLine::UrlCount, QStringLiteral("file%1.txt").arg(i));
        FontSetting font = document.fonts.LogicFont;
        font.bold = i % 2;
        record.textSlots[0].SetFont(font);
    }
    model.ReloadRecords();
    model.CloseUndoGroup();
    std::vector<CLogicLine*> objects;
    std::vector<CLogicLine> values;
    for (int i = 0; i < model.RecordCount(); ++i) {
        objects.push_back(model.Record(i));
        values.push_back(*model.Record(i));
    }
    const auto expectTheVeryRecords = [&](const char* where) {
        ASSERT_EQ(model.RecordCount(), static_cast<int>(objects.size())) << where;
        for (int i = 0; i < model.RecordCount(); ++i) {
            EXPECT_EQ(model.Record(i), objects[static_cast<size_t>(i)]) << where << ", line " << i;
            EXPECT_EQ(*model.Record(i), values[static_cast<size_t>(i)]) << where << ", line " << i;
        }
    };

    // Paste lines 10..29 after line 5: undo takes the pasted lines out; undo again puts the same ones back.
    model.Select(10, 0, 30, 0);
    model.OnEditCopy();
    model.SetCaret(5, 0);
    model.OnEditPasteLines();
    ASSERT_EQ(model.RecordCount(), 62);
    std::vector<CLogicLine*> pasted;
    for (int i = 6; i < 26; ++i)
        pasted.push_back(model.Record(i));
    model.UndoLastEdit();
    expectTheVeryRecords("paste undone");
    model.UndoLastEdit();
    for (int i = 6; i < 26; ++i)
        EXPECT_EQ(model.Record(i), pasted[static_cast<size_t>(i - 6)]);
    model.UndoLastEdit();
    expectTheVeryRecords("paste undone twice");

    // Delete lines 3..30, the if block among them: undo puts back the very records.
    model.Select(3, 0, 31, 0);
    model.OnDeleteSelection();
    ASSERT_EQ(model.RecordCount(), 14);
    model.UndoLastEdit();
    expectTheVeryRecords("deletion undone");

    // A block of Do lines and ifs without their endif is refused when pasted: the records stay as they were, and
    // an undo then finds nothing to take back.
    model.Select(19, 0, 21, 0);
    model.OnEditCopy();
    const std::optional<std::vector<CLogicLine>> block = LogicLineBlock::Decode(clipboard.LineBlock());
    ASSERT_TRUE(block && block->size() == 4u && (*block)[1].lineKind == SyntaxIf);
    std::vector<const CLogicLine*> unclosed;
    for (int i = 0; i < 30; ++i)
        unclosed.push_back(&(*block)[static_cast<size_t>(i % 2)]);
    clipboard.SetContent(QString(), LogicLineBlock::Encode(unclosed));
    model.SetCaret(2, 0);
    model.OnEditPasteLines();
    expectTheVeryRecords("refused paste");
    model.UndoLastEdit();
    expectTheVeryRecords("undo after the refused paste");
}

// Pasted if and case lines take their auxiliary verbs' IDs and tenses from the receiving document's table, whatever
// the document they were copied from said.
TEST_F(LogicLinePasteTest, PastedConditionsTakeTheAuxiliaryVerbsOfTheReceivingDocument) {
    ASSERT_GE(document.AuxiliaryVerbs.size(), 5u);
    const QString past = document.AuxiliaryVerbs[0].verb;
    const QString present = document.AuxiliaryVerbs[4].verb;
    CLogicEditModel source(document, NewFunction(QStringLiteral("source")), clipboard);
    source.OnAddIfAtCurrent();
    source.SetCaret(source.RecordCount(), 0);
    source.OnAddSwitchAtCurrent();
    CLogicLine& ifLine = *source.Record(0);
    ifLine.textSlots[3].text = past;
    ifLine.auxiliaryVerbId = document.AuxiliaryVerbs[0].id;
    ifLine.auxiliaryVerbFlag = 1;
    ifLine.RecountPositions();
    CLogicLine& caseLine = *source.Record(4);
    ASSERT_EQ(caseLine.lineKind, SyntaxCase);
    caseLine.textSlots[1].text = present;
    caseLine.RecountPositions();
    source.ReloadRecords();
    source.Select(0, 0, source.RecordCount(), 0);
    source.OnEditCopy();

    // The receiving document knows the first verb under another ID and without a tense change, the last one with.
    CDocumentData other;
    other.SetDefaults();
    other.AuxiliaryVerbs = {{7, present, 1}, {9, past, 0}};
    CLogicEditModel target(other, *other.registry.origin, clipboard);
    target.OnEditPasteLines();
    ASSERT_EQ(target.RecordCount(), source.RecordCount());
    EXPECT_EQ(target.Record(0)->auxiliaryVerbId, 9);
    EXPECT_EQ(target.Record(0)->auxiliaryVerbFlag, 0);
    EXPECT_EQ(target.Record(4)->auxiliaryVerbId, 7);
    EXPECT_EQ(target.Record(4)->auxiliaryVerbFlag, 1);

    // A verb the receiving document does not know leaves none.
    other.AuxiliaryVerbs.clear();
    target.SetCaret(target.RecordCount() - 1, 0);
    target.OnEditPasteLines();
    EXPECT_EQ(target.Record(target.RecordCount() - source.RecordCount())->auxiliaryVerbId, 0);
    EXPECT_EQ(target.Record(target.RecordCount() - source.RecordCount())->auxiliaryVerbFlag, 0);
}

// The table of contents after a command that adds or removes several Fn lines is the one it would be had each of
// them been added or removed by a command of its own.
class FnLineBatchTest : public ::testing::Test {
public:
    struct Setting {
        int mode;
        bool duplicateSiblings;
        bool sidesApart; // the origin has a child that no Fn line calls
    };

protected:
    // The origin calls A, B and C after a Do line; A calls B, so B stands at two places, and C is called by the
    // origin alone. An empty unit function E stands under the origin too.
    std::unique_ptr<CDocumentData> MakeDocument(const Setting& setting) {
        platform::SeedRandom(20);
        auto document = std::make_unique<CDocumentData>();
        document->SetDefaults();
        document->environment.synchronizeFn = setting.mode;
        document->environment.enableDuplicateSiblings = setting.duplicateSiblings ? 1 : 0;
        const ModelOptions options = document->GetModelOptions();
        CUnitFunction& origin = *document->registry.origin;
        {
            CProcessClipboard scratch;
            CLogicEditModel model(*document, origin, scratch);
            model.OnAddDoAtCurrent();
            for (QChar c : QStringLiteral("x"))
                model.TypeCharacter(c);
        }
        auto make = [&](const QString& name) { return document->registry.CreateFunction(name, options); };
        CUnitFunction* a = make(QStringLiteral("A"));
        CUnitFunction* b = make(QStringLiteral("B"));
        CUnitFunction* c = make(QStringLiteral("C"));
        CUnitFunction* e = make(QStringLiteral("E"));
        for (CUnitFunction* called : {a, b, c}) {
            CUnitFunction::AppendChild(&origin, called);
            origin.InsertFnStatement(static_cast<int>(origin.logicLines.size()), *called, 0, options);
        }
        CUnitFunction::AppendChild(a, b);
        a->InsertFnStatement(0, *b, 0, options);
        CUnitFunction::AppendChild(&origin, e);
        if (!setting.sidesApart) {
            // E gets an Fn line of its own at the end, so that the origin's sides agree.
            origin.InsertFnStatement(static_cast<int>(origin.logicLines.size()), *e, 0, options);
        }
        document->RebuildAndRefresh(options);
        return document;
    }

    // A line block of Fn lines naming the unit functions.
    static QByteArray FnBlock(const QStringList& names, const CLogicEditModel& model) {
        std::vector<CLogicLine> lines(static_cast<size_t>(names.size()));
        std::vector<const CLogicLine*> pointers;
        for (int i = 0; i < names.size(); ++i) {
            CLogicLine& line = lines[static_cast<size_t>(i)];
            model.InitLineRecord(line, SyntaxFn, 0);
            line.textSlots[0].text = names[i];
            pointers.push_back(&line);
        }
        return LogicLineBlock::Encode(pointers);
    }

    // Everything the registry and the table of contents derive, and every unit function's lines.
    static QString Dump(CDocumentData& document) {
        QString dump;
        CProcessClipboard scratch;
        for (auto& [id, function] : document.registry.Functions()) {
            QStringList children;
            for (const CUnitFunction* child : function.children)
                children << QString::number(child->InternalID);
            CLogicEditModel model(document, function, scratch);
            dump += QStringLiteral("%1 %2 parent %3 children [%4] %5 serial %6 occurrences %7 callers %8\n%9\n")
                        .arg(id)
                        .arg(function.name)
                        .arg(function.primaryParent ? function.primaryParent->InternalID : 0)
                        .arg(children.join(' '))
                        .arg(function.GetOutlineNumberText(false))
                        .arg(function.serialNumber)
                        .arg(function.occurrenceCount)
                        .arg(function.fnCallerCount)
                        .arg(model.PlainText());
        }
        return dump;
    }

    static CUnitFunction& Named(CDocumentData& document, const QString& name) {
        return *document.registry.FindByName(name);
    }

    platform::ScriptedMessageSink sink;
};

const FnLineBatchTest::Setting kSettings[] = {
    {1, false, false}, {1, false, true}, {1, true, false}, {2, false, false}, {2, false, true}, {0, false, false},
};

TEST_F(FnLineBatchTest, PastingSeveralFnLinesEqualsPastingThemOneByOne) {
    const QStringList blocks[] = {
        {QStringLiteral("New1"), QStringLiteral("A"), QStringLiteral("New1"), QStringLiteral("New2"),
         QStringLiteral("C")},
        {QStringLiteral("New3"), QStringLiteral("New4")},
    };
    for (const Setting& setting : kSettings) {
        for (const QStringList& names : blocks) {
            // After the origin's Fn A line, and into the empty E.
            for (const QString& target : {QString(), QStringLiteral("E")}) {
                SCOPED_TRACE(QStringLiteral("mode %1 duplicates %2 apart %3 block %4 into %5")
                                 .arg(setting.mode)
                                 .arg(setting.duplicateSiblings)
                                 .arg(setting.sidesApart)
                                 .arg(names.join(' '))
                                 .arg(target)
                                 .toStdString());
                const int caret = target.isEmpty() ? 1 : 0;
                auto batch = MakeDocument(setting);
                CProcessClipboard clipboard;
                {
                    CUnitFunction& function = target.isEmpty() ? *batch->registry.origin : Named(*batch, target);
                    CLogicEditModel model(*batch, function, clipboard);
                    const int before = model.RecordCount();
                    clipboard.SetContent(QString(), FnBlock(names, model));
                    model.SetCaret(caret, 0);
                    model.OnEditPasteLines();
                    EXPECT_EQ(model.RecordCount(), before + names.size());
                }
                auto stepwise = MakeDocument(setting);
                {
                    CUnitFunction& function = target.isEmpty() ? *stepwise->registry.origin : Named(*stepwise, target);
                    CLogicEditModel model(*stepwise, function, clipboard);
                    for (int i = 0; i < names.size(); ++i) {
                        clipboard.SetContent(QString(), FnBlock({names[i]}, model));
                        model.SetCaret(target.isEmpty() ? caret + i : std::max(0, i - 1), 0);
                        model.OnEditPasteLines();
                    }
                }
                EXPECT_EQ(Dump(*batch), Dump(*stepwise));
            }
        }
    }
}

TEST_F(FnLineBatchTest, DeletingSeveralFnLinesEqualsDeletingThemOneByOne) {
    for (const Setting& setting : kSettings) {
        SCOPED_TRACE(QStringLiteral("mode %1 duplicates %2 apart %3")
                         .arg(setting.mode)
                         .arg(setting.duplicateSiblings)
                         .arg(setting.sidesApart)
                         .toStdString());
        // The Do line and the Fn lines of A, B and C: C loses its only caller, B keeps A's.
        auto batch = MakeDocument(setting);
        CProcessClipboard clipboard;
        {
            CLogicEditModel model(*batch, *batch->registry.origin, clipboard);
            model.Select(0, 0, 4, 0);
            model.OnDeleteSelection();
            EXPECT_EQ(model.RecordCount(), setting.sidesApart ? 0 : 1);
        }
        if (setting.mode != 0) {
            EXPECT_EQ(Named(*batch, QStringLiteral("C")).GetOutlineNumberText(false).left(1), QStringLiteral("+"));
        }
        auto stepwise = MakeDocument(setting);
        {
            CLogicEditModel model(*stepwise, *stepwise->registry.origin, clipboard);
            for (int line = 3; line >= 0; --line) {
                model.SetCaret(line, 0);
                model.OnDeleteLine();
            }
        }
        EXPECT_EQ(Dump(*batch), Dump(*stepwise));
    }

    // Sides apart that come to agree half-way: the origin calls A, C, B and A, and lists A twice and B.
    for (bool batchRun : {true, false}) {
        auto document = MakeDocument({2, true, true});
        CUnitFunction& origin = *document->registry.origin;
        const ModelOptions options = document->GetModelOptions();
        CUnitFunction& a = Named(*document, QStringLiteral("A"));
        origin.logicLines.erase(origin.logicLines.begin() + 1, origin.logicLines.end());
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")})
            origin.InsertFnStatement(static_cast<int>(origin.logicLines.size()), Named(*document, name), 0, options);
        origin.children = {&a, &a, &Named(*document, QStringLiteral("B"))};
        document->RebuildAndRefresh(options);
        CProcessClipboard clipboard;
        CLogicEditModel model(*document, origin, clipboard);
        if (batchRun) {
            model.Select(1, 0, 4, 0);
            model.OnDeleteSelection();
        } else {
            for (int line = 3; line >= 1; --line) {
                model.SetCaret(line, 0);
                model.OnDeleteLine();
            }
        }
        EXPECT_EQ(origin.children, UnitFunctionList{&a}) << batchRun;
    }
}

} // namespace

namespace {

// Lines of a block: Fn lines by name ("Fn Name"), Do lines by member.
QByteArray LineBlock(const CLogicEditModel& model, const QStringList& lines) {
    std::vector<CLogicLine> records(static_cast<size_t>(lines.size()));
    std::vector<const CLogicLine*> pointers;
    for (int i = 0; i < lines.size(); ++i) {
        CLogicLine& record = records[static_cast<size_t>(i)];
        const bool fn = lines[i].startsWith(QStringLiteral("Fn "));
        model.InitLineRecord(record, fn ? SyntaxFn : SyntaxDo, 0);
        record.textSlots[0].text = fn ? lines[i].mid(3) : lines[i];
        record.RecountPositions();
        pointers.push_back(&record);
    }
    return LogicLineBlock::Encode(pointers);
}

} // namespace

// Lines a switch cannot take right after its head are refused before anything is made of them; after its end they
// are taken.
TEST_F(LogicLinePasteTest, ARefusedPasteLeavesTheDocumentAsItWas) {
    CUnitFunction& switched = NewFunction(QStringLiteral("Switched"));
    CUnitFunction::AppendChild(document.registry.origin, &switched);
    document.registry.origin->InsertFnStatement(0, switched, 0, document.GetModelOptions());
    NewFunction(QStringLiteral("Known"));
    document.RebuildAndRefresh(document.GetModelOptions());
    CLogicEditModel model(document, switched, clipboard);
    model.OnAddSwitchAtCurrent();
    Type(model, QStringLiteral("m"));
    model.CloseUndoGroup();
    clipboard.SetContent(QString(), LineBlock(model, {"unregistered", "Fn Soak rice (浸水)", "Fn Known"}));
    // What a paste may make: unit functions, places in the table of contents, remembered names.
    const auto state = [&] {
        return std::tuple(document.registry.Functions().size(), switched.children.size(),
                          document.registry.FindByName(QStringLiteral("Known"))->places.size(),
                          document.RecentNames.size(), document.RecentNamePairs.size());
    };
    const auto before = state();
    const QString text = model.PlainText();
    model.SetCaret(0, 0);
    model.OnEditPasteLines();
    EXPECT_EQ(model.PlainText(), text);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(model.Caret(), (EditPosition{0, 0}));

    model.SetCaret(model.RecordCount() - 1, 0);
    model.OnEditPasteLines();
    EXPECT_NE(document.registry.FindByName(QStringLiteral("Soak rice (浸水)")), nullptr);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
}

// An Fn line copied in this document calls the unit function it called there, under the name it had: one renamed since
// takes that name back, and of two with one name the one it called stays called. A line from another document is
// bound by its name alone, since its ID may be another unit function's here.
TEST_F(LogicLinePasteTest, PastedFnLinesCallWhatTheyCalledInTheirOwnDocument) {
    CLogicEditModel caller(document, NewFunction(QStringLiteral("Caller")), clipboard);
    // Copies a new Fn line of `name`, typed or calling `called`; gives the ID it calls.
    const auto copy = [&](CLogicEditModel& model, const QString& name, const CUnitFunction* called = nullptr) {
        model.SetCaret(model.RecordCount(), 0);
        model.OnAddFnAtCurrent();
        const int line = model.RecordCount() - 1;
        if (called) {
            model.Record(line)->calledInternalID = called->InternalID;
            model.Record(line)->textSlots[0].text = name;
            model.ReloadRecords();
        } else {
            Type(model, name);
            model.CommitLineEdits(false);
        }
        model.Select(line, 0, line + 1, 0);
        model.OnEditCopy();
        return model.Record(line)->calledInternalID;
    };
    const auto pasted = [&] {
        caller.SetCaret(caller.RecordCount() - 1, 0);
        caller.OnEditPasteLines();
        return caller.Record(caller.RecordCount() - 1)->calledInternalID;
    };

    const quint32 beta = copy(caller, QStringLiteral("Beta"));
    document.registry.FindByInternalID(beta)->name = QStringLiteral("Epsilon");
    document.RebuildAndRefresh(document.GetModelOptions());
    EXPECT_EQ(pasted(), beta);
    EXPECT_EQ(document.registry.FindByInternalID(beta)->name, QStringLiteral("Beta"));

    CUnitFunction& first = NewFunction(QStringLiteral("Twin"));
    CUnitFunction& second = NewFunction(QStringLiteral("Twin"));
    const CUnitFunction& other = document.registry.FindByName(QStringLiteral("Twin")) == &first ? second : first;
    copy(caller, QStringLiteral("Twin"), &other);
    EXPECT_EQ(pasted(), other.InternalID);

    // Another document's Omega has the ID of this document's Zeta.
    CDocumentData source;
    source.SetDefaults();
    CLogicEditModel sourceModel(source, *source.registry.origin, clipboard);
    CUnitFunction* zeta = document.registry.CreateFunctionWithID(copy(sourceModel, QStringLiteral("Omega")));
    ASSERT_NE(zeta, nullptr);
    zeta->name = QStringLiteral("Zeta");
    document.RebuildAndRefresh(document.GetModelOptions());
    const quint32 omega = pasted();
    EXPECT_NE(omega, zeta->InternalID);
    EXPECT_EQ(document.registry.FindByInternalID(omega)->name, QStringLiteral("Omega"));
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
}
