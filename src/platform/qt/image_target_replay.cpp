// Clipped repaints of the image target remembered and replayed. The running circuit paints the
// same symbols again and again in the same few clips (a wire step into a pin, a state digit)
// over the same pixels: a drawing depends only on what its key names and on the pixels in the
// clip, so where both are as before, the pixels it left can be written at once, without
// walking through the symbol's drawer again.
#include "platform/qt/image_target.h"

#include <algorithm>
#include <cstring>

namespace kardo {

namespace {

// Clips larger than this are not remembered: the pixels kept would cost more than the walk.
constexpr std::int64_t kMostRememberedPixels = 64 * 64;

} // namespace

std::size_t ImageTarget::BucketOf(std::uint64_t key) {
    return static_cast<std::size_t>(key ^ key >> 32) % kMemoBuckets;
}

// The box (from the area's top-left corner, ends included) that holds every pixel in which
// before and after differ, rows of w pixels; empty (x0 > x1) when none does.
ImageTarget::Area ImageTarget::ChangedPart(const std::vector<QRgb>& before,
                                           const std::vector<QRgb>& after, int w) {
    Area c{w, 0, -1, -1};
    const auto width = static_cast<std::size_t>(w);
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (before[k] == after[k])
            continue;
        const int x = static_cast<int>(k % width);
        const int y = static_cast<int>(k / width);
        c.x0 = std::min(c.x0, x);
        c.x1 = std::max(c.x1, x);
        c.y0 = c.y1 < 0 ? y : c.y0;
        c.y1 = y;
    }
    return c;
}

bool ImageTarget::AreaHolds(const RowAccess& rows, const std::vector<QRgb>& pixels) const {
    const auto w = static_cast<std::size_t>(m_area.x1 - m_area.x0 + 1);
    const QRgb* from = pixels.data();
    const uchar* at = reinterpret_cast<const uchar*>(rows.Row(m_area.y0) + m_area.x0);
    for (int y = m_area.y0; y <= m_area.y1; ++y, from += w, at += rows.stride)
        if (std::memcmp(at, from, w * sizeof(QRgb)) != 0)
            return false;
    return true;
}

bool ImageTarget::Replay(std::uint64_t key) {
    m_remembering = false;
    if (!m_clipped || m_area.x0 > m_area.x1 || m_area.y0 > m_area.y1)
        return false;
    const PixelBox box{m_area.x0 + m_ox, m_area.y0 + m_oy, m_area.x1 - m_area.x0 + 1,
                       m_area.y1 - m_area.y0 + 1};
    if (static_cast<std::int64_t>(box.w) * box.h > kMostRememberedPixels)
        return false;
    const RowAccess rows = Rows();
    for (std::size_t n = m_memoBuckets[BucketOf(key)]; n != 0; n = m_rememberedTags[n - 1].next) {
        const Tag& tag = m_rememberedTags[n - 1];
        if (tag.key != key || !(tag.box == box))
            continue;
        const Remembered& r = m_remembered[n - 1];
        if (!AreaHolds(rows, r.before))
            continue;
        // Only the part the repaint changed is written and noted: the rest holds its pixels.
        const Area& c = r.changed;
        if (c.x0 <= c.x1) {
            const auto w = static_cast<std::size_t>(box.w);
            const auto cw = static_cast<std::size_t>(c.x1 - c.x0 + 1);
            const QRgb* from = r.after.data() + static_cast<std::size_t>(c.y0) * w + c.x0;
            uchar* at = reinterpret_cast<uchar*>(rows.Row(m_area.y0 + c.y0) + m_area.x0 + c.x0);
            for (int y = c.y0; y <= c.y1; ++y, from += w, at += rows.stride)
                std::memcpy(at, from, cw * sizeof(QRgb));
            if (!m_changedAll)
                NoteBox(m_area.x0 + c.x0, m_area.y0 + c.y0, m_area.x0 + c.x1, m_area.y0 + c.y1);
        }
        const Properties& p = r.properties;
        ForeColor = p.foreColor;
        FillColor = p.fillColor;
        FillStyle = p.fillStyle;
        DrawStyle = p.drawStyle;
        DrawWidth = p.drawWidth;
        if (FontName != p.fontName)
            FontName = p.fontName;
        FontSize = p.fontSize;
        FontBold = p.fontBold;
        CurrentX = p.currentX;
        CurrentY = p.currentY;
        return true;
    }
    CopyOut(m_area, m_rememberBefore);
    m_rememberKey = key;
    m_remembering = true;
    return false;
}

void ImageTarget::RememberRepaint() {
    m_remembering = false;
    std::size_t i = m_remembered.size();
    if (i < kMostRemembered) {
        m_remembered.emplace_back();
        m_rememberedTags.emplace_back();
    } else {
        // The oldest gives way: out of its bucket's chain first.
        i = m_nextRemembered;
        m_nextRemembered = (m_nextRemembered + 1) % kMostRemembered;
        std::uint16_t* link = &m_memoBuckets[BucketOf(m_rememberedTags[i].key)];
        while (*link != i + 1)
            link = &m_rememberedTags[*link - 1].next;
        *link = m_rememberedTags[i].next;
    }
    Remembered* slot = &m_remembered[i];
    Tag& tag = m_rememberedTags[i];
    tag.key = m_rememberKey;
    tag.box = {m_area.x0 + m_ox, m_area.y0 + m_oy, m_area.x1 - m_area.x0 + 1,
               m_area.y1 - m_area.y0 + 1};
    std::uint16_t& head = m_memoBuckets[BucketOf(tag.key)];
    tag.next = head;
    head = static_cast<std::uint16_t>(i + 1);
    slot->before.swap(m_rememberBefore);
    CopyOut(m_area, slot->after);
    slot->changed = ChangedPart(slot->before, slot->after, tag.box.w);
    slot->properties = {ForeColor, FillColor, FillStyle, DrawStyle, DrawWidth,
                        FontName,  FontSize,  FontBold,  CurrentX,  CurrentY};
}

} // namespace kardo
