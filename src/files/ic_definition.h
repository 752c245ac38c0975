// IC definition files (".icd"): reading one into a checked ICDefinition; the check that the IC
// elements of a grid stand as packages, and giving their pin cells the instances loaded for them.
// The writer belongs to the IC-definition mode.
#pragma once

#include "files/circuit_document.h"
#include "files/circuit_reader.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/shared_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// The place of one pin on the package outline: column A (0..W) and row B (0..H) of the box.
struct ICPinPlace {
    bool Placed = false; // the pin has a place on the outline that no earlier pin holds; a pin
                         // without one is not drawn and has no cell on the package
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
    int Lines = 0;                          // lines of the file

    int PinCount() const { return static_cast<int>(PinCells.size()) - 1; }
    // Token 3 of pin k's line: its name.
    std::string PinName(int k) const;
};

// Reads the text of a definition file (UTF-8, CR LF or LF) and checks it: the sections an IC
// level is built from ([Feld] before [Punkte], cells and elements as in a circuit file, the
// nested [IC] lines with plain names, their IC elements standing as packages), the package
// ([Maße] 1..1000 a side), at most 255 pins, each pin's cell in the own grid, and a place line
// for every pin. An IC may have no pins, and pins without a place on the outline (ICPinPlace).
// False with the line and a German text of the first problem.
bool ReadICDefinitionText(std::string_view text, ICDefinition& def, ReadProblem& problem);

// Reads and checks the file at path (ReadICDefinitionText); def.Path is set.
bool ReadICDefinitionFile(const std::string& path, ICDefinition& def, ReadProblem& problem);

// Checks that every IC element of a grid stands as a package: its cells are IC cells that fill a
// rectangle holding no other cell, and each point of its pin lists is one of them. Nothing is
// compared with the IC's definition: an IC keeps the package and pins it was placed with when
// its definition changes later. False with the element and a German text.
bool CheckICPackages(const Grid& cells, const std::vector<ElementRecord>& elements, int& faulty,
                     std::string& problem);

// Writes into the IC level of every pin cell of an IC element (an IC cell with a pin number) the
// instance of its element, instanceOf[element] (0 for an element beyond the list), and 0 into
// the IC level of every other cell.
void AssignICInstances(Grid& cells, const std::vector<std::uint8_t>& instanceOf);

} // namespace kardo
