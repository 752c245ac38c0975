// A circuit as a circuit file holds it, apart from the live worksheet: the sheet size and cells,
// the wire runs, the element list, the ICs placed in it, the clock tables, and the sections of an
// IC definition that the same reader accepts. The reader fills one, the writer writes one.
#pragma once

#include "model/elements.h"
#include "model/grid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

// Bounds of the sheet size a file may give (the sheet-size panel keeps 10..200).
constexpr int kMinFileSheetSize = 1;
constexpr int kMaxFileSheetSize = 1000;

// One line of [Jump]: the wire runs that start at cell (X, Y).
struct JumpLine {
    std::int16_t X = 0;    // column of the first cell
    std::int16_t Y = 0;    // row of the first cell
    std::int16_t EndX = 0; // last column of the horizontal run starting here; 0 none
    std::int16_t EndY = 0; // last row of the vertical run starting here; 0 none
    bool operator==(const JumpLine&) const = default;
};

// One line of [IC]: an IC placed directly in the circuit.
struct ICLine {
    std::string Name;           // IC name; its definition is Name.icd in the IC folder
    std::int16_t ElementNr = 0; // element standing for the IC on the worksheet
    bool operator==(const ICLine&) const = default;
};

// One clock-table entry as the file keeps it.
struct ClockLine {
    std::int16_t Zeit1 = 0; // high time in ms
    std::int16_t Zeit0 = 0; // low time in ms
    std::int16_t Link = 0;  // high and low time linked (truth value)
    std::uint8_t Takte = 0; // pulses per burst
    bool operator==(const ClockLine&) const = default;
};

struct CircuitDocument {
    std::int16_t FeldBreite = 0;           // sheet width W
    std::int16_t FeldHoehe = 0;            // sheet height H
    Grid Cells;                            // cells 0..W+1 x 0..H+1; levels always 0
    bool HasJump = false;                  // the file had a [Jump] header
    std::vector<JumpLine> Jumps;           // wire runs in file order
    std::vector<ElementRecord> Elements;   // elements 1..n; entry 0 unused; states 0
    std::vector<ICLine> ICs;               // ICs placed in the circuit, in file order
    std::uint8_t AnzTaktgeber = 0;         // number of clocks n
    std::vector<std::int16_t> TaktElement; // element number of clock entry 0..U
    std::vector<ClockLine> Takte;          // clock entries 0..U (U = n - 1, 0 without clocks)

    // Sections of an IC definition file.
    std::string ICName;                         // [Name]
    std::vector<std::string> ICAnschlussZellen; // [Anschlüsse] lines, 0-based here
    std::vector<std::string> ICAnschluesse;     // [Graphische Anschlüsse] lines
    std::vector<std::string> Tags;              // [Tags] lines
    std::int16_t ICBreite = 0;                  // [Maße] X
    std::int16_t ICHoehe = 0;                   // [Maße] Y
    std::string ICNotizen;                      // [Notizen] lines, each closed by CR LF

    std::int16_t AnzElemente() const {
        return static_cast<std::int16_t>(Elements.empty() ? 0 : Elements.size() - 1);
    }
    bool operator==(const CircuitDocument&) const = default;

    // The start of a read: a sheet of width x height cells (its grid is made when the read ends),
    // no elements, no runs, the clock tables with entry 0 only, emptied, pulses 1 and linked (the
    // state a cleared worksheet writes).
    void Reset(std::int16_t width, std::int16_t height);
};

} // namespace kardo
