// Path tests on the local file system.
#include "files/text_helpers.h"

#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace kardo {

namespace {

// Name matching with "*" (any run, also empty) and "?" (exactly one character).
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t s = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starS = 0;
    while (s < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[s])) {
            ++p;
            ++s;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starS = s;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

bool FileExists(std::string_view path) {
    if (path.empty())
        return false;
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const std::string_view folder = path.substr(0, cut);
    const std::string_view name = path.substr(cut);
    if (name.find_first_of("*?") == std::string_view::npos)
        return !name.empty() && IsRegularFile(std::filesystem::path(path));

    if (folder.find_first_of("*?") != std::string_view::npos)
        return false;
    std::error_code ec;
    const std::filesystem::path dir =
        folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
    std::filesystem::directory_iterator it(dir, ec);
    if (ec)
        return false;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const std::string entry = it->path().filename().string();
        if (entry.front() != '.' && WildcardMatch(name, entry) && IsRegularFile(it->path()))
            return true;
    }
    return false;
}

PathKind KindOfPath(std::string_view path) {
    struct stat st {};
    if (path.empty() || ::stat(std::string(path).c_str(), &st) != 0)
        return PathKind::Missing;
    if (S_ISDIR(st.st_mode))
        return PathKind::Directory;
    if (S_ISFIFO(st.st_mode))
        return PathKind::Fifo;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return PathKind::Device;
    if (S_ISSOCK(st.st_mode))
        return PathKind::Socket;
    return PathKind::File;
}

std::string_view PathKindText(PathKind kind) {
    switch (kind) {
    case PathKind::Directory:
        return "ein Ordner";
    case PathKind::Fifo:
        return "eine benannte Pipe (FIFO)";
    case PathKind::Device:
        return "ein Gerät";
    case PathKind::Socket:
        return "ein Socket";
    default:
        return "";
    }
}

bool IsDirectory(std::string_view path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(path), ec);
}

std::string GetFileTitle(std::string_view path) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    return std::string(path.substr(cut));
}

bool HasExtension(std::string_view path, std::string_view extension) {
    const std::string title = GetFileTitle(path);
    if (title.size() <= extension.size())
        return false;
    const std::string_view tail = std::string_view(title).substr(title.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(tail[i]) != lower(extension[i]))
            return false;
    }
    return true;
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    std::string out(path);
    if (!HasExtension(path, extension))
        out.append(extension);
    return out;
}

} // namespace kardo
