// The circuit of the analyser benchmarks.
#include "analysis_line.h"

#include "model/grid.h"
#include "simulation/analysis.h"
#include "simulation/user_interaction.h"
#include "support/builder.h"

#include <stdexcept>

namespace kardo::bench {

void BuildAnalysisLine() {
    test::LayWire(2, 5, 12, 5);
    if (test::PlaceSwitch(2, 5) == 0)
        throw std::runtime_error("switch");
    for (int x = 3; x <= 11; ++x)
        if (test::PlaceAnalysisPoint(x, 5) == 0)
            throw std::runtime_error("analysis point");
    if (gAnalyseTabelle.ColumnCount() != 9)
        throw std::runtime_error("nine columns");
}

std::int64_t ToggleAnalysisLine(int clicks) {
    for (int i = 0; i < clicks; ++i) {
        gCursorX = 2;
        gCursorY = 5;
        InitSwitchOn();
    }
    return std::int64_t{9} * clicks;
}

} // namespace kardo::bench
