// The IC library as the library window frmICAuswahl shows it: one entry per IC file of the IC
// folder with its notes, the details of one IC, and the tree of the ICs nested in it with the
// ones that are missing gathered under a node "Fehler".
#pragma once

#include "files/ic_definition.h"

#include <string>
#include <string_view>
#include <vector>

namespace kardo {

struct ICLibraryEntry {
    std::string Name;  // IC name (file name without ".icd")
    std::string Notes; // its notes on one line (lines joined by blanks)
    bool operator==(const ICLibraryEntry&) const = default;
};

// The ICs of the IC folder in the order of the IC list cmbIC (ListICNames), with their notes.
std::vector<ICLibraryEntry> ReadICLibrary();

// The notes of a definition file: its [Notizen] lines joined by CR LF; "" when it has none or
// cannot be read.
std::string ReadICNotes(const std::string& path);

// The checked definition of IC name for its details; false with a German text of why it cannot
// be shown (missing file, faulty definition).
bool ReadICDetails(std::string_view name, ICDefinition& def, std::string& problem);

// One node of the nesting tree tvwSchachtelung.
struct NestingNode {
    std::string Key;       // "IC" for the IC itself, "N1", "N2", ... for nested ICs, "Fehler"
                           // for the head of the missing ones, "Fehler1", ... for each of them
    std::string Text;      // the IC's name; "ICs nicht gefunden:" for the head
    std::string ParentKey; // key of the node above; empty for the IC itself and the head
    bool operator==(const NestingNode&) const = default;
};

// Most nested ICs the tree shows.
constexpr int kMaxNestingNodes = 2000;

// The nesting tree of IC name, depth-first in the order of each definition's [IC] lines. A
// nested IC whose definition is missing adds a node under "Fehler" (placed last), once for
// every line that names it; an IC inside itself is shown once and not opened again.
std::vector<NestingNode> BuildNestingTree(std::string_view name);
// The same with the definitions looked up in folder (ending in "/").
std::vector<NestingNode> BuildNestingTree(std::string_view name, const std::string& folder);

// The names of the missing ICs of a nesting tree, as the existence check reports them.
std::vector<std::string> MissingInNestingTree(const std::vector<NestingNode>& tree);

} // namespace kardo
