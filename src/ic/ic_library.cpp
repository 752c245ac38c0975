// The IC library: entries with notes, details, and the nesting tree in the IC folder.
#include "ic/ic_library.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "files/text_codec.h"
#include "files/working_folders.h"

#include <optional>

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

std::vector<NestingNode> BuildNestingTree(std::string_view name) {
    return BuildNestingTree(name, gVerzeichnisse[1]);
}

} // namespace kardo
