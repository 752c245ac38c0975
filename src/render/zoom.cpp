// Zoom commands and the percentage box's text rules. Every change of zoom ends in a full redraw,
// which sizes the picture and lays the scroll bars out again; the scroll values (in cells) stay.
#include "render/zoom.h"

#include "files/text_helpers.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace kardo {

namespace {

ViewportMetrics Viewport() {
    return gPlatform != nullptr && gPlatform->host != nullptr ? gPlatform->host->Viewport()
                                                              : ViewportMetrics{};
}

// Pixels the worksheet picture holds at zoom z: the sheet, but no more than the viewport and
// its margin.
std::int64_t HeldPixels(float z) {
    const ViewportMetrics vp = Viewport();
    const double cs = static_cast<double>(gGrafik.GridPixel) * static_cast<double>(z);
    const auto side = [cs](int cells, int view) {
        return std::min<std::int64_t>(std::llround(cs * (cells + 1)), view + 2 * kPictureMargin);
    };
    return side(gFeldBreite, vp.width) * side(gFeldHoehe, vp.height);
}

// A fit of the viewport's extent to size + 2 cells (the border cells on both sides), at least
// the lowest zoom; no upper limit.
float Fit(int viewport, int cells) {
    const int need = (cells + 2) * gGrafik.GridPixel;
    const float z = static_cast<float>(viewport) / static_cast<float>(std::max(1, need));
    return z < kZoomMin ? kZoomMin : z;
}

} // namespace

float ZoomWithinBudget(float z) {
    if (HeldPixels(z) <= kPictureBudget)
        return z;
    // Whole percents down from the wanted zoom until the picture fits.
    for (int p = static_cast<int>(std::floor(z * 100.0f)); p > 1; --p) {
        const float c = static_cast<float>(p) / 100.0f;
        if (HeldPixels(c) <= kPictureBudget)
            return c;
    }
    return 0.01f;
}

void SetZoom(float z) {
    gGrafik.GridMode = ZoomWithinBudget(z);
    RedrawAllElements(0);
}

float ZoomStepIn(float z) {
    z += kZoomStep;
    return z > kZoomMax ? kZoomMax : z;
}

float ZoomStepOut(float z) {
    z -= kZoomStep;
    return z < kZoomMin ? kZoomMin : z;
}

void clsGrafik::Zoom100() { SetZoom(1.0f); }

void clsGrafik::ZoomHeight() { SetZoom(Fit(Viewport().height, gFeldHoehe)); }

void clsGrafik::ZoomWidth() { SetZoom(Fit(Viewport().width, gFeldBreite)); }

// The direction with less room per cell decides; a tie goes to the height.
void clsGrafik::ZoomFull() {
    const ViewportMetrics vp = Viewport();
    const float h =
        static_cast<float>(vp.height) / static_cast<float>(std::max<int>(1, gFeldHoehe));
    const float w =
        static_cast<float>(vp.width) / static_cast<float>(std::max<int>(1, gFeldBreite));
    if (h <= w)
        ZoomHeight();
    else
        ZoomWidth();
}

std::string ZoomPercentText(float z) {
    return std::to_string(static_cast<long>(std::floor(z * 100.0f))) + "%";
}

std::string ShortestText(float v) {
    char buffer[32];
    // Seven significant digits, as single-precision numbers are shown: 1.2 x 100 in single
    // precision is 120.00001 and shows as "120". Whatever the locale, the point is ".".
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

double ReadZoomPercent(std::string_view text) { return Val(text); }

ZoomBoxChoice ZoomBoxChoose(std::string_view text, float current, bool enter) {
    const double p = std::clamp(ReadZoomPercent(text), 60.0, 250.0);
    ZoomBoxChoice c;
    c.text = ShortestText(static_cast<float>(p)) + "%";
    c.zoom = static_cast<float>(p / 100.0);
    const float compared =
        enter ? static_cast<float>(std::floor(current * 100.0f) / 100.0) : current;
    c.change = c.zoom != compared;
    return c;
}

std::string ZoomBoxLeave(std::string_view text, float current) {
    const auto t = static_cast<float>(ReadZoomPercent(text) / 100.0);
    const auto cut = static_cast<float>(std::floor(current * 100.0f) / 100.0);
    if (t != cut)
        return ShortestText(current * 100.0f) + "%";
    return ShortestText(t * 100.0f) + "%";
}

} // namespace kardo
