// Compact copies of IC blocks: non-empty cells in runs, instance indices from 0.
#include "model/kept_ic_block.h"

#include "model/ic_instance_list.h"
#include "model/sim_levels.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>

namespace kardo {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

std::size_t Mix(std::size_t h, std::size_t v) {
    return h ^ (std::hash<std::size_t>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

// All fields of the cell are zero. Read as words, for the scan of a level of millions of cells;
// the two bytes of padding behind the last field are left out.
bool IsEmpty(const CellRecord& c) {
    static_assert(offsetof(CellRecord, Verzoegerung) == 13 && sizeof(c.Verzoegerung) == 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&c);
    std::uint64_t a = 0;
    std::uint32_t b = 0;
    std::uint16_t d = 0;
    std::memcpy(&a, bytes, sizeof a);
    std::memcpy(&b, bytes + 8, sizeof b);
    std::memcpy(&d, bytes + 12, sizeof d);
    return (a | b | d) == 0;
}

// The level with every nested instance index lowered by base.
std::shared_ptr<const KeptLevel> KeepLevel(const SimLevelRecord& level, int base) {
    auto kept = std::make_shared<KeptLevel>();
    kept->Name = level.Name;
    kept->MaxX = level.MaxX;
    kept->MaxY = level.MaxY;
    kept->AnzElemente = level.AnzElemente;
    kept->Elemente = level.Elemente;
    const Grid& g = level.Feld;
    if (!g.Empty()) {
        kept->Columns = g.Columns();
        kept->Rows = g.Rows();
        const CellRecord* cells = g.Cells();
        const std::size_t n = At(g.Columns()) * At(g.Rows());
        for (std::size_t i = 0; i < n;) {
            if (IsEmpty(cells[i])) {
                ++i;
                continue;
            }
            const std::size_t first = i;
            for (; i < n && !IsEmpty(cells[i]); ++i) {
                CellRecord c = cells[i];
                if (c.ICLevel != 0)
                    c.ICLevel = static_cast<std::uint8_t>(c.ICLevel - base);
                kept->Cells.push_back(c);
            }
            kept->Runs.emplace_back(static_cast<std::uint32_t>(first),
                                    static_cast<std::uint32_t>(i - first));
        }
        // The copy lives as long as the step: no room to spare.
        kept->Cells.shrink_to_fit();
        kept->Runs.shrink_to_fit();
    }
    std::size_t h = Mix(At(kept->Columns), At(kept->Rows));
    h = Mix(h, At(kept->Elemente.size()));
    for (const auto& [first, length] : kept->Runs)
        h = Mix(Mix(h, first), length);
    kept->Hash = h;
    return kept;
}

} // namespace

KeptICBlock KeepICBlock(int n) {
    KeptICBlock kept;
    kept.Base = n;
    if (n < 1 || n > gICInstanceMax || At(n) >= gICInstances.size())
        return kept;
    const int end = ICBlockEnd(n);
    for (int i = n; i <= end; ++i) {
        ICInstanceRecord ic = gICInstances[At(i)];
        if (ic.Tiefe != 0)
            ic.Parent = static_cast<std::uint8_t>(ic.Parent - n);
        kept.Instances.push_back(std::move(ic));
        kept.Levels.push_back(At(i) < gLevels.size() ? KeepLevel(gLevels[At(i)], n)
                                                     : KeepLevel(SimLevelRecord{}, n));
    }
    return kept;
}

ICInstanceBlock ExpandICBlock(const KeptICBlock& kept) {
    ICInstanceBlock block;
    block.Base = 0;
    block.Instances = kept.Instances;
    block.Levels.reserve(kept.Levels.size());
    for (const std::shared_ptr<const KeptLevel>& k : kept.Levels) {
        SimLevelRecord& level = block.Levels.emplace_back();
        level.Name = k->Name;
        level.MaxX = k->MaxX;
        level.MaxY = k->MaxY;
        level.AnzElemente = k->AnzElemente;
        level.Elemente = k->Elemente;
        if (k->Columns == 0)
            continue;
        level.Feld.Create(k->Columns - 1, k->Rows - 1);
        CellRecord* cells = level.Feld.Cells();
        const CellRecord* from = k->Cells.data();
        for (const auto& [first, length] : k->Runs) {
            std::copy(from, from + length, cells + first);
            from += length;
        }
    }
    return block;
}

} // namespace kardo
