// The ICs of a circuit file: the check that every definition the circuit needs is at hand (the
// IC existence check), building the instances and levels of a read circuit apart from the
// worksheet, putting them in place, and copying the definitions beside a saved circuit.
#pragma once

#include "files/circuit_document.h"
#include "files/ic_loader.h"
#include "model/ic_instances.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// The names of the ICs placed in a definition file's [IC] section, in file order; names that
// are no plain file names are left out (the loader reports them). Empty when the file cannot be
// read.
std::vector<std::string> NestedICNames(const std::string& path);

// The definitions a load copied into the IC folder from beside the circuit: removed again when
// the object goes, unless Keep was called because the load was accepted. Only a file that is
// still the copy as it was written is removed; one written over or put in its place meanwhile
// (another window saving an IC of that name) stays.
class ICCopies {
  public:
    ICCopies() = default;
    ICCopies(const ICCopies&) = delete;
    ICCopies& operator=(const ICCopies&) = delete;
    ~ICCopies();
    // Notes the copy at path of the definition file from, just written with bytes.
    void Add(std::string path, std::string from, std::string_view bytes);
    void Keep() { m_keep = true; }
    bool Empty() const { return m_copies.empty(); }
    // The file beside the circuit that path is a copy of; path itself when it is none.
    const std::string& SourceOf(const std::string& path) const;

  private:
    struct Copy {
        std::string Path;            // the copy in the IC folder
        std::string From;            // the definition file beside the circuit
        std::uint64_t Device = 0;    // device of the copy as written
        std::uint64_t Inode = 0;     // its inode
        std::int64_t Size = 0;       // its size in bytes
        std::int64_t ModifiedNs = 0; // its modification time, ns since 1970
        std::size_t Hash = 0;        // hash of its bytes
    };
    // Whether the file at copy's name is still that copy, unchanged since it was written.
    static bool Unchanged(const Copy& copy);

    std::vector<Copy> m_copies; // files copied, in order
    bool m_keep = false;        // the load was accepted: the copies stay
};

// Makes sure that the definition of every IC in names, and of every IC nested in those, is in
// the IC folder icFolder. The definition of an IC in names, or nested in one at any depth, that
// is missing there but lies in circuitFolder is copied over (never replacing a file) once it has
// read as a sound definition (a faulty one is reported, title "IC-Fehler"; a failed copy
// "Dateifehler"; both give false); a definition in the IC folder is the one used. Every IC met
// is placed at least once: names holding more than kMaxICInstances distinct ICs are refused
// before anything is copied, and the walk that takes nested ICs from beside the circuit ends at
// the IC past kMaxICInstances, before copying it, both with the loader's refusal of too many ICs
// naming the file where that IC lies (false). Missing definitions are listed in one message
// "Folgende ICs wurden nicht gefunden:" (title "IC-Fehler"), the ICs in names first (nested ICs
// are looked at only when those are all there), then for each IC in names its missing nested
// ICs, each once for every place it is missing in (as far as its nesting tree goes); a list of
// more than 30 places names each IC once instead, at most 30 of them, and one line
// "und N weitere" counts the names left. Then false. The files copied are put into copies; the
// form without copies removes them when the check fails.
bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder, ICCopies& copies);
bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder);

// Builds the instances and levels of the ICs of doc (instances 1.., in file order) into block,
// showing "Lade IC '" + name + "' ..." on status bar panel 2 for each, and writes the instance
// indices into the pin cells of the IC elements in doc. The IC elements keep the package and
// pins the circuit was saved with, also when a definition changed since. False with the
// problem; doc's cells may then be changed.
bool BuildCircuitICs(CircuitDocument& doc, ICLoader& loader, ICInstanceBlock& block,
                     ICLoadProblem& problem);

// Puts a block built by BuildCircuitICs in place of the (emptied) instance list and levels.
void InstallCircuitICs(ICInstanceBlock& block);

// Copies the definitions of the ICs of doc and of every IC nested in them from icFolder into
// folder, each only when no file of that name is there yet. A file of that name there is left as
// it is; unless it holds the definition (HoldsCopyOf) it counts as a failed copy, and so does an
// IC whose definition is not in icFolder. False when a copy failed, with one line
// " - " + file + ": " + reason + CR LF per failed copy in failures (file: where the copy lies or
// would lie).
bool CopyUsedICs(const CircuitDocument& doc, const std::string& icFolder, const std::string& folder,
                 std::string& failures);

} // namespace kardo
