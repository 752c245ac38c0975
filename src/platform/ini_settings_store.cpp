// INI files as the settings store: reading, checking, escaping and the atomic write.
#include "platform/ini_settings_store.h"

#include "platform/file_calls.h"
#include "platform/file_errors.h"
#include "platform/temp_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kardo {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

bool IniNameLess::operator()(std::string_view a, std::string_view b) const {
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

IniContent ParseIniText(std::string_view text) {
    IniContent content;
    auto fail = [&](int lineNr, std::string what) {
        content = IniContent{};
        content.problem = "Zeile " + std::to_string(lineNr) + ": " + std::move(what);
        return content;
    };
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size()); // as some editors write it; written back as well
        content.bom = true;
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        content.problem = "die Datei ist in UTF-16 gespeichert, nicht als Text in UTF-8";
        return content;
    }
    bool inOurs = false;
    int lineNr = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        std::string_view line = raw;
        start = end + 1;
        ++lineNr;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        for (const char c : line) {
            const auto b = static_cast<unsigned char>(c);
            if ((b < 0x20 && c != '\t' && c != '\r') || b == 0x7F)
                return fail(lineNr, "Steuerzeichen; die Datei ist keine Textdatei");
        }
        const std::string_view t = TrimBlanks(line);
        if (!t.empty() && t.front() == '[') {
            if (t.size() < 2 || t.back() != ']')
                return fail(lineNr, "unvollständige Abschnittsüberschrift");
            inOurs = SameNoCase(t.substr(1, t.size() - 2), kSettingsSection);
            if (inOurs) {
                content.hasSection = true;
                continue;
            }
        }
        if (!inOurs) {
            content.otherSections.append(raw).append("\n"); // as it was, its line end too
            continue;
        }
        if (t.empty() || t.front() == ';' || t.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::string_view name =
            eq == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(0, eq));
        if (name.empty())
            return fail(lineNr, "kein Eintrag der Form Name=Wert");
        content.values[std::string(name)] = UnescapeIniValue(TrimBlanks(line.substr(eq + 1)));
    }
    return content;
}

std::string FormatIniText(const IniContent& content) {
    // Lines outside the section first: lines before any header stay before every header.
    std::string text = content.bom ? std::string(kUtf8Bom) : std::string();
    text.append(content.otherSections);
    text.append("[").append(kSettingsSection).append("]\n");
    for (const auto& [name, value] : content.values)
        text.append(name).append("=").append(EscapeIniValue(value)).append("\n");
    return text;
}

IniSettingsStore::IniSettingsStore(SettingsPaths paths) : m_paths(std::move(paths)) {
    m_user.path = m_paths.user;
    m_system.path = m_paths.system;
    Read(m_user);
    Read(m_system);
}

void IniSettingsStore::Read(RootFile& file) {
    // Non-blocking, so that a named pipe in place of the file cannot stall the start.
    const int fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            file.problem = FileErrorText(errno);
            file.exists = true;
        }
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        // A folder or device holds no settings; writing there is refused when it comes to it.
        ::close(fd);
        return;
    }
    std::string bytes;
    bool ok = true;
    char buffer[8192];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            file.problem = FileErrorText(errno);
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxSettingsBytes) {
            file.problem = "die Datei ist zu groß";
            ok = false;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (ok) {
        file.content = ParseIniText(bytes);
        file.problem = file.content.problem;
    }
    if (!file.problem.empty()) {
        file.content = IniContent{};
        file.exists = true;
        return;
    }
    file.exists = file.content.hasSection;
}

bool IniSettingsStore::KeyExists(SettingsRoot root) const { return File(root).exists; }

std::optional<std::string> IniSettingsStore::Get(SettingsRoot root, std::string_view name) const {
    const RootFile& f = File(root);
    const auto it = f.content.values.find(name);
    if (it == f.content.values.end())
        return std::nullopt;
    return it->second;
}

void IniSettingsStore::Set(SettingsRoot root, std::string_view name, std::string_view value) {
    RootFile& f = File(root);
    auto& values = f.content.values;
    auto it = values.find(name);
    if (it == values.end()) {
        values.emplace(std::string(name), std::string(value));
    } else if (it->second != value) {
        it->second = std::string(value);
    } else if (f.exists) {
        return;
    }
    f.exists = true;
    f.dirty = true;
}

std::string IniSettingsStore::LoadProblem(SettingsRoot root) const { return File(root).problem; }

std::string IniSettingsStore::Location(SettingsRoot root) const { return File(root).path; }

bool IniSettingsStore::Flush() {
    bool ok = true;
    m_flushProblem.clear();
    for (RootFile* f : {&m_user, &m_system}) {
        if (!f->dirty)
            continue;
        std::string reason;
        if (!f->problem.empty()) {
            reason = "die Datei konnte beim Start nicht gelesen werden und wird nicht "
                     "überschrieben";
        } else if (Write(*f, reason)) {
            continue;
        }
        if (ok)
            m_flushProblem = reason;
        ok = false;
    }
    return ok;
}

// Writes the whole file to a temporary file beside it, syncs it and renames it over the old
// one, so that a crash or a full disk never leaves a half-written settings file. A symbolic link
// is followed and kept.
bool IniSettingsStore::Write(RootFile& file, std::string& reason) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string path = file.path;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::canonical(path, ec);
        if (!ec)
            path = target.string();
    }
    struct stat old {};
    const bool existed = ::stat(path.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        reason = S_ISDIR(old.st_mode) ? "an dieser Stelle steht ein Ordner"
                                      : "an dieser Stelle steht keine Datei";
        return false;
    }
    const fs::path target(path);
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec) {
            reason = FileErrorText(ec.value());
            return false;
        }
    }
    const std::string content = FormatIniText(file.content);
    const mode_t mode = existed ? (old.st_mode & 07777) : 0644;
    std::string tmp;
    const int fd = CreateTempFileBeside(path, mode, tmp);
    if (fd < 0) {
        reason = FileErrorText(errno);
        return false;
    }
    const char* p = content.data();
    std::size_t left = content.size();
    int err = 0;
    while (left > 0 && err == 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno != EINTR)
                err = errno;
            continue;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The creation mask may have taken bits of the file it replaces; keep its mode. A file
    // system that stores no modes refuses (FAT, some FUSE ones): the file keeps the bits it was
    // created with, never more than asked for, and the save goes on.
    if (err == 0)
        (void)gFileCalls->Fchmod(fd, mode);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && std::rename(tmp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        std::remove(tmp.c_str());
        reason = FileErrorText(err);
        return false;
    }
    file.dirty = false;
    return true;
}

} // namespace kardo
