// The IC loader: definitions read once per load, instances and levels built depth-first with
// the guards against self-containing ICs, too many instances and too many cells.
#include "files/ic_loader.h"

#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "platform/platform.h"

#include <algorithm>

namespace kardo {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::size_t CellsOf(const ICDefinition& def) {
    return static_cast<std::size_t>(def.FeldBreite + 2) *
           static_cast<std::size_t>(def.FeldHoehe + 2);
}

ICInstanceRecord InstanceOf(std::string_view name, const ICDefinition& def, std::int16_t elementNr,
                            int parent, int tiefe) {
    ICInstanceRecord ic;
    ic.Name = std::string(name);
    ic.MaxX = def.Breite;
    ic.MaxY = def.Hoehe;
    const int n = def.PinCount();
    ic.AnzAnschluesse = static_cast<std::int16_t>(n);
    ic.Anschluesse.assign(1, std::string());
    ic.GrafAnschluesse.assign(1, std::string());
    for (int k = 1; k <= n; ++k) {
        ic.Anschluesse.push_back(def.PinLines[static_cast<std::size_t>(k) - 1] + "0;");
        ic.GrafAnschluesse.push_back(def.PlaceLines[static_cast<std::size_t>(k) - 1]);
    }
    ic.ElementNr = elementNr;
    ic.Parent = static_cast<std::uint8_t>(parent);
    ic.Tiefe = static_cast<std::uint8_t>(tiefe);
    ic.Notizen = def.Notizen;
    ic.PinCells = def.PinCells;
    return ic;
}

SimLevelRecord LevelOf(std::string_view name, const ICDefinition& def) {
    SimLevelRecord level;
    // An empty name marks a free slot, so a definition without [Name] takes the IC's name.
    level.Name = def.LevelName.empty() ? std::string(name) : def.LevelName;
    level.MaxX = def.FeldBreite;
    level.MaxY = def.FeldHoehe;
    level.Feld = def.Cells;
    level.Elemente = def.Elements;
    level.AnzElemente = static_cast<std::int16_t>(def.Elements.size() - 1);
    return level;
}

} // namespace

std::string TooManyICsText() {
    return "mehr als " + std::to_string(kMaxICInstances) + " ICs (verschachtelte mitgezählt)";
}

std::string ICProblemText(const ICLoadProblem& problem) {
    std::string text = "Das IC \"" + problem.IC + "\" kann nicht geladen werden.";
    text.append(kCrLf);
    if (!problem.File.empty())
        text.append("Datei: ").append(problem.File).append(kCrLf);
    if (problem.Line > 0)
        text.append("Zeile ").append(std::to_string(problem.Line)).append(": ");
    std::string what = problem.Text;
    if (!what.empty())
        what[0] =
            what[0] >= 'a' && what[0] <= 'z' ? static_cast<char>(what[0] - 'a' + 'A') : what[0];
    text.append(what).append(".");
    return text;
}

void ReportICProblem(const ICLoadProblem& problem) {
    Host().MessageBox(ICProblemText(problem), MsgButtons::Ok, MsgIcon::Critical, "IC-Fehler");
}

const ICLoader::Entry* ICLoader::Find(std::string_view name, ICLoadProblem& problem) {
    if (!IsPlainICName(name)) {
        problem = ICLoadProblem{std::string(name), {}, 0, "der Name ist kein einfacher Dateiname"};
        return nullptr;
    }
    auto known = m_paths.find(name);
    if (known == m_paths.end()) {
        const std::optional<std::string> path = FindICFile(m_folder, name);
        if (!path) {
            problem = ICLoadProblem{std::string(name),
                                    {},
                                    0,
                                    "die Definition \"" + std::string(name) +
                                        ".icd\" ist im IC-Ordner nicht vorhanden"};
            return nullptr;
        }
        known = m_paths.emplace(std::string(name), *path).first;
    }
    const std::string& path = known->second;
    auto found = m_entries.find(path);
    if (found == m_entries.end()) {
        auto entry = std::make_unique<Entry>();
        ReadProblem read;
        ++m_filesRead;
        entry->ok = ReadICDefinitionFile(path, entry->def, read);
        if (!entry->ok)
            entry->problem = ICLoadProblem{std::string(name), path, read.Line, read.Text};
        found = m_entries.emplace(path, std::move(entry)).first;
    }
    return found->second.get();
}

const ICDefinition* ICLoader::Definition(std::string_view name, ICLoadProblem& problem) {
    const Entry* e = Find(name, problem);
    if (!e)
        return nullptr;
    if (!e->ok) {
        problem = e->problem;
        return nullptr;
    }
    return &e->def;
}

int ICLoader::Add(std::string_view name, std::int16_t elementNr, int parent, int tiefe, Walk& walk,
                  ICLoadProblem& problem) {
    const Entry* e = Find(name, problem);
    if (!e)
        return -1;
    if (!e->ok) {
        problem = e->problem;
        return -1;
    }
    const ICDefinition& def = e->def;
    for (std::size_t i = 0; i < walk.chain.size(); ++i) {
        if (walk.chain[i].first != def.Path)
            continue;
        std::string cycle;
        for (std::size_t j = i; j < walk.chain.size(); ++j)
            cycle.append(walk.chain[j].second).append(" → ");
        cycle.append(name);
        problem = ICLoadProblem{walk.chain.back().second, walk.chain.back().first, 0,
                                "das IC enthält sich selbst: " + cycle};
        return -1;
    }
    if (walk.instances + 1 > kMaxICInstances) {
        problem = ICLoadProblem{std::string(name), def.Path, 0, TooManyICsText()};
        return -1;
    }
    const std::size_t cells = CellsOf(def);
    if (walk.cells + cells > kMaxICLevelCells) {
        problem = ICLoadProblem{std::string(name), def.Path, 0,
                                "alle IC-Ebenen zusammen brauchten mehr als " +
                                    std::to_string(kMaxICLevelCells) + " Zellen"};
        return -1;
    }
    ++walk.instances;
    walk.cells += cells;
    int index = walk.instances; // only a number while checking
    if (walk.block) {
        index = walk.block->Base + walk.block->Count();
        walk.block->Instances.push_back(InstanceOf(name, def, elementNr, parent, tiefe));
        walk.block->Levels.push_back(LevelOf(name, def));
        if (m_showProgress)
            ShowLoading(name, def.Lines, tiefe > 0);
    }

    walk.chain.emplace_back(def.Path, std::string(name));
    std::vector<std::uint8_t> instanceOf; // instance of each IC element of the level
    for (const ICLine& line : def.Nested) {
        const int child = Add(line.Name, line.ElementNr, index, tiefe + 1, walk, problem);
        if (child < 0)
            return -1;
        if (instanceOf.size() <= static_cast<std::size_t>(line.ElementNr))
            instanceOf.resize(static_cast<std::size_t>(line.ElementNr) + 1, 0);
        instanceOf[static_cast<std::size_t>(line.ElementNr)] = static_cast<std::uint8_t>(child);
    }
    if (walk.block && !def.Nested.empty()) {
        SimLevelRecord& level =
            walk.block->Levels[static_cast<std::size_t>(index - walk.block->Base)];
        AssignICInstances(level.Feld, instanceOf);
    }
    walk.chain.pop_back();
    return index;
}

void ICLoader::ShowLoading(std::string_view name, int lines, bool nested) {
    HostWindow& host = Host();
    bool named = false;
    int bar = -1;
    // The lines past 999 change nothing more.
    for (int n = 1; n <= std::min(lines, 999); ++n) {
        if (!nested && !(n >= 201 && n % 100 == 0))
            continue;
        if (n >= 201 && n / 10 != bar) {
            bar = n / 10;
            host.SetProgress(bar);
        }
        if (!named) {
            host.SetStatusText(2, "Lade IC '" + std::string(name) + "'");
            named = true;
        }
        if (n == 300) {
            m_barShown = true;
            host.SetMousePointer(kPointerArrowHourglass);
        }
    }
}

bool ICLoader::Build(std::string_view name, std::int16_t elementNr, int instancesInUse,
                     std::size_t cellsInUse, ICInstanceBlock& block, ICLoadProblem& problem) {
    std::size_t cells = cellsInUse;
    for (const SimLevelRecord& level : block.Levels)
        cells += LevelCells(level);
    // The whole nesting is checked before a level is built, so a refused load never allocates
    // the levels it would have needed.
    if (!Check(name, instancesInUse + block.Count(), cells, problem))
        return false;
    Walk walk;
    walk.block = &block;
    walk.instances = instancesInUse + block.Count();
    walk.cells = cells;
    return Add(name, elementNr, 0, 0, walk, problem) >= 0;
}

bool ICLoader::Check(std::string_view name, int instancesInUse, std::size_t cellsInUse,
                     ICLoadProblem& problem) {
    Walk walk;
    walk.instances = instancesInUse;
    walk.cells = cellsInUse;
    return Add(name, 0, 0, 0, walk, problem) >= 0;
}

} // namespace kardo
