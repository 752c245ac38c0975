// The drawing object's state.
#include "render/grafik.h"

namespace kardo {

clsGrafik gGrafik;
std::vector<PolyPoint> gPolyPoints;
Color gLinienFarbe = 0;

} // namespace kardo
