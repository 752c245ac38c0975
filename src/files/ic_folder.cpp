// Looking up, listing and copying IC definition files.
#include "files/ic_folder.h"

#include "files/atomic_file.h"
#include "files/file_lines.h"
#include "files/text_helpers.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace kardo {

namespace {

constexpr std::string_view kExtension = ".icd";
// Largest definition file copied; far beyond any definition the program writes.
constexpr std::size_t kMaxCopyBytes = 64u << 20;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view s) {
    std::string lower(s);
    for (char& c : lower)
        c = Lower(c);
    return lower;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// The ordinary, visible files of a folder (names only).
std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty())
        return names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string file = it->path().filename().string();
        if (!file.empty() && file.front() != '.')
            names.push_back(std::move(file));
    }
    return names;
}

} // namespace

std::optional<std::string> FindICFile(const std::string& folder, std::string_view name) {
    return ICFileFinder(folder).Find(name);
}

std::optional<std::string> ICFileFinder::Find(std::string_view name) {
    if (!IsPlainICName(name))
        return std::nullopt;
    std::string wanted(name);
    wanted += kExtension;
    if (FileExists(m_folder + wanted))
        return m_folder + wanted;
    if (!m_listed) {
        for (const std::string& file : FileNames(m_folder))
            Enter(file);
        m_listed = true;
    }
    const auto it = m_byLowerName.find(LowerCase(wanted));
    if (it == m_byLowerName.end() || it->second.empty())
        return std::nullopt;
    return m_folder + it->second;
}

void ICFileFinder::Added(const std::string& file) {
    // Not listed yet: the listing will hold it.
    if (m_listed)
        Enter(file);
}

void ICFileFinder::Enter(const std::string& file) {
    const auto [it, fresh] = m_byLowerName.emplace(LowerCase(file), file);
    if (!fresh && it->second != file)
        it->second.clear(); // two files differ only in letter case: neither is meant
}

std::vector<std::string> ListICNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& file : FileNames(folder)) {
        if (file.size() <= kExtension.size())
            continue;
        const std::string_view ext = std::string_view(file).substr(file.size() - kExtension.size());
        if (!SameIgnoringCase(ext, kExtension))
            continue;
        std::string stem = file.substr(0, file.size() - kExtension.size());
        if (IsPlainICName(stem))
            names.push_back(std::move(stem));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to, std::string& reason) {
    std::string bytes;
    if (!ReadWholeFile(from, kMaxCopyBytes, bytes, reason))
        return false;
    return WriteNewFile(to, bytes, reason);
}

bool HoldsCopyOf(const std::string& there, const std::string& from, std::string& reason) {
    struct stat entry {};
    struct stat source {};
    const bool exists = ::lstat(there.c_str(), &entry) == 0;
    if (exists && ::lstat(from.c_str(), &source) == 0 && entry.st_dev == source.st_dev &&
        entry.st_ino == source.st_ino)
        return true;
    std::string wanted;
    if (!ReadWholeFile(from, kMaxCopyBytes, wanted, reason))
        return false;
    std::string found;
    std::string unreadable;
    if (exists && S_ISREG(entry.st_mode) &&
        ReadWholeFile(there, kMaxCopyBytes, found, unreadable) && found == wanted)
        return true;
    reason = "dort liegt schon eine andere Datei dieses Namens, sie wurde nicht ersetzt";
    return false;
}

} // namespace kardo
