// The ICs of a circuit file: the check that every definition the circuit needs is at hand (the
// IC existence check), building the instances and levels of a read circuit apart from the
// worksheet, putting them in place, and copying the definitions beside a saved circuit.
#pragma once

#include "files/circuit_document.h"
#include "files/ic_instances.h"
#include "files/ic_loader.h"

#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// The names of the ICs placed in a definition file's [IC] section, in file order; names that
// are no plain file names are left out (the loader reports them). Empty when the file cannot be
// read.
std::vector<std::string> NestedICNames(const std::string& path);

// Makes sure that the definition of every IC in names, and of every IC nested in those, is in
// the IC folder icFolder. A definition missing there but present in circuitFolder is copied over
// (never replacing a file); a failed copy is reported ("Dateifehler") and gives false. Missing
// definitions are listed in one message "Folgende ICs wurden nicht gefunden:" (title
// "IC-Fehler"), top-level ICs first (nested ICs are looked at only when those are all there),
// a nested one once for every definition line that names it; then false.
bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder);

// Builds the instances and levels of the ICs of doc (instances 1.., in file order) into block,
// checking each IC element of the circuit against its definition and writing the instance
// indices into its pin cells in doc. False with the problem; doc's cells may then be changed.
bool BuildCircuitICs(CircuitDocument& doc, ICLoader& loader, ICInstanceBlock& block,
                     ICLoadProblem& problem);

// Puts a block built by BuildCircuitICs in place of the (emptied) instance list and levels.
void InstallCircuitICs(ICInstanceBlock& block);

// Copies the definitions of the ICs of doc and of every IC nested in them from icFolder into
// folder, each only when no file of that name is there yet.
void CopyUsedICs(const CircuitDocument& doc, const std::string& icFolder,
                 const std::string& folder);

} // namespace kardo
