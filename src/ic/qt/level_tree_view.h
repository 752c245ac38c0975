// The level tree tvwLevel as a Qt tree: filled from the core's nodes, a node click handed to
// the core.
#pragma once

class QTreeWidget;

namespace kardo {

// Rebuilds the tree from BuildLevelTree(): every node keeps its key (Qt::UserRole), all nodes
// expanded.
void FillLevelTree(QTreeWidget& tree);

// Connects the tree's item clicks to tvwLevel_NodeClick with the item's key.
void ConnectLevelTree(QTreeWidget& tree);

} // namespace kardo
