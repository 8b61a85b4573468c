#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Origin with 1 P (children A, B) and 2 Q; synchronised in mode 2 with an Fn statement per child.
struct TreeFixture : TestDocument {
    FakeModelShell shell;
    platform::ScriptedMessageSink messages;
    CUnitFunction* p;
    CUnitFunction* a;
    CUnitFunction* b;
    CUnitFunction* q;

    TreeFixture() {
        options.SynchronizeFn = 2;
        p = Add(10, "P", origin());
        a = Add(20, "A", p);
        b = Add(30, "B", p);
        q = Add(40, "Q", origin());
        registry().SynchronizeAllFnLines(options);
        Rebuild();
    }

    bool Move(const OutlineNumber& from, const QString& to) {
        bool moved = true;
        CAbstractIndexItem::MoveToOutlineNumber(data, *Item(from), to, moved, options);
        return moved;
    }
};

} // namespace

TEST(IndexTreeCommands, MovesWithinOneParentCountPositionsBeforeTheOldEntryGoes) {
    struct Case {
        OutlineNumber from;
        const char* to;
        const char* childrenOfP;
        const char* fnLinesOfP;
        const char* childrenOfQ;
    };
    const Case cases[] = {{{1, 1}, "1.2", "A,B", "A@0,B@0", ""},
                          {{1, 1}, "1.3", "B,A", "B@0,A@0", ""},
                          {{1, 2}, "1.1", "B,A", "B@0,A@0", ""},
                          {{1, 2}, "2.1", "A", "A@0", "B"}};
    for (const Case& c : cases) {
        TreeFixture doc;
        EXPECT_TRUE(doc.Move(c.from, c.to)) << c.to;
        EXPECT_EQ(TestDocument::Children(doc.p), c.childrenOfP) << c.to;
        EXPECT_EQ(TestDocument::FnLines(doc.p), c.fnLinesOfP) << c.to;
        EXPECT_EQ(TestDocument::Children(doc.q), c.childrenOfQ) << c.to;
        EXPECT_EQ(TestDocument::FnLines(doc.q), c.childrenOfQ[0] ? QString(c.childrenOfQ) + "@0" : QString()) << c.to;
        EXPECT_EQ(doc.Item(OutlineNumber{1, 1})->unitFunction->name, QString(c.childrenOfP).left(1)) << c.to;
        EXPECT_TRUE(doc.messages.Texts().isEmpty()) << c.to;
    }
    TreeFixture doc;
    doc.Move({1, 2}, "2.1");
    EXPECT_EQ(doc.b->primaryParent, doc.q);
    EXPECT_EQ(doc.shell.modifiedCount, 1);
}

TEST(IndexTreeCommands, MovesThatCannotBeDoneAreRefusedWithTheirMessages) {
    TreeFixture doc;
    const QString notNumber = "入力された文字列はアウトライン番号として解釈できません。";
    const QString notHere = "指定された場所には移動できません。";
    EXPECT_FALSE(doc.Move({1, 1}, "1.4"));
    EXPECT_FALSE(doc.Move({1, 1}, "3.1"));
    EXPECT_FALSE(doc.Move({1, 1}, ""));
    EXPECT_FALSE(doc.Move({1, 1}, "1.0"));
    EXPECT_FALSE(doc.Move({1, 1}, "0"));
    EXPECT_FALSE(doc.Move({1, 1}, "1/1.1"));
    // Into its own subtree, other than right below itself.
    CUnitFunction::AppendChild(doc.a, doc.q);
    doc.Rebuild();
    EXPECT_FALSE(doc.Move({1}, "1.1.1.1"));
    EXPECT_FALSE(doc.Move({}, "3"));
    // "1.0" and "0" are numbers, of places that do not exist.
    EXPECT_EQ(doc.messages.Texts(), (QStringList{notHere, notHere, notNumber, notHere, notHere, notNumber, notHere,
                                                 "起点単位機能は移動できません。"}));
    EXPECT_EQ(TestDocument::Children(doc.p), "A,B");
    EXPECT_EQ(TestDocument::Children(doc.origin()), "P,Q");
    EXPECT_EQ(doc.shell.modifiedCount, 0);

    CAbstractIndexItem::ShowMoveDialog(doc.data, doc.root());
    EXPECT_EQ(doc.messages.Texts().back(), "起点単位機能は移動できません。");

    // Place 0 below itself names no place either: nothing is made to hold it.
    const int count = doc.registry().Count();
    EXPECT_FALSE(doc.Move({1}, "1.0"));
    EXPECT_EQ(doc.messages.Texts().back(), notHere);
    EXPECT_EQ(doc.registry().Count(), count);
}

TEST(IndexTreeCommands, MovingBelowItselfLeavesAnUnnamedHolderInItsPlace) {
    TreeFixture doc;
    EXPECT_TRUE(doc.Move({1, 1}, "1.1.1"));
    ASSERT_EQ(doc.p->children.size(), 2u);
    CUnitFunction* holder = doc.p->children[0];
    EXPECT_TRUE(holder->name.isEmpty());
    EXPECT_EQ(TestDocument::Children(holder), "A");
    EXPECT_EQ(doc.a->GetOutlineNumbers(), (std::vector<OutlineNumber>{{1, 1, 1}}));
    EXPECT_EQ(doc.p->logicLines[0]->calledInternalID, holder->InternalID);
    EXPECT_EQ(TestDocument::FnLines(holder), "A@0");
}

TEST(IndexTreeCommands, CreatesAndAddsFunctionsAtTheItem) {
    TreeFixture doc;
    doc.shell.names = QStringList{"Child", "Elder", "Younger"};
    CAbstractIndexItem::CreateChildFunction(doc.data, *doc.Item({1}), doc.options);
    EXPECT_EQ(TestDocument::Children(doc.p), "A,B,Child");
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0,B@0,Child@0");
    CUnitFunction* child = doc.registry().FindByName("Child");
    EXPECT_EQ(child->primaryParent, doc.p);
    EXPECT_EQ(child->header.uniqueLabel, "U1");
    EXPECT_EQ(doc.shell.openedTabs, std::vector<CUnitFunction*>{child});

    CAbstractIndexItem::CreateElderSiblingFunction(doc.data, *doc.Item({1, 2}), doc.options);
    CAbstractIndexItem::CreateYoungerSiblingFunction(doc.data, *doc.Item({1, 2}), doc.options);
    EXPECT_EQ(TestDocument::Children(doc.p), "A,Elder,Younger,B,Child");

    // A cancelled prompt creates nothing; the root has no siblings.
    const int count = doc.registry().Count();
    CAbstractIndexItem::CreateChildFunction(doc.data, *doc.Item({2}), doc.options);
    CAbstractIndexItem::CreateYoungerSiblingFunction(doc.data, doc.root(), doc.options);
    CAbstractIndexItem::InsertElderSiblingFunction(doc.data, doc.root(), doc.options);
    EXPECT_EQ(doc.registry().Count(), count);
    EXPECT_EQ(doc.messages.Texts(),
              (QStringList{"起点単位機能には兄弟を追加できません。", "起点単位機能には兄弟を追加できません。"}));

    // The active tab's unit function joins as a further place: it becomes common.
    doc.shell.activeFunction = doc.a;
    CAbstractIndexItem::AppendChildFunction(doc.data, *doc.Item({2}), doc.options);
    CAbstractIndexItem::InsertYoungerSiblingFunction(doc.data, *doc.Item({2, 1}), doc.options);
    EXPECT_EQ(TestDocument::Children(doc.q), "A,A");
    EXPECT_EQ(doc.a->occurrenceCount, 3);
    EXPECT_EQ(doc.a->primaryParent, doc.p);
    EXPECT_EQ(doc.Item({2, 2})->GetDisplayText(doc.options), "[[A]]");
}

TEST(IndexTreeCommands, RemoveFromIndexKeepsTheFunctionInTheDocument) {
    TreeFixture doc;
    CAbstractIndexItem::RemoveFromIndex(doc.data, *doc.Item({1, 1}), doc.options);
    EXPECT_EQ(TestDocument::Children(doc.p), "B");
    EXPECT_EQ(TestDocument::FnLines(doc.p), "B@0");
    EXPECT_EQ(doc.registry().FindByInternalID(20), doc.a);
    EXPECT_EQ(doc.a->GetOutlineNumberText(false), "+1");

    CAbstractIndexItem::RemoveFromIndex(doc.data, doc.root(), doc.options);
    EXPECT_EQ(doc.messages.Texts(), QStringList{"起点単位機能は目次から削除できません。"});
}

TEST(IndexTreeCommands, DeleteCompletelyAsksFirst) {
    TreeFixture doc;
    doc.messages.Answer(platform::MessageAnswer::Cancel);
    CAbstractIndexItem::DeleteFunctionCompletely(doc.data, *doc.Item({1, 2}), doc.options);
    EXPECT_EQ(doc.registry().Count(), 5);
    EXPECT_EQ(doc.messages.Texts().front(), "単位機能 \"B\" を完全に削除しようとしています。\n"
                                            "削除された単位機能を回復する方法はありません。\n\n"
                                            "本当に削除してもよろしいですか？");
    EXPECT_EQ(doc.messages.Requests().front().icon, platform::MessageIcon::Question);

    doc.messages.Answer(platform::MessageAnswer::Ok);
    CAbstractIndexItem::DeleteFunctionCompletely(doc.data, *doc.Item({1, 2}), doc.options);
    EXPECT_EQ(doc.registry().Count(), 4);
    EXPECT_EQ(TestDocument::Children(doc.p), "A");
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0");
    EXPECT_EQ(doc.shell.modifiedCount, 1);

    // The origin is refused and the document stays unmodified.
    doc.messages.Answer(platform::MessageAnswer::Ok);
    CAbstractIndexItem::DeleteFunctionCompletely(doc.data, doc.root(), doc.options);
    EXPECT_EQ(doc.messages.Texts().back(), "起点単位機能は削除できません。");
    EXPECT_EQ(doc.shell.modifiedCount, 1);
}

TEST(IndexTreeCommands, MakeReuseSourceMovesThePrimaryPlace) {
    TreeFixture doc;
    doc.options.DistinguishPrimaryOutlineNumber = true;
    doc.shell.activeFunction = doc.a;
    CAbstractIndexItem::AppendChildFunction(doc.data, *doc.Item({2}), doc.options);
    EXPECT_EQ(doc.a->GetOutlineNumberText(true), "1.1");

    CAbstractIndexItem::MakeReuseSource(doc.data, *doc.Item({1, 1}), doc.options);
    CAbstractIndexItem::MakeReuseSource(doc.data, doc.root(), doc.options);
    CAbstractIndexItem::MakeReuseSource(doc.data, *doc.Item({2, 1}), doc.options);
    EXPECT_EQ(doc.a->primaryParent, doc.q);
    EXPECT_EQ(doc.a->GetOutlineNumberText(true), "2.1");
    EXPECT_TRUE(doc.Item({2, 1})->primaryPlace);
    EXPECT_EQ(doc.Item({1, 1})->GetDisplayText(doc.options), "[[A]]");

    // Below a reuse target nothing can become a reuse source.
    CUnitFunction::AppendChild(doc.q, doc.p);
    doc.Rebuild();
    CAbstractIndexItem::MakeReuseSource(doc.data, *doc.Item({2, 2, 2}), doc.options);
    EXPECT_EQ(doc.messages.Texts(),
              (QStringList{"すでに再利用元です。", "起点単位機能は常に再利用元です。",
                           "この目次項目の親が再利用先であるため、この目次項目を再利用元にできません。"}));
}

TEST(IndexTreeCommands, IsolateReplacesOnePlaceWithAnIndependentCopy) {
    TreeFixture doc;
    CUnitFunction::AppendChild(doc.q, doc.a);
    AppendFnLine(doc.q, doc.a);
    AppendLine(doc.a, SyntaxComment)->SetMemo("note");
    doc.a->header.objectData = QByteArray("\x01\x02\x03", 3);
    doc.a->header.objectOriginalSize = 3;
    doc.a->header.contentText = "content";
    doc.a->header.uniqueLabel = "L-A";
    doc.Rebuild();

    CAbstractIndexItem::IsolateFromSharedFunctions(doc.data, *doc.Item({1, 2}), doc.options);
    EXPECT_EQ(doc.messages.Texts(), QStringList{"共通単位機能ではありません。"});
    CAbstractIndexItem::IsolateFromSharedFunctions(doc.data, *doc.Item({2, 1}), doc.options);
    EXPECT_EQ(doc.shell.proposedNames, QStringList{"A"});
    EXPECT_EQ(TestDocument::Children(doc.q), "A");

    doc.shell.names = QStringList{"A2"};
    CAbstractIndexItem::IsolateFromSharedFunctions(doc.data, *doc.Item({2, 1}), doc.options);
    CUnitFunction* copy = doc.registry().FindByName("A2");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(TestDocument::Children(doc.q), "A2");
    EXPECT_EQ(TestDocument::FnLines(doc.q), "A2@0");
    EXPECT_EQ(doc.a->occurrenceCount, 1);
    EXPECT_EQ(copy->header.contentText, "content");
    EXPECT_EQ(copy->header.uniqueLabel, "U1");
    ASSERT_EQ(copy->logicLines.size(), 1u);
    EXPECT_NE(copy->logicLines[0].get(), doc.a->logicLines[0].get());
    EXPECT_EQ(copy->logicLines[0]->Memo(), "note");
    EXPECT_EQ(doc.shell.openedTabs, std::vector<CUnitFunction*>{copy});

    // The copy's embedded objects are its own bytes: they outlive the original.
    EXPECT_NE(copy->header.objectData.constData(), doc.a->header.objectData.constData());
    doc.messages.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(doc.registry().DeleteFunction(doc.a, doc.data, doc.options));
    EXPECT_EQ(copy->header.objectData, QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(copy->header.objectOriginalSize, 3u);
}

TEST(IndexTreeCommands, IsolatingBelowACommonParentAsksFirst) {
    TreeFixture doc;
    CUnitFunction::AppendChild(doc.q, doc.p);
    CUnitFunction::AppendChild(doc.q, doc.a);
    doc.Rebuild();
    doc.shell.names = QStringList{"A2"};
    doc.messages.Answer(platform::MessageAnswer::Cancel);
    CAbstractIndexItem::IsolateFromSharedFunctions(doc.data, *doc.Item({2, 1, 1}), doc.options);
    ASSERT_EQ(doc.messages.Texts().size(), 1);
    EXPECT_EQ(doc.messages.Texts()[0],
              "選択された単位機能 \"A\" の親単位機能 \"P\" は共通単位機能です。\n"
              "単位機能 \"A\" に対して「共通単位機能を個別単位機能に変更」を行ったことによる変更は、親単位機能 \"P\" "
              "のすべての共通単位機能に適用されます。\n\n"
              "この動作が意図に沿わない場合は、親単位機能 \"P\" に対して「共通単位機能を個別単位機能に変更」を行って"
              "ください。");
    EXPECT_EQ(doc.registry().FindByName("A2"), nullptr);
    EXPECT_EQ(TestDocument::Children(doc.p), "A,B");
}
