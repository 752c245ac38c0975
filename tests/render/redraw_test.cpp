// The element-draw dispatch, the area redraw and the full redraw on the recording target.
#include "editor/line_runs.h"
#include "editor/selection.h"
#include "files/working_folders.h"
#include "model/clock_tables.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/wire_points.h"
#include "platform/recording_target.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_files.h"

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

bool SameCall(const DrawCall& a, const DrawCall& b) {
    return a.op == b.op && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.color == b.color && a.points == b.points && a.text == b.text &&
           a.fillColor == b.fillColor && a.fillStyle == b.fillStyle && a.foreColor == b.foreColor;
}

::testing::AssertionResult SameCalls(const std::vector<DrawCall>& got,
                                     const std::vector<DrawCall>& want) {
    if (want.empty())
        return ::testing::AssertionFailure() << "the drawer drew nothing";
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << got.size() << " calls, expected " << want.size();
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!SameCall(got[i], want[i]))
            return ::testing::AssertionFailure() << "call " << i;
    return ::testing::AssertionSuccess();
}

// How often the calls of want occur in got as an unbroken run.
int Occurrences(const std::vector<DrawCall>& got, const std::vector<DrawCall>& want) {
    int n = 0;
    for (std::size_t i = 0; i + want.size() <= got.size(); ++i) {
        bool all = true;
        for (std::size_t k = 0; k < want.size() && all; ++k)
            all = SameCall(got[i + k], want[k]);
        if (all)
            ++n;
    }
    return n;
}

class RedrawTest : public test::CoreFixture {
  protected:
    // What DrawElement draws for element n through its first input point.
    std::vector<DrawCall> Dispatched(std::int16_t n) {
        GetInputPoints(n, 0);
        const GridPoint p = gEingangsPunkte[0];
        screen.ClearLog();
        DrawElement(p.x, p.y, false, false);
        return screen.Calls();
    }
    // What the drawer draws when called directly in the element's orientation.
    std::vector<DrawCall> Direct(std::int16_t n, const std::function<void()>& draw) {
        gGrafik.Orientation = gElements[n].Richtung;
        screen.ClearLog();
        draw();
        return screen.Calls();
    }
};

GridPoint In(std::int16_t n, int k) { return gElements[n].Eingaenge.Points()[k]; }
GridPoint Out(std::int16_t n, int k) { return gElements[n].Ausgaenge.Points()[k]; }

// The anchor of a two-input gate or a tri-state: one cell across from the first input.
GridPoint Across(std::int16_t n) {
    GridPoint p = In(n, 0);
    const std::uint8_t r = gElements[n].Richtung;
    if (r == kLeft || r == kRight)
        ++p.y;
    else
        ++p.x;
    return p;
}

TEST_F(RedrawTest, EachKindIsDrawnAtTheAnchorOfItsTable) {
    using Draw = std::function<void(std::int16_t)>;
    struct Case {
        const char* name;
        std::function<std::int16_t(std::uint8_t)> place;
        Draw draw;
    };
    const Case cases[] = {
        {"AND, two inputs", [](std::uint8_t o) { return test::PlaceAnd(20, 15, o, 2); },
         [](std::int16_t n) { gGrafik.DrawUnd(Across(n).x, Across(n).y, false); }},
        {"AND, four inputs", [](std::uint8_t o) { return test::PlaceAnd(20, 15, o, 4); },
         [](std::int16_t n) { gGrafik.DrawUnd(In(n, 1).x, In(n, 1).y, false); }},
        {"OR, two inputs", [](std::uint8_t o) { return test::PlaceOr(20, 15, o, 2); },
         [](std::int16_t n) { gGrafik.DrawOder(Across(n).x, Across(n).y, false); }},
        {"OR, three inputs", [](std::uint8_t o) { return test::PlaceOr(20, 15, o, 3); },
         [](std::int16_t n) { gGrafik.DrawOder(In(n, 1).x, In(n, 1).y, false); }},
        {"XOR, two inputs", [](std::uint8_t o) { return test::PlaceXor(20, 15, o, 2); },
         [](std::int16_t n) { gGrafik.DrawXOder(Across(n).x, Across(n).y); }},
        {"XOR, five inputs", [](std::uint8_t o) { return test::PlaceXor(20, 15, o, 5); },
         [](std::int16_t n) { gGrafik.DrawXOder(In(n, 1).x, In(n, 1).y); }},
        {"inverter", [](std::uint8_t o) { return test::PlaceInverter(20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawInverter(In(n, 0).x, In(n, 0).y); }},
        {"tri-state", [](std::uint8_t o) { return test::PlaceTriState(20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawTriState(Across(n).x, Across(n).y); }},
        {"half adder",
         [](std::uint8_t o) { return test::PlaceBlockKind(kTypeHalfAdder, 20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawHA(In(n, 2).x, In(n, 2).y); }},
        {"full adder",
         [](std::uint8_t o) { return test::PlaceBlockKind(kTypeFullAdder, 20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawVA(In(n, 2).x, In(n, 2).y); }},
        {"decoder", [](std::uint8_t o) { return test::PlaceDecoder(20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawDecoder(In(n, 2).x, In(n, 2).y, false); }},
        {"flip-flop", [](std::uint8_t o) { return test::PlaceBlockKind(kTypeFlipFlop, 20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawFlipFlop(In(n, 1).x, In(n, 1).y, false, false); }},
        {"shift register",
         [](std::uint8_t o) { return test::PlaceBlockKind(kTypeShiftRegister, 20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawSRegister(In(n, 2).x, In(n, 2).y); }},
        {"multiplexer",
         [](std::uint8_t o) { return test::PlaceBlockKind(kTypeMultiplexer, 20, 15, o); },
         [](std::int16_t n) { gGrafik.DrawMultiplexer(In(n, 0).x, In(n, 0).y); }},
    };
    for (const Case& c : cases) {
        for (std::uint8_t o : {kLeft, kRight, kUp, kDown}) {
            SCOPED_TRACE(std::string(c.name) + ", orientation " + std::to_string(o));
            InitProgramState();
            const std::int16_t n = c.place(o);
            ASSERT_NE(n, 0);
            const auto got = Dispatched(n);
            EXPECT_TRUE(SameCalls(got, Direct(n, [&] { c.draw(n); })));
        }
    }
}

TEST_F(RedrawTest, SingleShapedKindsAreDrawnAtTheCellItself) {
    const std::int16_t led = test::PlaceLed(10, 10);
    const std::int16_t display = test::PlaceBlockKind(kTypeNumberDisplay, 20, 15);
    test::LayWire(30, 5, 36, 5);
    const std::int16_t point = test::PlaceAnalysisPoint(33, 5);
    ASSERT_NE(led * display * point, 0);
    EXPECT_TRUE(SameCalls(Dispatched(led), Direct(led, [] { gGrafik.DrawDiode(10, 10); })));
    const GridPoint d = In(display, 0);
    EXPECT_TRUE(
        SameCalls(Dispatched(display), Direct(display, [&] { gGrafik.DrawZAnzeige(d.x, d.y); })));
    EXPECT_TRUE(
        SameCalls(Dispatched(point), Direct(point, [] { gGrafik.DrawAnalysepunkt(33, 5); })));
}

TEST_F(RedrawTest, ASwitchCellDrawsItsSwitch) {
    test::LayWire(5, 5, 9, 5);
    const std::int16_t sw = test::PlaceSwitch(5, 5);
    ASSERT_NE(sw, 0);
    EXPECT_TRUE(SameCalls(Dispatched(sw), Direct(sw, [] { gGrafik.DrawSwitch(5, 5); })));
}

TEST_F(RedrawTest, AClockIsDrawnThreeCellsBehindItsOutput) {
    const struct {
        std::uint8_t orientation;
        int px, py; // placing cell
        int ax, ay; // anchor expected from the output (20, 10)
    } cases[] = {
        {kRight, 17, 10, 17, 10},
        {kUp, 20, 13, 20, 13},
    };
    for (const auto& c : cases) {
        InitProgramState();
        const std::int16_t n = test::PlaceClock(c.px, c.py, c.orientation);
        ASSERT_NE(n, 0);
        ASSERT_EQ(Out(n, 0), (GridPoint{20, 10}));
        EXPECT_TRUE(SameCalls(Dispatched(n), Direct(n, [&] {
                                  gGrafik.DrawTimer(static_cast<std::int16_t>(c.ax),
                                                    static_cast<std::int16_t>(c.ay), false);
                              })));
    }
}

TEST_F(RedrawTest, TheSelectedClockIsMarkedOnlyWhilePowered) {
    const std::int16_t n = test::PlaceClock(17, 10, kRight);
    ASSERT_NE(n, 0);
    gAktTakt = 0;
    gTaktElement.at(0) = n;
    EXPECT_TRUE(SameCalls(Dispatched(n), Direct(n, [] { gGrafik.DrawTimer(17, 10, false); })));
    gLevels.at(0).Feld = gGrid;
    gLevels.at(0).Elemente = gElements;
    gLevels.at(0).AnzElemente = gAnzElemente;
    gPowerOn = true;
    EXPECT_TRUE(SameCalls(Dispatched(n), Direct(n, [] { gGrafik.DrawTimer(17, 10, true); })));
    gPowerOn = false;
}

TEST_F(RedrawTest, AreaCornersAreClampedInPlace) {
    const int w = gFeldBreite;
    const int h = gFeldHoehe;
    const struct {
        int x1, y1, x2, y2;
        int ex1, ey1, ex2, ey2;
    } cases[] = {
        {-3, -3, 5, 5, 0, 0, 5, 5},
        {2, 3, w + 5, h + 9, 2, 3, w, h},
        {2, 3, w + 1, h + 1, 2, 3, w + 1, h + 1},
        {w + 2, h + 2, w + 3, h + 3, w, h, w, h},
        {-1, 4, 3, -7, 0, 4, 3, 0},
    };
    for (const auto& c : cases) {
        auto x1 = static_cast<std::int16_t>(c.x1), y1 = static_cast<std::int16_t>(c.y1);
        auto x2 = static_cast<std::int16_t>(c.x2), y2 = static_cast<std::int16_t>(c.y2);
        RedrawArea(x1, y1, x2, y2, false);
        EXPECT_EQ(x1, c.ex1) << c.x1;
        EXPECT_EQ(y1, c.ey1) << c.y1;
        EXPECT_EQ(x2, c.ex2) << c.x2;
        EXPECT_EQ(y2, c.ey2) << c.y2;
    }
}

TEST_F(RedrawTest, AnAreaClearsItsCellsAndDrawsTheirGridDots) {
    std::int16_t x1 = 2, y1 = 3, x2 = 4, y2 = 5;
    screen.ClearLog();
    RedrawArea(x1, y1, x2, y2, false);
    const auto boxes = screen.CallsOf(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(boxes[0].x1, GridToPixel(2) - 7);
    EXPECT_DOUBLE_EQ(boxes[0].y1, GridToPixel(3) - 7);
    EXPECT_DOUBLE_EQ(boxes[0].x2, GridToPixel(4) + 7);
    EXPECT_DOUBLE_EQ(boxes[0].y2, GridToPixel(5) + 7);
    EXPECT_EQ(boxes[0].fillStyle, FillMode::Solid);
    EXPECT_EQ(boxes[0].fillColor, 0xFFFFFF);
    EXPECT_EQ(screen.CallsOf(DrawOp::PSet).size(), 9u);
    EXPECT_EQ(host.statusTexts[2], "Leitungen werden gezeichnet ...");
    EXPECT_FALSE(host.Caption("lblTime").empty());
}

TEST_F(RedrawTest, AnElementOverlappingTheAreaByOneCellIsDrawnWholeOnce) {
    const std::int16_t gate = test::PlaceAnd(20, 15, kRight, 4);
    ASSERT_NE(gate, 0);
    const auto whole = Dispatched(gate);
    const int right = SearchElementEndX(gate);
    const int bottom = SearchElementEndY(gate);
    std::int16_t x1 = static_cast<std::int16_t>(right), y1 = static_cast<std::int16_t>(bottom);
    std::int16_t x2 = static_cast<std::int16_t>(right + 4);
    std::int16_t y2 = static_cast<std::int16_t>(bottom + 4);
    screen.ClearLog();
    RedrawArea(x1, y1, x2, y2, false);
    EXPECT_EQ(Occurrences(screen.Calls(), whole), 1);
    // An element next to a wire cell of the area is drawn by the wire's neighbour pass, even
    // when none of its cells lies in the area.
    const GridPoint in0 = In(gate, 0);
    test::LayWire(in0.x - 4, in0.y, in0.x, in0.y);
    const auto wired = Dispatched(gate);
    x1 = static_cast<std::int16_t>(in0.x - 3);
    y1 = in0.y;
    x2 = static_cast<std::int16_t>(in0.x - 1);
    y2 = in0.y;
    screen.ClearLog();
    RedrawArea(x1, y1, x2, y2, false);
    EXPECT_EQ(Occurrences(screen.Calls(), wired), 1);
}

// Whether the last thing drawn over the coupling diode at (x, y) is the diode itself: its calls
// occur in the log, and no later wire segment or filled box reaches into its triangle (the cell's
// lower half).
::testing::AssertionResult DiodeDrawnLast(const std::vector<DrawCall>& log,
                                          const std::vector<DrawCall>& diode, int x, int y) {
    std::size_t last = log.size();
    for (std::size_t i = 0; i + diode.size() <= log.size(); ++i) {
        bool all = true;
        for (std::size_t k = 0; k < diode.size() && all; ++k)
            all = SameCall(log[i + k], diode[k]);
        if (all)
            last = i;
    }
    if (last == log.size())
        return ::testing::AssertionFailure() << "the diode is not drawn";
    const double left = GridToPixel(x) - 7, right = GridToPixel(x) + 7;
    const double top = GridToPixel(y), bottom = GridToPixel(y) + 7;
    for (std::size_t i = last + diode.size(); i < log.size(); ++i) {
        const DrawCall& c = log[i];
        double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        if (c.op == DrawOp::Polyline && c.points.size() == 2) {
            x1 = c.points[0].x;
            y1 = c.points[0].y;
            x2 = c.points[1].x;
            y2 = c.points[1].y;
        } else if (c.op != DrawOp::Line && c.op != DrawOp::Box) {
            continue;
        }
        if (std::max(x1, x2) >= left && std::min(x1, x2) <= right && std::max(y1, y2) >= top &&
            std::min(y1, y2) <= bottom)
            return ::testing::AssertionFailure() << "call " << i << " paints over the diode";
    }
    return ::testing::AssertionSuccess();
}

TEST_F(RedrawTest, AnAreaRepaintsCouplingDiodesAboveAndLeftOfItsWireCells) {
    enum class Layout { Cross, TeeUpWithWireBelow, TeeLeftWithWireRight };
    const struct {
        const char* name;
        Layout layout;
        int x1, y1, x2, y2; // the area
    } cases[] = {
        {"the cell below only", Layout::Cross, 10, 11, 10, 11},
        {"the cell right only", Layout::Cross, 11, 10, 11, 10},
        {"the diode and the cells below", Layout::Cross, 10, 10, 10, 12},
        {"the diode and the cells right", Layout::Cross, 10, 10, 12, 10},
        {"the whole crossing", Layout::Cross, 8, 8, 12, 12},
        {"a wire below that does not join the diode", Layout::TeeUpWithWireBelow, 9, 11, 11, 11},
        {"a wire right that does not join the diode", Layout::TeeLeftWithWireRight, 11, 9, 11, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gGrid.Create(gGrid.UBoundX(), gGrid.UBoundY());
        switch (c.layout) {
        case Layout::Cross:
            test::LayWire(8, 10, 12, 10);
            test::LayWire(10, 8, 10, 12);
            break;
        case Layout::TeeUpWithWireBelow:
            test::LayWire(8, 10, 12, 10);
            test::LayWire(10, 8, 10, 10);
            test::LayWire(8, 11, 12, 11);
            break;
        case Layout::TeeLeftWithWireRight:
            test::LayWire(10, 8, 10, 12);
            test::LayWire(8, 10, 10, 10);
            test::LayWire(11, 8, 11, 12);
            break;
        }
        ASSERT_TRUE(test::SetCouplingDiode(10, 10));
        screen.ClearLog();
        SetKoppeldiodeAt(10, 10, true);
        const auto diode = screen.Calls();
        auto x1 = static_cast<std::int16_t>(c.x1), y1 = static_cast<std::int16_t>(c.y1);
        auto x2 = static_cast<std::int16_t>(c.x2), y2 = static_cast<std::int16_t>(c.y2);
        screen.ClearLog();
        RedrawArea(x1, y1, x2, y2, false);
        EXPECT_TRUE(DiodeDrawnLast(screen.Calls(), diode, 10, 10));
    }
}

TEST_F(RedrawTest, FullRedrawOfAnEmptySheet) {
    gSelection = "3;";
    gSelCount = 1;
    screen.ClearLog();
    host.progressValues.clear();
    RedrawAllElements(0);
    const auto resizes = screen.CallsOf(DrawOp::Resize);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(screen.Width(), 51 * 14);
    EXPECT_EQ(screen.Height(), 31 * 14);
    EXPECT_EQ(screen.CallsOf(DrawOp::Clear).size(), 1u);
    const auto dots = screen.CallsOf(DrawOp::SetPixel);
    ASSERT_EQ(dots.size(), 51u * 31u);
    std::size_t i = 0;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y, ++i) {
            EXPECT_EQ(dots[i].x1, GridToPixel(x));
            EXPECT_EQ(dots[i].y1, GridToPixel(y));
            EXPECT_EQ(dots[i].color, 0x808080);
        }
    }
    EXPECT_EQ(host.progressValues.front(), 0);
    EXPECT_EQ(host.progressValues.back(), 0);
    EXPECT_EQ(*std::max_element(host.progressValues.begin(), host.progressValues.end()), 100);
    EXPECT_EQ(host.statusTexts[2], "");
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gSelCount, 0);
    EXPECT_GE(host.refreshCalls, 1);
}

TEST_F(RedrawTest, FullRedrawDrawsEveryRunAndElement) {
    test::LayWire(3, 4, 9, 4);
    test::LayWire(6, 1, 6, 8);
    const std::int16_t gate = test::PlaceAnd(20, 15, kRight, 3);
    const auto gateCalls = Dispatched(gate);
    screen.ClearLog();
    RedrawAllElements(0);
    EXPECT_EQ(gLineRuns(3, 4).EndX, 9);
    EXPECT_EQ(gLineRuns(6, 1).EndY, 8);
    EXPECT_EQ(Occurrences(screen.Calls(), gateCalls), 1);
    // Grid dots on empty and wire cells only.
    EXPECT_EQ(screen.CallsOf(DrawOp::SetPixel).size(), 51u * 31u - static_cast<std::size_t>(3 * 3));
}

// Fault: the redraws drew an IC without pins from its empty point list, so its cells stayed
// blank and the element before it was drawn again instead.
TEST_F(RedrawTest, AnICWithoutPinsIsDrawnByEveryRedrawAndNothingTwice) {
    test::TempDir ics;
    gVerzeichnisse[1] = ics.Path() + "/";
    test::WriteBytes(ics.File("no_pins.icd"), test::ReadBytes(test::DataFile("no_pins.icd")));
    ASSERT_NE(test::PlaceLed(3, 3), 0);
    ASSERT_NE(test::PlaceIC("no_pins", 10, 10), 0);
    const auto drawn = [this](std::int16_t x, std::int16_t y) {
        screen.ClearLog();
        DrawElement(x, y, false, false);
        return screen.Calls();
    };
    const auto led = drawn(3, 3);
    const auto ic = drawn(11, 11);
    // Each redraw, and how often it draws the LED.
    const std::tuple<const char*, std::function<void()>, int> redraws[] = {
        {"full", [] { RedrawAllElements(0); }, 1},
        {"area", [] { RedrawAreaValue(11, 11, 12, 12, false); }, 0},
        {"kept picture", [] { RedrawPicture(); }, 1}};
    for (const auto& [what, redraw, leds] : redraws) {
        screen.ClearLog();
        redraw();
        EXPECT_EQ(Occurrences(screen.Calls(), ic), 1) << what;
        EXPECT_EQ(Occurrences(screen.Calls(), led), leds) << what;
    }
}

TEST_F(RedrawTest, FullRedrawToThePrinterLeavesThePictureAlone) {
    test::LayWire(3, 4, 9, 4);
    test::PlaceAnd(20, 15, kRight, 3);
    gGrafik.Device = &printer;
    screen.ClearLog();
    RedrawAllElements(0);
    gGrafik.Device = &screen;
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_TRUE(printer.CallsOf(DrawOp::Resize).empty());
    EXPECT_TRUE(printer.CallsOf(DrawOp::Clear).empty());
    EXPECT_TRUE(printer.CallsOf(DrawOp::SetPixel).empty());
    EXPECT_FALSE(printer.Calls().empty());
}

TEST_F(RedrawTest, WhilePoweredTheFullRedrawShowsTheLiveLevels) {
    test::LayWire(3, 4, 9, 4);
    gLevels.at(0).Feld = gGrid;
    for (int x = 3; x <= 9; ++x)
        gLevels.at(0).Feld(x, 4).Pegel = gLevels.at(0).Feld(x, 4).PegelH = kTrue;
    gPowerOn = true;
    screen.ClearLog();
    RedrawAllElements(0);
    gPowerOn = false;
    EXPECT_EQ(gGrid(5, 4).Pegel, kTrue);
    EXPECT_EQ(gGrid(5, 4).PegelH, kTrue);
    EXPECT_EQ(gGrid(5, 5).Pegel, kFalse);
    EXPECT_TRUE(screen.CallsOf(DrawOp::SetPixel).empty() ||
                screen.CallsOf(DrawOp::SetPixel).size() < 51u * 31u);
}

TEST_F(RedrawTest, GridDotsFollowTheGridSwitch) {
    test::LayWire(3, 4, 9, 4);
    gShowGrid = false;
    screen.ClearLog();
    DrawGrid();
    auto dots = screen.CallsOf(DrawOp::PSet);
    EXPECT_EQ(dots.size(), 51u * 31u - 7u);
    for (const DrawCall& d : dots)
        EXPECT_EQ(d.color, 0xFFFFFF);
    gShowGrid = true;
    screen.ClearLog();
    DrawGrid();
    dots = screen.CallsOf(DrawOp::PSet);
    EXPECT_EQ(dots.size(), 51u * 31u - 7u);
    for (const DrawCall& d : dots)
        EXPECT_EQ(d.color, 0x808080);
}

TEST_F(RedrawTest, RedrawsRunToTheirEndWithoutYielding) {
    test::LayWire(3, 4, 9, 4);
    test::PlaceAnd(20, 15, kRight, 3);
    RedrawAllElements(0);
    std::int16_t x1 = 0, y1 = 0, x2 = 30, y2 = 20;
    RedrawArea(x1, y1, x2, y2, false);
    DrawGrid();
    EXPECT_EQ(pump.DoEventsCalls(), 0);
}

TEST_F(RedrawTest, ThePictureTakesTheSheetSizeAtTheZoom) {
    const struct {
        float zoom;
        int w, h;
    } cases[] = {{1.0f, 714, 434}, {2.5f, 1785, 1085}, {0.6f, 428, 260}};
    for (const auto& c : cases) {
        gGrafik.GridMode = c.zoom;
        SizeWorksheetPicture();
        EXPECT_EQ(screen.Width(), c.w) << c.zoom;
        EXPECT_EQ(screen.Height(), c.h) << c.zoom;
    }
}

} // namespace
} // namespace kardo
