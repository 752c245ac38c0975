// Helpers shared by the symbol drawers.
#include "render/draw_common.h"

#include "model/rounding.h"
#include "model/sim_levels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kardo::draw {

int CInt(double v) { return static_cast<int>(RoundHalfEven(v)); }

void SetBodyFill(Color screenColor, bool onlyBorder) {
    DrawTarget& d = Dev();
    d.FillColor = OnPrinter() ? kWhite : screenColor;
    d.FillStyle = onlyBorder ? FillMode::Transparent : FillMode::Solid;
}

void SetFont(double screenFactor, double printerFactor) {
    DrawTarget& d = Dev();
    d.ForeColor = kBlack;
    // Compared first: assigning the same name again costs a copy on every symbol. The fixed
    // length lets the comparison compile to a few loads.
    constexpr std::string_view kArial = "Arial";
    if (d.FontName.size() != kArial.size() ||
        std::memcmp(d.FontName.data(), kArial.data(), kArial.size()) != 0)
        d.FontName = kArial;
    d.FontBold = false;
    SetFontSize(screenFactor, printerFactor);
}

void SetFontSize(double screenFactor, double printerFactor) {
    Dev().FontSize = (OnPrinter() ? printerFactor : screenFactor) * Zoom();
}

namespace {

// Whether a line or box between the two points can land in the target's clip: a pixel for
// rounding and the pen's width around it.
bool LineReaches(const DrawTarget& d, double x1, double y1, double x2, double y2) {
    const double m = 1.0 + std::max(d.DrawWidth, 1);
    return d.ClipReaches(std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m,
                         std::max(y1, y2) + m);
}

// Whether a text printed with its top-left corner at (x, y) can land in the target's clip. Its
// ink lies within its line box, about 1.15 em high, and no glyph is wider than an em; a quarter
// of an em more on every side (a byte counted as a whole glyph) and a smoothing margin hold
// every glyph with room to spare, yet a label a cell away does not reach a clip of a few rows.
bool TextReaches(const DrawTarget& d, double x, double y, std::size_t bytes) {
    const double em = d.FontSize * d.ClipPixelsPerPoint();
    if (!(em > 0))
        return true;
    constexpr double kMargin = 3;
    return d.ClipReaches(x - 0.25 * em - kMargin, y - 0.25 * em - kMargin,
                         x + em * (static_cast<double>(bytes) + 0.25) + kMargin,
                         y + 1.4 * em + kMargin);
}

} // namespace

void PrintAt(double x, double y, std::string_view text) {
    DrawTarget& d = Dev();
    d.CurrentX = x;
    d.CurrentY = y;
    if (TextReaches(d, x, y, text.size()))
        d.Print(text);
}

void Box(double x1, double y1, double x2, double y2) {
    DrawTarget& d = Dev();
    if (LineReaches(d, x1, y1, x2, y2))
        d.Line(x1, y1, x2, y2, kBlack, LineKind::Box);
}

void LineTo(double x1, double y1, double x2, double y2, Color color) {
    DrawTarget& d = Dev();
    if (LineReaches(d, x1, y1, x2, y2))
        d.Line(x1, y1, x2, y2, color, LineKind::Plain);
}

void Stub(double x1, double y1, double x2, double y2) {
    DrawTarget& d = Dev();
    if (LineReaches(d, x1, y1, x2, y2))
        d.Line(x1, y1, x2, y2, gLinienFarbe, LineKind::Plain);
}

bool WireLeaves(int x, int y, std::uint8_t side) {
    if (!gGrid.Contains(x, y))
        return false;
    const CellRecord& c = gGrid(x, y);
    switch (side) {
    case kLeft:
        return c.Links != 0;
    case kRight:
        return c.Rechts != 0;
    case kUp:
        return c.Oben != 0;
    case kDown:
        return c.Unten != 0;
    default:
        return false;
    }
}

bool StubUnlessWired(int x, int y, std::uint8_t side, double x1, double y1, double x2, double y2) {
    if (WireLeaves(x, y, side))
        return false;
    Stub(x1, y1, x2, y2);
    return true;
}

const ElementRecord* ShownElement(int n) {
    const std::int16_t shown = ShownLevel();
    if (gPowerOn && shown >= 0 && static_cast<std::size_t>(shown) < gLevels.size()) {
        const auto& list = gLevels[static_cast<std::size_t>(shown)].Elemente;
        if (n <= 0 || static_cast<std::size_t>(n) >= list.size())
            return nullptr;
        return &list[static_cast<std::size_t>(n)];
    }
    return WorksheetElement(n);
}

const ElementRecord* WorksheetElement(int n) {
    if (n <= 0 || n > gAnzElemente || static_cast<std::size_t>(n) >= gElements.size())
        return nullptr;
    return &gElements[static_cast<std::size_t>(n)];
}

std::int16_t PunktAt(int x, int y) { return gGrid.Contains(x, y) ? gGrid(x, y).Punkt : 0; }

std::uint8_t Opposite(std::uint8_t side) {
    switch (side) {
    case kLeft:
        return kRight;
    case kRight:
        return kLeft;
    case kUp:
        return kDown;
    case kDown:
        return kUp;
    default:
        return 0;
    }
}

} // namespace kardo::draw
