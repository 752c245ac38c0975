// Corner markers and drag outlines of the selection, and the rectangles they leave to repaint.
#include "editor/selection_overlays.h"

#include <algorithm>

namespace kardo {

SelectionOverlays gSelOverlays;
std::vector<PixelRect> gSelectionDirt;

namespace {

constexpr std::size_t kMaxDirt = 48; // rectangles kept apart before they are merged

// Widens box to cover r too.
void Unite(PixelRect& box, const PixelRect& r) {
    const int right = std::max(box.x + box.w, r.x + r.w);
    const int bottom = std::max(box.y + box.h, r.y + r.h);
    box.x = std::min(box.x, r.x);
    box.y = std::min(box.y, r.y);
    box.w = right - box.x;
    box.h = bottom - box.y;
}

void AddDirt(const PixelRect& r) {
    if (r.w <= 0 || r.h <= 0)
        return;
    if (gSelectionDirt.size() < kMaxDirt) {
        gSelectionDirt.push_back(r);
        return;
    }
    // Merge everything into the first entry.
    PixelRect& box = gSelectionDirt.front();
    for (std::size_t i = 1; i < gSelectionDirt.size(); ++i)
        Unite(box, gSelectionDirt[i]);
    gSelectionDirt.resize(1);
    Unite(box, r);
}

} // namespace

void SetOverlay(OverlayShape& shape, const OverlayShape& now) {
    if (shape == now)
        return;
    AddDirt(Bounds(shape));
    AddDirt(Bounds(now));
    shape = now;
}

std::array<OverlayShape, 4>& MarkersOf(int slot) {
    const auto k = static_cast<std::size_t>(slot);
    if (gSelOverlays.PObj.size() <= k)
        gSelOverlays.PObj.resize(k + 1);
    return gSelOverlays.PObj[k];
}

OverlayShape& OutlineOf(int slot) {
    const auto k = static_cast<std::size_t>(slot);
    if (gSelOverlays.picBorder.size() <= k)
        gSelOverlays.picBorder.resize(k + 1);
    return gSelOverlays.picBorder[k];
}

void UnloadMarkersFrom(int slot) {
    auto& markers = gSelOverlays.PObj;
    const auto first = static_cast<std::size_t>(std::max(slot, 1));
    for (std::size_t k = first; k < markers.size(); ++k)
        for (OverlayShape& m : markers[k])
            SetOverlay(m, OverlayShape{});
    if (markers.size() > first)
        markers.resize(first);
}

void UnloadOutlines() {
    auto& outlines = gSelOverlays.picBorder;
    for (std::size_t k = 1; k < outlines.size(); ++k)
        SetOverlay(outlines[k], OverlayShape{});
    outlines.resize(std::min<std::size_t>(outlines.size(), 1));
}

} // namespace kardo
