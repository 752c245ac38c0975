// INI files as the settings store: reading, escaping and the atomic write.
#include "platform/ini_settings_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kardo {

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::string(v) : fallback;
}

std::string HomeFolder() { return EnvOr("HOME", "/tmp"); }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

} // namespace

SettingsPaths DefaultSettingsPaths() {
    SettingsPaths p;
    p.user = EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config") + "/Quentar/Kardo.ini";
    std::string dirs = EnvOr("XDG_CONFIG_DIRS", "/etc/xdg");
    const std::size_t colon = dirs.find(':');
    if (colon != std::string::npos)
        dirs.resize(colon);
    if (dirs.empty())
        dirs = "/etc/xdg";
    p.system = dirs + "/Quentar/Kardo.ini";
    return p;
}

bool IniSettingsStore::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]);
        const char y = Lower(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

std::string EscapeIniValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case ' ':
        case '\t':
            // Blanks at either end would be trimmed on reading.
            if (i == 0 || i + 1 == value.size())
                out += c == ' ' ? "\\s" : "\\t";
            else
                out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string UnescapeIniValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 'n')
            out += '\n';
        else if (next == 'r')
            out += '\r';
        else if (next == 's')
            out += ' ';
        else if (next == 't')
            out += '\t';
        else
            out += next;
    }
    return out;
}

IniSettingsStore::IniSettingsStore(SettingsPaths paths) : m_paths(std::move(paths)) {
    m_user.path = m_paths.user;
    m_system.path = m_paths.system;
    Read(m_user);
    Read(m_system);
}

void IniSettingsStore::Read(RootFile& file) {
    std::ifstream in(file.path, std::ios::binary);
    if (!in)
        return;
    std::string line;
    bool inOurs = false;
    std::ostringstream others;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string_view t = TrimBlanks(line);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            inOurs = SameNoCase(t.substr(1, t.size() - 2), kSettingsSection);
            if (inOurs) {
                file.exists = true;
                continue;
            }
        }
        if (!inOurs) {
            others << line << '\n';
            continue;
        }
        if (t.empty() || t.front() == ';' || t.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string_view name = TrimBlanks(std::string_view(line).substr(0, eq));
        if (name.empty())
            continue;
        file.values[std::string(name)] =
            UnescapeIniValue(TrimBlanks(std::string_view(line).substr(eq + 1)));
    }
    file.otherSections = others.str();
}

bool IniSettingsStore::KeyExists(SettingsRoot root) const { return File(root).exists; }

std::optional<std::string> IniSettingsStore::Get(SettingsRoot root, std::string_view name) const {
    const RootFile& f = File(root);
    const auto it = f.values.find(name);
    if (it == f.values.end())
        return std::nullopt;
    return it->second;
}

void IniSettingsStore::Set(SettingsRoot root, std::string_view name, std::string_view value) {
    RootFile& f = File(root);
    auto it = f.values.find(name);
    if (it == f.values.end()) {
        f.values.emplace(std::string(name), std::string(value));
    } else if (it->second != value) {
        it->second = std::string(value);
    } else if (f.exists) {
        return;
    }
    f.exists = true;
    f.dirty = true;
}

bool IniSettingsStore::Flush() {
    bool ok = true;
    for (RootFile* f : {&m_user, &m_system}) {
        if (f->dirty && !Write(*f))
            ok = false;
    }
    return ok;
}

// Writes the whole file to a temporary file beside it, syncs it and renames it over the old
// one, so that a crash or a full disk never leaves a half-written settings file.
bool IniSettingsStore::Write(RootFile& file) {
    std::ostringstream text;
    text << '[' << kSettingsSection << "]\n";
    for (const auto& [name, value] : file.values)
        text << name << '=' << EscapeIniValue(value) << '\n';
    if (!file.otherSections.empty())
        text << '\n' << file.otherSections;
    const std::string content = text.str();

    std::error_code ec;
    const std::filesystem::path target(file.path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);

    std::string tmp = file.path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        return false;
    const char* p = content.data();
    std::size_t left = content.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // mkstemp creates the file for its owner only; keep the mode of the file it replaces.
    struct stat old {};
    const mode_t mode = ::stat(file.path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (ok && ::fchmod(fd, mode) != 0)
        ok = false;
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmp.c_str(), file.path.c_str()) != 0)
        ok = false;
    if (!ok) {
        std::remove(tmp.c_str());
        return false;
    }
    file.dirty = false;
    return true;
}

} // namespace kardo
