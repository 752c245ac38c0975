// Overlay controls of the worksheet picture.
#include "editor/overlays.h"

#include <algorithm>
#include <cstdlib>

namespace kardo {

WorksheetOverlays gOverlays;

void ResetOverlays() {
    gOverlays = WorksheetOverlays{};
    gOverlays.picBox.Width = 5;
    gOverlays.picBox.Height = 5;
    gOverlays.picBox.Filled = true;
    gOverlays.picBox.BorderColor = 0;
    for (OverlayLine& l : gOverlays.LineRahmen)
        l.BorderColor = 0xC0C0C0;
    gOverlays.LeitungH.BorderColor = Rgb(255, 0, 0);
    gOverlays.LeitungV.BorderColor = Rgb(255, 0, 0);
}

PixelRect Bounds(const OverlayShape& s) {
    if (!s.Visible || s.Width <= 0 || s.Height <= 0)
        return {};
    return {s.Left, s.Top, s.Width, s.Height};
}

PixelRect Bounds(const OverlayLine& l) {
    if (!l.Visible)
        return {};
    const int left = std::min(l.X1, l.X2);
    const int top = std::min(l.Y1, l.Y2);
    return {left, top, std::abs(l.X2 - l.X1) + 1, std::abs(l.Y2 - l.Y1) + 1};
}

void CollapseLine(OverlayLine& l, int x, int y) {
    l.X1 = l.X2 = x;
    l.Y1 = l.Y2 = y;
}

bool StrictlyInside(const OverlayShape& s, double x, double y) {
    return x > s.Left && x < s.Left + s.Width && y > s.Top && y < s.Top + s.Height;
}

} // namespace kardo
