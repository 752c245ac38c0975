// Memory the undo history holds per step, with 99 steps allowed: placing and removing an IC of
// 7 M level cells (seven 1000 x 1000 ICs in one, a few KB of files) 40 times, and deleting 50
// small areas, one gate each, of a 1000 x 1000 sheet with 31,684 gates. The time is per cycle or
// per deletion; the bytes per step, taken after the timed loop, are the heap the history holds
// divided by its steps. Goal: at most 1 MB per step.
#include "app/settings.h"
#include "bench_support.h"
#include "editor/area_select.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <string>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

constexpr double kGoalBytesPerStep = 1 << 20;

// Writes "big1000" (one inverter on a 1000 x 1000 grid) and "big7" (seven big1000) into the IC
// folder.
void WriteBigICs() {
    test::FreshSheet(1000, 1000);
    Require(test::PlaceInverter(3, 2, kRight) != 0, "inverter");
    test::LayWire(1, 2, 3, 2);
    test::LayWire(4, 2, 6, 2);
    test::WriteICDefinition(gVerzeichnisse[1], "big1000", {{"E", 1, 2, 0, 1}, {"A", 6, 2, 2, 1}}, 2,
                            2);
    test::FreshSheet(40, 8);
    for (int i = 0; i < 7; ++i)
        Require(test::PlaceIC("big1000", 2 + 5 * i, 2) != 0, "big1000 placed");
    test::LayWire(1, 6, 3, 6);
    test::WriteICDefinition(gVerzeichnisse[1], "big7", {{"E", 1, 6, 0, 1}}, 2, 2);
}

// Heap the history holds, per step: in use now less in use once the history is emptied.
void CountHistory(benchmark::State& state, int steps) {
    const long long with = HeapInUse();
    gUndo.DeleteUndoData(false);
    const double perStep = static_cast<double>(with - HeapInUse()) / steps;
    state.counters["kept_KB_per_step"] = perStep / 1024;
    if (perStep > kGoalBytesPerStep) {
        const std::string what =
            "the history holds " + std::to_string(perStep / 1024) + " KB per step, more than 1 MB";
        state.SkipWithError(what.c_str());
    }
}

void BM_UndoICPlaceRemoveMemory(benchmark::State& state) {
    BenchPlatform env(kHeadless, 60, 30);
    test::TempDir dir;
    gVerzeichnisse[1] = dir.Path() + "/";
    WriteBigICs();
    test::FreshSheet(60, 30);
    gUndo.SetUndos(99);
    int cycles = 0;
    for (auto _ : state) {
        Require(test::PlaceIC("big7", 10, 10) != 0, "big7 placed");
        gCursorX = 10;
        gCursorY = 10;
        RemoveIC();
        Require(gICInstanceMax == 0, "big7 removed");
        ++cycles;
    }
    // The last removal taken back brings the IC with its seven nested ones back.
    gUndo.Undo();
    Require(gICInstanceMax == 8 && ICLevelCells() > 7'000'000, "the IC came back");
    gUndo.Undo();
    Require(gICInstanceMax == 0, "the placing was taken back");
    CountHistory(state, 2 * cycles);
}
BENCHMARK(BM_UndoICPlaceRemoveMemory)->Iterations(40)->Unit(benchmark::kMillisecond);

// Frames the area (x1, y1)-(x2, y2) with the select tool and deletes it.
void DeleteArea(int x1, int y1, int x2, int y2) {
    gMouseMode = kToolSelect;
    picGrid_MouseMove(0, 0, GridToPixel(x1), GridToPixel(y1));
    picGrid_MouseDown(kButtonLeft, 0, GridToPixel(x1), GridToPixel(y1));
    picGrid_MouseMove(kButtonLeft, 0, GridToPixel(x2), GridToPixel(y2));
    picGrid_MouseUp(kButtonLeft, 0, GridToPixel(x2), GridToPixel(y2));
    Require(gAreaMarked, "area marked");
    LoescheBereich();
}

void BM_UndoAreaDeletionMemory(benchmark::State& state) {
    BenchPlatform env(kHeadless, 1000, 1000);
    ResetMouseDispatch();
    const int gates = BuildGateGrid(710);
    gUndo.DeleteUndoData(false);
    gUndo.SetUndos(99);
    int deleted = 0;
    for (auto _ : state) {
        // The gate at column c, row 502 covers columns c..c + 2, rows 501..503.
        const int c = 402 + 4 * deleted;
        DeleteArea(c - 1, 500, c + 3, 504);
        ++deleted;
    }
    Require(gAnzElemente == gates - deleted, "the gates were deleted");
    for (int k = 0; k < deleted; ++k)
        gUndo.Undo();
    Require(gAnzElemente == gates && gGrid(402, 502).Typ != kTypeEmpty, "the gates came back");
    CountHistory(state, deleted);
}
BENCHMARK(BM_UndoAreaDeletionMemory)->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
