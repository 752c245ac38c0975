// Block elements for the drawing tests, written cell by cell.
#include "support/block_symbols.h"

#include "model/codes.h"
#include "model/grid.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kardo::test {

namespace {

GridPoint Pt(int x, int y) { return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }

} // namespace

std::int16_t PutBlock(std::uint8_t typ, std::uint8_t richtung, int x1, int y1, int x2, int y2,
                      const std::vector<GridPoint>& inputs, const std::vector<GridPoint>& outputs) {
    ElementRecord& e = AppendElement(typ);
    e.Richtung = richtung;
    for (const GridPoint& p : inputs)
        e.Eingaenge += PinEntry(p.x, p.y);
    for (const GridPoint& p : outputs)
        e.Ausgaenge += PinEntry(p.x, p.y);
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            CellRecord& c = gGrid(x, y);
            c.Typ = typ;
            c.ElementNr = e.Nr;
            c.Punkt = kPointNone;
        }
    }
    return e.Nr;
}

std::int16_t PutHalfAdder(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutBlock(kTypeHalfAdder, richtung, x, y - 1, x + 3, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x + 3, y - 1), Pt(x + 3, y + 1)});
    case kLeft:
        return PutBlock(kTypeHalfAdder, richtung, x - 3, y - 1, x, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x - 3, y - 1), Pt(x - 3, y + 1)});
    case kUp:
        return PutBlock(kTypeHalfAdder, richtung, x - 1, y - 3, x + 1, y,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y - 3), Pt(x - 1, y - 3)});
    default:
        return PutBlock(kTypeHalfAdder, richtung, x - 1, y, x + 1, y + 3,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y + 3), Pt(x - 1, y + 3)});
    }
}

std::int16_t PutDecoder(int x, int y, std::uint8_t richtung, bool clocked) {
    std::vector<GridPoint> in;
    std::vector<GridPoint> out;
    if (richtung == kRight || richtung == kLeft) {
        const int d = richtung == kRight ? 1 : -1;
        in = {Pt(x, y - 2), Pt(x, y - 1), Pt(x, y)};
        if (clocked)
            in.push_back(Pt(x, y + 1));
        for (int row = y - 4; row <= y + 3; ++row)
            out.push_back(Pt(x + 2 * d, row));
        return PutBlock(kTypeDecoder, richtung, x, y - 5, x + 2 * d, y + 4, in, out);
    }
    const int d = richtung == kDown ? 1 : -1;
    in = {Pt(x + 2, y), Pt(x + 1, y), Pt(x, y)};
    if (clocked)
        in.push_back(Pt(x - 1, y));
    for (int col = x + 4; col >= x - 3; --col)
        out.push_back(Pt(col, y + 2 * d));
    return PutBlock(kTypeDecoder, richtung, x - 4, y, x + 5, y + 2 * d, in, out);
}

std::int16_t PutMultiplexer(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutBlock(kTypeMultiplexer, richtung, x, y - 2, x + 4, y + 2,
                        {Pt(x, y + 2), Pt(x, y + 1), Pt(x, y), Pt(x, y - 1), Pt(x + 2, y - 2),
                         Pt(x + 3, y - 2)},
                        {Pt(x + 4, y + 1)});
    case kLeft:
        return PutBlock(kTypeMultiplexer, richtung, x - 4, y - 2, x, y + 2,
                        {Pt(x, y + 2), Pt(x, y + 1), Pt(x, y), Pt(x, y - 1), Pt(x - 3, y - 2),
                         Pt(x - 2, y - 2)},
                        {Pt(x - 4, y + 1)});
    case kDown:
        return PutBlock(kTypeMultiplexer, richtung, x - 2, y, x + 2, y + 4,
                        {Pt(x + 1, y), Pt(x, y), Pt(x - 1, y), Pt(x - 2, y), Pt(x + 2, y + 2),
                         Pt(x + 2, y + 3)},
                        {Pt(x - 1, y + 4)});
    default:
        return PutBlock(kTypeMultiplexer, richtung, x - 2, y - 4, x + 2, y,
                        {Pt(x + 1, y), Pt(x, y), Pt(x - 1, y), Pt(x - 2, y), Pt(x + 2, y - 3),
                         Pt(x + 2, y - 2)},
                        {Pt(x - 1, y - 4)});
    }
}

std::int16_t PutFlipFlop(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutBlock(kTypeFlipFlop, richtung, x, y - 1, x + 5, y + 1,
                        {Pt(x, y - 1), Pt(x, y), Pt(x, y + 1), Pt(x + 2, y - 1), Pt(x + 2, y + 1)},
                        {Pt(x + 5, y - 1), Pt(x + 5, y + 1)});
    case kLeft:
        return PutBlock(kTypeFlipFlop, richtung, x - 5, y - 1, x, y + 1,
                        {Pt(x, y - 1), Pt(x, y), Pt(x, y + 1), Pt(x - 3, y - 1), Pt(x - 3, y + 1)},
                        {Pt(x - 5, y - 1), Pt(x - 5, y + 1)});
    case kDown:
        return PutBlock(kTypeFlipFlop, richtung, x - 1, y, x + 1, y + 5,
                        {Pt(x + 1, y), Pt(x, y), Pt(x - 1, y), Pt(x + 1, y + 2), Pt(x - 1, y + 2)},
                        {Pt(x + 1, y + 5), Pt(x - 1, y + 5)});
    default:
        return PutBlock(kTypeFlipFlop, richtung, x - 1, y - 5, x + 1, y,
                        {Pt(x + 1, y), Pt(x, y), Pt(x - 1, y), Pt(x + 1, y - 3), Pt(x - 1, y - 3)},
                        {Pt(x + 1, y - 5), Pt(x - 1, y - 5)});
    }
}

std::int16_t PutShiftRegister(int x, int y, std::uint8_t richtung) {
    switch (richtung) {
    case kRight:
        return PutBlock(kTypeShiftRegister, richtung, x, y - 1, x + 8, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x + 8, y - 1), Pt(x + 8, y + 1)});
    case kLeft:
        return PutBlock(kTypeShiftRegister, richtung, x - 8, y - 1, x, y + 1,
                        {Pt(x, y - 1), Pt(x, y + 1), Pt(x, y)},
                        {Pt(x - 8, y - 1), Pt(x - 8, y + 1)});
    case kDown:
        return PutBlock(kTypeShiftRegister, richtung, x - 1, y, x + 1, y + 8,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y + 8), Pt(x - 1, y + 8)});
    default:
        return PutBlock(kTypeShiftRegister, richtung, x - 1, y - 8, x + 1, y,
                        {Pt(x + 1, y), Pt(x - 1, y), Pt(x, y)},
                        {Pt(x + 1, y - 8), Pt(x - 1, y - 8)});
    }
}

std::int16_t PutNumberDisplay(int x, int y) {
    return PutBlock(kTypeNumberDisplay, kRight, x, y - 2, x + 4, y + 2,
                    {Pt(x + 3, y - 2), Pt(x + 2, y - 2), Pt(x + 1, y - 2), Pt(x, y - 1), Pt(x, y),
                     Pt(x, y + 1)},
                    {});
}

Prim LineP(double x1, double y1, double x2, double y2, Color color) {
    return {DrawOp::Line, x1, y1, x2, y2, color, {}, {}};
}

Prim BoxP(double x1, double y1, double x2, double y2) {
    return {DrawOp::Box, x1, y1, x2, y2, 0, {}, {}};
}

Prim TextP(double x, double y, std::string text) {
    return {DrawOp::Print, x, y, 0, 0, 0, std::move(text), {}};
}

Prim CircleP(double x, double y, double r, Color color) {
    return {DrawOp::Circle, x, y, r, 0, color, {}, {}};
}

Prim PolygonP(std::vector<PolyPoint> points) {
    return {DrawOp::Polygon, 0, 0, 0, 0, 0, {}, std::move(points)};
}

namespace {

const char* OpName(DrawOp op) {
    switch (op) {
    case DrawOp::Line:
        return "Line";
    case DrawOp::Box:
        return "Box";
    case DrawOp::Circle:
        return "Circle";
    case DrawOp::Print:
        return "Print";
    case DrawOp::Polygon:
        return "Polygon";
    default:
        return "other";
    }
}

std::string Describe(const Prim& p) {
    std::ostringstream s;
    s << OpName(p.op);
    if (p.op == DrawOp::Print)
        s << " \"" << p.text << "\" at (" << p.x1 << ", " << p.y1 << ")";
    else if (p.op == DrawOp::Polygon)
        for (const PolyPoint& q : p.points)
            s << " (" << q.x << ", " << q.y << ")";
    else
        s << " (" << p.x1 << ", " << p.y1 << ")-(" << p.x2 << ", " << p.y2 << ") colour "
          << p.color;
    return s.str();
}

Prim FromCall(const DrawCall& c) {
    if (c.op == DrawOp::Print)
        return TextP(c.currentX, c.currentY, c.text);
    Prim p{c.op, c.x1, c.y1, c.x2, c.y2, c.color, {}, c.points};
    if (c.op == DrawOp::Polygon)
        p.color = 0;
    return p;
}

bool Near(double a, double b) { return std::fabs(a - b) < 1e-6; }

bool Same(const Prim& a, const Prim& b) {
    if (a.op != b.op)
        return false;
    if (a.op == DrawOp::Print)
        return a.text == b.text && Near(a.x1, b.x1) && Near(a.y1, b.y1);
    if (a.op == DrawOp::Polygon)
        return a.points == b.points;
    return Near(a.x1, b.x1) && Near(a.y1, b.y1) && Near(a.x2, b.x2) && Near(a.y2, b.y2) &&
           a.color == b.color;
}

} // namespace

::testing::AssertionResult SamePrimitives(const std::vector<DrawCall>& calls,
                                          const std::vector<Prim>& expected) {
    const std::size_t n = std::max(calls.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= calls.size())
            return ::testing::AssertionFailure()
                   << "missing call " << i << ": " << Describe(expected[i]);
        const Prim got = FromCall(calls[i]);
        if (i >= expected.size())
            return ::testing::AssertionFailure() << "extra call " << i << ": " << Describe(got);
        if (!Same(got, expected[i]))
            return ::testing::AssertionFailure() << "call " << i << ": got " << Describe(got)
                                                 << ", expected " << Describe(expected[i]);
    }
    return ::testing::AssertionSuccess();
}

std::vector<Prim> ToPrims(const std::vector<DrawCall>& calls) {
    std::vector<Prim> out;
    for (const DrawCall& c : calls)
        out.push_back(FromCall(c));
    return out;
}

std::vector<DrawCall> Primitives(const RecordingTarget& target) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : target.Calls()) {
        if (c.op == DrawOp::Line || c.op == DrawOp::Box || c.op == DrawOp::Circle ||
            c.op == DrawOp::Polygon || c.op == DrawOp::Print)
            out.push_back(c);
    }
    return out;
}

std::vector<DrawCall> Prints(const RecordingTarget& target, const std::string& text) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : target.Calls()) {
        if (c.op == DrawOp::Print && c.text == text)
            out.push_back(c);
    }
    return out;
}

} // namespace kardo::test
