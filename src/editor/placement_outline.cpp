// Placement outline under the cursor: a rectangle for most kinds, a marker square for LEDs and
// switches, a trapezoid of four lines for the decoder. Positions are pixel centres of cells
// (GridToPixel) with fractions of the zoomed cell size; the shapes hold whole pixels, so every
// value lands on the nearest pixel, a half on the even one.
#include "editor/placement_outline.h"

#include "editor/overlays.h"
#include "files/ic_size.h"
#include "model/basic_elements.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/rounding.h"
#include "model/utilities.h"
#include "render/grafik.h"

namespace kardo {

namespace {

constexpr Color kOutlineGrey = 0x808080;

// GP(i): pixel centre of cell i.
double GP(int i) { return GridToPixel(i); }

// The zoomed cell size cs as a 16-bit integer.
double CellSize() {
    return RoundHalfEven(static_cast<double>(gRaster) * static_cast<double>(gGrafik.GridMode));
}

int Px(double v) { return static_cast<int>(RoundHalfEven(v)); }

void PlaceFrame(double left, double top, double width, double height) {
    OverlayShape& f = gOverlays.picRahmen;
    f.Left = Px(left);
    f.Top = Px(top);
    f.Width = Px(width);
    f.Height = Px(height);
}

// Gates and the inverter hide their frame over an element; the bigger kinds always show it.
void ShowFrameOverFreeCell() {
    const std::uint8_t t = gGrid(gCursorX, gCursorY).Typ;
    gOverlays.picRahmen.Visible = t == kTypeEmpty || t == kTypeWire;
}

void ShowFrame() { gOverlays.picRahmen.Visible = true; }

// The marker square of the LED and switch tools, centred on the cursor cell. Over an element
// it moves but keeps its visibility.
void ShowMarker() {
    OverlayShape& box = gOverlays.picBox;
    box.Left = GridToPixel(gCursorX) - 2;
    box.Top = GridToPixel(gCursorY) - 2;
    const std::uint8_t t = gGrid(gCursorX, gCursorY).Typ;
    if (t == kTypeEmpty || t == kTypeWire)
        box.Visible = true;
}

void SetLine(int i, int x1, int y1, int x2, int y2) {
    OverlayLine& l = gOverlays.LineRahmen[static_cast<std::size_t>(i)];
    l.X1 = GridToPixel(x1);
    l.Y1 = GridToPixel(y1);
    l.X2 = GridToPixel(x2);
    l.Y2 = GridToPixel(y2);
}

} // namespace

void ShowRahmenAndOrXor() {
    // The same input count as the placing, so a half-typed box never gives a negative size.
    int n = GateInputCount();
    gZweiEingaenge = TruthValue(n == 2);
    if (n == 2)
        n = 3; // a two-input gate has a body of three cells
    const int cx = gCursorX;
    const int cy = gCursorY;
    const double cs = CellSize();
    switch (gOrientierung) {
    case kLeft:
    case kRight: {
        const double left = gOrientierung == kLeft ? GP(cx - 2) : GP(cx);
        PlaceFrame(left, GP(cy - 1) - cs / 4, GP(cx + 2) - GP(cx) + 1,
                   GP(cy + n - 2) - GP(cy - 1) + cs / 2);
        break;
    }
    case kUp:
    case kDown: {
        const double top = gOrientierung == kUp ? GP(cy - 2) : GP(cy);
        PlaceFrame(GP(cx - 1) - cs / 4, top, GP(cx + n - 1) - GP(cx) + 1 + cs / 2,
                   GP(cy) - GP(cy - 2));
        break;
    }
    default:
        return;
    }
    ShowFrameOverFreeCell();
}

void ShowRahmenInverter() {
    const int cx = gCursorX;
    const int cy = gCursorY;
    const double cs = CellSize();
    switch (gOrientierung) {
    case kLeft:
        PlaceFrame(GP(cx - 2) + cs / 3, GP(cy) - cs / 3, GP(cx + 1) - GP(cx) + 3 * cs / 4,
                   GP(cy + 1) - GP(cy) - cs / 4);
        break;
    case kRight:
        PlaceFrame(GP(cx), GP(cy) - cs / 3, GP(cx + 1) - GP(cx) + 3 * cs / 4,
                   GP(cy + 1) - GP(cy) - cs / 4);
        break;
    case kUp:
        PlaceFrame(GP(cx) - cs / 3, GP(cy - 2) + cs / 3, 2 * cs / 3, GP(cy) - GP(cy - 2) - cs / 3);
        break;
    case kDown:
        PlaceFrame(GP(cx) - cs / 3, GP(cy), 2 * cs / 3, GP(cy + 2) - GP(cy) - cs / 3);
        break;
    default:
        return;
    }
    ShowFrameOverFreeCell();
}

namespace {

// The outline of a body that runs `length` cells from the cursor cell in the orientation and is
// `across` cells wide, starting `margin` cells before the centre of the row or column before the
// cursor's.
void ShowLengthwise(double length, double across, double margin) {
    const int cx = gCursorX;
    const int cy = gCursorY;
    const double cs = CellSize();
    const int n = static_cast<int>(length);
    switch (gOrientierung) {
    case kLeft:
        PlaceFrame(GP(cx - n), GP(cy - 1) - margin * cs, length * cs, across * cs);
        break;
    case kRight:
        PlaceFrame(GP(cx), GP(cy - 1) - margin * cs, length * cs, across * cs);
        break;
    case kUp:
        PlaceFrame(GP(cx - 1) - margin * cs, GP(cy - n), across * cs, length * cs);
        break;
    case kDown:
        PlaceFrame(GP(cx - 1) - margin * cs, GP(cy), across * cs, length * cs);
        break;
    default:
        return;
    }
    ShowFrame();
}

} // namespace

// Clock generator, half adder and full adder: three cells long, two and a half wide.
void ShowRahmenTimer() { ShowLengthwise(3, 2.5, 0.25); }

void ShowRahmenSRegister() { ShowLengthwise(8, 2.5, 0.25); }

void ShowRahmenMultiplexer() {
    const int cx = gCursorX;
    const int cy = gCursorY;
    const double cs = CellSize();
    switch (gOrientierung) {
    case kLeft:
        PlaceFrame(GP(cx - 4), GP(cy - 2), 4 * cs, 4 * cs + cs / 3);
        break;
    case kRight:
        PlaceFrame(GP(cx), GP(cy - 2), 4 * cs, 4 * cs + cs / 3);
        break;
    case kUp:
        PlaceFrame(GP(cx - 2) - cs / 3, GP(cy - 4), 4 * cs + cs / 3, 4 * cs);
        break;
    case kDown:
        PlaceFrame(GP(cx - 2) - cs / 3, GP(cy), 4 * cs + cs / 3, 4 * cs);
        break;
    default:
        return;
    }
    ShowFrame();
}

void ShowRahmenFlipFlop() {
    const int cx = gCursorX;
    const int cy = gCursorY;
    const double cs = CellSize();
    switch (gOrientierung) {
    case kLeft:
        PlaceFrame(GP(cx - 5), GP(cy - 1) - cs / 2, GP(6) - GP(1) + 1, 3 * cs);
        break;
    case kRight:
        PlaceFrame(GP(cx), GP(cy - 1) - cs / 2, GP(6) - GP(1) + 1, 3 * cs);
        break;
    case kUp:
        PlaceFrame(GP(cx - 1) - cs / 2, GP(cy - 5), 3 * cs, 5 * cs);
        break;
    case kDown:
        PlaceFrame(GP(cx - 1) - cs / 2, GP(cy), 3 * cs, 5 * cs);
        break;
    default:
        return;
    }
    ShowFrame();
}

void ShowRahmenIC(std::int16_t& Width, std::int16_t& Height) {
    PlaceFrame(GP(gCursorX), GP(ICTopRow(gCursorY, Height)), GP(Width + 1) - GP(1) + 1,
               GP(Height + 1) - GP(1) + 1);
    ShowFrame();
}

// The decoder's trapezoid: the short side (six cells) on the cursor's column or row, the long
// side (ten cells) two cells further in the orientation; lines 3 and 4 join their ends.
void ShowRahmenDecoder() {
    const int cx = gCursorX;
    const int cy = gCursorY;
    switch (gOrientierung) {
    case kLeft:
    case kRight: {
        const int far = gOrientierung == kRight ? cx + 2 : cx - 2;
        SetLine(1, cx, cy - 3, cx, cy + 2);
        SetLine(2, far, cy - 5, far, cy + 4);
        SetLine(3, cx, cy - 3, far, cy - 5);
        SetLine(4, cx, cy + 2, far, cy + 4);
        break;
    }
    case kUp:
    case kDown: {
        const int far = gOrientierung == kDown ? cy + 2 : cy - 2;
        SetLine(1, cx - 2, cy, cx + 3, cy);
        SetLine(2, cx - 4, far, cx + 5, far);
        SetLine(3, cx - 2, cy, cx - 4, far);
        SetLine(4, cx + 3, cy, cx + 5, far);
        break;
    }
    default:
        return;
    }
    if (!gOverlays.LineRahmen[1].Visible) {
        for (std::size_t i = 1; i <= 4; ++i)
            gOverlays.LineRahmen[i].Visible = true;
    }
}

void ShowBorder() {
    OverlayShape& frame = gOverlays.picRahmen;
    const std::uint8_t tool = gMouseMode;
    if (tool != kToolSelect) {
        frame.BorderColor = kOutlineGrey;
        frame.BorderStyle = kBorderSolid;
    }
    switch (tool) {
    case kTypeLed:
    case kTypeSwitch:
        ShowMarker();
        break;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
    case kTypeTriState:
        ShowRahmenAndOrXor();
        break;
    case kTypeInverter:
        ShowRahmenInverter();
        break;
    case kTypeClock:
    case kTypeHalfAdder:
    case kTypeFullAdder:
        ShowRahmenTimer();
        break;
    case kTypeMultiplexer:
        ShowRahmenMultiplexer();
        break;
    case kTypeDecoder:
        ShowRahmenDecoder();
        break;
    case kTypeFlipFlop:
        ShowRahmenFlipFlop();
        break;
    case kTypeShiftRegister:
        ShowRahmenSRegister();
        break;
    case kTypeNumberDisplay: {
        std::int16_t w = 4;
        std::int16_t h = 4;
        ShowRahmenIC(w, h);
        break;
    }
    case kTypeIC:
        ShowRahmenIC(gICBreite, gICHoehe);
        break;
    default:
        break;
    }
}

} // namespace kardo
