// Editing and file costs of a long chart: 10 000 notes, the size of a long DOUBLE chart.

#include "chart/StepDocument.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/AddNoteCommand.h"

#include <benchmark/benchmark.h>

using namespace zelvane;

namespace {

constexpr int kNotes = 10000;

// Notes spread like a real chart: sixteenths on changing panels, some freezes.
CNote NoteNumber(int i)
{
    return CNote{i * 12, (i * 5) % 8, i % 16 == 0 ? 48 : 0};
}

void FillDocument(CStepDocument& document)
{
    document.NewDocument();
    CScore* score = document.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
    for (int i = 0; i < kNotes; ++i)
        score->InsertNote(std::make_unique<CNote>(NoteNumber(i)));
    score->UpdateLength(0);
}

// One command per note, as clicking them in one by one does, then every one undone.
void BM_AddAndUndoNotes(benchmark::State& state)
{
    for (auto _ : state) {
        CStepDocument document;
        document.NewDocument();
        CScore* score = document.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
        for (int i = 0; i < kNotes; ++i) {
            auto command = std::make_unique<CAddNoteCommand>(score, "追加");
            command->AddNote(std::make_unique<CNote>(NoteNumber(i)));
            document.Execute(std::move(command), nullptr);
        }
        while (document.CanUndo())
            document.Undo();
        benchmark::DoNotOptimize(score->notes().size());
    }
    state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(BM_AddAndUndoNotes)->Unit(benchmark::kMillisecond);

void BM_WriteZlvm(benchmark::State& state)
{
    CStepDocument document;
    FillDocument(document);
    for (auto _ : state) {
        auto bytes = WriteZlvm(CaptureZlvm(document));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(BM_WriteZlvm)->Unit(benchmark::kMicrosecond);

void BM_ReadZlvm(benchmark::State& state)
{
    CStepDocument document;
    FillDocument(document);
    const auto bytes = WriteZlvm(CaptureZlvm(document));
    for (auto _ : state) {
        CStepDocument loaded;
        loaded.Load(ReadZlvm(bytes));
        benchmark::DoNotOptimize(loaded.scores().size());
    }
    state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(BM_ReadZlvm)->Unit(benchmark::kMicrosecond);

} // namespace
