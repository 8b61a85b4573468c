#include "logic/InspectionRun.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionPathCreation.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionProgressExceptionAbort.h"
#include "logic/InspectionView.h"
#include "logic/JumperToFunction.h"
#include "logic/PathChecks.h"
#include "model/LogicNesting.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

QString Count(quint32 value) {
    return QStringLiteral("%1").arg(value, 9, 10, QChar('0'));
}

UnitFunctionList FunctionsInOutlineOrder(const InspectionEnvironment& environment) {
    return environment.registry ? environment.registry->InOutlineOrder(environment.distinguishPrimaryOutlineNumber)
                                : UnitFunctionList();
}

struct CommandItems {
    bool reason = false;
    bool syntax = false;
    bool redundancy = false;
    bool inconsistency = false;
    bool semantic = false;
    QString begin; // the header and footer of the whole-document run
    QString end;
    bool PathsNeeded() const { return redundancy || inconsistency || semantic; }
};

CommandItems ItemsOf(int command) {
    switch (command) {
    case CommandInspectAll:
        return {true,
                true,
                true,
                true,
                true,
                LoadString(StringId::WholeInspectionAllBegin),
                LoadString(StringId::WholeInspectionAllEnd)};
    case CommandInspectSyntax:
        return {false,
                true,
                false,
                false,
                false,
                LoadString(StringId::WholeInspectionSyntaxBegin),
                LoadString(StringId::WholeInspectionSyntaxEnd)};
    case CommandInspectRedundancy:
        return {false,
                false,
                true,
                false,
                true,
                LoadString(StringId::WholeInspectionRedundancyBegin),
                LoadString(StringId::WholeInspectionRedundancyEnd)};
    case CommandInspectInconsistency:
        return {false,
                false,
                false,
                true,
                true,
                LoadString(StringId::WholeInspectionInconsistencyBegin),
                LoadString(StringId::WholeInspectionInconsistencyEnd)};
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

namespace {

// Room for one more line. A call tree that calls the same unit functions over and over expands into a list that
// grows without bound; a move of the list into a block twice as large takes seconds once it is large, so it goes
// a slice at a time with an abort poll after each, and Cancel stops the growth at once. The parser numbers lines
// with 32-bit integers: a list beyond that is refused.
void ReserveOneMoreLine(std::vector<InspectionParserLine>& lines, const InspectionEnvironment& environment) {
    if (lines.size() < lines.capacity())
        return;
    if (lines.size() >= static_cast<size_t>(std::numeric_limits<qint32>::max()))
        throw std::bad_alloc();
    constexpr size_t kSlice = size_t(1) << 20;
    std::vector<InspectionParserLine> larger;
    larger.reserve(
        std::min(std::max<size_t>(2 * lines.size(), 1024), static_cast<size_t>(std::numeric_limits<qint32>::max())));
    for (size_t from = 0; from < lines.size(); from += kSlice) {
        const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(from);
        larger.insert(larger.end(), begin, begin + static_cast<std::ptrdiff_t>(std::min(kSlice, lines.size() - from)));
        environment.PollAbort();
    }
    lines.swap(larger);
}

} // namespace

void CollectLogicLinesExpanded(const CUnitFunction& function, const InspectionEnvironment& environment,
                               std::vector<InspectionParserLine>& lines) {
    // An explicit stack: call chains in a document can be longer than the thread's stack is deep.
    struct Frame {
        const CUnitFunction* function;
        size_t next;
        qint32 place; // in byId, or -1
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
    // The place in byId, or -1.
    const auto find = [&byId](quint32 id) -> qint32 {
        const auto found = std::lower_bound(byId.begin(), byId.end(), id,
                                            [](const auto& entry, quint32 key) { return entry.first < key; });
        return found != byId.end() && found->first == id ? static_cast<qint32>(found - byId.begin()) : -1;
    };
    // The unit functions being expanded, by place in byId: a flag each instead of a tree of them.
    std::vector<char> active(byId.size(), 0);
    qint32 start = find(function.InternalID);
    if (start >= 0 && byId[start].second != &function)
        start = -1;
    // The reader asks for each line some way ahead; the first lines of a unit function it enters are asked for
    // together, or each of them would be waited for alone.
    constexpr size_t kAhead = 8;
    const auto enter = [&](std::vector<Frame>& stack, const CUnitFunction* entered, qint32 place) {
        const size_t first = std::min(kAhead, entered->logicLines.size());
        for (size_t i = 0; i < first; ++i)
            if (entered->logicLines[i])
                PrefetchLogicLine(entered->logicLines[i].get());
        if (place >= 0)
            active[place] = 1;
        stack.push_back({entered, 0, place});
    };
    std::vector<Frame> stack;
    enter(stack, &function, start);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.function->logicLines.size()) {
            if (frame.place >= 0)
                active[frame.place] = 0;
            stack.pop_back();
            environment.PollAbort();
            continue;
        }
        const size_t index = frame.next++;
        if (index + kAhead < frame.function->logicLines.size())
            PrefetchLogicLine(frame.function->logicLines[index + kAhead].get());
        const CLogicLine* line = frame.function->logicLines[index].get();
        ReserveOneMoreLine(lines, environment);
        lines.push_back({line, frame.function, static_cast<qint32>(index), line->lineKind});
        if (line->lineKind != SyntaxFn)
            continue;
        const qint32 place = find(line->calledInternalID);
        if (place < 0)
            continue;
        const CUnitFunction* called = byId[place].second;
        lines.back().calledFunction = called;
        if (!active[place])
            enter(stack, called, place);
    }
}

bool RefuseFnCycle(const CUnitFunctionRegistry& registry) {
    if (!registry.origin || !registry.HasFnCycle(registry.origin))
        return false;
    platform::ShowMessageBox(LoadString(StringId::FnCycle), platform::MessageButtons::Ok, platform::MessageIcon::Error);
    return true;
}

namespace {

void InspectReasonsOf(const UnitFunctionList& functions, CInspectionView& pane,
                      const InspectionEnvironment& environment) {
    pane.AddMessageWithoutTarget(LoadString(StringId::ReasonInspectionBegin));
    pane.AddMessageWithoutTarget(QString());
    quint32 count = 0;
    for (size_t i = 0; i < functions.size(); ++i) {
        environment.MinorProgress(static_cast<unsigned>(i + 1), static_cast<unsigned>(functions.size()));
        const CUnitFunction& function = *functions[i];
        if (function.header.Reasoning.isEmpty() && function.header.UnNecessaryReasoning != 1) {
            const QString place = function.places.empty() ? QStringLiteral("+%1").arg(function.serialNumber)
                                                          : function.JoinOutlineNumbers();
            pane.AddMessage(QStringLiteral("[") + place + QStringLiteral("] ") + function.name,
                            std::make_unique<CJumperToFunction>(static_cast<qint32>(function.InternalID)));
            ++count;
        }
        environment.PollAbort();
    }
    if (count != 0) {
        pane.AddMessageWithoutTarget(LoadString(StringId::NoReasonGiven));
        pane.AddMessageWithoutTarget(LoadString(StringId::GiveReasonOrOmit));
    }
    pane.AddMessageWithoutTarget(LoadString(StringId::ReasonTotal) + Count(count));
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(LoadString(StringId::ReasonInspectionEnd));
}

void SyntaxCheckUnitFunctions(const UnitFunctionList& functions, CInspectionView& pane, quint32& counter,
                              const InspectionEnvironment& environment) {
    for (size_t i = 0; i < functions.size(); ++i) {
        environment.MinorProgress(static_cast<unsigned>(i + 1), static_cast<unsigned>(functions.size()));
        SyntaxCheckUnitFunction(*functions[i], pane, counter, environment);
        environment.PollAbort();
    }
}

} // namespace

void InspectReasons(CInspectionView& pane, const InspectionEnvironment& environment) {
    InspectReasonsOf(FunctionsInOutlineOrder(environment), pane, environment);
}

void SyntaxCheckUnitFunction(const CUnitFunction& function, CInspectionView& pane, quint32& counter,
                             const InspectionEnvironment& environment) {
    // Only a finding needs the place.
    const auto place = [&] {
        return QStringLiteral("[") + environment.OutlineNumberText(function) + QStringLiteral("] ");
    };
    const auto jumper = [&function] {
        return std::make_unique<CJumperToFunction>(static_cast<qint32>(function.InternalID));
    };
    if (function.name.isEmpty()) {
        pane.AddMessage(place() + LoadString(StringId::EmptyFunctionName), jumper());
        ++counter;
    }
    std::vector<InspectionParserLine> lines;
    CollectLogicLines(function, lines);
    CInspectionParser parser(std::move(lines), environment);
    parser.SetMakeRecords(false);
    const InspectionParserSequencePtr top = parser.Parse();
    // Any depth counts: a Do inside a block is a Do of the unit function all the same.
    if (!top->HoldsDoOrFn()) {
        pane.AddMessage(place() + LoadString(StringId::NoDoOrFnInFunction), jumper());
        ++counter;
    }
    for (const qint32 position : parser.StrayPositions()) {
        const CLogicLine* line = parser.Lines()[position].line;
        const QString text = line ? environment.GetSymbol(line->lineKind) : QString();
        WriteTargetLine(pane, environment, &function, position, text + LoadString(StringId::UnmatchedStatement));
        ++counter;
    }
    top->CheckSyntax(pane, counter);
}

void SyntaxCheckAllUnitFunctions(CInspectionView& pane, quint32& counter, const InspectionEnvironment& environment) {
    SyntaxCheckUnitFunctions(FunctionsInOutlineOrder(environment), pane, counter, environment);
}

namespace {

void InspectCurrentUnitFunctionItems(const CUnitFunction& function, CInspectionView& pane,
                                     const InspectionEnvironment& environment) {
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
    pane.AddMessageWithoutTarget(LoadString(StringId::PathsTotal) + Count(static_cast<quint32>(results.paths.size())));
    pane.AddMessageWithoutTarget(LoadString(StringId::SyntaxTotal) + Count(syntaxCount));
    pane.AddMessageWithoutTarget(LoadString(StringId::RedundancyTotal) +
                                 Count(results.findings.CountRedundancyFindings()));
    pane.AddMessageWithoutTarget(LoadString(StringId::InconsistencyTotal) +
                                 Count(results.findings.CountInconsistencyFindings()));
    pane.AddMessageWithoutTarget(LoadString(StringId::SemanticRelationTotal) +
                                 Count(results.findings.CountSemanticRelationFindings()));
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(LoadString(StringId::CurrentInspectionEnd));
}

// The closing line of a run that an exception ended.
void WriteRunFailure(CInspectionView& pane) {
    const QString reason = RunFailureReason();
    pane.AddMessageWithoutTarget(reason.isEmpty() ? LoadString(StringId::InspectionFailed)
                                                  : LoadString(StringId::InspectionFailedBecause).arg(reason));
}

} // namespace

bool InspectCurrentUnitFunction(const CUnitFunction& function, CInspectionView& pane,
                                const InspectionEnvironment& environment) {
    pane.ClearMessages();
    pane.AddMessageWithoutTarget(LoadString(StringId::CurrentInspectionBegin));
    // The run happens on the window's own thread: whatever stops it must leave the window and its document.
    try {
        InspectCurrentUnitFunctionItems(function, pane, environment);
    } catch (...) {
        WriteRunFailure(pane);
        return false;
    }
    return true;
}

void InspectAllUnitFunctions(int command, CInspectionView& pane, const InspectionEnvironment& environment) {
    pane.ClearMessages();
    environment.MajorProgress(0, LoadString(StringId::InspectionStarted));
    const CommandItems items = ItemsOf(command);
    // Both the reason check and the syntax check go through the unit functions in outline order.
    const UnitFunctionList functions =
        items.reason || items.syntax ? FunctionsInOutlineOrder(environment) : UnitFunctionList();
    if (!items.begin.isEmpty())
        pane.AddMessageWithoutTarget(items.begin);
    if (items.reason) {
        environment.MajorProgress(1, LoadString(StringId::InspectingReasons));
        InspectReasonsOf(functions, pane, environment);
    }
    environment.PollAbort();
    quint32 syntaxCount = 0;
    if (items.syntax) {
        environment.MajorProgress(2, LoadString(StringId::InspectingSyntax));
        pane.AddMessageWithoutTarget(QString());
        SyntaxCheckUnitFunctions(functions, pane, syntaxCount, environment);
        environment.PollAbort();
    }
    quint32 pathCount = 0;
    quint32 redundancyCount = 0;
    quint32 inconsistencyCount = 0;
    quint32 semanticCount = 0;
    const CUnitFunction* origin = environment.registry ? environment.registry->origin : nullptr;
    if (items.PathsNeeded()) {
        environment.MajorProgress(3, LoadString(StringId::ExpandingLogic));
        std::vector<InspectionParserLine> lines;
        if (origin)
            CollectLogicLinesExpanded(*origin, environment, lines);
        environment.PollAbort();
        environment.MajorProgress(4, LoadString(StringId::BuildingSyntaxTree));
        CInspectionParser parser(std::move(lines), environment, true);
        const InspectionParserSequencePtr top = parser.Parse();
        environment.PollAbort();
        environment.MajorProgress(5, LoadString(StringId::CreatingPaths));
        InspectionResultSet results(pane, environment);
        CreatePathsOfAllUnitFunctions(results, top);
        environment.PollAbort();
        environment.MajorProgress(6, LoadString(StringId::CheckingWithinPaths));
        CheckWithinPaths(results, environment, items.redundancy, items.inconsistency, items.semantic);
        environment.PollAbort();
        environment.MajorProgress(7, LoadString(StringId::CheckingBetweenPaths));
        CheckBetweenPaths(results, items.redundancy, items.inconsistency);
        environment.PollAbort();
        environment.MajorProgress(8, LoadString(StringId::CountingResults));
        pathCount = static_cast<quint32>(results.paths.size());
        environment.PollAbort();
        redundancyCount = results.findings.CountRedundancyFindings();
        environment.PollAbort();
        inconsistencyCount = results.findings.CountInconsistencyFindings();
        environment.PollAbort();
        semanticCount = results.findings.CountSemanticRelationFindings();
        environment.PollAbort();
    }
    pane.AddMessageWithoutTarget(QString());
    if (items.PathsNeeded())
        pane.AddMessageWithoutTarget(LoadString(StringId::PathsTotal) + Count(pathCount));
    if (items.syntax)
        pane.AddMessageWithoutTarget(LoadString(StringId::SyntaxTotal) + Count(syntaxCount));
    if (items.redundancy)
        pane.AddMessageWithoutTarget(LoadString(StringId::RedundancyTotal) + Count(redundancyCount));
    if (items.inconsistency)
        pane.AddMessageWithoutTarget(LoadString(StringId::InconsistencyTotal) + Count(inconsistencyCount));
    if (items.semantic)
        pane.AddMessageWithoutTarget(LoadString(StringId::SemanticRelationTotal) + Count(semanticCount));
    pane.AddMessageWithoutTarget(QString());
    if (!items.end.isEmpty())
        pane.AddMessageWithoutTarget(items.end);
    environment.MajorProgress(9, QString());
    environment.PollAbort();
}

bool StartWholeInspection(int command, CInspectionView& pane, const InspectionEnvironment& environment,
                          CInspectionProgress& run) {
    InspectionEnvironment ofRun = environment;
    ofRun.run = &run;
    try {
        InspectAllUnitFunctions(command, pane, ofRun);
    } catch (const CInspectionProgressExceptionAbort&) {
        pane.AddMessageWithoutTarget(LoadString(StringId::InspectionAborted));
    } catch (...) {
        // The worker thread must end in every case; say why the run stopped instead of leaving it half written.
        WriteRunFailure(pane);
        return false;
    }
    return true;
}
