#include "generators/DecisionTableMaker.h"
#include "generators/DecisionTableRawTable.h"
#include "generators/GeneratorTestSupport.h"
#include "generators/TestSpecificationDraft.h"
#include "logic/InspectionProgress.h"
#include "model/LogicNesting.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <map>
#include <random>

#include <gtest/gtest.h>

namespace {

class DecisionTableTest : public GeneratorOutputTest, public ::testing::Test {
protected:
    // Runs the maker over the whole document into NAME.csv; true when written.
    bool Make(const CDocumentData& data, const QString& name, DecisionTableRequest request = {},
              const CUnitFunction* current = nullptr) {
        request.fileName = Path(name);
        return RunDecisionTableMaker(data, current, request);
    }
};

const QString kIfElse = QStringLiteral("if <A>が{a}\nDo <X>を{x}せよ\nelse\nDo <Y>を{y}せよ\nendif\nDo <Z>を{z}せよ\n"
                                       "Do <W>を{w}せよ");

TEST_F(DecisionTableTest, IfElseWithTrailingDoGivesOneBlockPerMemberAndFormerActions) {
    GeneratorTestDocument document({{"Origin", kIfElse}});
    ASSERT_TRUE(Make(document.data, "ifelse"));
    // X under A, Y under ¬A, Z unconditioned; W has Z's former action in brackets.
    ExpectSameAsGolden(Path("ifelse.csv"), "dtable-ifelse.csv");
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("決定表をエクスポートしました。")));
}

// What CP932 cannot hold is written as "?", and the export's message says how many characters were.
TEST_F(DecisionTableTest, CharactersTheCodePageCannotHoldAreCountedInTheMessage) {
    GeneratorTestDocument document({{"Origin", "if <Größe>が{a}\nDo <X>を{x}せよ\nelse\nDo <Y>を{y}せよ\nendif"}});
    ASSERT_TRUE(Make(document.data, "umlaut"));
    EXPECT_TRUE(ReadFileBytes(Path("umlaut.csv")).contains("Gr??e"));
    const QString message = messages.Texts().last();
    EXPECT_TRUE(message.contains(QStringLiteral("決定表をエクスポートしました。\n"))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral(" character(s) that CP932 cannot hold were replaced by \"?\".")))
        << message.toStdString();
}

TEST_F(DecisionTableTest, TransposedLayoutWithConclusionLastAndLexicalOrders) {
    GeneratorTestDocument document({{"Origin", kIfElse}});
    DecisionTableRequest request;
    request.IsIdRow = 0;
    request.IsDoFirst = 0;
    request.session.consequentsByCharacterCode = 1;
    request.session.antecedentsByCharacterCode = 1;
    ASSERT_TRUE(Make(document.data, "turned.csv", request));
    ExpectSameAsGolden(Path("turned.csv"), "dtable-transposed.csv");
}

TEST_F(DecisionTableTest, RedundancyMergeInBothAntecedentOrders) {
    // B b and B ¬b lead to X under the same A: one row with two alternatives for B. The member C is met before
    // A in the description, so the positional order puts its column first.
    GeneratorTestDocument document({{"Origin", "if <C>が{c}\nif <A>が{a}\nif <B>が{b}\nDo <X>を{x}せよ\nelse\n"
                                               "Do <X>を{x}せよ\nendif\nendif\nendif"}});
    ASSERT_TRUE(Make(document.data, "positional.csv"));
    ExpectSameAsGolden(Path("positional.csv"), "dtable-merge-positional.csv");
    DecisionTableRequest lexical;
    lexical.session.antecedentsByCharacterCode = 1;
    ASSERT_TRUE(Make(document.data, "lexical.csv", lexical));
    ExpectSameAsGolden(Path("lexical.csv"), "dtable-merge-lexical.csv");
    DecisionTableRequest keep;
    keep.Option = 0;
    ASSERT_TRUE(Make(document.data, "kept.csv", keep));
    ExpectSameAsGolden(Path("kept.csv"), "dtable-merge-kept.csv");
}

TEST_F(DecisionTableTest, SwitchWithElswNegatesEveryCaseAndWithoutElswEndsAtEndsw) {
    GeneratorTestDocument document({{"Origin", "switch <M>が\ncase {a}\nDo <X>を{x}せよ\ncase {b}\nDo <X>を{y}せよ\n"
                                               "elsw\nDo <X>を{z}せよ\nendsw\nswitch <N>が\ncase {c}\n"
                                               "Do <Y>を{c}せよ\nendsw\nDo <Y>を{d}せよ"}});
    ASSERT_TRUE(Make(document.data, "switch.csv"));
    ExpectSameAsGolden(Path("switch.csv"), "dtable-switch.csv");
}

// The elsw of a wide switch whose case states come again: its rule holds the negation of each state once, with the
// step number of its first case.
TEST_F(DecisionTableTest, ElswOfAWideSwitchHoldsEachNegationOnceWithItsFirstStatement) {
    QStringList lines{QStringLiteral("switch <M>が")};
    // States met last first, so that each goes before all the others, and then again.
    for (int i = 0; i < 150; ++i)
        lines << QStringLiteral("case {s%1}").arg(99 - i % 100) << QStringLiteral("Do <X>を{x}せよ");
    lines << QStringLiteral("elsw") << QStringLiteral("Do <Y>を{y}せよ") << QStringLiteral("endsw");
    const GeneratorTestDocument document({{"Origin", lines.join('\n')}});
    const CDocumentData& data = document.data;
    const DecisionTableRawTable table =
        BuildRawTable(DecisionTablePathCollector(*data.registry.origin, true, data.registry, data.quantifiers));
    const std::vector<DecisionTableRawRow>& rows = table.consequents.at(QStringLiteral("Y")).at(QStringLiteral("y"));
    ASSERT_EQ(rows.size(), 1u);
    const DecisionTableValue value = table.Read(rows[0]).conditions.at(QStringLiteral("M"));
    ASSERT_EQ(value.size(), 1u);
    ASSERT_EQ(value[0].size(), 100u);
    for (int state = 0; state < 100; ++state) // case i is statement 2i, its action 2i + 1
        EXPECT_EQ(value[0].at(QStringLiteral("¬s%1").arg(state)), StepNumbers{2 * (99 - state)}) << state;
}

// A range without actions has nothing to write: that is said without a question about the file there, which is kept,
// and the dialog stays; every scope alike.
TEST_F(DecisionTableTest, RangeWithoutActionsWritesNothingAndSaysSo) {
    GeneratorTestDocument document({{"Origin", "Fn Child\n(: nothing to do"}, {"Child", "if <A>が{a}\nendif"}});
    const QString nothing = QStringLiteral("The range holds no Do or Transit State statement: the decision table has "
                                           "nothing to write. No file was written.");
    for (const quint8 scope : {quint8(1), quint8(2), quint8(0)}) {
        WriteFileBytes(Path("kept.csv"), "kept");
        const qsizetype shown = messages.Texts().size();
        DecisionTableSessionChoices session;
        DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
        choice.fileName = Path("kept");
        choice.scope = scope;
        bool stored = false;
        EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, document.data.registry.origin, stored),
                  GeneratorOkResult::KeepOpen)
            << int(scope);
        EXPECT_EQ(ReadFileBytes(Path("kept.csv")), QByteArray("kept")) << int(scope);
        EXPECT_EQ(messages.Texts().mid(shown), QStringList{nothing}) << int(scope);
        EXPECT_TRUE(stored);
    }
    // With an action in the called unit function, the table is there with the descendants only.
    GeneratorTestDocument acting({{"Origin", "Fn Child\n(: nothing to do"}, {"Child", "Do <X>を{x}せよ"}});
    DecisionTableRequest request;
    request.flags = DecisionTableOutputKind;
    EXPECT_FALSE(Make(acting.data, "empty.csv", request, acting.data.registry.origin));
    EXPECT_FALSE(QFile::exists(Path("empty.csv")));
    request.flags |= DecisionTableWithDescendants;
    ASSERT_TRUE(Make(acting.data, "descendants.csv", request, acting.data.registry.origin));
    EXPECT_FALSE(ReadFileBytes(Path("descendants.csv")).isEmpty());
}

TEST_F(DecisionTableTest, MergedRowOfTwoUnitFunctionsListsBothInItsTraceabilityCells) {
    GeneratorTestDocument document({{"Origin", "if <A>が{a}\nFn First\nelse\nFn Second\nendif"},
                                    {"First", "Do <X>を{x}せよ"},
                                    {"Second", "Do <X>を{x}せよ"}});
    document.Find("First").header.uniqueLabel = QStringLiteral("REQ-001");
    document.Find("Second").header.ownRequirements = {QStringLiteral("R2"), QStringLiteral("R1")};
    document.data.registry.RebuildAndNotify(document.data.indexRoot, document.data.GetModelOptions());
    DecisionTableRequest request;
    request.session.traceabilityRows = 1;
    ASSERT_TRUE(Make(document.data, "trace.csv", request));
    ExpectSameAsGolden(Path("trace.csv"), "dtable-traceability.csv");
}

// A chain of unit functions each calling the next in both branches: former actions taken before a call stay on
// the paths through it, a member met again deeper joins its first condition, and the rules of several unit
// functions merge into rows that list them all.
TEST_F(DecisionTableTest, ChainOfFnCallsInBothBranchesMergesAcrossUnitFunctions) {
    GeneratorTestDocument document(
        {{"Origin", "if <M0>が{x}\nFn F1\nelse\nDo <Q>を{q}せよ\nDo <P>を{p}せよ\nFn F1\nendif"},
         {"F1", "if <M1>が{x}\nFn F2\nelse\nFn F2\nendif\nDo <Q>を{q}せよ"},
         {"F2", "if <M2>が{y}\nDo <B>を{b}せよ\nDo <Q>を{q}せよ\nelse\nif <M0>が{¬x}\nDo <B>を{b}せよ\nelse\n"
                "Do <P>を{r}せよ\nDo <B>を{c}せよ\nendif\nendif"}});
    DecisionTableRequest request;
    request.session.traceabilityRows = 1;
    ASSERT_TRUE(Make(document.data, "chain.csv", request));
    ExpectSameAsGolden(Path("chain.csv"), "dtable-chain-merged.csv");
    DecisionTableRequest kept;
    kept.Option = 0;
    ASSERT_TRUE(Make(document.data, "chain-kept.csv", kept));
    ExpectSameAsGolden(Path("chain-kept.csv"), "dtable-chain-kept.csv");
    DecisionTableRequest lexical;
    lexical.IsIdRow = 0;
    lexical.session.consequentsByCharacterCode = 1;
    lexical.session.antecedentsByCharacterCode = 1;
    ASSERT_TRUE(Make(document.data, "chain-lexical.csv", lexical));
    ExpectSameAsGolden(Path("chain-lexical.csv"), "dtable-chain-lexical.csv");
}

TEST_F(DecisionTableTest, FnCycleIsRefusedBeforeAnyFileIsWritten) {
    GeneratorTestDocument document({{"Origin", "Fn Child"}, {"Child", "Do <X>を{x}せよ\nFn Origin"}});
    EXPECT_THROW(Make(document.data, "cycle.csv"), CTableMakerError);
    EXPECT_FALSE(QFile::exists(Path("cycle.csv")));
    // The dialog's OK says so and stays open, the choices kept; a file there is kept without a question.
    WriteFileBytes(Path("cycle.csv"), "kept");
    DecisionTableSessionChoices session;
    DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
    choice.fileName = Path("cycle");
    choice.rows = false;
    bool stored = false;
    EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored), GeneratorOkResult::KeepOpen);
    EXPECT_TRUE(stored);
    EXPECT_EQ(document.data.TestTable.IsIdRow, 0);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Fn構文が循環しているため、決定表を作成できません。")});
    EXPECT_EQ(ReadFileBytes(Path("cycle.csv")), QByteArray("kept"));
}

// A description nested deeper than the walks may go is refused with the reason, by the decision table and the
// test-specification draft alike, and nothing is written.
TEST_F(DecisionTableTest, DescriptionsNestedTooDeepAreRefusedWithTheReason) {
    GeneratorTestDocument document({{"Origin", NestedIfScript(kMaxLogicNesting + 1)}});
    DecisionTableSessionChoices session;
    DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
    choice.fileName = Path("deep");
    bool stored = false;
    EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored), GeneratorOkResult::KeepOpen);
    EXPECT_EQ(messages.Texts().last(),
              "The decision table could not be made. (the logic description is nested more than 2000 levels deep)");
    EXPECT_FALSE(AcceptTestSpecificationDialog(document.data, Path("deep-test"), stored));
    EXPECT_EQ(messages.Texts().last(),
              "The test specification draft could not be made. (the logic description is nested more than 2000 "
              "levels deep)");
    EXPECT_FALSE(QFile::exists(Path("deep.csv")));
    EXPECT_FALSE(QFile::exists(Path("deep-test.csv")));
}

TEST_F(DecisionTableTest, DialogAsksAboutTheFileWithItsExtensionAndDeclinedKeepsEverything) {
    GeneratorTestDocument document({{"Origin", kIfElse}});
    WriteFileBytes(Path("old.csv"), "keep");
    DecisionTableSessionChoices session;
    DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
    choice.fileName = Path("old");
    choice.scope = 2;
    bool stored = false;
    messages.Answer(platform::MessageAnswer::No);
    EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored), GeneratorOkResult::KeepOpen);
    EXPECT_FALSE(stored);
    EXPECT_EQ(document.data.decisionTableOptions.Scope, 1);
    EXPECT_EQ(ReadFileBytes(Path("old.csv")), QByteArray("keep"));
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(Path("old.csv")));

    choice.fileName.clear();
    EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored), GeneratorOkResult::KeepOpen);
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("ファイル名が入力されていません。\nファイル名を入力してください。"));
}

// Cancels the run when the phase of a given text begins, and notes the phases that begin.
class CancellingSink : public CInspectionProgressSink {
public:
    void SetMajorProgress(double, const QString& text) override {
        phases << text;
        if (text == cancelAt)
            run->RequestAbort();
    }
    void SetMinorProgress(unsigned, unsigned) override {}

    QString cancelAt;
    CInspectionProgress* run = nullptr;
    QStringList phases;
};

// The dialog's OK with the table made through a run as the window's worker makes it: each phase polls for Cancel,
// which stops the run in that phase, writes nothing and is said; not cancelled, the run writes what the maker writes.
TEST_F(DecisionTableTest, CancelStopsTheRunInEachPhaseAndLeavesTheFileAsItWas) {
    GeneratorTestDocument document({{"Origin", kIfElse}});
    const QStringList phases{"Following the conditions and conclusions.", "Merging redundant rules.",
                             "Laying out the table.", "Writing the file.", ""};
    for (const QString& phase : phases) {
        WriteFileBytes(Path("kept.csv"), "kept");
        messages.Answer(platform::MessageAnswer::Yes); // replace kept.csv
        DecisionTableSessionChoices session;
        DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
        choice.fileName = Path("kept");
        CancellingSink sink;
        sink.cancelAt = phase == phases.last() ? QStringLiteral("never") : phase;
        const auto runJob = [&sink](const std::function<void(CInspectionProgress&)>& job) {
            CInspectionProgress run(&sink, DecisionTablePhaseCount);
            sink.run = &run;
            job(run);
            return true;
        };
        bool stored = false;
        const GeneratorOkResult result =
            AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored, runJob);
        EXPECT_EQ(sink.phases, phases.mid(0, phases.indexOf(phase) + 1));
        if (phase != phases.last()) {
            EXPECT_EQ(result, GeneratorOkResult::KeepOpen) << phase.toStdString();
            EXPECT_EQ(ReadFileBytes(Path("kept.csv")), QByteArray("kept")) << phase.toStdString();
            EXPECT_EQ(messages.Texts().last(), "Making the decision table was stopped. No file was written.");
        } else {
            EXPECT_EQ(result, GeneratorOkResult::Written);
            ExpectSameAsGolden(Path("kept.csv"), "dtable-ifelse.csv");
            EXPECT_TRUE(messages.Texts().last().contains(QStringLiteral("決定表をエクスポートしました。")));
        }
    }
    // A write that fails in the run is said once the run has ended, with the system's reason.
    DecisionTableSessionChoices session;
    DecisionTableDialogChoice choice = StoredDecisionTableChoice(document.data, session);
    choice.fileName = Path("missing/table");
    bool stored = false;
    EXPECT_EQ(AcceptDecisionTableDialog(document.data, session, choice, nullptr, stored,
                                        [](const std::function<void(CInspectionProgress&)>& job) {
                                            CInspectionProgress run;
                                            job(run);
                                            return true;
                                        }),
              GeneratorOkResult::NotWritten);
    EXPECT_TRUE(messages.Texts().last().startsWith(
        QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n").arg(Path("missing/table.csv"))))
        << messages.Texts().last().toStdString();
}

// Notes the steps each phase reports.
class StepSink : public CInspectionProgressSink {
public:
    void SetMajorProgress(double, const QString& text) override { steps[phase = text]; }
    void SetMinorProgress(unsigned current, unsigned total) override {
        if (total != 0)
            steps[phase].push_back({current, total});
    }

    QString phase;
    std::map<QString, std::vector<std::pair<unsigned, unsigned>>> steps;
};

// The walk counts the unit functions it reaches from the first, each once however often it is called; without the
// descendants the start alone.
TEST_F(DecisionTableTest, WalkCountsItsStepsFromTheStart) {
    GeneratorTestDocument document(
        {{"Origin", "Fn A\nFn B\nFn A"}, {"A", "if <C>が{c}\nDo <X>を{x}せよ\nendif\nFn B"}, {"B", "Do <Y>を{y}せよ"}});
    const QString walk = QStringLiteral("Following the conditions and conclusions.");
    using Steps = std::vector<std::pair<unsigned, unsigned>>;
    for (const bool all : {true, false}) {
        StepSink sink;
        CInspectionProgress run(&sink, DecisionTablePhaseCount);
        DecisionTableRequest request;
        if (!all)
            request.flags = DecisionTableOutputKind;
        const DecisionTableSheet table = MakeDecisionTable(document.data, nullptr, request, &run);
        EXPECT_EQ(sink.steps[walk], all ? Steps({{1, 3}, {2, 3}, {3, 3}}) : Steps({{1, 1}})) << all;
        EXPECT_EQ(table.BlockCount(), all ? 2u : 0u);
    }
}

TEST_F(DecisionTableTest, FlagWordsOfTheScopes) {
    EXPECT_EQ(MakeDecisionTableFlags({1, 2, 0, {}}), 18u);
    EXPECT_EQ(MakeDecisionTableFlags({1, 2, 1, {}}), 26u);
    EXPECT_EQ(MakeDecisionTableFlags({1, 1, 0, {}}), 3u);
    EXPECT_EQ(MakeDecisionTableFlags({1, 1, 1, {}}), 11u);
    EXPECT_EQ(MakeDecisionTableFlags({1, 0, 0, {}}), 2u);
    EXPECT_EQ(MakeDecisionTableFlags({1, 0, 1, {}}), 10u);
}

} // namespace

namespace {

// The display texts of a value, alternative by alternative.
std::vector<std::vector<QString>> Texts(const DecisionTableValue& value) {
    std::vector<std::vector<QString>> texts;
    for (const DecisionTableAlternative& alternative : value) {
        texts.emplace_back();
        for (const auto& [text, numbers] : alternative)
            texts.back().push_back(text);
    }
    return texts;
}

// The merge as its rule reads: take the first pair in row order whose rows have the same members and differ in
// the value of at most one, put the later into the earlier, and start again.
void MergePairwise(std::vector<DecisionTableRowValues>& rows) {
    const auto mergeable = [](const DecisionTableRowValues& a, const DecisionTableRowValues& b) {
        if (a.conditions.size() != b.conditions.size())
            return false;
        int differences = 0;
        for (const auto& [member, value] : a.conditions) {
            const auto other = b.conditions.find(member);
            if (other == b.conditions.end() || (Texts(value) != Texts(other->second) && ++differences > 1))
                return false;
        }
        return true;
    };
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t a = 0; a < rows.size() && !merged; ++a) {
            for (size_t b = a + 1; b < rows.size() && !merged; ++b) {
                if (!mergeable(rows[a], rows[b]))
                    continue;
                for (auto& [member, value] : rows[a].conditions) {
                    for (const DecisionTableAlternative& alternative : rows[b].conditions.at(member)) {
                        const auto place = std::ranges::lower_bound(value, alternative, AlternativeLess);
                        if (place == value.end() || Texts({*place}) != Texts({alternative}))
                            value.insert(place, alternative);
                    }
                }
                rows[a].functions.insert(rows[b].functions.begin(), rows[b].functions.end());
                rows[a].numbers.insert(rows[b].numbers.begin(), rows[b].numbers.end());
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(b));
                merged = true;
            }
        }
    }
}

// Merges the table and expects of every consequent the rows MergePairwise makes of its rows.
void ExpectMergedPairwise(DecisionTableRawTable& table, int round) {
    std::map<QString, std::map<QString, std::vector<DecisionTableRowValues>>> expected;
    for (const auto& [member, byDisplay] : table.consequents) {
        for (const auto& [display, rows] : byDisplay) {
            std::vector<DecisionTableRowValues>& merged = expected[member][display];
            for (const DecisionTableRawRow& row : rows)
                merged.push_back(table.Read(row));
            MergePairwise(merged);
        }
    }
    OmitRedundancy(table);
    for (const auto& [member, byDisplay] : table.consequents) {
        for (const auto& [display, rows] : byDisplay) {
            const std::vector<DecisionTableRowValues>& merged = expected[member][display];
            ASSERT_EQ(rows.size(), merged.size()) << round << ' ' << member.toStdString();
            for (size_t i = 0; i < rows.size(); ++i) {
                const DecisionTableRowValues values = table.Read(rows[i]);
                EXPECT_EQ(values.numbers, merged[i].numbers) << round;
                EXPECT_EQ(values.functions, merged[i].functions) << round;
                ASSERT_EQ(values.conditions.size(), merged[i].conditions.size()) << round;
                for (const auto& [name, value] : merged[i].conditions) {
                    EXPECT_EQ(Texts(values.conditions.at(name)), Texts(value)) << round;
                    EXPECT_EQ(values.conditions.at(name), value) << round; // with their step numbers
                }
            }
        }
    }
}

} // namespace

// Merges cascade: a merged row can become the partner of a row before it, which then takes it first. Rows that took
// others take more, are taken in turn, and are compared with each other and with rows that share their former
// conditions; many rows are alike.
TEST(DecisionTableRedundancy, MergesTheSameRowsInTheSameOrderAsPairsTakenInRowOrder) {
    std::mt19937 random(7);
    const std::array<CUnitFunction, 3> functions;
    // Texts met in an order other than their character-code order, so that text numbers and text order differ.
    const QStringList members{QStringLiteral("D"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")};
    for (int round = 0; round < 600; ++round) {
        DecisionTableRawTable table;
        std::vector<DecisionTableRawRow>& rows = table.consequents[QStringLiteral("X")][QStringLiteral("x")];
        rows.resize(1 + random() % (round % 10 == 0 ? 300 : 40));
        const int states = 2 + round % 7;
        for (size_t i = 0; i < rows.size(); ++i) {
            std::vector<DecisionTableCell> cells;
            const int count = round % 5 == 0 ? static_cast<int>(random() % 3) : 3;
            for (int m = 0; m < count; ++m) {
                const qint32 member = table.texts.Id(members[(m + static_cast<int>(i) * (round % 3 == 0)) % 4]);
                const auto number = static_cast<qint32>(100 + i % 5);
                const int state = m == 0 ? static_cast<int>(random() % states) : static_cast<int>(random() % 3);
                cells.push_back({member, table.texts.Id(QStringLiteral("v%1").arg(state)), number});
                if (random() % 4 == 0)
                    cells.push_back({member, table.texts.Id(QStringLiteral("w%1").arg(1 - random() % 2)), number});
            }
            // Some rows share the conditions of an earlier one, as rules recorded on one path do.
            const DecisionTableConditions conditions =
                i > 0 && random() % 3 == 0 ? rows[random() % i].conditions
                                           : MakeRowConditions(std::move(cells), table.texts, table.store);
            rows[i] = MakeRawRow(conditions, table.texts.FunctionId(&functions[random() % 3]), static_cast<qint32>(i),
                                 table.store);
        }
        ExpectMergedPairwise(table, round);
    }
}

// A member whose value is one cell that says where it is kept is held once, in whatever rows it is; a merge makes
// anew only the values it changes.
TEST(DecisionTableRows, MembersOfOneCellAreHeldOnceAndAMergeKeepsTheValuesItLeaves) {
    const CUnitFunction function;
    DecisionTableRawTable table;
    const qint32 m = table.texts.Id(QStringLiteral("M"));
    const qint32 n = table.texts.Id(QStringLiteral("N"));
    const qint32 a = table.texts.Id(QStringLiteral("a"));
    const qint32 b = table.texts.Id(QStringLiteral("b"));
    const qint32 c = table.texts.Id(QStringLiteral("c"));
    std::vector<DecisionTableRawRow>& rows = table.consequents[QStringLiteral("X")][QStringLiteral("x")];
    const auto add = [&](std::vector<DecisionTableCell> cells, qint32 number) {
        rows.push_back(MakeRawRow(MakeRowConditions(std::move(cells), table.texts, table.store),
                                  table.texts.FunctionId(&function), number, table.store));
    };
    const qint32* ma = nullptr;
    add({{n, b, 2}, {m, a, 1, &ma}}, 10);
    add({{m, a, 1, &ma}, {n, c, 3}}, 11);
    add({{m, c, 4}, {n, c, 3}, {n, b, 2}}, 12);
    ASSERT_NE(ma, nullptr);
    EXPECT_EQ(RowParts(rows[0]).members[0], ma);
    EXPECT_EQ(RowParts(rows[1]).members[0], ma);

    OmitRedundancy(table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(RowParts(rows[0]).members[0], ma);
    const DecisionTableRowValues merged = table.Read(rows[0]);
    const DecisionTableValue one{{{QStringLiteral("a"), {1}}}};
    EXPECT_EQ(merged.conditions.at(QStringLiteral("M")), one);
    const DecisionTableValue either{{{QStringLiteral("b"), {2}}}, {{QStringLiteral("c"), {3}}}};
    EXPECT_EQ(merged.conditions.at(QStringLiteral("N")), either);
    EXPECT_EQ(merged.numbers, (StepNumbers{10, 11}));
    const DecisionTableValue both{{{QStringLiteral("b"), {2}}, {QStringLiteral("c"), {3}}}};
    EXPECT_EQ(table.Read(rows[1]).conditions.at(QStringLiteral("N")), both);
}

// The tables of the shapes a merge meets in documents: chains whose rules of one consequent are alike but for the
// first, and a switch whose cases all gather into one row, with and without an elsw taking the same action.
TEST_F(DecisionTableTest, MergedTablesOfDocumentsAreThoseOfPairsTakenInRowOrder) {
    QStringList cases{QStringLiteral("switch <S>が")};
    for (int i = 0; i < 40; ++i)
        cases << QStringLiteral("case {%1}").arg(i % 13 == 12 ? 3 : i) << QStringLiteral("Do <X>を{x}せよ");
    const QString wide = cases.join('\n');
    int shape = 0;
    const auto expectMerged = [&shape](std::initializer_list<GeneratorTestDocument::Function> functions) {
        const GeneratorTestDocument document(functions);
        const CDocumentData& data = document.data;
        DecisionTableRawTable table =
            BuildRawTable(DecisionTablePathCollector(*data.registry.origin, true, data.registry, data.quantifiers));
        ExpectMergedPairwise(table, shape++);
    };
    expectMerged({{"F0", "Do <M0>を{a}せよ\nFn F1\nFn F1"},
                  {"F1", "Do <M1>を{a}せよ\nFn F2\nFn F2"},
                  {"F2", "if <C>が{c}\nDo <M2>を{a}せよ\nendif\nFn F3\nFn F3"},
                  {"F3", "Do <Z>を{z}せよ"}});
    expectMerged({{"F0", "if <M0>が{x}\nFn F1\nelse\nFn F1\nendif"},
                  {"F1", "if <M1>が{x}\nFn F2\nelse\nFn F2\nendif\nDo <Q>を{q}せよ"},
                  {"F2", "Do <B>を{p}せよ"}});
    expectMerged({{"F0", wide + "\nendsw"}});
    expectMerged(
        {{"F0", wide + "\nelsw\nDo <X>を{x}せよ\nendsw\nswitch <T>が\ncase {1}\nFn F1\ncase {2}\nFn F1\nendsw"},
         {"F1", wide + "\nendsw"}});
}
