// Small helpers shared by the symbol drawers of the drawing object: colours, cell centres,
// roundings, body fills, fonts, text placement, boxes, pin stubs and level reads.
// Every helper draws on gGrafik.Device and reads gGrafik's zoom; none keeps state.
#pragma once

#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "platform/draw_target.h"
#include "render/grafik.h"

#include <cassert>
#include <cstdint>
#include <string_view>

namespace kardo::draw {

// Colours of the symbols (red + 256 green + 65536 blue).
constexpr Color kBlack = Rgb(0, 0, 0);            // outlines, text
constexpr Color kWhite = Rgb(255, 255, 255);      // background, printer bodies
constexpr Color kWireHigh = Rgb(255, 0, 0);       // wire at high level
constexpr Color kWireLow = Rgb(128, 128, 128);    // wire at low level or switched off
constexpr Color kBodyYellow = Rgb(255, 255, 192); // light yellow body of most blocks
constexpr Color kBodyGreen = Rgb(192, 255, 192);  // light green inverter body
constexpr Color kBodyOrange = Rgb(255, 224, 192); // light orange body of the selected clock
constexpr Color kSilver = Rgb(192, 192, 192);     // switch body, negation point
constexpr Color kLightGrey = Rgb(224, 224, 224);  // unlit LED, number display window
constexpr Color kLightCyan = Rgb(192, 255, 255);  // analysis point disc

// The drawing target in force (gGrafik.Device); asserts that there is one. Inline like the
// two below: every drawer calls them many times per symbol.
inline DrawTarget& Dev() {
    assert(gGrafik.Device);
    return *gGrafik.Device;
}
// gGrafik.Device is the printer page.
inline bool OnPrinter() { return gGrafik.OnPrinter(); }
// Zoom factor gGrafik.GridMode as a double (the "G" / "z" of the drawers).
inline double Zoom() { return static_cast<double>(gGrafik.GridMode); }
// Pixel centre of grid column or row i (GridToPixel), as the floating value drawers add to.
inline double C(int i) { return GridToPixel(i); }
// Round to the nearest integer, a half to the even one.
int CInt(double v);

// Body fill for a symbol: FillColor white on the printer, else screenColor; FillStyle
// transparent when onlyBorder, else solid.
void SetBodyFill(Color screenColor, bool onlyBorder = false);
// ForeColor black and FontName "Arial", bold off, FontSize as SetFontSize.
void SetFont(double screenFactor, double printerFactor);
// FontSize := screenFactor * zoom on the worksheet picture, printerFactor * zoom on the printer.
void SetFontSize(double screenFactor, double printerFactor);
// Prints text with its top-left corner at (x, y) (sets CurrentX and CurrentY first).
void PrintAt(double x, double y, std::string_view text);

// Rectangle from corner to corner with a black border, filled as the fill properties say.
void Box(double x1, double y1, double x2, double y2);
// Plain line in colour (black unless given).
void LineTo(double x1, double y1, double x2, double y2, Color color = kBlack);
// Pin stub: a plain line in the outline colour gLinienFarbe.
void Stub(double x1, double y1, double x2, double y2);
// Pin stub unless a wire leaves pin cell (x, y) of gGrid towards side (kLeft, kRight, kUp,
// kDown); returns whether it was drawn.
bool StubUnlessWired(int x, int y, std::uint8_t side, double x1, double y1, double x2, double y2);
// Wire flag of cell (x, y) of gGrid towards side (kLeft -> Links, kRight -> Rechts,
// kUp -> Oben, kDown -> Unten); false for any other side or a cell outside the grid.
bool WireLeaves(int x, int y, std::uint8_t side);

// The cell whose level a symbol shows: of the shown simulation level gLevels[ShownLevel()] while
// gPowerOn, else of gGrid. Inline: the drawers read their pin cells through it while running.
inline const CellRecord& ShownCell(int x, int y) {
    const std::int16_t shown = ShownLevel();
    if (gPowerOn && shown >= 0 && static_cast<std::size_t>(shown) < gLevels.size()) {
        const Grid& feld = gLevels[static_cast<std::size_t>(shown)].Feld;
        if (feld.Contains(x, y))
            return feld(x, y);
    }
    return gGrid(x, y);
}
// Element n of the shown simulation level while gPowerOn, else of gElements; nullptr when n is
// outside the list.
const ElementRecord* ShownElement(int n);
// Element n of gElements, or nullptr when n is outside 1..gAnzElemente.
const ElementRecord* WorksheetElement(int n);
// Point mark of cell (x, y) of gGrid; 0 outside the grid.
std::int16_t PunktAt(int x, int y);
// A 64-bit key made of the values added, in order (DrawTarget::Replay); never 0.
class KeyHash {
  public:
    void Add(std::int64_t v) {
        m_h = (m_h ^ static_cast<std::uint64_t>(v)) * 0x9E3779B97F4A7C15ULL;
        m_h ^= m_h >> 29;
    }
    // Two values of at most 32 bits each, in one step.
    template <typename A, typename B>
    requires(sizeof(A) <= 4 && sizeof(B) <= 4) void Add(A a, B b) {
        Add(static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::uint32_t>(a))
                                          << 32 |
                                      static_cast<std::uint32_t>(b)));
    }
    std::uint64_t Value() const { return m_h == 0 ? 1 : m_h; }

  private:
    std::uint64_t m_h = 0x243F6A8885A308D3ULL; // digits of pi: any start other than 0
};

// The side opposite to side (kLeft <-> kRight, kUp <-> kDown); 0 for any other value.
std::uint8_t Opposite(std::uint8_t side);

} // namespace kardo::draw
