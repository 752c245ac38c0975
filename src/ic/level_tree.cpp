// Level tree nodes and their click.
#include "ic/level_tree.h"

#include "files/text_helpers.h"
#include "ic/levels.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "simulation/sim_core.h"

namespace kardo {

namespace {

std::string KeyOf(int level) { return "L_" + std::to_string(level); }

} // namespace

std::vector<LevelNode> BuildLevelTree() {
    std::vector<LevelNode> nodes;
    nodes.push_back(LevelNode{KeyOf(0), "Grundebene", {}});
    const int max = std::min<int>(gICInstanceMax, static_cast<int>(gICInstances.size()) - 1);
    for (int i = 1; i <= max; ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Name.empty())
            continue;
        const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
        nodes.push_back(LevelNode{KeyOf(i), ic.Name, KeyOf(parent)});
    }
    return nodes;
}

void RefreshTreeView() {
    if (gPlatform && gPlatform->host)
        Host().RefreshLevelTree();
}

std::int16_t LevelOfKey(std::string_view key) {
    if (key.size() < 3)
        return 0;
    return RoundToInt16(Val(key.substr(2)));
}

void tvwLevel_NodeClick(std::string_view key) {
    if (!gPowerOn || RunInProgress())
        return;
    ShowLevel(LevelOfKey(key));
}

} // namespace kardo
