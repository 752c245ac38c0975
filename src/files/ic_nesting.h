// The nesting tree of an IC: the ICs nested in its definition, depth-first, with the missing ones
// gathered under a node "Fehler". The IC library shows it; the IC existence check of a circuit
// reads the missing ones from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// One node of the nesting tree tvwSchachtelung.
struct NestingNode {
    std::string Key;       // "IC" for the IC itself, "N1", "N2", ... for nested ICs, "Fehler"
                           // for the head of the missing ones, "Fehler1", ... for each of them
    std::string Text;      // the IC's name; "ICs nicht gefunden:" for the head
    std::string ParentKey; // key of the node above; empty for the IC itself and the head
    bool operator==(const NestingNode&) const = default;
};

// Most places of nested ICs the tree shows, those of missing ones included.
constexpr int kMaxNestingNodes = 2000;

class ICFileFinder;

// The nesting tree of IC name with the definitions looked up in folder (ending in "/"),
// depth-first in the order of each definition's [IC] lines. A nested IC whose definition is
// missing adds a node under "Fehler" (placed last), once for every line that names it; an IC
// inside itself is shown once and not opened again. The walk ends at kMaxNestingNodes places.
std::vector<NestingNode> BuildNestingTree(std::string_view name, const std::string& folder);
// The same with the definitions looked up through finder, which several trees may share.
std::vector<NestingNode> BuildNestingTree(std::string_view name, ICFileFinder& finder);

// The names of the missing ICs of a nesting tree, as the existence check reports them.
std::vector<std::string> MissingInNestingTree(const std::vector<NestingNode>& tree);

} // namespace kardo
