// Editing a logic description of 1,000 and 10,000 lines: typing one character into a slot, and inserting an
// if block after the caret and undoing it. A keystroke must cost the same at both sizes.

#include "editor/LogicEditModel.h"
#include "model/DocumentData.h"

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(TypeCharacter)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(InsertIfAndUndo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
