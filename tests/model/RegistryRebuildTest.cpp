#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

TEST(RegistryRebuild, WithoutOriginEveryFunctionGetsASerialNumber) {
    CUnitFunctionRegistry registry;
    CUnitFunction* a = registry.CreateFunctionWithID(5);
    CUnitFunction* b = registry.CreateFunctionWithID(3);
    CUnitFunction::AppendChild(a, b);
    a->header.Work = 4.0f;
    registry.Rebuild(ModelOptions());
    EXPECT_EQ(b->serialNumber, 1u);
    EXPECT_EQ(a->serialNumber, 2u);
    EXPECT_EQ(a->occurrenceCount, 0);
    EXPECT_EQ(b->primaryParent, a);
    EXPECT_EQ(a->header.Total, 0.0f);
    EXPECT_EQ(registry.FindByDisplayedNumber("+2"), a);
}

TEST(RegistryRebuild, NumbersPlacesAndFindsFunctionsByTheirDisplayedNumbers) {
    TestDocument doc;
    CUnitFunction* a = doc.Add(10, "A", doc.origin());
    CUnitFunction* b = doc.Add(20, "B", doc.origin());
    CUnitFunction* shared = doc.Add(30, "S", a);
    CUnitFunction::AppendChild(b, shared);
    CUnitFunction* loose = doc.Add(5, "Loose");
    CUnitFunction* loose2 = doc.Add(40, "Loose2");
    doc.Rebuild();

    EXPECT_EQ(doc.origin()->GetOutlineNumbers(), std::vector<OutlineNumber>{{}});
    EXPECT_EQ(shared->GetOutlineNumbers(), (std::vector<OutlineNumber>{{1, 1}, {2, 1}}));
    EXPECT_EQ(shared->GetPrimaryOutlineNumber(), (OutlineNumber{1, 1}));
    EXPECT_EQ(shared->occurrenceCount, 2);
    EXPECT_EQ(loose->serialNumber, 1u);
    EXPECT_EQ(loose2->serialNumber, 2u);
    EXPECT_EQ(loose->occurrenceCount, 0);
    EXPECT_EQ(loose->primaryParent, nullptr);

    EXPECT_EQ(doc.registry().FindByDisplayedNumber("1.1"), shared);
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("1.1/2.1"), shared);
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("2.1"), nullptr);
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("+1"), loose);
    // The index built once finds what the lookup finds, and nothing it does not.
    const DisplayedNumberIndex index = doc.registry().IndexByDisplayedNumber();
    for (const char* number : {"1.1", "1.1/2.1", "2.1", "+1", "+2", "1", "2", "", "+3"}) {
        const auto found = index.find(QString::fromLatin1(number));
        EXPECT_EQ(found == index.end() ? nullptr : found->second, doc.registry().FindByDisplayedNumber(number))
            << number;
    }

    // Once placed, "+1" names whichever unit function is left without a place.
    CUnitFunction::AppendChild(b, loose);
    doc.Rebuild();
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("+1"), loose2);
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("2.2"), loose);

    // Common unit functions are shown inside double brackets wherever they stand.
    EXPECT_EQ(doc.Item({2, 1})->GetDisplayText(doc.options), "[[S]]");
    EXPECT_EQ(doc.Item({1})->GetDisplayText(doc.options), "A");
    doc.options.DistinguishPrimaryOutlineNumber = true;
    EXPECT_EQ(doc.Item({1, 1})->GetDisplayText(doc.options), "S");
    EXPECT_EQ(doc.Item({2, 1})->GetDisplayText(doc.options), "[[S]]");
}

TEST(RegistryRebuild, FunctionContainingItselfCountsMinusOneAndIsCutInTheTree) {
    TestDocument doc;
    CUnitFunction* a = doc.Add(10, "A", doc.origin());
    CUnitFunction::AppendChild(a, a);
    doc.Add(11, "X", a);
    doc.Rebuild();

    EXPECT_EQ(a->GetOutlineNumbers(), (std::vector<OutlineNumber>{{1}, {1, 1}}));
    EXPECT_EQ(a->occurrenceCount, -1);
    EXPECT_TRUE(a->IsShared());
    EXPECT_EQ(a->GetOutlineNumberText(false), "1/1.1");
    EXPECT_EQ(doc.registry().FindByDisplayedNumber("1/1.1"), a);

    CAbstractIndexItem* self = doc.Item({1, 1});
    ASSERT_NE(self, nullptr);
    EXPECT_TRUE(self->cycleStop);
    EXPECT_TRUE(self->children.empty());
    EXPECT_EQ(self->GetDisplayText(doc.options), "[[A]]");
    EXPECT_EQ(CAbstractIndexItem::CountItems(&doc.root()), 4);

    doc.options.fnKeyword = "Fn";
    AppendFnLine(a, a);
    EXPECT_TRUE(CUnitFunction::FormatFnReferenceLabel(a, a, doc.registry(), doc.options).startsWith("Fn-LOOP"));
}

TEST(RegistryRebuild, ChildListedTwiceUnderOneParent) {
    TestDocument doc;
    CUnitFunction* p = doc.Add(10, "P", doc.origin());
    CUnitFunction* c = doc.Add(20, "C", p);
    CUnitFunction::AppendChild(p, c);
    doc.Rebuild();
    EXPECT_EQ(c->GetOutlineNumbers(), (std::vector<OutlineNumber>{{1, 1}, {1, 2}}));
    EXPECT_EQ(c->GetPrimaryOutlineNumber(), (OutlineNumber{1, 2}));
    EXPECT_EQ(c->occurrenceCount, 2);
    EXPECT_EQ(c->primaryParent, p);
    EXPECT_TRUE(CAbstractIndexItem::IsRepeatedAmongSiblings(doc.root(), *doc.Item({1, 1})));
    EXPECT_FALSE(CAbstractIndexItem::IsRepeatedAmongSiblings(doc.root(), *doc.Item({1})));

    // Both places follow the primary parent, so neither is bracketed when the primary place is told apart.
    doc.options.DistinguishPrimaryOutlineNumber = true;
    EXPECT_EQ(doc.Item({1, 1})->GetDisplayText(doc.options), "C");
    EXPECT_EQ(doc.Item({1, 2})->GetDisplayText(doc.options), "C");
}

TEST(RegistryRebuild, LostPrimaryParentPassesToTheParentWithTheSmallestInternalId) {
    TestDocument doc;
    CUnitFunction* first = doc.Add(900, "First", doc.origin());
    CUnitFunction* high = doc.Add(700, "High", doc.origin());
    CUnitFunction* low = doc.Add(300, "Low", doc.origin());
    CUnitFunction* child = doc.Add(50, "Child", first);
    CUnitFunction::AppendChild(high, child);
    CUnitFunction::AppendChild(low, child);
    doc.Rebuild();
    EXPECT_EQ(child->primaryParent, first);

    first->children.clear();
    doc.Rebuild();
    EXPECT_EQ(child->primaryParent, low);

    // It stays while it is still a parent, even when a parent with a smaller ID turns up.
    CUnitFunction* lower = doc.Add(60, "Lower", doc.origin());
    CUnitFunction::AppendChild(lower, child);
    doc.Rebuild();
    EXPECT_EQ(child->primaryParent, low);
    EXPECT_EQ(child->GetPrimaryOutlineNumber(), (OutlineNumber{3, 1}));
    EXPECT_TRUE(doc.Item({3, 1})->primaryPlace);
    EXPECT_FALSE(doc.Item({2, 1})->primaryPlace);
}

TEST(RegistryRebuild, SumsWorkAmountsOncePerPlace) {
    TestDocument doc;
    CUnitFunction* parent = doc.Add(10, "P", doc.origin());
    CUnitFunction* leaf = doc.Add(20, "L", parent);
    CUnitFunction* other = doc.Add(30, "O", doc.origin());
    CUnitFunction::AppendChild(other, leaf);
    leaf->header.Work = 2.0f;
    parent->header.Work = 3.0f;
    doc.origin()->header.Work = 0.5f;
    doc.Rebuild();
    EXPECT_FLOAT_EQ(leaf->header.Child, 0.0f);
    EXPECT_FLOAT_EQ(leaf->header.Total, 2.0f);
    EXPECT_FLOAT_EQ(parent->header.Child, 2.0f);
    EXPECT_FLOAT_EQ(parent->header.Total, 5.0f);
    EXPECT_FLOAT_EQ(doc.origin()->header.Child, 7.0f);
    EXPECT_FLOAT_EQ(doc.origin()->header.Total, 7.5f);
}

TEST(RegistryRebuild, RequirementsAreInheritedDownAndUpAsConfigured) {
    TestDocument doc;
    CUnitFunction* a = doc.Add(10, "A", doc.origin());
    CUnitFunction* b = doc.Add(20, "B", a);
    CUnitFunction* loose = doc.Add(30, "Loose");
    doc.origin()->header.ownRequirements = {"R0"};
    a->header.ownRequirements = {"RA"};
    b->header.ownRequirements = {"RB"};
    loose->header.ownRequirements = {"RL"};
    doc.Rebuild();
    EXPECT_EQ(b->header.EffectiveRequirements(), (std::set<QString>{"R0", "RA", "RB"}));
    EXPECT_EQ(doc.origin()->header.EffectiveRequirements(), (std::set<QString>{"R0", "RA", "RB"}));
    EXPECT_EQ(loose->header.EffectiveRequirements(), std::set<QString>{"RL"});

    doc.options.InheritRequirementsUp = false;
    doc.Rebuild();
    EXPECT_EQ(a->header.EffectiveRequirements(), (std::set<QString>{"R0", "RA"}));
    doc.options.InheritRequirementsDown = false;
    doc.Rebuild();
    EXPECT_EQ(b->header.EffectiveRequirements(), std::set<QString>{"RB"});
}

namespace {

// Inheritance as a walk that copies the path and the handed sets at every level, to hold the shared form to.
using Requirements = std::map<const CUnitFunction*, std::set<QString>>;

void InheritDown(const CUnitFunction* f, std::set<const CUnitFunction*> path, std::set<QString> inherited,
                 Requirements& result) {
    if (!path.insert(f).second)
        return;
    result[f].insert(inherited.begin(), inherited.end());
    inherited.insert(f->header.ownRequirements.begin(), f->header.ownRequirements.end());
    for (const CUnitFunction* child : f->children)
        InheritDown(child, path, inherited, result);
}

void InheritUp(const CUnitFunction* f, std::set<const CUnitFunction*> path, std::set<QString>& out,
               Requirements& result) {
    if (!path.insert(f).second)
        return;
    std::set<QString> below;
    for (const CUnitFunction* child : f->children)
        InheritUp(child, path, below, result);
    result[f].insert(below.begin(), below.end());
    out.insert(f->header.ownRequirements.begin(), f->header.ownRequirements.end());
    out.insert(below.begin(), below.end());
}

} // namespace

TEST(RegistryRebuild, SharedInheritanceGivesTheSetsOfAPerPathWalk) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        TestDocument doc;
        std::vector<CUnitFunction*> functions{doc.origin()};
        for (quint32 id = 10; id < 20; ++id)
            functions.push_back(doc.Add(id, QStringLiteral("F%1").arg(id)));
        // Links between any two, so shared unit functions, cycles and unreachable ones all occur.
        for (int link = 0; link < 16; ++link)
            CUnitFunction::AppendChild(functions[random() % functions.size()], functions[random() % functions.size()]);
        for (CUnitFunction* f : functions) {
            if (random() % 3)
                f->header.ownRequirements = {QStringLiteral("R%1").arg(f->InternalID), QStringLiteral("common")};
        }
        doc.options.InheritRequirementsDown = round % 4 != 1;
        doc.options.InheritRequirementsUp = round % 4 != 2;
        doc.Rebuild();

        Requirements expected;
        for (const CUnitFunction* f : functions)
            expected[f] = f->header.ownRequirements;
        if (doc.options.InheritRequirementsDown)
            InheritDown(doc.origin(), {}, {}, expected);
        std::set<QString> out;
        if (doc.options.InheritRequirementsUp)
            InheritUp(doc.origin(), {}, out, expected);
        for (const CUnitFunction* f : functions)
            EXPECT_EQ(f->header.EffectiveRequirements(), expected[f]) << "round " << round << ", " << f->InternalID;
    }
}

TEST(RegistryRebuild, DeletedFunctionLeavesNoChildEntryFnLineOrItem) {
    TestDocument doc;
    FakeModelShell shell;
    CUnitFunction* a = doc.Add(10, "A", doc.origin());
    CUnitFunction* d = doc.Add(20, "D", a);
    CUnitFunction* b = doc.Add(30, "B", doc.origin());
    CUnitFunction::AppendChild(b, d);
    d->primaryParent = b;
    AppendFnLine(a, d);
    AppendFnLine(b, d);
    AppendFnLine(b, d);
    AppendFnLine(doc.origin(), a);
    d->header.uniqueLabel = "L-7";
    doc.Rebuild();
    EXPECT_EQ(d->fnCallerCount, 3);

    ASSERT_TRUE(doc.registry().DeleteFunction(d, doc.data, doc.options));
    EXPECT_EQ(doc.registry().FindByInternalID(20), nullptr);
    EXPECT_TRUE(a->children.empty());
    EXPECT_TRUE(b->children.empty());
    EXPECT_TRUE(a->logicLines.empty());
    EXPECT_TRUE(b->logicLines.empty());
    EXPECT_EQ(doc.registry().CountFnStatements(), 1);
    EXPECT_EQ(a->fnCallerCount, 1);
    EXPECT_TRUE(doc.data.deletedUniqueLabels.contains("L-7"));
    EXPECT_EQ(shell.closedTabs, std::vector<CUnitFunction*>{d});
    std::vector<CAbstractIndexItem*> items;
    CAbstractIndexItem::CollectSubtree(&doc.root(), items);
    EXPECT_EQ(items.size(), 3u);

    // The origin stays.
    platform::ScriptedMessageSink sink;
    EXPECT_FALSE(doc.registry().DeleteFunction(doc.origin(), doc.data, doc.options));
    EXPECT_EQ(sink.Texts(), QStringList{"起点単位機能は削除できません。"});
    EXPECT_EQ(doc.registry().Count(), 3);
}

TEST(RegistryRebuild, TreeRebuildKeepsTheViewStateOfItemsThatStay) {
    TestDocument doc;
    CUnitFunction* a = doc.Add(10, "A", doc.origin());
    doc.Add(20, "B", doc.origin());
    doc.Add(30, "C", a);
    doc.Rebuild();
    doc.Item({1})->treeExpanded = 0;
    doc.Item({1})->treeItem = &doc;

    // A new first child shifts A to 2 without losing its state.
    CUnitFunction* n = doc.Add(40, "N");
    CUnitFunction::InsertChild(doc.origin(), n, 0);
    doc.Rebuild();
    CAbstractIndexItem* moved = doc.Item({2});
    EXPECT_EQ(moved->unitFunction, a);
    EXPECT_EQ(moved->treeExpanded, 0);
    EXPECT_EQ(moved->treeItem, &doc);
    EXPECT_EQ(doc.Item({2, 1})->GetOutlineNumber(), (OutlineNumber{2, 1}));
    EXPECT_EQ(doc.Item({1})->treeExpanded, 1);
    EXPECT_EQ(doc.Item({4}), nullptr);
    EXPECT_EQ(doc.Item({0}), nullptr);
    EXPECT_EQ(CAbstractIndexItem::FindByOutlineNumber(&doc.root(), {2, 1}, 3), nullptr);
    EXPECT_EQ(CAbstractIndexItem::FindByOutlineNumber(&doc.root(), {}, 0), &doc.root());
}

TEST(RegistryRebuild, ClearedDocumentStartsItsTreeAfresh) {
    TestDocument doc;
    doc.Add(10, "A", doc.origin());
    doc.Rebuild();
    doc.Item({1})->treeExpanded = 0;

    doc.data.ClearFunctions();
    EXPECT_EQ(doc.registry().Count(), 0);
    EXPECT_EQ(doc.root().unitFunction, nullptr);
    EXPECT_TRUE(doc.root().children.empty());

    doc.data.registry.origin = doc.registry().CreateFunctionWithID(1);
    CUnitFunction* b = doc.Add(2, "B", doc.origin());
    doc.Rebuild();
    EXPECT_EQ(doc.root().unitFunction, doc.origin());
    EXPECT_EQ(doc.Item({1})->unitFunction, b);
    EXPECT_EQ(doc.Item({1})->treeExpanded, 1);
}
