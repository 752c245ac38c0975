// The settings store of the running program: two INI files in the XDG configuration folders, the
// per-user one and the system-wide one, each holding one section named after the program key.
// Changes are written atomically: a temporary file in the same folder, synced, then renamed.
// A file that exists but cannot be read or parsed is never written over.
#pragma once

#include "platform/settings_store.h"

#include <map>
#include <string>
#include <string_view>

namespace kardo {

// The section that stands in for the registry key of the program.
inline constexpr std::string_view kSettingsSection = "Software\\Quentar\\Kardo\\1.0";

// Largest settings file read; the program's own values take a few kilobytes.
inline constexpr std::size_t kMaxSettingsBytes = 1u << 20;

// Where the two INI files live.
struct SettingsPaths {
    std::string user;   // per-user file
    std::string system; // system-wide file
};

// $XDG_CONFIG_HOME (default ~/.config) and the first folder of $XDG_CONFIG_DIRS (default
// /etc/xdg), each followed by "/Quentar/Kardo.ini".
SettingsPaths DefaultSettingsPaths();

// Value names compare without regard to case, as registry value names do.
struct IniNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// One settings file as read.
struct IniContent {
    bool hasSection = false;                                // the program's section was there
    std::map<std::string, std::string, IniNameLess> values; // the section's values
    std::string otherSections; // lines outside the section, kept verbatim (each closed by "\n")
    std::string problem;       // why the text is no sound settings file, German; "" sound
    bool bom = false;          // the text began with a UTF-8 byte-order mark
};

// Parses the text of a settings file. A text with control characters (UTF-16, binary data), a
// section header without its closing "]", or a line of the program's section that is no
// "name=value" entry is not sound: problem says where, and nothing else is kept.
IniContent ParseIniText(std::string_view text);

// The text of a settings file: the lines outside the program's section as they were, then the
// section with every value. Parsing it gives the same values and lines.
std::string FormatIniText(const IniContent& content);

class IniSettingsStore : public SettingsStore {
  public:
    // Reads both files; a missing file (or a folder in its place) is an absent key.
    explicit IniSettingsStore(SettingsPaths paths);

    bool KeyExists(SettingsRoot root) const override;
    std::optional<std::string> Get(SettingsRoot root, std::string_view name) const override;
    void Set(SettingsRoot root, std::string_view name, std::string_view value) override;
    bool Flush() override;
    std::string LoadProblem(SettingsRoot root) const override;
    std::string Location(SettingsRoot root) const override;
    std::string FlushProblem() const override { return m_flushProblem; }

    const SettingsPaths& Paths() const { return m_paths; }

  private:
    struct RootFile {
        std::string path;    // the INI file
        bool exists = false; // the section was read or written, or the file is unreadable
        bool dirty = false;  // values changed since the last write
        std::string problem; // why the file could not be read; it is then never written
        IniContent content;  // what was read and set
    };

    RootFile& File(SettingsRoot root) { return root == SettingsRoot::User ? m_user : m_system; }
    const RootFile& File(SettingsRoot root) const {
        return root == SettingsRoot::User ? m_user : m_system;
    }
    static void Read(RootFile& file);
    // Writes the file; false with the German reason.
    static bool Write(RootFile& file, std::string& reason);

    SettingsPaths m_paths;      // where the files are
    RootFile m_user;            // first root
    RootFile m_system;          // second root
    std::string m_flushProblem; // why the last Flush failed
};

// Text of one INI value and back: "\", line feed and carriage return are escaped, and so are
// blanks at either end, since reading trims them.
std::string EscapeIniValue(std::string_view value);
std::string UnescapeIniValue(std::string_view text);

} // namespace kardo
