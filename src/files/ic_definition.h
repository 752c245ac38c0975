// IC definition files (".icd"): reading one into a checked ICDefinition, and the check that an
// IC element on a grid is laid out as its definition places the pins. The writer belongs to the
// IC-definition mode.
#pragma once

#include "files/circuit_document.h"
#include "files/circuit_reader.h"
#include "files/shared_text.h"
#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// Bounds of a definition: the IC's own grid and its package, in cells a side; pins per IC.
constexpr int kMinICSize = 1;
constexpr int kMaxICSize = 1000;
constexpr int kMaxICPins = 255;

// The place of one pin on the package outline: column A (0..W) and row B (0..H) of the box.
struct ICPinPlace {
    bool Placed = false; // the pin has a place; a pin without one has no cell on the package
    std::int16_t A = 0;  // column offset from the package's left column
    std::int16_t B = 0;  // row offset from the package's top row
    bool operator==(const ICPinPlace&) const = default;
};

// One definition file, read and checked. Pins are numbered from 1; entry 0 of the per-pin lists
// is unused.
struct ICDefinition {
    std::string Path;                       // the file read
    std::string LevelName;                  // [Name]; empty when the file has none
    std::int16_t FeldBreite = 0;            // [Feld] width W of the IC's own grid
    std::int16_t FeldHoehe = 0;             // [Feld] height H
    Grid Cells;                             // the inner circuit, cells 0..W+1 x 0..H+1
    std::vector<ElementRecord> Elements;    // elements 1..n; entry 0 unused
    std::vector<ICLine> Nested;             // [IC]: the ICs placed inside, in file order
    std::vector<int> NestedLines;           // file line of each [IC] line
    std::int16_t Breite = 0;                // [Maße] X: package width W
    std::int16_t Hoehe = 0;                 // [Maße] Y: package height H
    std::vector<std::string> PinLines;      // [Anschlüsse] lines "x;y;name;" as read
    std::vector<GridPoint> PinCells;        // each pin's cell in the own grid
    std::vector<std::string> PlaceLines;    // [Graphische Anschlüsse] lines as read
    std::vector<ICPinPlace> Places;         // each pin's place on the outline
    std::vector<std::int16_t> PinListIndex; // each pin's entry in the IC element's pin list, -1
    int PlacedPins = 0;                     // pins with a place
    std::vector<std::string> Tags;          // [Tags] lines
    SharedText Notizen;                     // [Notizen] lines run together

    int PinCount() const { return static_cast<int>(PinCells.size()) - 1; }
    // Token 3 of pin k's line: its name.
    std::string PinName(int k) const;
};

// Reads the text of a definition file (UTF-8, CR LF or LF) and checks it: the sections an IC
// level is built from ([Feld] before [Punkte], cells and elements as in a circuit file, the
// nested [IC] lines with plain names), the package ([Maße] 1..1000 a side), at most 255 pins,
// each pin's cell a wire cell of the own grid carrying that pin number, and each pin's place on
// the outline (a place line for every pin, places on an edge, no two on one place, at least one
// pin placed). False with the line and a German text of the first problem.
bool ReadICDefinitionText(std::string_view text, ICDefinition& def, ReadProblem& problem);

// Reads and checks the file at path (ReadICDefinitionText); def.Path is set.
bool ReadICDefinitionFile(const std::string& path, ICDefinition& def, ReadProblem& problem);

// Number of cells of every element number on a grid (index = element number, 0 counts cells
// without element); one pass, for the layout checks of the IC elements on that grid.
std::vector<int> CountElementCells(const Grid& cells, int elementCount);

// Checks that IC element nr of a grid stands as def lays the IC out: its pin list names exactly
// the placed pins, each where the package puts it; its cells form the package's rectangle of
// W + 1 by H + 1 cells; each pin cell carries its pin number and no other cell of it one. False
// with a German text of what differs. cellCounts comes from CountElementCells.
bool CheckICElement(const Grid& cells, const std::vector<ElementRecord>& elements, int nr,
                    const ICDefinition& def, const std::vector<int>& cellCounts,
                    std::string& problem);
// After CheckICElement: writes instance into the ICLevel of the element's pin cells and 0 into
// its other cells.
void SetICElementInstance(Grid& cells, const std::vector<ElementRecord>& elements, int nr,
                          const ICDefinition& def, std::uint8_t instance);

} // namespace kardo
