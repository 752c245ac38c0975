// A worksheet with every element kind in each orientation it has, for comparing whole pictures:
// wires with a crossing, connection points, a coupling diode and negation points, LEDs in two
// colours, analysis points, text labels and a nested IC.
#pragma once

#include <string>

namespace kardo::test {

// Writes the inverter ICs into icFolder (which becomes the IC working folder) and builds the
// sheet, 70 x 56 cells, on a fresh worksheet. Throws when a part could not be placed.
void BuildEveryKindSheet(const std::string& icFolder);

} // namespace kardo::test
