// Inserting and taking out blocks of IC instances with their levels.
#include "model/ic_instance_list.h"

#include "model/grid.h"
#include "model/sim_levels.h"

#include <algorithm>
#include <iterator>

namespace kardo {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Adds delta to every ICLevel of a grid that lies in from..to.
void ShiftLevels(Grid& g, int from, int to, int delta) {
    for (int y = 0; y <= g.UBoundY(); ++y) {
        for (int x = 0; x <= g.UBoundX(); ++x) {
            CellRecord& c = g(x, y);
            if (c.ICLevel >= from && c.ICLevel <= to)
                c.ICLevel = static_cast<std::uint8_t>(c.ICLevel + delta);
        }
    }
}

// Brings both lists to entries 0..gICInstanceMax.
void FitLists() {
    const std::size_t n = At(gICInstanceMax) + 1;
    gICInstances.resize(n);
    if (gLevels.size() < n)
        gLevels.resize(n);
    else
        gLevels.erase(gLevels.begin() + static_cast<std::ptrdiff_t>(n), gLevels.end());
}

// An IC placed again reads its definition again: its notes then take the place of the equal
// notes of an instance of that IC in the list, so that they are held once. Each text of the
// block is looked up once.
void ShareNotes(ICInstanceBlock& block) {
    std::vector<std::pair<SharedText, SharedText>> looked; // notes of the block -> notes to use
    for (ICInstanceRecord& ic : block.Instances) {
        if (ic.Notizen.empty())
            continue;
        const auto known = std::find_if(looked.begin(), looked.end(), [&](const auto& m) {
            return m.first.SharesWith(ic.Notizen);
        });
        if (known != looked.end()) {
            ic.Notizen = known->second;
            continue;
        }
        SharedText use = ic.Notizen;
        for (int i = 1; i <= gICInstanceMax && At(i) < gICInstances.size(); ++i) {
            const ICInstanceRecord& live = gICInstances[At(i)];
            if (live.Name == ic.Name && live.Notizen == ic.Notizen) {
                use = live.Notizen;
                break;
            }
        }
        looked.emplace_back(ic.Notizen, use);
        ic.Notizen = std::move(use);
    }
}

} // namespace

int ICBlockEnd(int n) {
    int end = n;
    const int max = std::min<int>(gICInstanceMax, static_cast<int>(gICInstances.size()) - 1);
    for (int j = n + 1; j <= max; ++j) {
        // Instance j belongs to the block when its chain of containers leads to n.
        int p = j;
        while (p > n && gICInstances[At(p)].Tiefe != 0)
            p = gICInstances[At(p)].Parent;
        if (p != n)
            break;
        end = j;
    }
    return end;
}

int InsertICBlock(int at, ICInstanceBlock block) {
    const int k = block.Count();
    at = std::clamp<int>(at, 1, gICInstanceMax + 1);
    if (k == 0)
        return at;
    FitLists();
    ShareNotes(block);
    const int max = gICInstanceMax;
    // Everything that names an instance at or above the gap moves up by k.
    ShiftLevels(gGrid, at, max, k);
    for (int i = 1; i <= max; ++i) {
        ShiftLevels(gLevels[At(i)].Feld, at, max, k);
        ICInstanceRecord& ic = gICInstances[At(i)];
        if (ic.Tiefe != 0 && ic.Parent >= at)
            ic.Parent = static_cast<std::uint8_t>(ic.Parent + k);
    }
    block.Rebase(at);
    gICInstances.insert(gICInstances.begin() + at, std::make_move_iterator(block.Instances.begin()),
                        std::make_move_iterator(block.Instances.end()));
    gLevels.insert(gLevels.begin() + at, std::make_move_iterator(block.Levels.begin()),
                   std::make_move_iterator(block.Levels.end()));
    gAnzICInstances = static_cast<std::int16_t>(gAnzICInstances + k);
    gICInstanceMax = static_cast<std::int16_t>(max + k);
    FitLists();
    return at;
}

ICInstanceBlock TakeICBlock(int n) {
    ICInstanceBlock block;
    block.Base = n;
    if (n < 1 || n > gICInstanceMax)
        return block;
    FitLists();
    const int end = ICBlockEnd(n);
    const int r = end - n + 1;
    const auto first = gICInstances.begin() + n;
    const auto last = gICInstances.begin() + end + 1;
    block.Instances.assign(std::make_move_iterator(first), std::make_move_iterator(last));
    gICInstances.erase(first, last);
    const auto lfirst = gLevels.begin() + n;
    const auto llast = gLevels.begin() + end + 1;
    block.Levels.assign(std::make_move_iterator(lfirst), std::make_move_iterator(llast));
    gLevels.erase(lfirst, llast);
    const int max = gICInstanceMax - r;
    gAnzICInstances = static_cast<std::int16_t>(gAnzICInstances - r);
    gICInstanceMax = static_cast<std::int16_t>(max);

    // The removed IC's own pin cells (if still there) name nothing any more.
    for (int y = 0; y <= gGrid.UBoundY(); ++y)
        for (int x = 0; x <= gGrid.UBoundX(); ++x)
            if (gGrid(x, y).ICLevel >= n && gGrid(x, y).ICLevel <= end)
                gGrid(x, y).ICLevel = 0;
    ShiftLevels(gGrid, end + 1, 255, -r);
    for (int i = 1; i <= max; ++i) {
        ShiftLevels(gLevels[At(i)].Feld, end + 1, 255, -r);
        ICInstanceRecord& ic = gICInstances[At(i)];
        if (ic.Tiefe != 0 && ic.Parent > end)
            ic.Parent = static_cast<std::uint8_t>(ic.Parent - r);
    }
    FitLists();
    return block;
}

} // namespace kardo
