// IC instance list.
#include "model/ic_instances.h"

#include <algorithm>

namespace kardo {

std::vector<ICInstanceRecord> gICInstances(1);
std::int16_t gAnzICInstances = 0;
std::int16_t gICInstanceMax = 0;

void ResetICInstances() {
    gICInstances.assign(1, ICInstanceRecord{});
    gAnzICInstances = 0;
    gICInstanceMax = 0;
}

std::int16_t GetFreeICIndex() {
    if (gAnzICInstances < 1)
        return 1;
    const std::size_t n = gICInstances.size();
    for (std::size_t i = 1; i < n; ++i) {
        const bool levelFree = i >= gLevels.size() || gLevels[i].Name.empty();
        if (gICInstances[i].Name.empty() || levelFree)
            return static_cast<std::int16_t>(i);
    }
    return static_cast<std::int16_t>(n);
}

int ICInstanceOfElement(int level, int elementNr) {
    if (elementNr < 1)
        return 0;
    const int max = std::min<int>(gICInstanceMax, static_cast<int>(gICInstances.size()) - 1);
    for (int i = 1; i <= max; ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
        if (ic.ElementNr == elementNr && parent == level && !ic.Name.empty())
            return i;
    }
    return 0;
}

void ICInstanceBlock::Rebase(int base) {
    const int oldBase = Base;
    const int delta = base - Base;
    Base = base;
    if (delta == 0)
        return;
    for (ICInstanceRecord& ic : Instances) {
        if (ic.Tiefe != 0 && ic.Parent >= oldBase)
            ic.Parent = static_cast<std::uint8_t>(ic.Parent + delta);
    }
    for (SimLevelRecord& level : Levels) {
        Grid& g = level.Feld;
        for (int y = 0; y <= g.UBoundY(); ++y)
            for (int x = 0; x <= g.UBoundX(); ++x)
                if (g(x, y).ICLevel != 0)
                    g(x, y).ICLevel = static_cast<std::uint8_t>(g(x, y).ICLevel + delta);
    }
}

std::size_t LevelCells(const SimLevelRecord& level) {
    if (level.Feld.Empty())
        return 0;
    return static_cast<std::size_t>(level.Feld.UBoundX() + 1) *
           static_cast<std::size_t>(level.Feld.UBoundY() + 1);
}

std::size_t ICLevelCells() {
    std::size_t cells = 0;
    for (std::size_t i = 1; i < gLevels.size() && i <= static_cast<std::size_t>(gICInstanceMax);
         ++i)
        cells += LevelCells(gLevels[i]);
    return cells;
}

} // namespace kardo
