// The basic elements of the drawing tests written straight into gGrid and gElements: gates,
// inverter, switch, LED, analysis point, tri-state driver, full adder and clock, in the placing
// operations' footprints and pin order (no undo, collision test or drawing), plus wire cells.
#pragma once

#include "model/elements.h"

#include <cstdint>
#include <string>

namespace kardo::test {

// AND, OR or XOR gate with n inputs (2 gives the two-input gate, text "2") whose second
// input-side cell is (x, y).
std::int16_t PutGate(std::uint8_t typ, int x, int y, std::uint8_t richtung, int n);
// Inverter with its input at (x, y) and its output one cell further in richtung.
std::int16_t PutInverter(int x, int y, std::uint8_t richtung);
// Switch on cell (x, y) (the cell keeps its wire flags).
std::int16_t PutSwitch(int x, int y);
// LED of colour farbe on cell (x, y).
std::int16_t PutLed(int x, int y, std::int32_t farbe);
// Analysis point with the number text on cell (x, y).
std::int16_t PutAnalysisPoint(int x, int y, const std::string& number);
// Tri-state driver with its inputs beside (x, y) and its output two cells ahead.
std::int16_t PutTriState(int x, int y, std::uint8_t richtung);
// Full adder with the middle of its input side at (x, y).
std::int16_t PutFullAdder(int x, int y, std::uint8_t richtung);
// Clock generator placed with the cursor at (x, y): output three cells ahead.
std::int16_t PutClock(int x, int y, std::uint8_t richtung);

// Makes (x, y) a wire cell (unless it holds an element) and sets its flag towards side
// (kLeft, kRight, kUp, kDown).
void SetWireFlag(int x, int y, std::uint8_t side);
// A straight wire from (x1, y1) to (x2, y2) in one row or column, flags answered both ways.
void PutWire(int x1, int y1, int x2, int y2);

} // namespace kardo::test
