// Deepest IC level and the level shown on the worksheet.
#include "ic/levels.h"

#include "ic/ic_view.h"
#include "ic/pin_labels.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "render/redraw.h"
#include "simulation/sim_core.h"

#include <algorithm>

namespace kardo {

CircuitView gCircuitView;

std::int16_t LowestLevel() {
    int deepest = 0;
    const int last = std::min<int>(gICInstanceMax, static_cast<int>(gICInstances.size()) - 1);
    for (int i = 1; i <= last; ++i)
        deepest = std::max(deepest, gICInstances[static_cast<std::size_t>(i)].Tiefe + 1);
    return static_cast<std::int16_t>(std::max(deepest, 1));
}

void ShowLevel(std::int16_t nr) {
    if (nr < 0 || static_cast<std::size_t>(nr) >= gLevels.size())
        return;
    // A run in progress or paused draws the circuit's elements into the worksheet with the
    // circuit's coordinates: an IC level's smaller grid must not take its place meanwhile.
    if (nr != 0 && gPowerOn && RunInProgress())
        return;
    if (nr == 0) {
        if (gCircuitView.Held) {
            CircuitView& v = gCircuitView;
            gGrid = std::move(v.Cells);
            gElements = std::move(v.Elements);
            gAnzElemente = v.AnzElemente;
            gFeldBreite = v.FeldBreite;
            gFeldHoehe = v.FeldHoehe;
            v = CircuitView{};
        }
    } else {
        const SimLevelRecord& level = gLevels[static_cast<std::size_t>(nr)];
        if (level.Feld.Empty() || level.Name.empty())
            return;
        if (!gCircuitView.Held) {
            gCircuitView = CircuitView{true,         std::move(gGrid), std::move(gElements),
                                       gAnzElemente, gFeldBreite,      gFeldHoehe};
        }
        gFeldBreite = level.MaxX;
        gFeldHoehe = level.MaxY;
        gGrid = level.Feld;
        gElements = level.Elemente;
        if (gElements.empty())
            gElements.resize(1);
        gAnzElemente = static_cast<std::int16_t>(gElements.size() - 1);
    }
    gCurLevel = nr;
    gInLevel = nr != 0;
    LoadLevelPinLabels(nr);
    RedrawAllElements(nr);
}

} // namespace kardo
