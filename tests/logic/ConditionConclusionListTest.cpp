#include "logic/ConditionConclusionList.h"
#include "logic/InspectionParser.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "platform/MessageBox.h"
#include "support/AddressSpaceLimit.h"
#include "support/logic/LogicScript.h"

#include <gtest/gtest.h>

namespace {

const QString kLight = QString(34, QChar(0x2500));
const QString kHeavy = QString(34, QChar(0x2501));

QStringList List(LogicTestDocument& document, int scope, int kind, const CUnitFunction* current) {
    CInspectionView pane;
    EXPECT_EQ(CConditionConclusionList::Run(pane, document.environment, scope, kind, current),
              CConditionConclusionList::Written);
    return pane.Lines();
}

} // namespace

TEST(ConditionConclusionList, CurrentScopeListsEveryWayThrough) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "if <A>が{a}\nDo <X>を{S}せよ\nelse\nDo <X>{T}\nendif\nDo <Y>{U}");
    document.Finish();
    const QString head = "現在の単位機能のすべてのDo・Fnの条件を確認する)";
    EXPECT_EQ(List(document, CConditionConclusionList::CurrentUnitFunction, 0, main),
              (QStringList{"=== 条件と結論の対応一覧開始 (" + head + " ===", kLight, "[0 Line 1] <A>が{a}",
                           "[0 Line 2] <X>を{S}せよ", "[0 Line 6] <Y>{U}", kLight,
                           "[0 Line 3] <A>が{" + QString(QChar(0x00AC)) + "a}", "[0 Line 4] <X>{T}",
                           "[0 Line 6] <Y>{U}", kLight, "=== 条件と結論の対応一覧終了 (" + head + " 検出数 2 ==="}));
}

TEST(ConditionConclusionList, ChainsMultiplyEndAtExitlpAndAreBounded) {
    bool truncated = false;
    LogicTestDocument document;
    QString script;
    for (int i = 0; i < 20; ++i)
        script += QString("if <A%1>{a}\nDo <X>{S}\nelse\nDo nothing\nendif\n").arg(i);
    CUnitFunction* main = document.Add("Main", script);
    CUnitFunction* exit = document.Add("Exit", "exitlp\nDo <X>{S}");
    CUnitFunction* loop = document.Add("Loop", "loop\nif <A>{a}\nexitlp\nelse\nDo nothing\nendif\nendlp\nDo <X>{S}");
    document.Finish();
    LineReferences references;
    const auto chains = [&](const CUnitFunction* function) {
        std::vector<InspectionParserLine> lines;
        for (size_t i = 0; i < function->logicLines.size(); ++i)
            lines.push_back({function->logicLines[i].get(), function, static_cast<qint32>(i)});
        CInspectionParser parser(lines, document.environment);
        return CollectConclusionRows(*parser.Parse(), references, CConditionConclusionList::MaxChains, truncated);
    };
    EXPECT_EQ(chains(exit).size(), 1u);
    EXPECT_TRUE(chains(exit)[0].lines.empty());
    const auto looped = chains(loop);
    ASSERT_EQ(looped.size(), 2u);
    EXPECT_EQ(references[looped[0].lines.back()].text, "<X>{S}");
    EXPECT_EQ(references[looped[1].lines.back()].text, "<X>{S}");
    EXPECT_FALSE(truncated);
    EXPECT_EQ(chains(main).size(), CConditionConclusionList::MaxChains);
    EXPECT_TRUE(truncated);
    const QStringList lines = List(document, CConditionConclusionList::CurrentUnitFunction, 0, main);
    EXPECT_EQ(lines[lines.size() - 2], "There are too many combinations: only the first 10000 are shown.");
}

TEST(ConditionConclusionList, AllScopeRowsPerCallWithTheCallersConditions) {
    LogicTestDocument document;
    document.Add("Main", "if <A>{a}\nFn Sub\nelse\nFn Sub\nendif");
    document.Add("Sub", "Do <X>{S}");
    document.Finish();
    const QString head = "Doの条件をすべての単位機能で確認する)";
    EXPECT_EQ(
        List(document, CConditionConclusionList::AllUnitFunctions, CConditionConclusionList::DoStatements, nullptr),
        (QStringList{"=== 条件と結論の対応一覧開始 (" + head + " ===", kHeavy, "[1 Line 1] Do <X>{S}", kLight,
                     "[0 Line 1] <A>{a}", kHeavy, "[1 Line 1] Do <X>{S}", kLight,
                     "[0 Line 3] <A>{" + QString(QChar(0x00AC)) + "a}", kHeavy,
                     "=== 条件と結論の対応一覧終了 (" + head + " 検出数 2 ==="}));
    const QStringList fn =
        List(document, CConditionConclusionList::AllUnitFunctions, CConditionConclusionList::FnStatements, nullptr);
    EXPECT_EQ(fn.last(), "=== 条件と結論の対応一覧終了 (Fnの条件をすべての単位機能で確認する) 検出数 2 ===");
    EXPECT_EQ(fn[2], "[0 Line 2] Fn [Sub] (1)");
}

// A row names the conditions of the branches it lies in and the Do statements before it on its way: those of a
// branch stay inside the branch, those of a loop lead on to what follows it.
TEST(ConditionConclusionList, AllScopeRowsKeepWhatTheirBranchesAdded) {
    LogicTestDocument document;
    document.Add("Main", "switch <M>\ncase {1}\nDo <A>{a}\nif <C>{c}\nDo <B>{b}\nelse\nendif\nDo <D>{d}\ncase {2}\n"
                         "elsw\nDo <E>{e}\nendsw\nloop\nDo <F>{f}\nendlp\nDo <G>{g}");
    document.Finish();
    const QStringList lines =
        List(document, CConditionConclusionList::AllUnitFunctions, CConditionConclusionList::DoStatements, nullptr);
    QStringList rows;
    for (const QString& line : lines.mid(1, lines.size() - 2))
        rows << (line == kHeavy ? "|" : line == kLight ? ":" : line.section(' ', 3));
    EXPECT_EQ(rows.join(' '), "| Do <A>{a} : <M>{1} | Do <B>{b} : <M>{1} <A>{a} <C>{c} | Do <D>{d} : <M>{1} <A>{a} | "
                              "Do <E>{e} : <M>{¬1} <M>{¬2} | Do <F>{f} : | Do <G>{g} : <F>{f} |");
}

TEST(ConditionConclusionList, NoDoStatementsGivesAnEmptyListAndCyclesAreRefused) {
    LogicTestDocument document;
    document.Add("Main", "(: nothing yet");
    document.Finish();
    const QStringList lines = List(document, CConditionConclusionList::AllUnitFunctions, 0, nullptr);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], kHeavy);
    EXPECT_TRUE(lines[2].endsWith("検出数 0 ==="));

    LogicTestDocument cyclic;
    CUnitFunction* main = cyclic.Add("Main", "Fn A");
    cyclic.Add("A", "Fn Main");
    cyclic.Finish();
    platform::ScriptedMessageSink sink;
    CInspectionView pane;
    pane.AddMessageWithoutTarget("kept");
    EXPECT_EQ(CConditionConclusionList::Run(pane, cyclic.environment, 1, 0, main), CConditionConclusionList::Refused);
    EXPECT_EQ(pane.Lines(), QStringList{"kept"});
    EXPECT_EQ(sink.Texts().size(), 1);
}

// The lines of the list are counted before any is made: the count is the list's length, and a list longer than the
// pane holds is refused at once, in far less memory than its lines would take.
TEST(ConditionConclusionList, AllScopeListIsCountedFirstAndRefusedAtOnceWhenItCannotBeHeld) {
    LogicTestDocument document;
    document.Add("Main", "switch <M>\ncase {1}\nDo <A>{a}\nif <C>{c}\nDo <B>{b}\nelse\nFn Sub\nendif\nDo <D>{d}\n"
                         "elsw\nDo <E>{e}\nendsw\nloop\nDo <F>{f}\nendlp\nDo <G>{g}");
    document.Add("Sub", "Do <S>{s}\nFn Leaf");
    document.Add("Leaf", "Do <T>{t}");
    document.Finish();
    std::vector<InspectionParserLine> lines;
    CollectLogicLinesExpanded(*document.environment.registry->origin, document.environment, lines);
    const InspectionParserSequencePtr top = CInspectionParser(std::move(lines), document.environment).Parse();
    for (const int kind : {CConditionConclusionList::DoStatements, CConditionConclusionList::FnStatements}) {
        const QStringList written = List(document, CConditionConclusionList::AllUnitFunctions, kind, nullptr);
        EXPECT_EQ(CountCorrespondenceLines(*top, kind == CConditionConclusionList::FnStatements
                                                     ? CInspectionParserEntity::Kind::Fn
                                                     : CInspectionParserEntity::Kind::Do) +
                      3,
                  static_cast<quint64>(written.size()));
    }

    // 33,000 Do statements in a row, reached four ways: each row names every Do before it, 2^31 lines in all.
    LogicTestDocument large;
    large.Add("Main", "if <A>{a}\nFn Mid\nelse\nFn Mid\nendif");
    large.Add("Mid", "if <B>{b}\nFn Sub\nelse\nFn Sub\nendif");
    QString script;
    for (int i = 0; i < 33000; ++i)
        script += QStringLiteral("Do <X>{s%1}\n").arg(i);
    large.Add("Sub", script);
    large.Finish();
    const AddressSpaceLimit limit(rlim_t(512) << 20);
    ASSERT_TRUE(limit.IsSet());
    CInspectionView pane;
    EXPECT_EQ(CConditionConclusionList::Run(pane, large.environment, CConditionConclusionList::AllUnitFunctions,
                                            CConditionConclusionList::DoStatements, nullptr),
              CConditionConclusionList::Failed);
    EXPECT_EQ(pane.Lines(), QStringList{"The list of conditions and conclusions could not be made. (more than the "
                                        "2147483647 lines the result list can show)"});
}
