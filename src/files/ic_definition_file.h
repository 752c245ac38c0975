// The IC definition being made on the worksheet: its pins (wire ends given a name), their places
// on the package outline, tags and notes; the box of the sheet that becomes the IC's own grid;
// writing all of it as a definition file (name.icd), and taking it from an opened one.
#pragma once

#include "files/circuit_document.h"
#include "files/circuit_reader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

extern std::vector<std::string>
    gICAnschlussZellen; // per pin 1..: "x;y;name;", its wire end on the worksheet; entry 0
                        // unused; ResetICDefinitionState cuts it to entry 0
extern std::vector<std::string>
    gICAnschluesse; // per pin 1..: its place on the package outline "a;b;name;" (a the column
                    // 0..W, b the row 0..H of the package), "" without a place; entry 0 unused;
                    // ResetICDefinitionState
extern std::int16_t gAnzICAnschluesse; // number of pins; ResetICDefinitionState
extern std::vector<std::string> gTags; // per pin 1..: the tag kept for it in [Tags]; entry 0
                                       // unused; ResetICDefinitionState
extern std::string gICNotizen;         // notes of the definition, lines joined by CR LF;
                                       // ResetICDefinitionState
extern std::int16_t gICBoxMinX; // box of the last BuildICPinLists: first column (may be < 0);
                                // ResetICDefinitionState sets the four to 0
extern std::int16_t gICBoxMaxX; // last column of the box
extern std::int16_t gICBoxMinY; // first row of the box
extern std::int16_t gICBoxMaxY; // last row of the box

// No pins, no tags, no notes, an empty box.
void ResetICDefinitionState();

// Name of pin k (token 3 of its line); "" for a pin that does not exist.
std::string ICPinName(int k);
// The place of pin k on the outline; false when it has none.
bool GetICPinPlace(int k, int& a, int& b);
// The line of a place: "a;b;name;".
std::string ICPlaceLine(int a, int b, std::string_view name);

// Computes the box of the worksheet that becomes the IC's own grid: the used cells (every cell
// that is not empty) with two cells of margin on each side; the right margin never passes
// column gFeldBreite, the bottom one may reach row gFeldHoehe + 1, the left and top ones may go
// below 0. The element records and pin lines stay as they are: the box-relative pin lists are
// made for the file only (WriteICDefinitionText). False when every cell is empty.
bool BuildICPinLists();

// The definition file text (UTF-8, CR LF) of the worksheet as IC gICName, relative to the box of
// the last BuildICPinLists: [Name], [Feld], [Punkte] (every cell that is not empty, plain wires
// included), [Elemente], [Anschlüsse], [Maße] (gICBreite, gICHoehe), [Graphische Anschlüsse],
// [IC] (the ICs placed directly on the sheet), [Tags] (one line per pin) and [Notizen].
void WriteICDefinitionText(std::string& out);

// Path of the definition file of IC name in the IC folder: the existing file of that name when
// there is one (any letter case), else folder + name + ".icd".
std::string ICDefinitionPath(std::string_view name);

// Writes the definition text (EncodeFileText) atomically into ICDefinitionPath(gICName) and sets
// gDateiPfad to it. False with a German reason; an existing file then stays as it was.
bool SaveIC(std::string& reason);

// An IC name the definition mode can save under: a plain file name that no reader takes for a
// section header and whose characters a file can hold. False with the German reason.
bool IsSavableICName(std::string_view name, std::string& reason);

// The definition sections of a read file fit the sheet they came with: a named definition
// (a [Name] other than "IC-Neu") has a plain name and a package of 1..1000 cells a side; at most
// 255 pins, each "x;y;name;" on a cell of the sheet that carries its pin number.
bool CheckICDefinitionSections(const CircuitDocument& doc, ReadProblem& problem);

// Takes the definition state from a read file: name, pins, places (a place that is not on the
// package outline, or that an earlier pin holds, counts as none), tags (one per pin) and notes;
// the package size when the file names a definition.
void TakeICDefinition(const CircuitDocument& doc);

} // namespace kardo
