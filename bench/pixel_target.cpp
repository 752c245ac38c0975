// In-memory pixel target.
#include "pixel_target.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kardo::bench {

namespace {
constexpr Color kWhite = Rgb(255, 255, 255);
int Round(double v) { return static_cast<int>(std::lround(v)); }
} // namespace

void PixelTarget::Segment(int x1, int y1, int x2, int y2, Color color, bool withLast) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        if (x == x2 && y == y2) {
            if (withLast)
                Plot(x, y, color);
            return;
        }
        Plot(x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PixelTarget::FillRect(int x1, int y1, int x2, int y2, Color color) {
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, m_width - 1);
    y2 = std::min(y2, m_height - 1);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            Plot(x, y, color);
}

void PixelTarget::Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) {
    const int ax = Round(x1), ay = Round(y1), bx = Round(x2), by = Round(y2);
    if (kind == LineKind::Plain) {
        Segment(ax, ay, bx, by, color, false);
        return;
    }
    if (FillStyle == FillMode::Solid)
        FillRect(ax, ay, bx, by, FillColor);
    Segment(ax, ay, bx, ay, color, true);
    Segment(bx, ay, bx, by, color, true);
    Segment(bx, by, ax, by, color, true);
    Segment(ax, by, ax, ay, color, true);
}

void PixelTarget::Circle(double x, double y, double r, Color color) {
    const int cx = Round(x), cy = Round(y), rr = Round(r);
    if (FillStyle == FillMode::Solid) {
        for (int dy = -rr; dy <= rr; ++dy) {
            const int half = static_cast<int>(std::sqrt(static_cast<double>(rr * rr - dy * dy)));
            for (int dx = -half; dx <= half; ++dx)
                Plot(cx + dx, cy + dy, FillColor);
        }
    }
    // Midpoint circle outline.
    int px = rr, py = 0, err = 1 - rr;
    while (px >= py) {
        const int pts[8][2] = {{px, py},   {py, px},   {-py, px}, {-px, py},
                               {-px, -py}, {-py, -px}, {py, -px}, {px, -py}};
        for (const auto& p : pts)
            Plot(cx + p[0], cy + p[1], color);
        ++py;
        if (err < 0) {
            err += 2 * py + 1;
        } else {
            --px;
            err += 2 * (py - px) + 1;
        }
    }
}

void PixelTarget::PSet(double x, double y, Color color) { Plot(Round(x), Round(y), color); }

void PixelTarget::Print(std::string_view text) { CurrentY += TextHeight(text); }

double PixelTarget::TextWidth(std::string_view text) {
    return 0.5 * FontSize * 96.0 / 72.0 * static_cast<double>(text.size());
}

double PixelTarget::TextHeight(std::string_view) { return 1.2 * FontSize * 96.0 / 72.0; }

void PixelTarget::Polyline(std::span<const PolyPoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        Segment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, ForeColor, false);
}

void PixelTarget::Polygon(std::span<const PolyPoint> points) {
    if (points.empty())
        return;
    // Fills the bounding rows with an even-odd scanline, then draws the border.
    int top = points[0].y, bottom = points[0].y;
    for (const PolyPoint& p : points)
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    std::vector<int> xs;
    for (int y = top; y <= bottom; ++y) {
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PolyPoint a = points[i];
            const PolyPoint b = points[(i + 1) % points.size()];
            if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y))
                xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = xs[i]; x <= xs[i + 1]; ++x)
                Plot(x, y, FillColor);
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PolyPoint a = points[i];
        const PolyPoint b = points[(i + 1) % points.size()];
        Segment(a.x, a.y, b.x, b.y, ForeColor, false);
    }
}

void PixelTarget::SetPixel(int x, int y, Color color) { Plot(x, y, color); }

void PixelTarget::Resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), kWhite);
}

void PixelTarget::Clear() { std::fill(m_pixels.begin(), m_pixels.end(), kWhite); }

Color PixelTarget::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kWhite;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

} // namespace kardo::bench
