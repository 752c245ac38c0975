// Persistent settings in place of the registry key of the program: a per-user store and a
// system-wide one, each a flat list of named text values.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kardo {

enum class SettingsRoot { User, System };

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The program's key exists under that root.
    virtual bool KeyExists(SettingsRoot root) const = 0;
    virtual std::optional<std::string> Get(SettingsRoot root, std::string_view name) const = 0;
    virtual void Set(SettingsRoot root, std::string_view name, std::string_view value) = 0;
    // Writes pending changes; false when the store could not be written.
    virtual bool Flush() = 0;

    // Why a root's stored settings exist but could not be read (no permission, no text, a
    // broken section header), in German; "" when they were read or are absent. Such settings
    // count as an existing key without values, and the store never writes over them.
    virtual std::string LoadProblem(SettingsRoot root) const = 0;
    // Where a root's settings are kept, for messages.
    virtual std::string Location(SettingsRoot root) const = 0;
    // Why the last Flush failed, in German; "" after one that succeeded.
    virtual std::string FlushProblem() const = 0;
};

} // namespace kardo
