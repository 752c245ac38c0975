// One-pixel drawing of the image target: points, Bresenham lines, the raw Polyline and the
// lines of a wire step, written straight into the image's rows so that their pixels are exact
// as the drawing rules count them.
#include "platform/qt/image_target.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kardo {

namespace {

// To the nearest integer, a half to the even one (as nearbyint in the default rounding mode):
// adding and taking away 1.5 * 2^52 leaves no bits after the point. Exact for |v| < 2^51.
int Round(double v) {
    constexpr double kShift = 6755399441055744.0;
    if (!(std::abs(v) < 2251799813685248.0))
        return static_cast<int>(std::nearbyint(v));
    return static_cast<int>((v + kShift) - kShift);
}

// The pixels of a raw line across or down from a to b without b, as a box (surface coordinates,
// ends included); empty (x1 < x0) for a line of no length.
struct StraightRun {
    int left, top, right, bottom;
};
StraightRun RunOf(PolyPoint a, PolyPoint b) {
    if (a == b)
        return {0, 0, -1, -1};
    b.x -= b.x > a.x ? 1 : b.x < a.x ? -1 : 0;
    b.y -= b.y > a.y ? 1 : b.y < a.y ? -1 : 0;
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

} // namespace

void ImageTarget::FillBox(const RowAccess& rows, int x0, int y0, int x1, int y1, QRgb rgb) const {
    x0 = std::max(x0 - m_ox, m_area.x0);
    y0 = std::max(y0 - m_oy, m_area.y0);
    x1 = std::min(x1 - m_ox, m_area.x1);
    y1 = std::min(y1 - m_oy, m_area.y1);
    if (x0 > x1 || y0 > y1)
        return;
    // Down the rows by their stride; a column one pixel wide (a wire down) pixel by pixel.
    const auto w = static_cast<std::size_t>(x1 - x0 + 1);
    uchar* at = reinterpret_cast<uchar*>(rows.Row(y0) + x0);
    for (int y = y0; y <= y1; ++y, at += rows.stride) {
        QRgb* px = reinterpret_cast<QRgb*>(at);
        if (w == 1)
            *px = rgb;
        else
            std::fill_n(px, w, rgb);
    }
}

void ImageTarget::Plot(const RowAccess& rows, int x, int y, QRgb rgb) const {
    x -= m_ox;
    y -= m_oy;
    if (x < m_area.x0 || y < m_area.y0 || x > m_area.x1 || y > m_area.y1)
        return;
    rows.Row(y)[x] = rgb;
}

void ImageTarget::Segment(const RowAccess& rows, int x1, int y1, int x2, int y2, QRgb rgb,
                          bool lastPoint, bool dotted) const {
    // Straight runs are clipped to the area at once: a wire across a large sheet would
    // otherwise be walked pixel by pixel far outside the kept window. Dotted lines keep the
    // phase they have from their first point.
    if (y1 == y2 || x1 == x2) {
        const bool across = y1 == y2;
        const int from = across ? x1 : y1;
        const int to = across ? x2 : y2;
        const int step = from <= to ? 1 : -1;
        const int last = lastPoint ? to : to - step;
        if (step * (last - from) < 0)
            return;
        const int lo = std::min(from, last);
        const int hi = std::max(from, last);
        const int origin = across ? m_ox : m_oy;
        const int fixed = across ? y1 - m_oy : x1 - m_ox;
        if (fixed < (across ? m_area.y0 : m_area.x0) || fixed > (across ? m_area.y1 : m_area.x1))
            return;
        const int a = std::max(lo, (across ? m_area.x0 : m_area.y0) + origin);
        const int b = std::min(hi, (across ? m_area.x1 : m_area.y1) + origin);
        if (a > b)
            return;
        if (across) {
            QRgb* row = rows.Row(fixed);
            if (!dotted) {
                std::fill(row + (a - m_ox), row + (b - m_ox) + 1, rgb);
                return;
            }
            for (int v = a + (std::abs(a - from) & 1); v <= b; v += 2)
                row[v - m_ox] = rgb;
            return;
        }
        const int first = dotted ? a + (std::abs(a - from) & 1) : a;
        for (int v = first; v <= b; v += dotted ? 2 : 1)
            rows.Row(v - m_oy)[fixed] = rgb;
        return;
    }
    // Bresenham in image coordinates, each pixel tested against the area: a clipped repaint
    // walks short slanted lines (the clock wedges) mostly outside its clip.
    x1 -= m_ox, x2 -= m_ox, y1 -= m_oy, y2 -= m_oy;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const Area area = m_area;
    const auto plot = [&](int px, int py) {
        if (px >= area.x0 && px <= area.x1 && py >= area.y0 && py <= area.y1)
            rows.Row(py)[px] = rgb;
    };
    int err = dx + dy;
    int x = x1;
    int y = y1;
    bool on = true;
    while (x != x2 || y != y2) {
        if (on)
            plot(x, y);
        if (dotted)
            on = !on;
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
    }
    if (lastPoint && on)
        plot(x, y);
}

void ImageTarget::Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) {
    const int ax = Round(x1), ay = Round(y1), bx = Round(x2), by = Round(y2);
    const int left = std::min(ax, bx), right = std::max(ax, bx);
    const int top = std::min(ay, by), bottom = std::max(ay, by);
    if (!Touches(left, top, right, bottom))
        return;
    NoteChange(left - m_ox, top - m_oy, right - m_ox, bottom - m_oy);
    const RowAccess rows = Rows();
    const QRgb rgb = PixelOf(color);
    if (kind == LineKind::Plain) {
        // A solid line across or down covers its whole box.
        if (DrawStyle != LineStyle::Dotted && (ax == bx || ay == by))
            FillBox(rows, left, top, right, bottom, rgb);
        else
            Segment(rows, ax, ay, bx, by, rgb, true, DrawStyle == LineStyle::Dotted);
        return;
    }
    // Row by row within the area: the border rows whole, the inside filled and then its two
    // border pixels, as the fill and then the four border lines paint it.
    const int l = left - m_ox, r = right - m_ox, t = top - m_oy, b = bottom - m_oy;
    const int c0 = std::max(l, m_area.x0), c1 = std::min(r, m_area.x1);
    const int r0 = std::max(t, m_area.y0), r1 = std::min(b, m_area.y1);
    if (c0 > c1 || r0 > r1)
        return;
    const bool solid = FillStyle == FillMode::Solid;
    const QRgb fill = PixelOf(FillColor);
    for (int y = r0; y <= r1; ++y) {
        QRgb* row = rows.Row(y);
        if (y == t || y == b) {
            std::fill(row + c0, row + c1 + 1, rgb);
            continue;
        }
        if (solid)
            std::fill(row + c0, row + c1 + 1, fill);
        if (c0 == l)
            row[l] = rgb;
        if (c1 == r)
            row[r] = rgb;
    }
}

void ImageTarget::PSet(double x, double y, Color color) {
    const int px = Round(x);
    const int py = Round(y);
    if (!Touches(px, py, px, py))
        return;
    NoteChange(px - m_ox, py - m_oy, px - m_ox, py - m_oy);
    Plot(Rows(), px, py, PixelOf(color));
}

void ImageTarget::Polyline(std::span<const PolyPoint> points) {
    if (points.size() < 2)
        return;
    const QRgb rgb = PixelOf(ForeColor);
    RowAccess rows;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PolyPoint a = points[i - 1];
        const PolyPoint b = points[i];
        // A line across or down (the wires) is the box from its first point to the pixel
        // before its last; one of no length paints nothing.
        const bool straight = a.x == b.x || a.y == b.y;
        const StraightRun box = straight ? RunOf(a, b)
                                         : StraightRun{std::min(a.x, b.x), std::min(a.y, b.y),
                                                       std::max(a.x, b.x), std::max(a.y, b.y)};
        if (box.right < box.left || !Touches(box.left, box.top, box.right, box.bottom))
            continue;
        if (rows.bits == nullptr)
            rows = Rows();
        NoteChange(box.left - m_ox, box.top - m_oy, box.right - m_ox, box.bottom - m_oy);
        if (straight)
            FillBox(rows, box.left, box.top, box.right, box.bottom, rgb);
        else
            Segment(rows, a.x, a.y, b.x, b.y, rgb, false, false);
    }
}

void ImageTarget::Lines(std::span<const PolyPoint> pairs, std::span<const Color> colors) {
    // The lines across or down of a wire step lie side by side: one box notes them all and one
    // look at the rows serves them. A slanted line goes its own way, as do more than a few.
    constexpr std::size_t kMostRuns = 4;
    const std::size_t lines = std::min(colors.size(), pairs.size() / 2);
    if (lines == 0)
        return;
    if (lines > kMostRuns) {
        LinesOneByOne(pairs, colors, lines);
        return;
    }
    std::array<StraightRun, kMostRuns> runs;
    std::array<QRgb, kMostRuns> rgbs;
    std::size_t count = 0;
    StraightRun all{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                    std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    for (std::size_t k = 0; k < lines; ++k) {
        const PolyPoint a = pairs[2 * k];
        const PolyPoint b = pairs[2 * k + 1];
        // From a to the pixel before b; a line of no length paints nothing.
        StraightRun run;
        if (a.y == b.y) {
            if (a.x == b.x)
                continue;
            const int end = b.x > a.x ? b.x - 1 : b.x + 1;
            run = {std::min(a.x, end), a.y, std::max(a.x, end), a.y};
        } else if (a.x == b.x) {
            const int end = b.y > a.y ? b.y - 1 : b.y + 1;
            run = {a.x, std::min(a.y, end), a.x, std::max(a.y, end)};
        } else {
            LinesOneByOne(pairs, colors, lines);
            return;
        }
        all = {std::min(all.left, run.left), std::min(all.top, run.top),
               std::max(all.right, run.right), std::max(all.bottom, run.bottom)};
        rgbs[count] = PixelOf(colors[k]);
        runs[count++] = run;
    }
    // Each line's colour is set before it is drawn: the last one stays.
    ForeColor = colors[lines - 1];
    if (count == 0 || all.right < m_area.x0 + m_ox || all.left > m_area.x1 + m_ox ||
        all.bottom < m_area.y0 + m_oy || all.top > m_area.y1 + m_oy)
        return;
    NoteChange(all.left - m_ox, all.top - m_oy, all.right - m_ox, all.bottom - m_oy);
    const RowAccess rows = Rows();
    for (std::size_t k = 0; k < count; ++k)
        FillBox(rows, runs[k].left, runs[k].top, runs[k].right, runs[k].bottom, rgbs[k]);
}

void ImageTarget::LinesOneByOne(std::span<const PolyPoint> pairs, std::span<const Color> colors,
                                std::size_t lines) {
    for (std::size_t k = 0; k < lines; ++k) {
        ForeColor = colors[k];
        Polyline(pairs.subspan(2 * k, 2));
    }
}

void ImageTarget::SetPixel(int x, int y, Color color) {
    if (!Touches(x, y, x, y))
        return;
    NoteChange(x - m_ox, y - m_oy, x - m_ox, y - m_oy);
    Plot(Rows(), x, y, PixelOf(color));
}

} // namespace kardo
