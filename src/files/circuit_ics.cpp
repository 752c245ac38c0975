// ICs of circuit files: existence check with copying, building and installing, and copying the
// definitions beside a saved circuit.
#include "files/circuit_ics.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/ic_folder.h"
#include "files/ic_nesting.h"
#include "files/text_codec.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "platform/platform.h"

#include <algorithm>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace kardo {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool Contains(const std::vector<std::string>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The two folders of one existence check, each listed at most once however many names are
// looked up, and the copies made from one into the other.
struct CheckFolders {
    ICFileFinder icFolder; // the IC folder
    ICFileFinder beside;   // the circuit's folder; "" when the circuit has none
    ICCopies& copies;      // what this load copied into the IC folder

    std::optional<std::string> Beside(std::string_view name) {
        return beside.Folder().empty() ? std::nullopt : beside.Find(name);
    }
};

// Copies the definition file beside (of IC name) into the IC folder once it has read as a sound
// definition: whatever else lies there under that name (a link to some other file, a device, a
// faulty definition) is reported and copied nowhere. The path of the copy; nothing when it was
// reported.
std::optional<std::string> TakeFromBeside(const std::string& name, const std::string& beside,
                                          CheckFolders& folders) {
    std::string bytes;
    std::string reason;
    if (ReadWholeFile(beside, kMaxCircuitFileBytes, bytes, reason)) {
        ICDefinition def;
        ReadProblem read;
        if (!ReadICDefinitionText(DecodeFileText(bytes), def, read)) {
            ReportICProblem(ICLoadProblem{name, beside, read.Line, read.Text});
            return std::nullopt;
        }
        // The bytes checked are the bytes written: the file beside may change meanwhile.
        std::string target = folders.icFolder.Folder() + name + ".icd";
        if (WriteNewFile(target, bytes, reason)) {
            folders.icFolder.Added(name + ".icd");
            folders.copies.Add(target, beside, bytes);
            return target;
        }
    }
    std::string text = "Die IC-Definition";
    text.append(kCrLf).append(beside).append(kCrLf);
    text.append("konnte nicht in den IC-Ordner kopiert werden: ").append(reason).append(".");
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Dateifehler");
    return std::nullopt;
}

// Finds the definition of name in the IC folder, or takes it there from the circuit's folder.
enum class Lookup { Found, Missing, Failed };
Lookup EnsureInICFolder(const std::string& name, CheckFolders& folders) {
    if (folders.icFolder.Find(name))
        return Lookup::Found;
    const std::optional<std::string> beside = folders.Beside(name);
    if (!beside)
        return Lookup::Missing;
    return TakeFromBeside(name, *beside, folders) ? Lookup::Found : Lookup::Failed;
}

// Walks names and every IC nested in them, at any depth, each name once: open(name, stop) does
// the caller's work on one IC and gives the path of its definition, whose [IC] lines are walked
// next (nothing: none); setting stop ends the walk.
template <class Open> void WalkNesting(const std::vector<std::string>& names, Open open) {
    std::set<std::string, std::less<>> seen;
    std::deque<std::string> queue;
    for (const std::string& name : names)
        if (seen.insert(name).second)
            queue.push_back(name);
    bool stop = false;
    while (!queue.empty() && !stop) {
        const std::string name = std::move(queue.front());
        queue.pop_front();
        const std::optional<std::string> path = open(name, stop);
        if (!path || stop)
            continue;
        for (std::string& inner : NestedICNames(*path))
            if (seen.insert(inner).second)
                queue.push_back(std::move(inner));
    }
}

// Takes every IC nested in the ICs of names that is missing from the IC folder but lies beside
// the circuit, as EnsureInICFolder takes the ICs a circuit names: a circuit saved with its ICs
// has the nested definitions beside it too. What is missing everywhere is left to the nesting
// check to report. False when a definition beside was faulty or could not be copied, or the
// walk met more ICs than a load may hold (each reported).
bool TakeNestedICsFromBeside(const std::vector<std::string>& names, CheckFolders& folders) {
    bool ok = true;
    int met = 0; // distinct ICs found so far, in the IC folder or beside
    WalkNesting(names, [&](const std::string& name, bool& stop) -> std::optional<std::string> {
        std::optional<std::string> path = folders.icFolder.Find(name);
        const std::optional<std::string> beside = path ? std::nullopt : folders.Beside(name);
        if (!path && !beside)
            return std::nullopt;
        // Each IC met is placed at least once: one more than a load holds can never load, and
        // the rest of the walk would only copy what the load then refuses.
        if (++met > kMaxICInstances) {
            ReportICProblem(ICLoadProblem{name, path ? *path : *beside, 0, TooManyICsText()});
            stop = true;
        } else if (!path) {
            path = TakeFromBeside(name, *beside, folders);
            stop = !path;
        }
        ok = !stop;
        return path;
    });
    return ok;
}

// The message naming the missing ICs: one line per place while they fit a box on the screen;
// past that each IC once, in the list's order, the names past the first kListed counted.
std::string MissingICsText(const std::vector<std::string>& missing) {
    constexpr std::size_t kListed = 30;
    std::string text = "Folgende ICs wurden nicht gefunden:";
    text.append(kCrLf);
    if (missing.size() <= kListed) {
        for (const std::string& name : missing)
            text.append(" - ").append(name).append(kCrLf);
        return text;
    }
    std::unordered_set<std::string_view> named;
    std::size_t further = 0;
    for (const std::string& name : missing) {
        if (!named.insert(name).second)
            continue;
        if (named.size() <= kListed)
            text.append(" - ").append(name).append(kCrLf);
        else
            ++further;
    }
    if (further > 0)
        text.append("und ").append(std::to_string(further)).append(" weitere").append(kCrLf);
    return text;
}

// The nested ICs of names missing from the IC folder, as the library window's nesting trees
// show them: each once for every place it is missing in.
std::vector<std::string> MissingNestedICs(const std::vector<std::string>& names,
                                          ICFileFinder& icFolder) {
    std::vector<std::string> missing;
    for (const std::string& name : names)
        for (std::string& inner : MissingInNestingTree(BuildNestingTree(name, icFolder)))
            missing.push_back(std::move(inner));
    return missing;
}

// The hash that tells the bytes of a copy from others written over it.
std::size_t HashOf(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

std::int64_t NanosecondsOf(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
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

void ICCopies::Add(std::string path, std::string from, std::string_view bytes) {
    Copy copy{std::move(path), std::move(from)};
    struct stat st {};
    if (::lstat(copy.Path.c_str(), &st) == 0) {
        copy.Device = st.st_dev;
        copy.Inode = st.st_ino;
        copy.Size = st.st_size;
        copy.ModifiedNs = NanosecondsOf(st.st_mtim);
    }
    copy.Hash = HashOf(bytes);
    m_copies.push_back(std::move(copy));
}

const std::string& ICCopies::SourceOf(const std::string& path) const {
    for (const Copy& copy : m_copies)
        if (copy.Path == path)
            return copy.From;
    return path;
}

bool ICCopies::Unchanged(const Copy& copy) {
    // The file at the copy's name is looked at through one descriptor, never through a link.
    const int fd = ::open(copy.Path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    std::string bytes;
    std::string reason;
    const bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == copy.Device &&
                      st.st_ino == copy.Inode && st.st_size == copy.Size &&
                      NanosecondsOf(st.st_mtim) == copy.ModifiedNs &&
                      ReadOpenFile(fd, static_cast<std::size_t>(copy.Size),
                                   static_cast<std::size_t>(copy.Size), bytes, reason) &&
                      HashOf(bytes) == copy.Hash;
    ::close(fd);
    return same;
}

ICCopies::~ICCopies() {
    if (m_keep)
        return;
    for (const Copy& copy : m_copies)
        if (Unchanged(copy))
            ::unlink(copy.Path.c_str());
}

bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder) {
    ICCopies copies;
    if (!CheckICsExist(names, icFolder, circuitFolder, copies))
        return false;
    copies.Keep();
    return true;
}

bool CheckICsExist(const std::vector<std::string>& names, const std::string& icFolder,
                   const std::string& circuitFolder, ICCopies& copies) {
    Host().RefreshICLists();
    // Every IC the circuit names is placed at least once: one name more than a load holds can
    // never load, so the names are gathered up to it and such a circuit is refused before
    // anything is copied.
    std::vector<std::string> distinct;
    for (const std::string& n : names) {
        if (Contains(distinct, n))
            continue;
        distinct.push_back(n);
        if (static_cast<int>(distinct.size()) > kMaxICInstances)
            break;
    }

    CheckFolders folders{ICFileFinder(icFolder), ICFileFinder(circuitFolder), copies};
    if (static_cast<int>(distinct.size()) > kMaxICInstances) {
        const std::string& name = distinct.back();
        std::optional<std::string> file = folders.icFolder.Find(name);
        if (!file)
            file = folders.Beside(name);
        ReportICProblem(ICLoadProblem{name, file.value_or(""), 0, TooManyICsText()});
        return false;
    }
    std::vector<std::string> missing;
    for (const std::string& name : distinct) {
        const Lookup found = EnsureInICFolder(name, folders);
        if (found == Lookup::Failed)
            return false;
        if (found == Lookup::Missing)
            missing.push_back(name);
    }
    // Nested ICs are looked at once every IC the circuit names is there. Those missing from
    // the IC folder are taken from beside the circuit, and what is then still missing is named.
    if (missing.empty()) {
        missing = MissingNestedICs(distinct, folders.icFolder);
        if (!missing.empty() && !circuitFolder.empty()) {
            if (!TakeNestedICsFromBeside(distinct, folders))
                return false;
            missing = MissingNestedICs(distinct, folders.icFolder);
        }
    }
    if (!missing.empty()) {
        Host().MessageBox(MissingICsText(missing), MsgButtons::Ok, MsgIcon::Critical, "IC-Fehler");
        return false;
    }
    return true;
}

bool BuildCircuitICs(CircuitDocument& doc, ICLoader& loader, ICInstanceBlock& block,
                     ICLoadProblem& problem) {
    block = ICInstanceBlock{};
    block.Base = 1;
    HostWindow& host = Host();
    std::vector<std::uint8_t> instanceOf(doc.Elements.size(), 0);
    for (const ICLine& line : doc.ICs) {
        host.SetStatusText(2, "Lade IC '" + line.Name + "' ...");
        const int index = block.Base + block.Count();
        if (!loader.Build(line.Name, line.ElementNr, 0, 0, block, problem))
            return false;
        // The reader made sure that the line names an IC element of the circuit.
        instanceOf[static_cast<std::size_t>(line.ElementNr)] = static_cast<std::uint8_t>(index);
    }
    AssignICInstances(doc.Cells, instanceOf);
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

bool CopyUsedICs(const CircuitDocument& doc, const std::string& icFolder, const std::string& folder,
                 std::string& failures) {
    failures.clear();
    std::vector<std::string> names;
    for (const ICLine& ic : doc.ICs)
        names.push_back(ic.Name);
    // Each folder is listed at most once, however many ICs are looked up in it.
    ICFileFinder from(icFolder);
    ICFileFinder into(folder);
    WalkNesting(names, [&](const std::string& name, bool&) {
        const std::optional<std::string> source = from.Find(name);
        // A file of that name there already is never replaced; unless it is this definition,
        // the circuit and the ICs beside it would not belong together, so it is named. An IC
        // whose definition has gone from the IC folder cannot be put beside the circuit, which
        // then opens nowhere else: it is named too.
        const std::optional<std::string> there = into.Find(name);
        const std::string target = there.value_or(folder + name + ".icd");
        struct stat st {};
        std::string reason = "die IC-Definition wurde im IC-Ordner nicht gefunden";
        const bool taken = there || ::lstat(target.c_str(), &st) == 0;
        const bool beside = source && (taken ? HoldsCopyOf(target, *source, reason)
                                             : CopyFileNoOverwrite(*source, target, reason));
        if (beside && !taken)
            into.Added(name + ".icd"); // a later name in another letter case finds this copy
        if (!beside)
            failures.append(" - ").append(target).append(": ").append(reason).append(kCrLf);
        return source;
    });
    return failures.empty();
}

} // namespace kardo
