// The settings store of the running program: two INI files in the XDG configuration folders, the
// per-user one and the system-wide one, each holding one section named after the program key.
// Changes are written atomically: a temporary file in the same folder, synced, then renamed.
#pragma once

#include "platform/settings_store.h"

#include <map>
#include <string>
#include <string_view>

namespace kardo {

// The section that stands in for the registry key of the program.
inline constexpr std::string_view kSettingsSection = "Software\\Quentar\\Kardo\\1.0";

// Where the two INI files live.
struct SettingsPaths {
    std::string user;   // per-user file
    std::string system; // system-wide file
};

// $XDG_CONFIG_HOME (default ~/.config) and the first folder of $XDG_CONFIG_DIRS (default
// /etc/xdg), each followed by "/Quentar/Kardo.ini".
SettingsPaths DefaultSettingsPaths();

class IniSettingsStore : public SettingsStore {
  public:
    // Reads both files; a missing or unreadable file is an absent key.
    explicit IniSettingsStore(SettingsPaths paths);

    bool KeyExists(SettingsRoot root) const override;
    std::optional<std::string> Get(SettingsRoot root, std::string_view name) const override;
    void Set(SettingsRoot root, std::string_view name, std::string_view value) override;
    bool Flush() override;

    const SettingsPaths& Paths() const { return m_paths; }

  private:
    // Value names compare without regard to case, as registry value names do.
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct RootFile {
        std::string path;    // the INI file
        bool exists = false; // the section was read or written
        bool dirty = false;  // values changed since the last write
        std::map<std::string, std::string, NoCaseLess> values; // the section's values
        std::string otherSections;                             // other sections, kept verbatim
    };

    RootFile& File(SettingsRoot root) { return root == SettingsRoot::User ? m_user : m_system; }
    const RootFile& File(SettingsRoot root) const {
        return root == SettingsRoot::User ? m_user : m_system;
    }
    static void Read(RootFile& file);
    static bool Write(RootFile& file);

    SettingsPaths m_paths; // where the files are
    RootFile m_user;       // first root
    RootFile m_system;     // second root
};

// Text of one INI value and back: "\", line feed and carriage return are escaped, and so are
// blanks at either end, since reading trims them.
std::string EscapeIniValue(std::string_view value);
std::string UnescapeIniValue(std::string_view text);

} // namespace kardo
