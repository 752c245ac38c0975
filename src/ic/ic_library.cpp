// The IC library: entries with notes, details, and the nesting tree.
#include "ic/ic_library.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/circuit_ics.h"
#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "files/text_codec.h"
#include "files/working_folders.h"

#include <map>

namespace kardo {

std::vector<ICLibraryEntry> ReadICLibrary() {
    std::vector<ICLibraryEntry> entries;
    const std::string& folder = gVerzeichnisse[1];
    for (const std::string& name : ListICNames(folder)) {
        std::string notes;
        if (const std::optional<std::string> path = FindICFile(folder, name))
            notes = ReadICNotes(*path);
        for (std::size_t at = notes.find("\r\n"); at != std::string::npos; at = notes.find("\r\n"))
            notes.replace(at, 2, " ");
        entries.push_back(ICLibraryEntry{name, notes});
    }
    return entries;
}

std::string ReadICNotes(const std::string& path) {
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxCircuitFileBytes, bytes, reason))
        return {};
    std::string notes;
    bool inNotes = false;
    ForEachFileLine(DecodeFileText(bytes), [&](std::string_view line, int) {
        const std::string_view item = TrimBlanksLeft(line);
        const std::string_view key = TrimBlanksRight(item);
        if (!key.empty() && key.front() == '[' && key.back() == ']') {
            inNotes = key == "[Notizen]";
            return true;
        }
        if (inNotes) {
            if (!notes.empty())
                notes += "\r\n";
            notes += item;
        }
        return true;
    });
    return notes;
}

bool ReadICDetails(std::string_view name, ICDefinition& def, std::string& problem) {
    const std::optional<std::string> path = FindICFile(gVerzeichnisse[1], name);
    if (!path) {
        problem = "Die Datei \"" + std::string(name) + ".icd\" wurde nicht gefunden.";
        return false;
    }
    ReadProblem read;
    if (!ReadICDefinitionFile(*path, def, read)) {
        problem = "Fehlerhafte Definition";
        if (read.Line > 0)
            problem += " (Zeile " + std::to_string(read.Line) + ")";
        problem += ": " + read.Text + ".";
        return false;
    }
    return true;
}

namespace {

struct TreeWalk {
    std::string folder;               // the IC folder
    std::vector<NestingNode> nodes;   // the tree so far
    std::vector<std::string> missing; // names of missing ICs, in order met
    std::vector<std::string> chain;   // names being opened, outermost first
    int counter = 0;                  // nested nodes made
    // The [IC] names of each definition opened, read once: an IC placed many times is opened at
    // every place.
    std::map<std::string, std::vector<std::string>, std::less<>> nested;

    const std::vector<std::string>* NestedOf(const std::string& name) {
        auto it = nested.find(name);
        if (it == nested.end()) {
            const std::optional<std::string> path = FindICFile(folder, name);
            if (!path)
                return nullptr;
            it = nested.emplace(name, NestedICNames(*path)).first;
        }
        return &it->second;
    }

    void Open(const std::string& name, const std::string& key) {
        const std::vector<std::string>* inner = NestedOf(name);
        if (!inner)
            return;
        chain.push_back(name);
        for (const std::string& one : *inner) {
            if (!FindICFile(folder, one)) {
                missing.push_back(one);
                continue;
            }
            if (counter >= kMaxNestingNodes)
                continue;
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

std::vector<NestingNode> BuildNestingTree(std::string_view name) {
    return BuildNestingTree(name, gVerzeichnisse[1]);
}

std::vector<NestingNode> BuildNestingTree(std::string_view name, const std::string& folder) {
    TreeWalk walk;
    walk.folder = folder;
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
