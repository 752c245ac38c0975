// In-memory settings store for tests: two roots of named values, a switch that makes writing
// fail, and a count of writes.
#pragma once

#include "platform/settings_store.h"

#include <map>
#include <string>

namespace kardo::test {

class FakeSettings : public SettingsStore {
  public:
    bool KeyExists(SettingsRoot root) const override { return Root(root).exists; }
    std::optional<std::string> Get(SettingsRoot root, std::string_view name) const override;
    void Set(SettingsRoot root, std::string_view name, std::string_view value) override;
    bool Flush() override;
    std::string LoadProblem(SettingsRoot root) const override { return Root(root).loadProblem; }
    std::string Location(SettingsRoot root) const override {
        return root == SettingsRoot::User ? "/home/anna/.config/Quentar/Kardo.ini"
                                          : "/etc/xdg/Quentar/Kardo.ini";
    }
    std::string FlushProblem() const override { return failFlush ? "Zugriff verweigert" : ""; }

    // Makes a root's settings unreadable: its key exists, with no values, and reports problem.
    void MakeUnreadable(SettingsRoot root, std::string problem) {
        RootData& r = Root(root);
        r.exists = true;
        r.values.clear();
        r.loadProblem = std::move(problem);
    }

    // Creates the key of a root without values.
    void CreateKey(SettingsRoot root) { Root(root).exists = true; }
    // Removes one value.
    void Erase(SettingsRoot root, std::string_view name) {
        Root(root).values.erase(std::string(name));
    }
    // Values written by the last successful Flush (what a restart would read).
    const std::map<std::string, std::string>& Flushed(SettingsRoot root) const {
        return Root(root).flushed;
    }

    bool failFlush = false; // Flush reports failure ("Zugriff verweigert") and writes nothing
    int flushes = 0;        // successful Flush calls

  private:
    struct RootData {
        bool exists = false;                        // the program key exists
        std::map<std::string, std::string> values;  // current values
        std::map<std::string, std::string> flushed; // values at the last successful Flush
        std::string loadProblem;                    // why the root's values could not be read
    };
    RootData& Root(SettingsRoot r) { return r == SettingsRoot::User ? m_user : m_system; }
    const RootData& Root(SettingsRoot r) const {
        return r == SettingsRoot::User ? m_user : m_system;
    }
    RootData m_user;   // first root
    RootData m_system; // second root
};

} // namespace kardo::test
