// Editing a logic description of 1,000 and 10,000 lines: typing one character into a slot, and inserting an
// if block after the caret and undoing it. A keystroke must cost the same at both sizes.
//
// Then the line commands at N and 2N, in turns in one process (the order alternating), each on a fresh copy of
// its description made beforehand: pasting N lines after the first of N lines, deleting the first half of N
// lines, pasting N Fn lines of new names, deleting N Fn lines that are the only calls of their unit functions,
// and pasting 1,000 Fn lines into documents of N unit functions; the undo of a paste of N lines after the first
// of N lines and of the deletion of the first half of N lines, and a paste of N lines refused for an if without
// its endif; deleting every Fn line of a unit function that calls each of N unit functions twice, and pasting a
// copy of the N Fn lines of one that calls each of N once. Each reports the 2N / N ratio of the time and of the
// peak memory above what was resident before the command, as median, min and max (target: at most 2.2), with
// the median times and peaks of both sizes. Last, 70 pastes of 999 lines at the top, one after the other.

#include "editor/LogicEditModel.h"
#include "editor/LogicLineBlock.h"
#include "model/DocumentData.h"

#include "ResidentMemory.h"
#include "Turns.h"

#include <malloc.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Description {
    explicit Description(int lines) {
        document.SetDefaults();
        CLogicEditModel builder(document, *document.registry.origin, clipboard);
        for (int i = 0; i < lines; ++i) {
            builder.SetCaret(builder.RecordCount(), 0);
            builder.OnAddDoAtCurrent();
        }
    }
    CDocumentData document;
    CProcessClipboard clipboard;
};

void TypeCharacter(benchmark::State& state) {
    Description description(static_cast<int>(state.range(0)));
    CLogicEditModel model(description.document, *description.document.registry.origin, description.clipboard);
    const int line = model.RecordCount() / 2;
    int typed = 0;
    for (auto _ : state) {
        if (typed++ % 32 == 0) {
            state.PauseTiming();
            // A new typing run over the slot, so that it never reaches its limit.
            model.PressKey(EditKey::Down);
            const CLogicLine& record = *model.Record(line);
            model.Select(line, record.Home, line, record.Home + static_cast<int>(record.textSlots[0].text.size()));
            model.TypeCharacter(QChar('a'));
            state.ResumeTiming();
        }
        model.TypeCharacter(QChar('a'));
    }
}

void InsertIfAndUndo(benchmark::State& state) {
    Description description(static_cast<int>(state.range(0)));
    CLogicEditModel model(description.document, *description.document.registry.origin, description.clipboard);
    const int line = model.RecordCount() / 2;
    for (auto _ : state) {
        model.SetCaret(line, 0);
        model.OnAddIfAfter();
        model.UndoLastEdit();
    }
}

// ---- line commands at N and 2N ----

// A document whose origin holds `lines` Do lines ("Do <m>{s}"), made from one record, and `functions` unit
// functions below it in a tree of eight children each, every unit function calling its children by Fn lines in
// their order (the origin after its Do lines).
struct EditedDocument {
    EditedDocument(int lines, int functions) {
        document.SetDefaults();
        const ModelOptions options = document.GetModelOptions();
        CUnitFunction& origin = *document.registry.origin;
        {
            CLogicEditModel builder(document, origin, clipboard);
            builder.OnAddDoAtCurrent();
            for (QChar c : QStringLiteral("m"))
                builder.TypeCharacter(c);
        }
        const CLogicLine model = *origin.logicLines.front();
        origin.logicLines.clear();
        origin.logicLines.reserve(static_cast<size_t>(lines));
        for (int i = 0; i < lines; ++i)
            origin.logicLines.push_back(std::make_unique<CLogicLine>(model));
        std::vector<CUnitFunction*> made;
        for (int i = 0; i < functions; ++i) {
            CUnitFunction* function = document.registry.CreateFunction(QStringLiteral("F%1").arg(i), options);
            if (!made.empty()) {
                CUnitFunction* parent = made[static_cast<size_t>((made.size() - 1) / 8)];
                CUnitFunction::AppendChild(parent, function);
                parent->InsertFnStatement(static_cast<int>(parent->logicLines.size()), *function, 0, options);
            } else {
                CUnitFunction::AppendChild(&origin, function);
                origin.InsertFnStatement(lines, *function, 0, options);
            }
            made.push_back(function);
        }
        document.registry.RebuildAndNotify(document.indexRoot, options);
    }
    CDocumentData document;
    CProcessClipboard clipboard;
};

// A clipboard block of `count` Fn lines naming new unit functions ("P0", "P1", ...), copied from a scratch
// document.
QByteArray FnLineBlock(int count) {
    EditedDocument scratch(0, 0);
    CUnitFunction& origin = *scratch.document.registry.origin;
    const ModelOptions options = scratch.document.GetModelOptions();
    for (int i = 0; i < count; ++i) {
        CUnitFunction* called = scratch.document.registry.CreateFunction(QStringLiteral("P%1").arg(i), options);
        origin.InsertFnStatement(i, *called, 0, options);
    }
    scratch.document.registry.RebuildAndNotify(scratch.document.indexRoot, options);
    CLogicEditModel model(scratch.document, origin, scratch.clipboard);
    model.Select(0, 0, count, 0);
    model.OnEditCopy();
    return scratch.clipboard.LineBlock();
}

// One command measured: the document is made before, untimed; the peak memory is what the command took above
// what was resident when it began.
struct Measured {
    double seconds = 0;
    double megabytes = 0;
};

using Command = std::function<void(EditedDocument&, CLogicEditModel&)>;

// With a preparation, it runs on the model untimed before the command.
Measured Measure(const std::function<std::unique_ptr<EditedDocument>()>& make, const Command& command,
                 const Command& prepare) {
    std::unique_ptr<EditedDocument> edited = make();
    CLogicEditModel model(edited->document, *edited->document.registry.origin, edited->clipboard);
    if (prepare)
        prepare(*edited, model);
    malloc_trim(0);
    const double before = ResidentMegabytesAndReset().first;
    Measured measured;
    measured.seconds = Seconds([&] { command(*edited, model); });
    measured.megabytes = std::max(0.01, ResidentMegabytesAndReset().second - before);
    return measured;
}

void Report(benchmark::State& state, const std::vector<Measured>& small, const std::vector<Measured>& large) {
    std::vector<double> timeRatios;
    std::vector<double> memoryRatios;
    std::vector<double> smallMs;
    std::vector<double> largeMs;
    std::vector<double> smallMB;
    std::vector<double> largeMB;
    for (size_t i = 0; i < small.size(); ++i) {
        timeRatios.push_back(large[i].seconds / small[i].seconds);
        memoryRatios.push_back(large[i].megabytes / small[i].megabytes);
        smallMs.push_back(1000 * small[i].seconds);
        largeMs.push_back(1000 * large[i].seconds);
        smallMB.push_back(small[i].megabytes);
        largeMB.push_back(large[i].megabytes);
    }
    const auto put = [&state](const std::string& name, const std::vector<double>& values) {
        state.counters[name] = Median(values);
        state.counters[name + "Min"] = *std::ranges::min_element(values);
        state.counters[name + "Max"] = *std::ranges::max_element(values);
    };
    put("timeRatio", timeRatios);
    put("memRatio", memoryRatios);
    state.counters["smallMs"] = Median(smallMs);
    state.counters["largeMs"] = Median(largeMs);
    state.counters["smallMB"] = Median(smallMB);
    state.counters["largeMB"] = Median(largeMB);
}

// The command on documents made for n and 2n, in turns.
void MeasureRatio(benchmark::State& state, const std::function<std::unique_ptr<EditedDocument>(int)>& make,
                  const std::function<Command(int)>& command, const Command& prepare = {}) {
    const int n = static_cast<int>(state.range(0));
    const Command onSmall = command(n);
    const Command onLarge = command(2 * n);
    std::vector<Measured> small;
    std::vector<Measured> large;
    for (auto _ : state) {
        const auto smallRun = [&] { small.push_back(Measure([&] { return make(n); }, onSmall, prepare)); };
        const auto largeRun = [&] { large.push_back(Measure([&] { return make(2 * n); }, onLarge, prepare)); };
        if (small.size() % 2 == 0) {
            smallRun();
            largeRun();
        } else {
            largeRun();
            smallRun();
        }
    }
    Report(state, small, large);
}

std::unique_ptr<EditedDocument> LinesOnly(int lines) {
    return std::make_unique<EditedDocument>(lines, 0);
}

// Pasting n lines after the first of n lines.
void BM_PasteLinesAtTopRatio(benchmark::State& state) {
    MeasureRatio(state, LinesOnly, [](int) {
        return [](EditedDocument& edited, CLogicEditModel& model) {
            model.Select(0, 0, model.RecordCount(), 0);
            model.OnEditCopy();
            model.SetCaret(0, 0);
            model.OnEditPasteLines();
            benchmark::DoNotOptimize(edited.document.registry.origin->logicLines.size());
        };
    });
}

// Deleting the first half of n lines.
void BM_DeleteFirstHalfRatio(benchmark::State& state) {
    MeasureRatio(state, LinesOnly, [](int) {
        return [](EditedDocument&, CLogicEditModel& model) {
            model.Select(0, 0, model.RecordCount() / 2, 0);
            model.OnDeleteSelection();
        };
    });
}

// Pasting n Fn lines of new names into the origin, which has one line.
void BM_PasteFnLinesRatio(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray smallBlock = FnLineBlock(n);
    const QByteArray largeBlock = FnLineBlock(2 * n);
    MeasureRatio(
        state, [](int) { return LinesOnly(1); },
        [&](int count) -> Command {
            const QByteArray& block = count == n ? smallBlock : largeBlock;
            return [&block](EditedDocument& edited, CLogicEditModel& model) {
                edited.clipboard.SetContent(QString(), block);
                model.SetCaret(0, 0);
                model.OnEditPasteLines();
            };
        });
}

// Deleting every line of a unit function that calls its n children, each only there: they lose their places.
void BM_DeleteFnLinesRatio(benchmark::State& state) {
    MeasureRatio(
        state,
        [](int count) {
            auto edited = LinesOnly(0);
            const ModelOptions options = edited->document.GetModelOptions();
            CUnitFunction& origin = *edited->document.registry.origin;
            for (int i = 0; i < count; ++i) {
                CUnitFunction* called = edited->document.registry.CreateFunction(QStringLiteral("C%1").arg(i), options);
                CUnitFunction::AppendChild(&origin, called);
                origin.InsertFnStatement(i, *called, 0, options);
            }
            edited->document.registry.RebuildAndNotify(edited->document.indexRoot, options);
            return edited;
        },
        [](int) {
            return [](EditedDocument&, CLogicEditModel& model) {
                model.Select(0, 0, model.RecordCount(), 0);
                model.OnDeleteSelection();
            };
        });
}

// Pasting 1,000 Fn lines of new names into the origin of a document of n unit functions.
void BM_PasteFnLinesIntoDocumentRatio(benchmark::State& state) {
    const QByteArray block = FnLineBlock(1000);
    MeasureRatio(
        state, [](int functions) { return std::make_unique<EditedDocument>(1, functions); },
        [&block](int) {
            return [&block](EditedDocument& edited, CLogicEditModel& model) {
                edited.clipboard.SetContent(QString(), block);
                model.SetCaret(0, 0);
                model.OnEditPasteLines();
            };
        });
}

void PasteAllAfterTheFirst(EditedDocument&, CLogicEditModel& model) {
    model.Select(0, 0, model.RecordCount(), 0);
    model.OnEditCopy();
    model.SetCaret(0, 0);
    model.OnEditPasteLines();
}

void Undo(EditedDocument&, CLogicEditModel& model) {
    model.UndoLastEdit();
}

// The undo of pasting n lines after the first of n lines.
void BM_UndoPasteLinesRatio(benchmark::State& state) {
    MeasureRatio(
        state, LinesOnly, [](int) { return Undo; }, PasteAllAfterTheFirst);
}

// The undo of deleting the first half of n lines.
void BM_UndoDeleteFirstHalfRatio(benchmark::State& state) {
    MeasureRatio(
        state, LinesOnly, [](int) { return Undo; },
        [](EditedDocument&, CLogicEditModel& model) {
            model.Select(0, 0, model.RecordCount() / 2, 0);
            model.OnDeleteSelection();
        });
}

// Pasting n lines after the first of n lines, an if without its endif among them: the paste is taken back.
void BM_RefusedPasteRatio(benchmark::State& state) {
    const auto block = [](int count) {
        EditedDocument scratch(1, 0);
        CLogicEditModel model(scratch.document, *scratch.document.registry.origin, scratch.clipboard);
        CLogicLine ifLine;
        model.InitLineRecord(ifLine, SyntaxIf, 0);
        std::vector<const CLogicLine*> lines(static_cast<size_t>(count), model.Record(0));
        lines[static_cast<size_t>(count / 2)] = &ifLine;
        return LogicLineBlock::Encode(lines);
    };
    const int n = static_cast<int>(state.range(0));
    const QByteArray smallBlock = block(n);
    const QByteArray largeBlock = block(2 * n);
    MeasureRatio(state, LinesOnly, [&](int count) -> Command {
        const QByteArray& pasted = count == n ? smallBlock : largeBlock;
        return [&pasted, &state, count](EditedDocument& edited, CLogicEditModel& model) {
            edited.clipboard.SetContent(QString(), pasted);
            model.SetCaret(0, 0);
            model.OnEditPasteLines();
            if (model.RecordCount() != count)
                state.SkipWithError("the paste was not refused");
        };
    });
}

// An origin that calls each of `functions` unit functions, listed once each as its children, by Fn lines: in
// their order, and then (when twice) in their order again.
std::unique_ptr<EditedDocument> CallingEach(int functions, bool twice) {
    auto edited = LinesOnly(0);
    const ModelOptions options = edited->document.GetModelOptions();
    CUnitFunction& origin = *edited->document.registry.origin;
    std::vector<CUnitFunction*> called;
    for (int i = 0; i < functions; ++i) {
        called.push_back(edited->document.registry.CreateFunction(QStringLiteral("C%1").arg(i), options));
        CUnitFunction::AppendChild(&origin, called.back());
    }
    for (int round = twice ? 2 : 1; round > 0; --round) {
        for (CUnitFunction* function : called)
            origin.InsertFnStatement(static_cast<int>(origin.logicLines.size()), *function, 0, options);
    }
    edited->document.registry.RebuildAndNotify(edited->document.indexRoot, options);
    return edited;
}

// Deleting every Fn line of an origin that calls each of n unit functions twice.
void BM_DeleteFnLinesCalledTwiceRatio(benchmark::State& state) {
    MeasureRatio(
        state, [](int functions) { return CallingEach(functions, true); },
        [](int) {
            return [](EditedDocument&, CLogicEditModel& model) {
                model.Select(0, 0, model.RecordCount(), 0);
                model.OnDeleteSelection();
            };
        });
}

// Pasting a copy of the n Fn lines of an origin that calls each of n unit functions once, after its last line:
// each is then called twice.
void BM_PasteFnLinesCalledTwiceRatio(benchmark::State& state) {
    MeasureRatio(
        state, [](int functions) { return CallingEach(functions, false); },
        [](int) {
            return [](EditedDocument&, CLogicEditModel& model) {
                model.SetCaret(model.RecordCount() - 1, 0);
                model.OnEditPasteLines();
            };
        },
        [](EditedDocument&, CLogicEditModel& model) {
            model.Select(0, 0, model.RecordCount(), 0);
            model.OnEditCopy();
        });
}

// 70 pastes of 999 lines, each after the first line.
void BM_RepeatedPastesAtTop(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto edited = LinesOnly(999);
        CLogicEditModel model(edited->document, *edited->document.registry.origin, edited->clipboard);
        model.Select(0, 0, model.RecordCount(), 0);
        model.OnEditCopy();
        state.ResumeTiming();
        for (int i = 0; i < state.range(0); ++i) {
            model.SetCaret(0, 0);
            model.OnEditPasteLines();
        }
        benchmark::DoNotOptimize(model.RecordCount());
    }
}

} // namespace

BENCHMARK(TypeCharacter)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(InsertIfAndUndo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteLinesAtTopRatio)->Arg(16000)->Iterations(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstHalfRatio)->Arg(32000)->Iterations(31)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteFnLinesRatio)->Arg(16000)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFnLinesRatio)->Arg(16000)->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteFnLinesIntoDocumentRatio)->Arg(10000)->Iterations(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoPasteLinesRatio)->Arg(16000)->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteFirstHalfRatio)->Arg(32000)->Iterations(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefusedPasteRatio)->Arg(10000)->Iterations(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFnLinesCalledTwiceRatio)->Arg(10000)->Iterations(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteFnLinesCalledTwiceRatio)->Arg(10000)->Iterations(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedPastesAtTop)->Arg(70)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
