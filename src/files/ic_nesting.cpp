// The nesting tree of an IC from the definitions of the IC folder.
#include "files/ic_nesting.h"

#include "files/circuit_ics.h"
#include "files/ic_folder.h"

#include <map>
#include <optional>

namespace kardo {

namespace {

struct TreeWalk {
    explicit TreeWalk(ICFileFinder& f) : finder(f) {}
    ICFileFinder& finder;             // finds the definitions
    std::vector<NestingNode> nodes;   // the tree so far
    std::vector<std::string> missing; // names of missing ICs, in order met
    std::vector<std::string> chain;   // names being opened, outermost first
    int counter = 0;                  // nested nodes made
    // Each name looked up once: a missing IC named at many places is looked for only once.
    std::map<std::string, std::optional<std::string>, std::less<>> paths;
    // The [IC] names of each definition opened, read once: an IC placed many times is opened at
    // every place.
    std::map<std::string, std::vector<std::string>, std::less<>> nested;

    const std::optional<std::string>& PathOf(const std::string& name) {
        auto it = paths.find(name);
        if (it == paths.end())
            it = paths.emplace(name, finder.Find(name)).first;
        return it->second;
    }

    const std::vector<std::string>* NestedOf(const std::string& name) {
        auto it = nested.find(name);
        if (it == nested.end()) {
            const std::optional<std::string>& path = PathOf(name);
            if (!path)
                return nullptr;
            it = nested.emplace(name, NestedICNames(*path)).first;
        }
        return &it->second;
    }

    // Places met so far, the missing ones included: a tree of definitions naming one another
    // thousands of times stays bounded, and so does the list of what is missing.
    bool Full() const { return counter + static_cast<int>(missing.size()) >= kMaxNestingNodes; }

    void Open(const std::string& name, const std::string& key) {
        const std::vector<std::string>* inner = NestedOf(name);
        if (!inner)
            return;
        chain.push_back(name);
        for (const std::string& one : *inner) {
            if (Full())
                break;
            if (!PathOf(one)) {
                missing.push_back(one);
                continue;
            }
            const std::string innerKey = "N" + std::to_string(++counter);
            nodes.push_back(NestingNode{innerKey, one, key});
            bool inside = false;
            for (const std::string& open : chain)
                inside = inside || open == one;
            if (!inside)
                Open(one, innerKey);
        }
        chain.pop_back();
    }
};

} // namespace

std::vector<NestingNode> BuildNestingTree(std::string_view name, const std::string& folder) {
    ICFileFinder finder(folder);
    return BuildNestingTree(name, finder);
}

std::vector<NestingNode> BuildNestingTree(std::string_view name, ICFileFinder& finder) {
    TreeWalk walk(finder);
    walk.nodes.push_back(NestingNode{"IC", std::string(name), ""});
    walk.Open(std::string(name), "IC");
    if (!walk.missing.empty()) {
        walk.nodes.push_back(NestingNode{"Fehler", "ICs nicht gefunden:", ""});
        for (std::size_t i = 0; i < walk.missing.size(); ++i)
            walk.nodes.push_back(
                NestingNode{"Fehler" + std::to_string(i + 1), walk.missing[i], "Fehler"});
    }
    return walk.nodes;
}

std::vector<std::string> MissingInNestingTree(const std::vector<NestingNode>& tree) {
    std::vector<std::string> missing;
    if (tree.empty() || tree.back().Key.rfind("Fehler", 0) != 0)
        return missing;
    for (auto it = tree.rbegin(); it != tree.rend(); ++it)
        if (it->Key.rfind("Fehler", 0) == 0 && it->Key.size() >= 7)
            missing.push_back(it->Text);
    return missing;
}

} // namespace kardo
