// Loading ICs: every definition a load needs is read and checked once, then each IC becomes an
// instance record and a simulation level, the ICs nested in it following it depth-first. All of
// it is built apart from the live lists, which the caller changes only when the whole build
// succeeded. The same walk without building is the nesting check of a chosen IC.
#pragma once

#include "files/ic_definition.h"
#include "model/ic_instances.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kardo {

// Most cells all IC levels together may hold (guard frames included).
constexpr std::size_t kMaxICLevelCells = 8'000'000;

// What stopped a load: the IC at fault, its definition file and the line in it, and a German
// text of the problem.
struct ICLoadProblem {
    std::string IC;   // name of the IC whose definition (or nesting) is at fault
    std::string File; // its definition file; empty when none was found
    int Line = 0;     // line of that file, 0 for the file as a whole
    std::string Text; // what is wrong
};

// What is wrong with a load that would hold more than kMaxICInstances ICs.
std::string TooManyICsText();

// The message of a problem, naming the IC, the file and the line.
std::string ICProblemText(const ICLoadProblem& problem);
// Shows it in a message box titled "IC-Fehler".
void ReportICProblem(const ICLoadProblem& problem);

class ICLoader {
  public:
    // folder: the IC folder, ending in "/".
    explicit ICLoader(std::string folder) : m_folder(std::move(folder)) {}

    // The checked definition of IC name, read at the first request; nullptr with the problem
    // when its file is missing or cannot be read, or the definition is faulty.
    const ICDefinition* Definition(std::string_view name, ICLoadProblem& problem);

    // Builds IC name, standing for element elementNr on the circuit, with every IC nested in it
    // as instances base, base + 1, ... appended to block (whose Base the caller has set).
    // instancesInUse and cellsInUse are what the lists hold besides the block; the build refuses
    // an IC containing itself, more than kMaxICInstances instances and more than
    // kMaxICLevelCells cells. A nested IC whose definition changed since its container was saved
    // keeps the package and pins the container holds.
    bool Build(std::string_view name, std::int16_t elementNr, int instancesInUse,
               std::size_t cellsInUse, ICInstanceBlock& block, ICLoadProblem& problem);

    // The same walk as Build without building: true when IC name could be placed now.
    bool Check(std::string_view name, int instancesInUse, std::size_t cellsInUse,
               ICLoadProblem& problem);

    // Definition files read so far.
    int FilesRead() const { return m_filesRead; }

    // While on, Build shows the loading of long definitions on the main window as it builds each
    // instance: status bar panel 2 "Lade IC '" + name + "'" and the progress bar at line / 10
    // for lines 201..999 (every hundredth line of an IC placed in the circuit, every line of a
    // nested one), the arrow-with-hourglass pointer from line 300 on.
    void ShowProgress(bool on) { m_showProgress = on; }
    // A build with ShowProgress went past line 300 of a definition: the bar has been shown.
    bool ProgressBarShown() const { return m_barShown; }

  private:
    struct Entry {
        bool ok = false;       // the definition was read and checked
        ICDefinition def;      // the definition (ok only)
        ICLoadProblem problem; // why it is faulty (not ok)
    };
    struct Walk {
        ICInstanceBlock* block = nullptr;                       // nullptr: check only
        int instances = 0;                                      // instances in use, walk included
        std::size_t cells = 0;                                  // cells in use, walk included
        std::vector<std::pair<std::string, std::string>> chain; // (file, name) being expanded
    };
    const Entry* Find(std::string_view name, ICLoadProblem& problem);
    int Add(std::string_view name, std::int16_t elementNr, int parent, int tiefe, Walk& walk,
            ICLoadProblem& problem);
    void ShowLoading(std::string_view name, int lines, bool nested);

    std::string m_folder;                                                 // the IC folder
    std::map<std::string, std::unique_ptr<Entry>, std::less<>> m_entries; // by file path
    std::map<std::string, std::string, std::less<>> m_paths;              // name -> file path
    int m_filesRead = 0;                                                  // files read
    bool m_showProgress = false; // Build shows its progress on the main window
    bool m_barShown = false;     // the progress bar was shown (line 300 reached)
};

} // namespace kardo
