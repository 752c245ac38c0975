// The IC instance list: one record per placed IC, nested ones included; index 0 stands for the
// circuit itself. Instance n owns simulation level n (gLevels). The list has no gaps: the ICs
// nested in an IC directly follow it, depth-first in the order of its definition's [IC] lines,
// so an IC with k - 1 nested ICs occupies k consecutive indices.
#pragma once

#include "model/elements.h"
#include "model/shared_text.h"
#include "model/sim_levels.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

// Instance indices are bytes (cells keep them in CellRecord.ICLevel): at most this many ICs,
// nested ones counted, can be in use at once. It also bounds the nesting depth.
constexpr int kMaxICInstances = 255;

struct ICInstanceRecord {
    std::string Name;                         // IC name (file name.icd); empty = free slot
    std::int16_t MaxX = 0;                    // package width W (the IC covers W + 1 columns)
    std::int16_t MaxY = 0;                    // package height H (H + 1 rows)
    std::vector<std::string> Anschluesse;     // per pin (1-based, entry 0 unused): "x;y;name;0;"
    std::vector<std::string> GrafAnschluesse; // per pin (1-based): place on the package outline
    std::int16_t AnzAnschluesse = 0;          // number of pins
    std::int16_t ElementNr = 0;               // element standing for the IC on its parent level
    std::uint8_t Parent = 0;                  // instance index of the containing level
    std::uint8_t Tiefe = 0;                   // nesting depth, 0 = placed in the circuit
    SharedText Notizen;                       // notes of the definition, lines run together,
                                              // shared with its other instances
    std::vector<GridPoint> PinCells; // per pin (1-based): its cell in the IC's own grid, parsed
                                     // once at loading so that crossing a package reads no text

    bool operator==(const ICInstanceRecord&) const = default;
};

extern std::vector<ICInstanceRecord>
    gICInstances; // instances 1..; entry 0 the circuit; reset by ResetICInstances
extern std::int16_t gAnzICInstances; // number of instances; ResetICInstances
extern std::int16_t gICInstanceMax;  // highest instance index in use; ResetICInstances

// No instances: the list holds entry 0 only.
void ResetICInstances();

// The index for the next instance: 1 when there is none; else the first index whose instance
// or level name is empty; else one beyond the list.
std::int16_t GetFreeICIndex();

// The instance standing for element elementNr of level (0 the circuit): the instance placed
// directly in that level with that element number; 0 when there is none.
int ICInstanceOfElement(int level, int elementNr);

// A run of consecutive instances with their levels, kept apart from the live lists: an IC with
// the ICs nested in it, as a load builds it or a removal takes it out. Instances[i] and
// Levels[i] belong to index Base + i; the Parent fields and the ICLevel fields of the level
// grids hold indices as they are at that base.
struct ICInstanceBlock {
    int Base = 0;                            // index of the first instance
    std::vector<ICInstanceRecord> Instances; // the instances, container first
    std::vector<SimLevelRecord> Levels;      // their levels

    int Count() const { return static_cast<int>(Instances.size()); }
    // Moves the block to another base: nested Parent fields and level ICLevel fields follow.
    void Rebase(int base);
};

// Cells of all levels 1..gICInstanceMax (grid cells, guard frame included).
std::size_t ICLevelCells();
// Cells of one level as its grid holds them.
std::size_t LevelCells(const SimLevelRecord& level);

} // namespace kardo
