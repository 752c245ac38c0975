// The every-kind sheet: elements are packed row by row into the sheet, each tried at
// successive places until its placing operation accepts it, then every pin gets a short wire.
#include "support/every_kind_sheet.h"

#include "app/settings.h"
#include "model/basic_elements.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <functional>
#include <stdexcept>
#include <vector>

namespace kardo::test {

namespace {

constexpr int kWidth = 70;
constexpr int kHeight = 56;

void Need(bool ok, const char* what) {
    if (!ok)
        throw std::logic_error(what);
}

// Places elements one after another from the top-left, each at the first place (in rows four
// cells apart, columns two apart) where its placing operation accepts it.
class Packer {
  public:
    explicit Packer(int top) : m_y(top) {}
    std::int16_t Place(const std::function<std::int16_t(int, int)>& place) {
        for (; m_y < kHeight - 3; m_y += 4, m_x = 3) {
            for (; m_x < kWidth - 3; m_x += 2) {
                if (const std::int16_t n = place(m_x, m_y)) {
                    m_x += 4;
                    return n;
                }
            }
        }
        throw std::logic_error("no room on the sheet");
    }

  private:
    int m_x = 3; // next column to try
    int m_y;     // row being filled
};

bool Free(int x, int y) {
    return x >= 1 && y >= 1 && x < gFeldBreite && y < gFeldHoehe && gGrid(x, y).Typ == 0;
}

// A wire of two cells from a pin outward, to the first side with room (an LED on its end for
// every second output).
void Stub(GridPoint pin, bool led) {
    const int dirs[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& d : dirs) {
        bool room = true;
        for (int k = 1; k <= 3 && room; ++k)
            room = Free(pin.x + d[0] * k, pin.y + d[1] * k);
        if (!room)
            continue;
        const int ex = pin.x + d[0] * 2;
        const int ey = pin.y + d[1] * 2;
        LayWire(pin.x, pin.y, ex, ey);
        if (led)
            PlaceLed(ex, ey, 0x00FF00);
        return;
    }
}

// A text label as the label editor makes it.
void Label(int x, int y, const std::string& text, int cells) {
    ElementRecord& e = AppendElement(kTypeText);
    e.Richtung = kRight;
    e.Eingaenge = PinEntry(x, y);
    e.Text = text;
    for (int i = 0; i < cells; ++i) {
        gGrid(x + i, y).Typ = kTypeText;
        gGrid(x + i, y).ElementNr = e.Nr;
    }
}

} // namespace

void BuildEveryKindSheet(const std::string& icFolder) {
    gVerzeichnisse[1] = icFolder;
    WriteInverterICs(icFolder);
    FreshSheet(kWidth, kHeight);

    // Wires: a crossing without a point, a connection point, a coupling diode, a corner, with a
    // switch, LEDs and analysis points on them.
    LayWire(2, 2, 14, 2);
    LayWire(5, 1, 5, 5);
    LayWire(9, 1, 9, 5);
    Need(SetPoint(9, 2), "connection point");
    LayWire(12, 2, 12, 5);
    Need(SetCouplingDiode(12, 2), "coupling diode");
    LayWire(14, 2, 14, 5);
    LayWire(14, 5, 17, 5);
    Need(PlaceSwitch(2, 2) != 0, "switch");
    Need(PlaceLed(17, 5, 255) != 0, "LED");
    Need(PlaceLed(5, 5, 0x00FF00) != 0, "LED");
    Need(PlaceAnalysisPoint(7, 2) != 0, "analysis point");
    Need(PlaceAnalysisPoint(14, 4) != 0, "analysis point");
    Need(PlaceIC("inv2", 22, 1) != 0, "IC");
    Label(40, 2, "Zähler 1", 5);

    std::vector<std::int16_t> placed;
    Packer packer(8);
    const std::uint8_t orientations[] = {kRight, kLeft, kDown, kUp};
    for (const std::uint8_t o : orientations) {
        const auto add = [&](const std::function<std::int16_t(int, int)>& place) {
            placed.push_back(packer.Place(place));
        };
        add([o](int x, int y) { return PlaceAnd(x, y, o, 3); });
        add([o](int x, int y) { return PlaceOr(x, y, o, 2); });
        add([o](int x, int y) { return PlaceXor(x, y, o, 4); });
        add([o](int x, int y) { return PlaceInverter(x, y, o); });
        add([o](int x, int y) { return PlaceTriState(x, y, o); });
        for (const std::uint8_t typ :
             {kTypeHalfAdder, kTypeFullAdder, kTypeMultiplexer, kTypeFlipFlop, kTypeShiftRegister})
            add([o, typ](int x, int y) { return PlaceBlockKind(typ, x, y, o); });
        add([o](int x, int y) { return PlaceDecoder(x, y, o, false); });
        add([o](int x, int y) { return PlaceDecoder(x, y, o, true); });
        add([o](int x, int y) { return PlaceClock(x, y, o); });
    }
    placed.push_back(packer.Place(
        [](int x, int y) { return PlaceBlockKind(kTypeNumberDisplay, x, y, kRight); }));

    // Negation points on the first input of every gate and on J of every flip-flop, on the
    // output of every OR.
    for (const std::int16_t n : placed) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
        if (e.Typ == kTypeAnd || e.Typ == kTypeXor || e.Typ == kTypeFlipFlop)
            Need(Negate(e.Eingaenge.Points()[0].x, e.Eingaenge.Points()[0].y), "negation");
        if (e.Typ == kTypeOr)
            Need(Negate(e.Ausgaenge.Points()[0].x, e.Ausgaenge.Points()[0].y), "negation");
    }
    for (const std::int16_t n : placed) {
        const ElementRecord e = gElements[static_cast<std::size_t>(n)];
        for (const GridPoint& p : e.Eingaenge.Points())
            Stub(p, false);
        bool led = true;
        for (const GridPoint& p : e.Ausgaenge.Points()) {
            Stub(p, led);
            led = !led;
        }
    }
}

} // namespace kardo::test
