// The drawing object's state and zoomed cell size.
#include "render/grafik.h"

#include <cmath>

namespace kardo {

clsGrafik gGrafik;
std::vector<PolyPoint> gPolyPoints;
Color gLinienFarbe = 0;

std::int16_t clsGrafik::GetZoomRaster() const {
    return static_cast<std::int16_t>(
        std::nearbyint(static_cast<double>(GridPixel) * static_cast<double>(GridMode)));
}

} // namespace kardo
