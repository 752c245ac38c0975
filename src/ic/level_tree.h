// The level tree tvwLevel of the main window: the root "Grundebene" (the circuit) with the ICs
// placed in it below, each nested IC below the IC that contains it. The core builds the nodes;
// the window shows them (HostWindow::RefreshLevelTree) and hands node clicks back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// One node of the tree. Keys carry the level number from their third character on.
struct LevelNode {
    std::string Key;       // "L_" + level number; the root "L_0"
    std::string Text;      // "Grundebene" for the root, else the IC's name
    std::string ParentKey; // key of the node above; empty for the root
    bool operator==(const LevelNode&) const = default;
};

// The nodes from the instance list, parents before their children: the root first, then the
// instances 1..gICInstanceMax in index order (depth-first, as the list keeps them).
std::vector<LevelNode> BuildLevelTree();

// Rebuilds the level tree of the main window (after a load, a new sheet, placing and removing
// an IC).
void RefreshTreeView();

// Level number of a node key: the number from its third character on; 0 when there is none.
std::int16_t LevelOfKey(std::string_view key);

// A click on a node: while powered and no run is in progress, shows the node's level (the root
// the circuit). A run in progress keeps the view as it is.
void tvwLevel_NodeClick(std::string_view key);

} // namespace kardo
