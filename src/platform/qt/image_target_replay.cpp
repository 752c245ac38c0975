// Clipped repaints of the image target remembered and replayed. The running circuit paints the
// same symbols again and again in the same few clips (a wire step into a pin, a state digit)
// over the same pixels: a drawing depends only on what its key names and on the pixels in the
// clip, so where both are as before, the pixels it left can be written at once, without
// walking through the symbol's drawer again.
#include "platform/qt/image_target.h"

#include <cstring>

namespace kardo {

namespace {

// Clips larger than this are not remembered: the pixels kept would cost more than the walk.
constexpr std::int64_t kMostRememberedPixels = 64 * 64;

} // namespace

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
    // The keys and boxes lie side by side: most repaints remembered are of other elements.
    for (std::size_t i = 0; i < m_rememberedTags.size(); ++i) {
        const Tag& tag = m_rememberedTags[i];
        if (tag.key != key || !(tag.box == box))
            continue;
        const Remembered& r = m_remembered[i];
        if (!AreaHolds(rows, r.before))
            continue;
        const auto w = static_cast<std::size_t>(box.w);
        const QRgb* from = r.after.data();
        uchar* at = reinterpret_cast<uchar*>(rows.Row(m_area.y0) + m_area.x0);
        for (int y = m_area.y0; y <= m_area.y1; ++y, from += w, at += rows.stride)
            std::memcpy(at, from, w * sizeof(QRgb));
        NoteChange(m_area.x0, m_area.y0, m_area.x1, m_area.y1);
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
    Remembered* slot = nullptr;
    Tag* tag = nullptr;
    if (m_remembered.size() < kMostRemembered) {
        slot = &m_remembered.emplace_back();
        tag = &m_rememberedTags.emplace_back();
    } else {
        slot = &m_remembered[m_nextRemembered];
        tag = &m_rememberedTags[m_nextRemembered];
        m_nextRemembered = (m_nextRemembered + 1) % kMostRemembered;
    }
    tag->key = m_rememberKey;
    tag->box = {m_area.x0 + m_ox, m_area.y0 + m_oy, m_area.x1 - m_area.x0 + 1,
                m_area.y1 - m_area.y0 + 1};
    slot->before.swap(m_rememberBefore);
    CopyOut(m_area, slot->after);
    slot->properties = {ForeColor, FillColor, FillStyle, DrawStyle, DrawWidth,
                        FontName,  FontSize,  FontBold,  CurrentX,  CurrentY};
}

} // namespace kardo
