// ICs of circuit files: existence check with copying, building and installing, and copying the
// definitions beside a saved circuit.
#include "files/circuit_ics.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "files/text_codec.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "platform/platform.h"

#include <algorithm>
#include <deque>
#include <set>

namespace kardo {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool Contains(const std::vector<std::string>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// Finds the definition of name in the IC folder, or copies it there from the circuit's folder.
enum class Lookup { Found, Missing, CopyFailed };
Lookup EnsureInICFolder(const std::string& name, const std::string& icFolder,
                        const std::string& circuitFolder) {
    if (FindICFile(icFolder, name))
        return Lookup::Found;
    const std::optional<std::string> beside =
        circuitFolder.empty() ? std::nullopt : FindICFile(circuitFolder, name);
    if (!beside)
        return Lookup::Missing;
    std::string reason;
    if (CopyFileNoOverwrite(*beside, icFolder + name + ".icd", reason))
        return Lookup::Found;
    std::string text = "Die IC-Definition";
    text.append(kCrLf).append(*beside).append(kCrLf);
    text.append("konnte nicht in den IC-Ordner kopiert werden: ").append(reason).append(".");
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Dateifehler");
    return Lookup::CopyFailed;
}

} // namespace

std::vector<std::string> NestedICNames(const std::string& path) {
    std::vector<std::string> names;
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxCircuitFileBytes, bytes, reason))
        return names;
    const std::string text = DecodeFileText(bytes);
    bool inIC = false;
    ForEachFileLine(text, [&](std::string_view line, int) {
        const std::string_view item = TrimBlanks(line);
        if (!item.empty() && item.front() == '[') {
            inIC = item == "[IC]";
            return true;
        }
        const FileTokens t(item);
        if (inIC && t.Count() >= 1 && IsPlainICName(TrimBlanks(t[1])))
            names.emplace_back(TrimBlanks(t[1]));
        return true;
    });
    return names;
}

bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder) {
    Host().RefreshICLists();
    std::vector<std::string> distinct;
    for (const std::string& n : names)
        if (!Contains(distinct, n))
            distinct.push_back(n);

    std::vector<std::string> missing;
    for (const std::string& name : distinct) {
        const Lookup found = EnsureInICFolder(name, icFolder, circuitFolder);
        if (found == Lookup::CopyFailed)
            return false;
        if (found == Lookup::Missing)
            missing.push_back(name);
    }
    if (missing.empty()) {
        // The nesting: every definition is looked into once, so a nesting that loops ends here.
        std::set<std::string, std::less<>> seen(distinct.begin(), distinct.end());
        std::deque<std::string> queue(distinct.begin(), distinct.end());
        while (!queue.empty()) {
            const std::string name = queue.front();
            queue.pop_front();
            const std::optional<std::string> path = FindICFile(icFolder, name);
            if (!path)
                continue;
            for (const std::string& inner : NestedICNames(*path)) {
                const Lookup found = EnsureInICFolder(inner, icFolder, circuitFolder);
                if (found == Lookup::CopyFailed)
                    return false;
                if (found == Lookup::Missing)
                    missing.push_back(inner);
                else if (seen.insert(inner).second)
                    queue.push_back(inner);
            }
        }
    }
    if (!missing.empty()) {
        std::string text = "Folgende ICs wurden nicht gefunden:";
        text.append(kCrLf);
        for (const std::string& name : missing)
            text.append(" - ").append(name).append(kCrLf);
        Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Critical, "IC-Fehler");
        return false;
    }
    return true;
}

bool BuildCircuitICs(CircuitDocument& doc, ICLoader& loader, ICInstanceBlock& block,
                     ICLoadProblem& problem) {
    block = ICInstanceBlock{};
    block.Base = 1;
    // Only the pin cells of IC elements name an instance; the indices come from the loading.
    Grid& cells = doc.Cells;
    for (int y = 0; y <= cells.UBoundY(); ++y) {
        for (int x = 0; x <= cells.UBoundX(); ++x) {
            CellRecord& c = cells(x, y);
            if (c.Typ != kTypeIC || c.ICPin == 0)
                c.ICLevel = 0;
        }
    }
    const std::vector<int> counts = CountElementCells(cells, doc.AnzElemente());
    for (const ICLine& line : doc.ICs) {
        const int index = block.Base + block.Count();
        if (!loader.Build(line.Name, line.ElementNr, 0, 0, block, problem))
            return false;
        const ICDefinition* def = loader.Definition(line.Name, problem);
        std::string what;
        if (!CheckICElement(cells, doc.Elements, line.ElementNr, *def, counts, what)) {
            problem = ICLoadProblem{line.Name, def->Path, 0,
                                    "Element " + std::to_string(line.ElementNr) +
                                        " der Schaltung: " + what};
            return false;
        }
        SetICElementInstance(cells, doc.Elements, line.ElementNr, *def,
                             static_cast<std::uint8_t>(index));
    }
    return true;
}

void InstallCircuitICs(ICInstanceBlock& block) {
    const std::size_t n = block.Instances.size();
    gICInstances.resize(1);
    gICInstances.reserve(n + 1);
    for (ICInstanceRecord& ic : block.Instances)
        gICInstances.push_back(std::move(ic));
    gLevels.resize(1);
    gLevels.reserve(n + 1);
    for (SimLevelRecord& level : block.Levels)
        gLevels.push_back(std::move(level));
    gAnzICInstances = static_cast<std::int16_t>(n);
    gICInstanceMax = static_cast<std::int16_t>(n);
    block = ICInstanceBlock{};
}

void CopyUsedICs(const CircuitDocument& doc, const std::string& icFolder,
                 const std::string& folder) {
    std::set<std::string, std::less<>> seen;
    std::deque<std::string> queue;
    for (const ICLine& ic : doc.ICs)
        if (seen.insert(ic.Name).second)
            queue.push_back(ic.Name);
    while (!queue.empty()) {
        const std::string name = queue.front();
        queue.pop_front();
        const std::optional<std::string> source = FindICFile(icFolder, name);
        if (!source)
            continue;
        if (!FindICFile(folder, name)) {
            std::string reason;
            CopyFileNoOverwrite(*source, folder + name + ".icd", reason);
        }
        for (const std::string& inner : NestedICNames(*source))
            if (seen.insert(inner).second)
                queue.push_back(inner);
    }
}

} // namespace kardo
