// Block elements written straight into gGrid and gElements for the drawing tests (footprint
// cells, record and pin lists in the placing operations' geometry and pin order, without undo,
// collision test or drawing), and a matcher for the primitives a drawer recorded.
#pragma once

#include "model/elements.h"
#include "platform/recording_target.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo::test {

// Marks the cells (x1, y1)-(x2, y2) with typ and a new element of orientation richtung whose
// pin lists hold inputs and outputs in the given order.
std::int16_t PutBlock(std::uint8_t typ, std::uint8_t richtung, int x1, int y1, int x2, int y2,
                      const std::vector<GridPoint>& inputs, const std::vector<GridPoint>& outputs);

// Half adder with the middle cell of its input side at (x, y).
std::int16_t PutHalfAdder(int x, int y, std::uint8_t richtung);
// Decoder whose input of weight 4 is (x, y); clocked adds the input "T".
std::int16_t PutDecoder(int x, int y, std::uint8_t richtung, bool clocked);
// Multiplexer placed with the cursor at (x, y) (its data input D1).
std::int16_t PutMultiplexer(int x, int y, std::uint8_t richtung);
// Flip-flop with its clock input at (x, y).
std::int16_t PutFlipFlop(int x, int y, std::uint8_t richtung);
// Shift register with its clock input at (x, y).
std::int16_t PutShiftRegister(int x, int y, std::uint8_t richtung);
// Number display whose left column starts at (x, y - 2); always facing right.
std::int16_t PutNumberDisplay(int x, int y);

// One expected primitive: a line or box (x1, y1)-(x2, y2) in color, a circle of centre (x1, y1)
// and radius x2, a polygon through points, or a text printed with its top-left corner at
// (x1, y1).
struct Prim {
    DrawOp op = DrawOp::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color = 0;
    std::string text;
    std::vector<PolyPoint> points;
};
Prim LineP(double x1, double y1, double x2, double y2, Color color = 0);
Prim BoxP(double x1, double y1, double x2, double y2);
Prim TextP(double x, double y, std::string text);
Prim CircleP(double x, double y, double r, Color color = 0);
Prim PolygonP(std::vector<PolyPoint> points);

// The recorded calls of the given kinds (Line, Box, Circle, Polygon, Print) equal expected in
// order, coordinates within 1e-6.
::testing::AssertionResult SamePrimitives(const std::vector<DrawCall>& calls,
                                          const std::vector<Prim>& expected);
// Only the Line, Box, Circle, Polygon and Print calls of a recording.
std::vector<DrawCall> Primitives(const RecordingTarget& target);
// The calls as expected primitives, to compare one drawing with another.
std::vector<Prim> ToPrims(const std::vector<DrawCall>& calls);
// Calls of op with the given text (Print) in recording order.
std::vector<DrawCall> Prints(const RecordingTarget& target, const std::string& text);

} // namespace kardo::test
