// The scale the worksheet is drawn at: the cell size and the zoom factor. The drawing object
// holds them (clsGrafik is a GridScale); the grid-to-pixel rules of the model read them here,
// without the drawing object.
#pragma once

#include <cstdint>

namespace kardo {

struct GridScale {
    std::int16_t GridPixel = 14; // cell size in pixels at zoom 1.0
    float GridMode = 1.0f;       // zoom factor, 1.0 = 100 %
};

// The drawing object's scale: gGrafik seen as its GridScale, bound before any code runs.
extern const GridScale& kGridScale;

} // namespace kardo
