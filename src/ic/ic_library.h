// The IC library as the library window frmICAuswahl shows it: one entry per IC file of the IC
// folder with its notes, the details of one IC, and the tree of the ICs nested in it with the
// ones that are missing gathered under a node "Fehler" (built in files/ic_nesting.h).
#pragma once

#include "files/ic_definition.h"
#include "files/ic_nesting.h"

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

// The nesting tree of IC name with the definitions of the IC folder (BuildNestingTree with a
// folder, files/ic_nesting.h).
std::vector<NestingNode> BuildNestingTree(std::string_view name);

} // namespace kardo
