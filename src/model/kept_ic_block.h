// Compact copies of IC blocks (an IC with the ICs nested in it, their instances and levels) for
// the undo history. A level grid is mostly empty (a definition names only the cells it uses,
// and its [Feld] may be 1000 x 1000), so a kept level holds only its non-empty cells, in runs.
// Instance indices in a kept block count from 0, so the same IC kept at different indices gives
// equal levels, which the history then holds once.
#pragma once

#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kardo {

struct KeptLevel {
    std::string Name;             // SimLevelRecord.Name
    std::int16_t MaxX = 0;        // SimLevelRecord.MaxX
    std::int16_t MaxY = 0;        // SimLevelRecord.MaxY
    std::int16_t AnzElemente = 0; // SimLevelRecord.AnzElemente
    int Columns = 0;              // the grid's columns (0 for a level without grid)
    int Rows = 0;                 // its rows
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Runs; // (first cell index, length) of
                                                               // each run of non-empty cells
    std::vector<CellRecord> Cells;       // the cells of the runs, one run after the other; the
                                         // ICLevel of a nested IC's pin cell counted from 0
    std::vector<ElementRecord> Elemente; // SimLevelRecord.Elemente
    std::size_t Hash = 0;                // of the sizes and runs, to find equal levels quickly

    bool operator==(const KeptLevel&) const = default;
};

struct KeptICBlock {
    int Base = 0;                                         // instance index of the IC when kept
    std::vector<ICInstanceRecord> Instances;              // container first; Parent from 0
    std::vector<std::shared_ptr<const KeptLevel>> Levels; // their levels, possibly shared
};

// A compact copy of the live block of instance n (n placed in the circuit); empty when n is no
// instance.
KeptICBlock KeepICBlock(int n);

// The block as InsertICBlock takes it: base 0, full level grids.
ICInstanceBlock ExpandICBlock(const KeptICBlock& kept);

} // namespace kardo
