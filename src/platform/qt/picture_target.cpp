// Worksheet picture that keeps a window of its surface.
#include "platform/qt/picture_target.h"

#include <algorithm>

namespace kardo {

PixelBox PictureTarget::Clipped() const {
    const int x1 = std::max(m_wanted.x, 0);
    const int y1 = std::max(m_wanted.y, 0);
    const int x2 = std::min(m_wanted.x + m_wanted.w, m_width);
    const int y2 = std::min(m_wanted.y + m_wanted.h, m_height);
    if (x2 <= x1 || y2 <= y1)
        return {};
    return {x1, y1, x2 - x1, y2 - y1};
}

void PictureTarget::Keep(const PixelBox& kept) {
    m_kept = kept;
    // An empty window holds one white pixel at the origin; nothing draws there.
    NewImage(kept.w, kept.h, kept.x, kept.y);
}

void PictureTarget::Resize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    Keep(Clipped());
}

bool PictureTarget::SetWindow(const PixelBox& box) {
    m_wanted = box;
    const PixelBox kept = Clipped();
    if (kept == m_kept)
        return false;
    Keep(kept);
    return true;
}

} // namespace kardo
