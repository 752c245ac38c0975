// A sheet with every element kind that a circuit file can hold without ICs, connection points, a
// coupling diode, negation points, a green LED, labels with punctuation and three clocks: saved
// and loaded it is the same circuit, and it simulates the same way.
#include "app/main_state.h"
#include "editor/text_labels.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "files/working_folders.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "render/redraw.h"
#include "simulation/power.h"
#include "simulation/user_interaction.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_files.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::LayWire;

// The circuit as the file keeps it.
struct Stored {
    std::int16_t w = 0;
    std::int16_t h = 0;
    Grid grid;
    std::vector<ElementRecord> elements;
    std::int16_t count = 0;
    std::vector<std::int16_t> taktElement;
    std::vector<std::int16_t> zeit1;
    std::vector<std::int16_t> zeit0;
    std::vector<std::int16_t> link;
    std::vector<std::uint8_t> takte;
    std::uint8_t clocks = 0;
    int timers = 0;
    std::uint8_t analysisPoints = 0;
    bool operator==(const Stored&) const = default;
};

Stored Store() {
    return {gFeldBreite,      gFeldHoehe, gGrid,     gElements, gAnzElemente,  gTaktElement,
            gTaktZeit1,       gTaktZeit0, gTaktLink, gAnzTakte, gAnzTaktgeber, Timer2().Count(),
            gAnzAnalysepunkte};
}

// The levels of the running circuit after one step of the run.
struct Levels {
    std::vector<std::int16_t> cells;   // Pegel, PegelH, PegelV of every cell of level 0
    std::vector<std::int16_t> states;  // state slots of every element of level 0
    std::vector<std::int16_t> outputs; // output level of every clock
    bool operator==(const Levels&) const = default;
};

Levels Capture() {
    Levels l;
    const SimLevelRecord& level = gLevels[0];
    for (int x = 0; x <= level.Feld.UBoundX(); ++x) {
        for (int y = 0; y <= level.Feld.UBoundY(); ++y) {
            const CellRecord& c = level.Feld(x, y);
            l.cells.insert(l.cells.end(), {c.Pegel, c.PegelH, c.PegelV});
        }
    }
    for (const ElementRecord& e : level.Elemente)
        l.states.insert(l.states.end(), e.Zustand.begin(), e.Zustand.end());
    l.outputs = gTaktAusgang;
    return l;
}

class RoundTripTest : public test::CoreFixture {
  protected:
    RoundTripTest() { gAktiviert = 1; }

    bool Free(int x, int y) const {
        return x >= 1 && y >= 1 && x < gFeldBreite && y < gFeldHoehe && gGrid(x, y).Typ == 0;
    }

    // A wire of three cells from a pin outward, to the first side with room; its far end.
    std::optional<GridPoint> Stub(GridPoint pin) {
        const int dirs[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& d : dirs) {
            bool room = true;
            // The stub and one cell around its far end stay clear of everything else.
            for (int k = 1; k <= 4 && room; ++k)
                room = Free(pin.x + d[0] * k, pin.y + d[1] * k);
            if (!room)
                continue;
            const int ex = pin.x + d[0] * 3;
            const int ey = pin.y + d[1] * 3;
            LayWire(pin.x, pin.y, ex, ey);
            return GridPoint{static_cast<std::int16_t>(ex), static_cast<std::int16_t>(ey)};
        }
        return std::nullopt;
    }

    // Every input of element n gets a switch, every output an LED, each on a stub wire.
    void WireUp(std::int16_t n) {
        const ElementRecord e = gElements[static_cast<std::size_t>(n)];
        for (const GridPoint& p : e.Eingaenge.Points()) {
            if (const auto end = Stub(p); end && test::PlaceSwitch(end->x, end->y) != 0)
                switches.push_back(*end);
        }
        for (const GridPoint& p : e.Ausgaenge.Points()) {
            if (const auto end = Stub(p))
                test::PlaceLed(end->x, end->y, 255);
        }
    }

    // A label as the label editor makes it: its anchor cell and the cells its text covers.
    static void Label(int x, int y, const std::string& text, int cells) {
        ElementRecord& e = AppendElement(kTypeText);
        e.Richtung = kRight;
        e.Eingaenge = PinEntry(x, y);
        e.Text = text;
        for (int i = 0; i < cells; ++i) {
            gGrid(x + i, y).Typ = kTypeText;
            gGrid(x + i, y).ElementNr = e.Nr;
        }
    }

    void Build() {
        switches.clear();
        CreateNewWorksheet(100, 70);
        std::set<std::uint8_t> kinds;
        auto placed = [&](std::int16_t n) {
            ASSERT_GT(n, 0);
            kinds.insert(gElements[static_cast<std::size_t>(n)].Typ);
        };

        // Two switches feed an AND and an OR; the first one's branch crosses the second wire
        // without a point and joins its own wire at a connection point.
        LayWire(2, 4, 10, 4);
        LayWire(2, 6, 10, 6);
        placed(test::PlaceSwitch(2, 4));
        placed(test::PlaceSwitch(2, 6));
        switches.push_back({2, 4});
        switches.push_back({2, 6});
        placed(test::PlaceAnd(10, 5));
        ASSERT_TRUE(test::Negate(10, 6));
        LayWire(4, 4, 4, 10);
        ASSERT_TRUE(test::SetPoint(4, 4));
        LayWire(4, 10, 10, 10);
        LayWire(6, 6, 6, 12);
        ASSERT_TRUE(test::SetPoint(6, 6));
        LayWire(6, 12, 10, 12);
        placed(test::PlaceOr(10, 11));
        LayWire(12, 5, 18, 5);
        placed(test::PlaceLed(18, 5, 0x00FF00)); // green
        LayWire(12, 11, 18, 11);
        placed(test::PlaceLed(18, 11, 255));
        placed(test::PlaceAnalysisPoint(15, 5));
        placed(test::PlaceAnalysisPoint(15, 11));

        // Two switches joined downwards through a coupling diode onto one LED.
        LayWire(2, 30, 8, 30);
        LayWire(5, 27, 5, 34);
        ASSERT_TRUE(test::SetCouplingDiode(5, 30));
        placed(test::PlaceSwitch(2, 30));
        placed(test::PlaceSwitch(5, 27));
        switches.push_back({2, 30});
        switches.push_back({5, 27});
        placed(test::PlaceLed(5, 34, 255));
        placed(test::PlaceLed(8, 30, 255));

        // The remaining kinds, each wired to switches and LEDs of its own.
        std::vector<std::int16_t> blocks;
        auto block = [&](std::int16_t n) {
            placed(n);
            blocks.push_back(n);
        };
        block(test::PlaceXor(10, 20, kRight, 3));
        block(test::PlaceInverter(30, 5));
        block(test::PlaceInverter(30, 12, kLeft));
        block(test::PlaceTriState(30, 20));
        block(test::PlaceBlockKind(kTypeHalfAdder, 50, 6));
        block(test::PlaceBlockKind(kTypeFullAdder, 70, 6));
        block(test::PlaceBlockKind(kTypeMultiplexer, 50, 22));
        block(test::PlaceDecoder(70, 22));
        block(test::PlaceDecoder(30, 36, kRight, true));
        block(test::PlaceBlockKind(kTypeFlipFlop, 50, 40));
        block(test::PlaceBlockKind(kTypeShiftRegister, 70, 40));
        block(test::PlaceBlockKind(kTypeNumberDisplay, 30, 52));
        block(test::PlaceClock(50, 58));
        block(test::PlaceClock(65, 58, kUp));
        block(test::PlaceClock(80, 58, kDown));
        for (const std::int16_t n : blocks)
            WireUp(n);
        ASSERT_TRUE(
            test::Negate(gElements[static_cast<std::size_t>(blocks[0])].Ausgaenge.Points()[0].x,
                         gElements[static_cast<std::size_t>(blocks[0])].Ausgaenge.Points()[0].y));

        gTaktZeit1[1] = 300;
        gTaktZeit0[1] = 700;
        gTaktLink[1] = kFalse;
        gAnzTakte[2] = 3;

        Label(20, 66, "Grüße, Welt; \"ok\" – 1,5 €", 10);
        Label(40, 66, "a;b,c;", 5);
        kinds.insert(kTypeText);

        const std::set<std::uint8_t> every = {kTypeLed,      kTypeSwitch,        kTypeAnd,
                                              kTypeOr,       kTypeXor,           kTypeInverter,
                                              kTypeClock,    kTypeHalfAdder,     kTypeFullAdder,
                                              kTypeTriState, kTypeMultiplexer,   kTypeDecoder,
                                              kTypeFlipFlop, kTypeShiftRegister, kTypeNumberDisplay,
                                              kTypeText,     kTypeAnalysisPoint};
        ASSERT_EQ(kinds, every);
        ASSERT_EQ(gAnzTaktgeber, 3);
    }

    // Switches on, clicks the switches one after another, lets the clocks run, switches off.
    std::vector<Levels> Simulate() {
        std::vector<Levels> run;
        PowerOnOff();
        EXPECT_TRUE(gPowerOn);
        run.push_back(Capture());
        for (std::size_t i = 0; i < switches.size(); ++i) {
            const GridPoint s = switches[(i * 7) % switches.size()];
            gCursorX = s.x;
            gCursorY = s.y;
            InitSwitchOn();
            run.push_back(Capture());
        }
        for (int t = 0; t < 5; ++t) {
            clock.Advance(450);
            run.push_back(Capture());
        }
        PowerOnOff();
        EXPECT_FALSE(gPowerOn);
        return run;
    }

    test::TempDir dir;               // the file's folder
    std::vector<GridPoint> switches; // every switch cell, in placing order
};

TEST_F(RoundTripTest, EveryKindLoadsBackIdenticalAndSimulatesIdentically) {
    Build();
    if (HasFatalFailure())
        return;
    const Stored built = Store();
    const std::string path = dir.File("alles.kdx");
    ASSERT_EQ(SaveFileTo(path), FileOutcome::Success);

    CreateNewWorksheet(50, 30);
    ASSERT_EQ(LoadFile(path), FileOutcome::Success);
    EXPECT_EQ(Store(), built);
    EXPECT_TRUE(host.messages.empty());

    // Saved again, the file is the same byte for byte.
    ASSERT_EQ(SaveFileTo(dir.File("wieder.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(dir.File("wieder.kdx")), test::ReadBytes(path));

    // The loaded circuit runs as the built one did.
    const std::vector<Levels> loaded = Simulate();
    Build();
    if (HasFatalFailure())
        return;
    const std::vector<Levels> original = Simulate();
    ASSERT_EQ(loaded.size(), original.size());
    for (std::size_t i = 0; i < loaded.size(); ++i)
        EXPECT_TRUE(loaded[i] == original[i]) << "step " << i;
    // The run changes levels, so the comparison compares something.
    EXPECT_FALSE(original.front() == original.back());
}

// A sheet at the element limit hung on opening (a 16-bit loop counter wrapped), and one more
// element wrapped the count.
TEST_F(RoundTripTest, SheetAtTheElementLimitLoadsRunsSavesAndTakesNoMore) {
    CreateNewWorksheet(200, 200);
    for (int i = 0; i < kMaxElements - 2; ++i)
        test::PlaceLed(1 + i % 199, 3 + i / 199);
    LayWire(1, 1, 4, 1);
    test::PlaceSwitch(1, 1);
    ASSERT_EQ(test::PlaceLed(4, 1), kMaxElements);
    ASSERT_EQ(SaveFileTo(dir.File("voll.kdx")), FileOutcome::Success);
    CreateNewWorksheet(50, 30);
    ASSERT_EQ(LoadFile(dir.File("voll.kdx")), FileOutcome::Success);
    RedrawAllElements(0);
    const DrawCall led = screen.CallsOf(DrawOp::Circle).back(); // the last element's
    EXPECT_EQ(std::make_pair(led.x1, led.y1), std::make_pair(63.0, 21.0));
    switches = {{1, 1}};
    const std::vector<Levels> run = Simulate();
    EXPECT_FALSE(run[0] == run[1]); // the click reached the LED
    ASSERT_EQ(SaveFileTo(dir.File("wieder.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(dir.File("wieder.kdx")), test::ReadBytes(dir.File("voll.kdx")));

    // Every kind of placing is refused with a message, and so is an undo that would add.
    gVerzeichnisse[1] = dir.Path() + "/";
    test::CopyFixtureICs(gVerzeichnisse[1]);
    LayWire(30, 190, 34, 190);
    const test::SheetState full = test::CaptureSheet();
    const std::uint32_t steps = gUndo.Recorded();
    for (const std::int16_t n :
         {test::PlaceAnd(10, 180), test::PlaceLed(20, 180), test::PlaceSwitch(30, 190),
          test::PlaceAnalysisPoint(32, 190), test::PlaceInverter(40, 180),
          test::PlaceTriState(50, 180), test::PlaceBlockKind(kTypeNumberDisplay, 60, 180),
          test::PlaceIC("inv", 80, 180)})
        EXPECT_EQ(n, 0);
    gCursorX = 100;
    ChangeBeschriftung("CREATE");
    EXPECT_EQ(host.messages.size(), 9u);
    EXPECT_EQ(test::CaptureSheet(), full);
    EXPECT_EQ(gUndo.Recorded(), steps);
    ASSERT_TRUE(test::RemoveAt(4, 1));
    ASSERT_NE(test::PlaceTriState(50, 180), 0);
    const test::SheetState tri = test::CaptureSheet();
    EXPECT_FALSE(gUndo.Undo());
    EXPECT_EQ(test::CaptureSheet(), tri);
    EXPECT_EQ(host.messages.size(), 10u);
}

} // namespace
} // namespace kardo
