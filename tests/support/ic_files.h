// Test support for user-defined ICs: writing the worksheet as an IC definition file (the pins
// named on wire ends, the package and the pin places given by the test), and placing an IC by
// name as the IC tool does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kardo::test {

// One pin of an IC being written: its wire end on the worksheet and its place on the package
// outline (A < 0: no place).
struct ICPinSpec {
    std::string name; // pin name
    int x = 0;        // wire end column on the worksheet
    int y = 0;        // wire end row
    int a = -1;       // column on the outline (0..W), -1 none
    int b = -1;       // row on the outline (0..H)
};

// The definition text of the worksheet as an IC: the whole sheet is the IC's own grid (every
// cell that is not empty), the elements, the ICs placed in it, the pins (their cells get the
// pin number), the package breite x hoehe with the pin places, tags and notes. CR LF line ends.
std::string ICDefinitionText(const std::string& name, const std::vector<ICPinSpec>& pins,
                             int breite, int hoehe, const std::string& notes = "");

// Writes ICDefinitionText into folder + name + ".icd" (folder ends in "/").
void WriteICDefinition(const std::string& folder, const std::string& name,
                       const std::vector<ICPinSpec>& pins, int breite, int hoehe,
                       const std::string& notes = "");

// Chooses IC name (ChooseIC) and places it with its package's top-left cell at (x, y).
// Returns the new element number, 0 when the placing was refused.
std::int16_t PlaceIC(const std::string& name, int x, int y);

} // namespace kardo::test
