// Deepest IC level and the level shown on the worksheet.
#include "ic/levels.h"

#include "files/ic_instances.h"
#include "ic/ic_view.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/redraw.h"

#include <algorithm>

namespace kardo {

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
    const SimLevelRecord& level = gLevels[static_cast<std::size_t>(nr)];
    if (level.Feld.Empty())
        return;
    gFeldBreite = level.MaxX;
    gFeldHoehe = level.MaxY;
    gGrid = level.Feld;
    gElements = level.Elemente;
    if (gElements.empty())
        gElements.resize(1);
    gAnzElemente = static_cast<std::int16_t>(gElements.size() - 1);
    gCurLevel = nr;
    gInLevel = nr != 0;
    RedrawAllElements(nr);
}

} // namespace kardo
