#include "logic/InspectionRun.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionPathCreation.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionProgressExceptionAbort.h"
#include "logic/InspectionView.h"
#include "logic/JumperToFunction.h"
#include "logic/PathChecks.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <set>

namespace {

QString Count(quint32 value) {
    return QStringLiteral("%1").arg(value, 9, 10, QChar('0'));
}

const QString kPathsLabel = QStringLiteral("  探索した経路数            ");
const QString kSyntaxLabel = QStringLiteral("  構文検査の検出数          ");
const QString kRedundancyLabel = QStringLiteral("  冗長検査の検出数          ");
const QString kInconsistencyLabel = QStringLiteral("  矛盾検査の検出数          ");
const QString kSemanticLabel = QStringLiteral("　意味関係の検出数          ");

UnitFunctionList FunctionsInOutlineOrder(const InspectionEnvironment& environment) {
    UnitFunctionList list;
    if (!environment.registry)
        return list;
    UnitFunctionSet all;
    environment.registry->CollectAll(all);
    SortedVectorFromSet(all, list, environment.distinguishPrimaryOutlineNumber);
    return list;
}

struct CommandItems {
    bool reason = false;
    bool syntax = false;
    bool redundancy = false;
    bool inconsistency = false;
    bool semantic = false;
    QString name;
    bool PathsNeeded() const { return redundancy || inconsistency || semantic; }
};

CommandItems ItemsOf(int command) {
    switch (command) {
    case CommandInspectAll:
        return {true, true, true, true, true, QStringLiteral("全項目検査")};
    case CommandInspectSyntax:
        return {false, true, false, false, false, QStringLiteral("構文検査")};
    case CommandInspectRedundancy:
        return {false, false, true, false, true, QStringLiteral("冗長検査")};
    case CommandInspectInconsistency:
        return {false, false, false, true, true, QStringLiteral("矛盾検査")};
    default:
        return {};
    }
}

} // namespace

void CollectLogicLines(const CUnitFunction& function, std::vector<InspectionParserLine>& lines) {
    if (lines.empty())
        lines.reserve(function.logicLines.size());
    for (size_t i = 0; i < function.logicLines.size(); ++i) {
        if (i + 8 < function.logicLines.size() && function.logicLines[i + 8])
            PrefetchLogicLine(function.logicLines[i + 8].get());
        const CLogicLine* line = function.logicLines[i].get();
        lines.push_back({line, &function, static_cast<qint32>(i), line ? line->lineKind : quint8(SyntaxNone)});
    }
}

void CollectLogicLinesExpanded(const CUnitFunction& function, const InspectionEnvironment& environment,
                               std::vector<InspectionParserLine>& lines) {
    // An explicit stack: call chains in a document can be longer than the thread's stack is deep.
    struct Frame {
        const CUnitFunction* function;
        size_t next;
    };
    // Every unit function by InternalID in one sorted array: a search through the registry's map missed the cache
    // at almost every level for each Fn line, and that grew faster than the document.
    std::vector<std::pair<quint32, const CUnitFunction*>> byId;
    if (environment.registry) {
        byId.reserve(environment.registry->Functions().size());
        size_t lineCount = 0;
        for (const auto& [id, stored] : environment.registry->Functions()) {
            byId.emplace_back(id, &stored);
            lineCount += stored.logicLines.size();
        }
        // Every unit function once is the usual call tree; a function called from several places adds more.
        lines.reserve(lines.size() + lineCount);
    }
    const auto find = [&byId](quint32 id) -> const CUnitFunction* {
        const auto found = std::lower_bound(byId.begin(), byId.end(), id,
                                            [](const auto& entry, quint32 key) { return entry.first < key; });
        return found != byId.end() && found->first == id ? found->second : nullptr;
    };
    std::vector<Frame> stack{{&function, 0}};
    std::set<const CUnitFunction*> active{&function};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.function->logicLines.size()) {
            active.erase(frame.function);
            stack.pop_back();
            PollInspectionAbort();
            continue;
        }
        const size_t index = frame.next++;
        if (index + 8 < frame.function->logicLines.size())
            PrefetchLogicLine(frame.function->logicLines[index + 8].get());
        const CLogicLine* line = frame.function->logicLines[index].get();
        lines.push_back({line, frame.function, static_cast<qint32>(index), line->lineKind});
        if (line->lineKind != SyntaxFn)
            continue;
        const CUnitFunction* called = find(line->calledInternalID);
        lines.back().calledFunction = called;
        if (called && active.insert(called).second)
            stack.push_back({called, 0});
    }
}

bool RefuseFnCycle(const CUnitFunctionRegistry& registry) {
    if (!registry.origin || !registry.HasFnCycle(registry.origin))
        return false;
    platform::ShowMessageBox(QStringLiteral("Fn構文が循環しているため、この機能を使用できません。"),
                             platform::MessageButtons::Ok, platform::MessageIcon::Error);
    return true;
}

namespace {

void InspectReasonsOf(const UnitFunctionList& functions, CInspectionView& pane) {
    pane.AddMessageWithoutTarget(QStringLiteral("=== 理由検査 開始 ==="));
    pane.AddMessageWithoutTarget(QString());
    quint32 count = 0;
    for (size_t i = 0; i < functions.size(); ++i) {
        CInspectionProgress::MinorProgress(static_cast<unsigned>(i + 1), static_cast<unsigned>(functions.size()));
        const CUnitFunction& function = *functions[i];
        if (function.header.Reasoning.isEmpty() && function.header.UnNecessaryReasoning != 1) {
            const QString place = function.places.empty() ? QStringLiteral("+%1").arg(function.serialNumber)
                                                          : function.JoinOutlineNumbers();
            pane.AddMessage(QStringLiteral("[") + place + QStringLiteral("] ") + function.name,
                            new CJumperToFunction(static_cast<qint32>(function.InternalID)));
            ++count;
        }
        PollInspectionAbort();
    }
    if (count != 0) {
        pane.AddMessageWithoutTarget(QStringLiteral("　単位機能に理由が記載されていません。"));
        pane.AddMessageWithoutTarget(
            QStringLiteral("　理由を記入するか、「理由を省略する」チェックボックスをONにしてください。"));
    }
    pane.AddMessageWithoutTarget(QStringLiteral("　理由検査の検出数          ") + Count(count));
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(QStringLiteral("=== 理由検査 終了 ==="));
}

void SyntaxCheckUnitFunctions(const UnitFunctionList& functions, CInspectionView& pane, quint32& counter,
                              const InspectionEnvironment& environment) {
    for (size_t i = 0; i < functions.size(); ++i) {
        CInspectionProgress::MinorProgress(static_cast<unsigned>(i + 1), static_cast<unsigned>(functions.size()));
        SyntaxCheckUnitFunction(*functions[i], pane, counter, environment);
        PollInspectionAbort();
    }
}

} // namespace

void InspectReasons(CInspectionView& pane, const InspectionEnvironment& environment) {
    InspectReasonsOf(FunctionsInOutlineOrder(environment), pane);
}

void SyntaxCheckUnitFunction(const CUnitFunction& function, CInspectionView& pane, quint32& counter,
                             const InspectionEnvironment& environment) {
    // Only a finding needs the place.
    const auto place = [&] {
        return QStringLiteral("[") + environment.OutlineNumberText(function) + QStringLiteral("] ");
    };
    const auto jumper = [&function] { return new CJumperToFunction(static_cast<qint32>(function.InternalID)); };
    if (function.name.isEmpty()) {
        pane.AddMessage(place() + QStringLiteral("単位機能名が空です。"), jumper());
        ++counter;
    }
    std::vector<InspectionParserLine> lines;
    CollectLogicLines(function, lines);
    CInspectionParser parser(std::move(lines), environment);
    parser.SetMakeRecords(false);
    const InspectionParserSequencePtr top = parser.Parse();
    // Any depth counts: a Do inside a block is a Do of the unit function all the same.
    if (!top->HoldsDoOrFn()) {
        pane.AddMessage(place() + QStringLiteral("単位機能内にDo・Fn構文が記述されていません。"), jumper());
        ++counter;
    }
    for (const qint32 position : parser.StrayPositions()) {
        const CLogicLine* line = parser.Lines()[position].line;
        const QString text = line ? environment.GetSymbol(line->lineKind) : QString();
        WriteTargetLine(pane, environment, &function, position,
                        text + QStringLiteral(" (構文の対応が正しくありません)"));
        ++counter;
    }
    top->CheckSyntax(pane, counter);
}

void SyntaxCheckAllUnitFunctions(CInspectionView& pane, quint32& counter, const InspectionEnvironment& environment) {
    SyntaxCheckUnitFunctions(FunctionsInOutlineOrder(environment), pane, counter, environment);
}

void InspectCurrentUnitFunction(const CUnitFunction& function, CInspectionView& pane,
                                const InspectionEnvironment& environment) {
    pane.ClearMessages();
    pane.AddMessageWithoutTarget(QStringLiteral("=== 当該単位機能検査（全項目検査）開始 ==="));
    quint32 syntaxCount = 0;
    SyntaxCheckUnitFunction(function, pane, syntaxCount, environment);
    std::vector<InspectionParserLine> lines;
    CollectLogicLines(function, lines);
    CInspectionParser parser(lines, environment);
    InspectionResultSet results(pane, environment);
    CreatePathsOfCurrentUnitFunction(results, parser.Parse());
    CheckWithinPaths(results, environment, true, true, true);
    CheckBetweenPaths(results, true, true);
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(kPathsLabel + Count(static_cast<quint32>(results.paths.size())));
    pane.AddMessageWithoutTarget(kSyntaxLabel + Count(syntaxCount));
    pane.AddMessageWithoutTarget(kRedundancyLabel + Count(results.findings.CountRedundancyFindings()));
    pane.AddMessageWithoutTarget(kInconsistencyLabel + Count(results.findings.CountInconsistencyFindings()));
    pane.AddMessageWithoutTarget(kSemanticLabel + Count(results.findings.CountSemanticRelationFindings()));
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(QStringLiteral("=== 当該単位機能検査（全項目検査）終了 ==="));
}

void InspectAllUnitFunctions(int command, CInspectionView& pane, const InspectionEnvironment& environment) {
    pane.ClearMessages();
    CInspectionProgress::MajorProgress(0, QStringLiteral("検査を開始しました。"));
    const CommandItems items = ItemsOf(command);
    // Both the reason check and the syntax check go through the unit functions in outline order.
    const UnitFunctionList functions =
        items.reason || items.syntax ? FunctionsInOutlineOrder(environment) : UnitFunctionList();
    if (!items.name.isEmpty())
        pane.AddMessageWithoutTarget(QStringLiteral("=== 全体検査（") + items.name + QStringLiteral("）開始 ==="));
    if (items.reason) {
        CInspectionProgress::MajorProgress(1, QStringLiteral("理由検査を行っています。"));
        InspectReasonsOf(functions, pane);
    }
    PollInspectionAbort();
    quint32 syntaxCount = 0;
    if (items.syntax) {
        CInspectionProgress::MajorProgress(2, QStringLiteral("構文検査を行っています。"));
        pane.AddMessageWithoutTarget(QString());
        SyntaxCheckUnitFunctions(functions, pane, syntaxCount, environment);
        PollInspectionAbort();
    }
    quint32 pathCount = 0;
    quint32 redundancyCount = 0;
    quint32 inconsistencyCount = 0;
    quint32 semanticCount = 0;
    const CUnitFunction* origin = environment.registry ? environment.registry->origin : nullptr;
    if (items.PathsNeeded()) {
        CInspectionProgress::MajorProgress(3, QStringLiteral("論理記述を展開しています。"));
        std::vector<InspectionParserLine> lines;
        if (origin)
            CollectLogicLinesExpanded(*origin, environment, lines);
        PollInspectionAbort();
        CInspectionProgress::MajorProgress(4, QStringLiteral("構文木を作成しています。"));
        CInspectionParser parser(std::move(lines), environment, true);
        const InspectionParserSequencePtr top = parser.Parse();
        PollInspectionAbort();
        CInspectionProgress::MajorProgress(5, QStringLiteral("パスを作成しています。"));
        InspectionResultSet results(pane, environment);
        CreatePathsOfAllUnitFunctions(results, top);
        PollInspectionAbort();
        CInspectionProgress::MajorProgress(6, QStringLiteral("パス内の検査を行っています。"));
        CheckWithinPaths(results, environment, items.redundancy, items.inconsistency, items.semantic);
        PollInspectionAbort();
        CInspectionProgress::MajorProgress(7, QStringLiteral("パス間の検査を行っています。"));
        CheckBetweenPaths(results, items.redundancy, items.inconsistency);
        PollInspectionAbort();
        CInspectionProgress::MajorProgress(8, QStringLiteral("検査結果を集計しています。"));
        pathCount = static_cast<quint32>(results.paths.size());
        PollInspectionAbort();
        redundancyCount = results.findings.CountRedundancyFindings();
        PollInspectionAbort();
        inconsistencyCount = results.findings.CountInconsistencyFindings();
        PollInspectionAbort();
        semanticCount = results.findings.CountSemanticRelationFindings();
        PollInspectionAbort();
    }
    pane.AddMessageWithoutTarget(QString());
    if (items.PathsNeeded())
        pane.AddMessageWithoutTarget(kPathsLabel + Count(pathCount));
    if (items.syntax)
        pane.AddMessageWithoutTarget(kSyntaxLabel + Count(syntaxCount));
    if (items.redundancy)
        pane.AddMessageWithoutTarget(kRedundancyLabel + Count(redundancyCount));
    if (items.inconsistency)
        pane.AddMessageWithoutTarget(kInconsistencyLabel + Count(inconsistencyCount));
    if (items.semantic)
        pane.AddMessageWithoutTarget(kSemanticLabel + Count(semanticCount));
    pane.AddMessageWithoutTarget(QString());
    if (!items.name.isEmpty())
        pane.AddMessageWithoutTarget(QStringLiteral("=== 全体検査（") + items.name + QStringLiteral("）終了 ==="));
    CInspectionProgress::MajorProgress(9, QString());
    PollInspectionAbort();
}

void StartWholeInspection(int command, CInspectionView& pane, const InspectionEnvironment& environment) {
    abortRequested.store(false);
    inspectionRunning.store(true);
    try {
        InspectAllUnitFunctions(command, pane, environment);
    } catch (const CInspectionProgressExceptionAbort&) {
        pane.AddMessageWithoutTarget(QStringLiteral("中断されました。"));
    } catch (const std::exception& error) {
        // The worker thread must end in every case; say why the run stopped instead of leaving it half written.
        pane.AddMessageWithoutTarget(QStringLiteral("検査中にエラーが発生したため、検査を終了しました。(") +
                                     QString::fromLocal8Bit(error.what()) + QStringLiteral(")"));
    } catch (...) {
        pane.AddMessageWithoutTarget(QStringLiteral("検査中にエラーが発生したため、検査を終了しました。"));
    }
    inspectionRunning.store(false);
    abortRequested.store(false);
}
