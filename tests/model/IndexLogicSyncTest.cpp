#include "model/IndexLogicSync.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// P with children A, B (and E when asked) and one Fn statement for each, each line passing indentation 4 on.
struct SyncFixture : TestDocument {
    CUnitFunction* p;
    CUnitFunction* a;
    CUnitFunction* b;
    CUnitFunction* e;
    CUnitFunction* x;

    explicit SyncFixture(int mode, bool withE = false) {
        options.SynchronizeFn = mode;
        p = Add(10, "P", origin());
        a = Add(20, "A", p);
        b = Add(30, "B", p);
        e = Add(40, "E");
        x = Add(50, "X");
        AppendLine(p, SyntaxComment, 0, 0);
        AppendFnLine(p, a)->Next = 4;
        AppendFnLine(p, b, 4);
        if (withE) {
            CUnitFunction::AppendChild(p, e);
            AppendFnLine(p, e, 4);
        }
    }
};

} // namespace

TEST(IndexLogicSync, ModeZeroNeverTouchesTheOtherSide) {
    SyncFixture doc(0);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    CUnitFunction::InsertChild(doc.p, doc.x, 1);
    doc.p->children.erase(doc.p->children.begin());
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0,B@4");

    AppendFnLine(doc.p, doc.e);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::Children(doc.p), "X,B");
}

TEST(IndexLogicSync, AddedChildGetsItsStatementAfterTheNearestEarlierSibling) {
    SyncFixture doc(2);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    CUnitFunction::InsertChild(doc.p, doc.x, 1);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0,X@4,B@4");
    EXPECT_EQ(doc.p->logicLines[2]->textSlots[0].text, "X");

    // A first child of a unit function without Fn statements goes to line 0.
    CIndexLogicSync first(doc.a, doc.registry(), doc.options);
    AppendLine(doc.a, SyntaxDo, 2, 2);
    CUnitFunction::AppendChild(doc.a, doc.e);
    first.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.a), "E@0");
    EXPECT_TRUE(doc.a->logicLines[0]->IsFnStatement());
}

TEST(IndexLogicSync, ModeOneAddsNoStatementButStillRemovesOne) {
    SyncFixture doc(1);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    CUnitFunction::AppendChild(doc.p, doc.x);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0,B@4");

    SyncFixture other(1);
    CIndexLogicSync removal(other.p, other.registry(), other.options);
    other.p->children.erase(other.p->children.begin());
    removal.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(other.p), "B@4");
    EXPECT_EQ(other.p->logicLines.size(), 2u);
}

TEST(IndexLogicSync, RemovedChildLosesOnlyItsOwnStatement) {
    SyncFixture doc(2, true);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    doc.p->children.erase(doc.p->children.begin() + 1);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "A@0,E@4");
}

TEST(IndexLogicSync, ReorderedChildrenRetargetStatementsInPlace) {
    SyncFixture doc(2);
    doc.p->logicLines[1]->SetMemo("kept");
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    std::swap(doc.p->children[0], doc.p->children[1]);
    sync.Synchronize();
    // Each remade line takes the Next of the line before it, and a remade line passes its own column on.
    EXPECT_EQ(TestDocument::FnLines(doc.p), "B@0,A@0");
    EXPECT_EQ(doc.p->logicLines[1]->Memo(), "kept");
    EXPECT_EQ(doc.p->logicLines[2]->calledInternalID, doc.a->InternalID);
}

TEST(IndexLogicSync, LogicEditRewritesTheChildList) {
    SyncFixture doc(2);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    doc.p->logicLines[1]->InitFnStatement(*doc.e, 0, 5);
    AppendFnLine(doc.p, doc.e);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::Children(doc.p), "E,B,E");

    // Mode 1 without duplicate siblings keeps one entry per unit function.
    SyncFixture once(1);
    CIndexLogicSync sync1(once.p, once.registry(), once.options);
    once.p->logicLines[1]->InitFnStatement(*once.e, 0, 5);
    AppendFnLine(once.p, once.e);
    sync1.Synchronize();
    EXPECT_EQ(TestDocument::Children(once.p), "E,B");

    once.options.EnableDuplicateSiblings = true;
    SyncFixture twice(1);
    twice.options.EnableDuplicateSiblings = true;
    CIndexLogicSync sync2(twice.p, twice.registry(), twice.options);
    AppendFnLine(twice.p, twice.a);
    sync2.Synchronize();
    EXPECT_EQ(TestDocument::Children(twice.p), "A,B,A");
}

TEST(IndexLogicSync, SidesInDisagreementCarryOverOnlyTheDifference) {
    // Mode 1 left X without a statement: the sides now disagree.
    SyncFixture doc(1);
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    CUnitFunction::AppendChild(doc.p, doc.x);
    sync.Synchronize();

    // Exchanging A for D in the table of contents retargets every statement calling A.
    AppendFnLine(doc.p, doc.a, 2);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::Children(doc.p), "A,B,X");
    doc.p->children[0] = doc.e;
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "E@0,B@4,E@2");

    // Removing a child deletes the statements calling it.
    doc.p->children.erase(doc.p->children.begin() + 1);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::FnLines(doc.p), "E@0,E@2");

    // A logic edit removes children no longer called and adds new callees in statement order.
    AppendFnLine(doc.p, doc.b);
    AppendFnLine(doc.p, doc.a);
    doc.p->logicLines.erase(doc.p->logicLines.begin() + 1);
    doc.p->logicLines.erase(doc.p->logicLines.begin() + 1);
    sync.Synchronize();
    EXPECT_EQ(TestDocument::Children(doc.p), "X,B,A");
}

namespace {

// P calling and listing a random choice among four unit functions (none of them placed elsewhere), built alike
// from one seed; runs of Fn lines are then added or removed, synchronised after each line or once for all.
struct RandomSteps {
    TestDocument doc;
    CUnitFunction* p = nullptr;
    std::vector<CUnitFunction*> pool;
    std::mt19937 random;

    RandomSteps(unsigned seed, int mode, bool duplicateSiblings) : random(seed) {
        doc.options.SynchronizeFn = mode;
        doc.options.EnableDuplicateSiblings = duplicateSiblings;
        p = doc.Add(10, "P");
        for (int i = 0; i < 4; ++i)
            pool.push_back(doc.Add(static_cast<quint32>(20 + i), QString(QChar('A' + i))));
        // Mostly sides that agree, often with a unit function called twice.
        std::vector<CUnitFunction*> calls;
        for (int i = Pick(6); i > 0; --i)
            calls.push_back(pool[Pick(4)]);
        for (CUnitFunction* called : calls) {
            if (Pick(3) == 0)
                AppendLine(p, SyntaxComment);
            AppendFnLine(p, called);
        }
        p->children = calls;
        if (Pick(2) == 0) {
            p->children.clear();
            for (int i = Pick(6); i > 0; --i)
                p->children.push_back(pool[Pick(4)]);
        }
    }

    size_t Pick(int count) { return static_cast<size_t>(random() % static_cast<unsigned>(count)); }
    size_t Lines() const { return p->logicLines.size(); }

    // A run of Fn and comment lines.
    std::vector<std::unique_ptr<CLogicLine>> Run() {
        std::vector<std::unique_ptr<CLogicLine>> lines;
        for (int i = static_cast<int>(Pick(6)) + 1; i > 0; --i) {
            auto line = std::make_unique<CLogicLine>();
            if (Pick(4) == 0)
                line->lineKind = SyntaxComment;
            else
                line->InitFnStatement(*pool[Pick(4)], 0, 5);
            lines.push_back(std::move(line));
        }
        return lines;
    }

    // Outcome: the children and which of the four have P as their primary parent.
    QString Outcome() const {
        QString outcome = TestDocument::Children(p) + QLatin1Char('|');
        for (const CUnitFunction* function : pool)
            outcome += function->primaryParent == p ? QLatin1Char('P') : QLatin1Char('-');
        return outcome;
    }
};

} // namespace

TEST(IndexLogicSync, OnePassOverARunOfFnLinesGivesWhatSynchronisingEachGives) {
    int steps = 0;
    for (unsigned seed = 0; seed < 800; ++seed) {
        for (const auto& [mode, duplicates] : {std::pair{1, false}, std::pair{1, true}, std::pair{2, false}}) {
            for (bool add : {true, false}) {
                RandomSteps each(seed, mode, duplicates);
                RandomSteps once(seed, mode, duplicates);
                LogicLineArray& eachLines = each.p->logicLines;
                LogicLineArray& onceLines = once.p->logicLines;
                CIndexLogicSync eachSync(each.p, each.doc.registry(), each.doc.options);
                CIndexLogicSync onceSync(once.p, once.doc.registry(), once.doc.options);
                size_t first = 0;
                if (add) {
                    first = each.Pick(static_cast<int>(each.Lines()) + 1);
                    auto run = each.Run();
                    for (size_t i = 0; i < run.size(); ++i) {
                        onceLines.insert(onceLines.begin() + static_cast<long>(first + i),
                                         std::make_unique<CLogicLine>(*run[i]));
                        const bool fn = run[i]->IsFnStatement();
                        eachLines.insert(eachLines.begin() + static_cast<long>(first + i), std::move(run[i]));
                        if (fn) {
                            eachSync.Synchronize();
                            ++steps;
                        }
                    }
                } else {
                    if (each.Lines() == 0)
                        continue;
                    first = each.Pick(static_cast<int>(each.Lines()));
                    const size_t last = first + each.Pick(static_cast<int>(each.Lines() - first));
                    for (size_t i = last + 1; i-- > first;) {
                        const bool fn = eachLines[i]->IsFnStatement();
                        eachLines.erase(eachLines.begin() + static_cast<long>(i));
                        if (fn) {
                            eachSync.Synchronize();
                            ++steps;
                        }
                    }
                    onceLines.erase(onceLines.begin() + static_cast<long>(first),
                                    onceLines.begin() + static_cast<long>(last + 1));
                }
                onceSync.SynchronizeEachStep(first);
                ASSERT_EQ(once.Outcome(), each.Outcome())
                    << "seed " << seed << " mode " << mode << " duplicates " << duplicates << " add " << add;
                // Both synchronisers go on from the same snapshots.
                AppendFnLine(each.p, each.pool[0]);
                AppendFnLine(once.p, once.pool[0]);
                eachSync.Synchronize();
                onceSync.Synchronize();
                ASSERT_EQ(once.Outcome(), each.Outcome()) << "seed " << seed;
            }
        }
    }
    EXPECT_GT(steps, 5000);
}

TEST(IndexLogicSync, DeletedFunctionInASnapshotIsNeverFollowed) {
    SyncFixture doc(1);
    FakeModelShell shell;
    CIndexLogicSync sync(doc.p, doc.registry(), doc.options);
    CUnitFunction::AppendChild(doc.p, doc.x);
    sync.Synchronize();

    CIndexLogicSync pending(doc.p, doc.registry(), doc.options);
    doc.Rebuild();
    ASSERT_TRUE(doc.registry().DeleteFunction(doc.a, doc.data, doc.options));
    pending.Synchronize();
    EXPECT_EQ(TestDocument::Children(doc.p), "B,X");
    EXPECT_EQ(TestDocument::FnLines(doc.p), "B@4");
}

TEST(IndexLogicSync, WholeDocumentConversions) {
    TestDocument doc;
    CUnitFunction* p = doc.Add(10, "P", doc.origin());
    CUnitFunction* a = doc.Add(20, "A", p);
    CUnitFunction* b = doc.Add(30, "B", p);
    AppendLine(p, SyntaxComment);
    AppendFnLine(p, b);
    AppendLine(p, SyntaxFn);
    EXPECT_FALSE(doc.registry().AllFunctionsSatisfy());
    EXPECT_EQ(doc.registry().CountFnStatements(), 1);

    doc.registry().RemoveEmptyFnStatementsAll();
    EXPECT_EQ(p->logicLines.size(), 2u);
    doc.registry().SynchronizeAllFnLines(doc.options);
    EXPECT_EQ(TestDocument::FnLines(p), "A@0,B@0");
    EXPECT_EQ(p->logicLines[2]->lineKind, SyntaxComment);
    EXPECT_EQ(TestDocument::FnLines(doc.origin()), "P@0");
    EXPECT_TRUE(doc.registry().AllFunctionsSatisfy());

    CUnitFunction::AppendChild(p, a);
    EXPECT_TRUE(doc.registry().AnyFunctionHasDuplicateChildren());
    doc.registry().RemoveDuplicateChildrenAll();
    EXPECT_EQ(TestDocument::Children(p), "A,B");

    p->logicLines.erase(p->logicLines.begin());
    doc.registry().ChildrenFromFnStatementsAll();
    EXPECT_EQ(TestDocument::Children(p), "B");
}

TEST(IndexLogicSync, OpenSwitchTextIsTheInnermostUnclosedSwitch) {
    CUnitFunction function;
    EXPECT_EQ(function.GetOpenSwitchText(), "");
    AppendLine(&function, SyntaxEndsw);
    AppendLine(&function, SyntaxSwitch)->textSlots[0].text = "outer";
    AppendLine(&function, SyntaxSwitch)->textSlots[0].text = "inner";
    EXPECT_EQ(function.GetOpenSwitchText(), "inner");
    AppendLine(&function, SyntaxEndsw);
    EXPECT_EQ(function.GetOpenSwitchText(), "outer");
}
