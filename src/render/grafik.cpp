// The drawing object's state, and drawing onto another target for a while.
#include "render/grafik.h"

#include "platform/platform.h"

namespace kardo {

clsGrafik gGrafik;
constinit const GridScale& kGridScale = gGrafik;
std::vector<PolyPoint> gPolyPoints;
Color gLinienFarbe = 0;

void ResetGrafik() {
    gGrafik = clsGrafik{};
    gGrafik.Device = gPlatform ? gPlatform->screen : nullptr;
    gGrafik.GridPixel = 14;
    gGrafik.GridMode = 1.0f;
    gPolyPoints.clear();
    gLinienFarbe = 0;
}

DeviceScope::DeviceScope(DrawTarget& target, float zoom)
    : m_device(gGrafik.Device), m_zoom(gGrafik.GridMode),
      m_printer(gPlatform != nullptr ? gPlatform->printer : nullptr) {
    gGrafik.Device = &target;
    gGrafik.GridMode = zoom;
    if (gPlatform != nullptr && target.Kind() == DeviceKind::Printer)
        gPlatform->printer = &target;
}

DeviceScope::~DeviceScope() {
    gGrafik.Device = m_device;
    gGrafik.GridMode = m_zoom;
    if (gPlatform != nullptr)
        gPlatform->printer = m_printer;
}

} // namespace kardo
