// Elements painted again under a clip: at once, or, while a run of the simulation draws, noted
// and painted when its batch closes. A run reaches the same elements again and again (a wire
// step into a pin, the state digit, the step out of an output pin); each walk through a symbol's
// drawer costs about as much whatever little of it the clip lets through, so an element is
// walked once per box it needs, its boxes joined where they lie close.
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>
#include <cstdint>

namespace kardo {

namespace {

// Pixels a joined box may hold beyond those of the boxes it joins: a walk through a symbol
// costs far more than painting this many pixels of it again.
constexpr std::int64_t kJoinSlack = 24 * 24;

// Paints the element at (x, y) inside box on device, as the whole symbol paints it there. A
// flip-flop's or a switch's repaint is replayed where the target remembers the same one.
void PaintInside(DrawTarget& device, std::int16_t x, std::int16_t y, const PixelBox& box) {
    if (!device.SetClip(box))
        return;
    const std::uint64_t key = gGrafik.DrawingKey(x, y);
    if (key == 0 || !device.Replay(key))
        DrawElement(x, y, false, false);
    device.ClearClip();
}

} // namespace

std::uint64_t clsGrafik::DrawingKey(std::int16_t x, std::int16_t y) const {
    // While the circuit's own level is shown, the pins and the state come from one record.
    if (gInLevel || Device == nullptr || !gGrid.Contains(x, y))
        return 0;
    return gGrid(x, y).Typ == kTypeSwitch ? SwitchDrawingKey(x, y) : FlipFlopDrawingKey(x, y);
}

void clsGrafik::RepaintUnderClip(std::int16_t x, std::int16_t y, const PixelBox& box) {
    if (Device == nullptr || box.Empty())
        return;
    if (m_repaintBatches == 0) {
        PaintInside(*Device, x, y, box);
        return;
    }
    const std::int16_t element = gGrid.Contains(x, y) ? gGrid(x, y).ElementNr : 0;
    for (NotedRepaint& r : m_repaints) {
        if (r.device != Device || r.element != element || element == 0)
            continue;
        if (r.box.Contains(box))
            return;
        const PixelBox joined = Joined(r.box, box);
        if (joined.Area() <= r.box.Area() + box.Area() + kJoinSlack) {
            r.box = joined;
            return;
        }
    }
    m_repaints.push_back({Device, element, x, y, box});
}

void clsGrafik::CloseRepaintBatch() {
    if (m_repaintBatches > 0 && --m_repaintBatches == 0)
        FlushRepaints();
}

void clsGrafik::FlushRepaints() {
    if (m_repaints.empty())
        return;
    DrawTarget* const device = Device;
    // By index: what a drawer would note meanwhile is painted in the same turn.
    for (std::size_t i = 0; i < m_repaints.size(); ++i) {
        const NotedRepaint r = m_repaints[i];
        Device = r.device;
        PaintInside(*r.device, r.x, r.y, r.box);
    }
    m_repaints.clear();
    Device = device;
}

} // namespace kardo
