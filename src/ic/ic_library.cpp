// The IC library: entries with notes, details, and the nesting tree in the IC folder.
#include "ic/ic_library.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "files/text_codec.h"
#include "files/working_folders.h"

#include <optional>
#include <utility>

namespace kardo {

std::vector<ICLibraryEntry> ReadICLibrary() {
    std::vector<ICLibraryEntry> entries;
    const std::string& folder = gVerzeichnisse[1];
    for (const std::string& name : ListICNames(folder)) {
        std::string notes;
        if (const std::optional<std::string> path = FindICFile(folder, name))
            notes = ReadICNotes(*path);
        // One pass: each CR LF becomes one blank.
        std::size_t to = 0;
        for (std::size_t from = 0; from < notes.size(); ++from, ++to) {
            const bool lineEnd =
                notes[from] == '\r' && from + 1 < notes.size() && notes[from + 1] == '\n';
            notes[to] = lineEnd ? ' ' : notes[from];
            from += lineEnd ? 1 : 0;
        }
        notes.resize(to);
        entries.push_back(ICLibraryEntry{name, std::move(notes)});
    }
    return entries;
}

std::string ReadICNotes(const std::string& path) {
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxCircuitFileBytes, bytes, reason))
        return {};
    // Headers as the definition reader knows them: any other line in brackets is a note.
    std::string notes;
    bool inNotes = false;
    bool first = true;
    ForEachFileLine(DecodeFileText(bytes), [&](std::string_view line, int) {
        const std::string_view item = TrimBlanksLeft(line);
        if (const std::optional<FileSection> header = SectionOfHeader(TrimBlanksRight(item))) {
            inNotes = *header == FileSection::Notizen;
            return true;
        }
        if (inNotes) {
            notes.append(first ? "" : "\r\n").append(line); // with its leading blanks
            first = false;
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
