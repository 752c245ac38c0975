// The shared codes of the worksheet: element types, tool codes, orientations and truth values.
#pragma once

#include <cstdint>

namespace kardo {

// Truth values as stored in cells, records and files.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;
constexpr std::int16_t TruthValue(bool b) { return b ? kTrue : kFalse; }

// Element type codes (CellRecord.Typ, ElementRecord.Typ, files, tools).
constexpr std::uint8_t kTypeEmpty = 0;
constexpr std::uint8_t kTypeWire = 1;
constexpr std::uint8_t kTypeLed = 4;
constexpr std::uint8_t kTypeSwitch = 5;
constexpr std::uint8_t kTypeAnd = 6;
constexpr std::uint8_t kTypeOr = 7;
constexpr std::uint8_t kTypeXor = 8;
constexpr std::uint8_t kTypeInverter = 9;
constexpr std::uint8_t kTypeClock = 10;
constexpr std::uint8_t kTypeHalfAdder = 11;
constexpr std::uint8_t kTypeFullAdder = 12;
constexpr std::uint8_t kTypeTriState = 13;
constexpr std::uint8_t kTypeMultiplexer = 14;
constexpr std::uint8_t kTypeDecoder = 16;
constexpr std::uint8_t kTypeFlipFlop = 17;
constexpr std::uint8_t kTypeShiftRegister = 18;
constexpr std::uint8_t kTypeNumberDisplay = 19;
constexpr std::uint8_t kTypeIC = 20;
constexpr std::uint8_t kTypeText = 22;
constexpr std::uint8_t kTypeAnalysisPoint = 27;

// Tool codes (gMouseMode) besides the element type codes.
constexpr std::uint8_t kToolSelect = 0;
constexpr std::uint8_t kToolWire = 1;
constexpr std::uint8_t kToolConnectionPoint = 2;
constexpr std::uint8_t kToolNegationPoint = 3;
constexpr std::uint8_t kToolCouplingDiode = 15;
constexpr std::uint8_t kToolDragArea = 23;
constexpr std::uint8_t kToolDragObjects = 25;
constexpr std::uint8_t kToolContextMenu = 26;
constexpr std::uint8_t kToolICView = 98;
constexpr std::uint8_t kToolPowered = 99;
constexpr std::uint8_t kToolQuickHelp = 200;

// Orientations of elements and directions of wires and events.
constexpr std::uint8_t kLeft = 1;  // towards x - 1
constexpr std::uint8_t kRight = 2; // towards x + 1
constexpr std::uint8_t kUp = 3;    // towards y - 1
constexpr std::uint8_t kDown = 4;  // towards y + 1

// Point marks of CellRecord.Punkt.
constexpr std::int16_t kPointConnection = -1; // connection point, or negation point on a pin
constexpr std::int16_t kPointDiode = 1;       // coupling diode
constexpr std::int16_t kPointNone = 0;

} // namespace kardo
