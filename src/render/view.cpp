// Worksheet picture size, grid dots, the scroll bars and the kept part of the picture.
// Positions are whole-sheet pixels unless they are said to be viewport pixels; the viewport
// shows the sheet from (-PictureLeft(), -PictureTop()) on.
#include "render/view.h"

#include "editor/gesture_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/text_labels.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>
#include <cmath>

namespace kardo {

bool gShowGrid = true;
bool gScroll = true;
ScrollBarState gHScroll;
ScrollBarState gVScroll;
std::vector<PixelBox> gLabelTexts;

namespace {

constexpr Color kGridDot = 0x808080;
constexpr Color kWhite = 0xFFFFFF;
// Distance from an edge of the visible part within which the mouse scrolls, in pixels.
constexpr int kAutoScrollBand = 20;

DrawTarget* Screen() { return gPlatform ? gPlatform->screen : nullptr; }
HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

ViewportMetrics Viewport() {
    HostWindow* host = HostOrNull();
    return host != nullptr ? host->Viewport() : ViewportMetrics{};
}

// Size of the picture: (cells + 1) x cell size, to the nearest pixel.
std::int32_t PictureSize(int cells) {
    return static_cast<std::int32_t>(std::lround(CellPixels() * (cells + 1)));
}

// Picture position for a scroll value: Int(-value x cell size), rounded down.
std::int32_t PicturePosition(int value) {
    return static_cast<std::int32_t>(std::floor(-static_cast<double>(value) * CellPixels()));
}

// Lays one scroll bar out: needed when the picture and three cells more do not fit the
// viewport (compared in single precision, as the bars always were).
void LayOutBar(ScrollBarState& bar, std::int32_t picture, int viewport, int sheetCells, int g) {
    const auto cs = static_cast<float>(CellPixels());
    // Without a viewport (no window) nothing is scrolled.
    if (viewport > 0 && cs * 3.0f + static_cast<float>(picture) > static_cast<float>(viewport)) {
        bar.Visible = true;
        bar.Max = static_cast<std::int16_t>(std::max(0, sheetCells - GetVisibleArea(g) + 3));
        bar.Value = std::min(bar.Value, bar.Max);
    } else {
        bar.Visible = false;
        bar.Value = 0;
    }
}

void LayOutBars() {
    const ViewportMetrics vp = Viewport();
    LayOutBar(gHScroll, PictureSize(gFeldBreite), vp.width, gFeldBreite, 1);
    LayOutBar(gVScroll, PictureSize(gFeldHoehe), vp.height, gFeldHoehe, 2);
}

// Makes the screen picture keep the part the viewport shows, with a margin; true when the
// kept part moved (it is then white).
bool PlaceWindow() {
    DrawTarget* pic = Screen();
    if (pic == nullptr)
        return false;
    const PixelBox shown = ShownPart();
    const PixelBox sheet{0, 0, pic->Width(), pic->Height()};
    const int x1 = std::max(shown.x, sheet.x);
    const int y1 = std::max(shown.y, sheet.y);
    const int x2 = std::min(shown.x + shown.w, sheet.w);
    const int y2 = std::min(shown.y + shown.h, sheet.h);
    if (x2 <= x1 || y2 <= y1)
        return false;
    if (pic->Kept().Contains({x1, y1, x2 - x1, y2 - y1}))
        return false;
    return pic->SetWindow({shown.x - kPictureMargin, shown.y - kPictureMargin,
                           shown.w + 2 * kPictureMargin, shown.h + 2 * kPictureMargin});
}

// The viewport moved over the sheet: keep and draw what it shows now, tell the window.
void ViewMoved() {
    if (PlaceWindow())
        RedrawPicture();
    if (HostWindow* host = HostOrNull())
        host->ScrollChanged();
}

void SetBarValue(ScrollBarState& bar, int value) {
    value = bar.Visible ? std::clamp(value, 0, static_cast<int>(bar.Max)) : 0;
    if (value == bar.Value)
        return;
    bar.Value = static_cast<std::int16_t>(value);
    GetVisibleP();
    ViewMoved();
}

} // namespace

void ResetView() {
    gShowGrid = true;
    gHScroll = ScrollBarState{};
    gVScroll = ScrollBarState{};
    gLabelTexts.clear();
}

void NoteLabelText(const PixelBox& box) {
    if (std::find(gLabelTexts.begin(), gLabelTexts.end(), box) == gLabelTexts.end())
        gLabelTexts.push_back(box);
}

double CellPixels() {
    return static_cast<double>(gGrafik.GridPixel) * static_cast<double>(gGrafik.GridMode);
}

void SizeWorksheetPicture() {
    if (DrawTarget* pic = Screen()) {
        pic->Resize(PictureSize(gFeldBreite), PictureSize(gFeldHoehe));
        // The bars and the kept part follow the new size before anything is drawn, so that the
        // redraw that follows draws only what will be shown.
        LayOutBars();
        PlaceWindow();
    }
}

void DrawGrid() {
    DrawTarget* pic = Screen();
    if (pic == nullptr)
        return;
    const Color color = gShowGrid ? kGridDot : kWhite;
    const PixelBox kept = pic->Kept();
    const double cs = CellPixels();
    const int x1 = std::max(0, static_cast<int>(kept.x / cs) - 1);
    const int y1 = std::max(0, static_cast<int>(kept.y / cs) - 1);
    const int x2 = std::min<int>(gFeldBreite, static_cast<int>((kept.x + kept.w) / cs) + 1);
    const int y2 = std::min<int>(gFeldHoehe, static_cast<int>((kept.y + kept.h) / cs) + 1);
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            if (gGrid(x, y).Typ == kTypeEmpty)
                pic->PSet(GridToPixel(x), GridToPixel(y), color);
        }
    }
    // A label's text running on over free cells lies over their dots, as the full redraw has it.
    DrawLabelsOver(x1, y1, x2, y2);
}

std::int16_t GetVisibleArea(int G) {
    if (G != 1 && G != 2)
        return 0;
    const ViewportMetrics vp = Viewport();
    const double shown = G == 1 ? std::min<double>(vp.width, PictureSize(gFeldBreite))
                                : std::min<double>(vp.height, PictureSize(gFeldHoehe));
    return static_cast<std::int16_t>(RoundHalfEven(shown / CellPixels()));
}

void GetVisibleP() {
    gGrafik.VStartX = gHScroll.Value;
    gGrafik.VEndX = static_cast<std::int16_t>(
        std::min<int>(gHScroll.Value + GetVisibleArea(1) - 1, gFeldBreite));
    gGrafik.VStartY = gVScroll.Value;
    gGrafik.VEndY = static_cast<std::int16_t>(
        std::min<int>(gVScroll.Value + GetVisibleArea(2) - 1, gFeldHoehe));
}

void ResizeWorksheet() {
    if (Viewport().windowState == 1)
        return;
    LayOutBars();
    GetVisibleP();
    ViewMoved();
    if (HostWindow* host = HostOrNull())
        host->RefreshWorksheet();
}

std::int32_t PictureLeft() { return PicturePosition(gHScroll.Value); }
std::int32_t PictureTop() { return PicturePosition(gVScroll.Value); }

PixelBox ShownPart() {
    const ViewportMetrics vp = Viewport();
    return {-PictureLeft(), -PictureTop(), vp.width, vp.height};
}

void HScroll_Change(int value) {
    gHScroll.Value = static_cast<std::int16_t>(value);
    GetVisibleP();
    ViewMoved();
}

void VScroll_Change(int value) {
    gVScroll.Value = static_cast<std::int16_t>(value);
    GetVisibleP();
    ViewMoved();
}

void SetHScrollValue(int value) { SetBarValue(gHScroll, value); }
void SetVScrollValue(int value) { SetBarValue(gVScroll, value); }

void ScrollCellTo(int cx, int cy, int vx, int vy) {
    const double cs = CellPixels();
    SetHScrollValue(static_cast<int>(std::lround((GridToPixel(cx) - vx) / cs)));
    SetVScrollValue(static_cast<int>(std::lround((GridToPixel(cy) - vy) / cs)));
}

bool AutoScroll(std::int32_t& x, std::int32_t& y) {
    if (!gScroll)
        return false;
    const ViewportMetrics vp = Viewport();
    if (vp.width <= 0 || vp.height <= 0)
        return false;
    const std::int32_t left = PictureLeft();
    const std::int32_t top = PictureTop();
    const ScrollBarState h = gHScroll;
    const ScrollBarState v = gVScroll;
    // Four independent tests; near a corner both bars move.
    if (vp.height - kAutoScrollBand < top + y)
        SetVScrollValue(gVScroll.Value + 1);
    if (vp.width - kAutoScrollBand < left + x)
        SetHScrollValue(gHScroll.Value + 1);
    if (kAutoScrollBand - top > y)
        SetVScrollValue(gVScroll.Value - 1);
    if (kAutoScrollBand - left > x)
        SetHScrollValue(gHScroll.Value - 1);
    if (h == gHScroll && v == gVScroll)
        return false;
    x += left - PictureLeft();
    y += top - PictureTop();
    return true;
}

void EndGestureForView() {
    const GestureState& g = gGesture;
    if (g.GestureButton != 0) {
        picGrid_MouseUp(g.GestureButton, 0, g.MouseX, g.MouseY);
        if (HostWindow* host = HostOrNull())
            host->RefreshWorksheet();
    }
    // An open label edit is accepted, as before every command that changes the sheet.
    txtBeschriftung_LostFocus();
}

} // namespace kardo
