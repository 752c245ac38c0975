// Operating-system name, special folders and the program folder.
#include "app/system_info.h"

#include "files/text_helpers.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/utsname.h>

namespace kardo {

std::string gOSName;

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

// XDG_DOCUMENTS_DIR from user-dirs.dirs: a line XDG_DOCUMENTS_DIR="$HOME/Dokumente".
std::string XdgDocumentsFolder(const std::string& home) {
    std::string config = Env("XDG_CONFIG_HOME");
    if (config.empty())
        config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
        if (line.rfind(kKey, 0) != 0)
            continue;
        std::string value = line.substr(kKey.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        // A documents folder that is the home folder itself counts as none.
        if (value.empty() || value == home || value == home + "/")
            return {};
        return value;
    }
    return {};
}

} // namespace

std::string GetOSName() {
    utsname u{};
    if (uname(&u) != 0 || u.sysname[0] == '\0') {
        gOSName = "unbekanntes Betriebssystem";
    } else {
        gOSName = std::string(u.sysname) + " " + u.release;
    }
    return gOSName;
}

std::string GetSpecialFolder(int folder) {
    if (folder != kFolderPersonalDocuments)
        return {};
    const std::string home = Env("HOME");
    if (home.empty())
        return {};
    std::string docs = XdgDocumentsFolder(home);
    while (docs.size() > 1 && docs.back() == '/')
        docs.pop_back();
    return IsDirectory(docs) ? docs : std::string();
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return IsDirectory(home) ? home : std::string();
}

std::string ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path())
        return "./";
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace kardo
