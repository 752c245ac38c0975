// Fuzz target of the settings files: any bytes are parsed as the per-user settings file. A text
// that is not sound must name its problem, and the store must never write over it; a sound text
// must format to a text that parses to the same content. Either way the program's settings and
// function lock are read from it and saved again, and what was saved reads back to the same
// settings. Crashes, leaks and sanitizer findings are failures.
#include "app/load_sequence.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/startup.h"
#include "platform/ini_settings_store.h"
#include "platform/platform.h"
#include "render/view.h"
#include "scratch_folder.h"
#include "simulation/sim_core.h"
#include "support/fake_host.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <unistd.h>

namespace {

using namespace kardo;

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "settings file fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

// A store of one parsed file in memory, as the INI store holds it, without writing to disk.
class ContentStore : public SettingsStore {
  public:
    explicit ContentStore(IniContent content) : m_content(std::move(content)) {}
    bool KeyExists(SettingsRoot root) const override {
        return root == SettingsRoot::User && (m_content.hasSection || !m_content.problem.empty());
    }
    std::optional<std::string> Get(SettingsRoot root, std::string_view name) const override {
        const auto it = m_content.values.find(name);
        if (root != SettingsRoot::User || it == m_content.values.end())
            return std::nullopt;
        return it->second;
    }
    void Set(SettingsRoot, std::string_view name, std::string_view value) override {
        m_content.values[std::string(name)] = std::string(value);
        m_content.hasSection = true;
    }
    bool Flush() override { return m_content.problem.empty(); }
    std::string LoadProblem(SettingsRoot root) const override {
        return root == SettingsRoot::User ? m_content.problem : std::string();
    }
    std::string Location(SettingsRoot) const override { return "Kardo.ini"; }
    std::string FlushProblem() const override { return m_content.problem; }
    const IniContent& Content() const { return m_content; }

  private:
    IniContent m_content; // the file's content and what was set since
};

// Every global LoadSettings and ReadPermissions fill.
auto Settings() {
    return std::tuple(gUndoSteps, gScroll, gMaxRunden, gAnzImpulse, gShowGrid, gVerzeichnisse,
                      gICAuswahlVisible, gICAuswahlPlacement, gPanelVisible, gICsMitSpeichern,
                      gLastFiles, gPortAccessEnabled, gPortAccessPortAddress, gBauteilRechte,
                      gFunktionRechte, gPasswort);
}

// Reads settings and lock from the store, saves them; true when the lock could be read.
bool LoadAndSave(ContentStore& store, test::FakeHost& host) {
    Platform platform;
    platform.host = &host;
    platform.settings = &store;
    PlatformScope scope(platform);
    InitProgramState();
    ChooseSettingsRoot();
    LoadSettings();
    const bool locked = ReadPermissions();
    SaveSettings();
    if (locked)
        WritePermissions();
    return locked;
}

const fuzz::ScratchFolder kScratch("kardo-settings-fuzz-");

// A text the store refuses is never written over, in its file either.
void CheckNeverWritten(std::string_view bytes) {
    const SettingsPaths paths{kScratch.Path() + "/Kardo.ini", kScratch.Path() + "/fehlt/Kardo.ini"};
    std::ofstream(paths.user, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
    IniSettingsStore store(paths);
    if (store.LoadProblem(SettingsRoot::User).empty())
        Fail("the store reads what the parser refuses");
    if (!store.KeyExists(SettingsRoot::User))
        Fail("an unreadable file counts as absent");
    store.Set(SettingsRoot::User, "Permissions", "B:11111111111111;F:1111111;P:");
    if (store.Flush())
        Fail("the store wrote over a file it could not read");
    std::ifstream in(paths.user, std::ios::binary);
    const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (now != bytes)
        Fail("the file changed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const IniContent content = ParseIniText(bytes);
    test::FakeHost host;
    if (!content.problem.empty()) {
        if (!content.values.empty() || content.hasSection)
            Fail("a refused text kept values");
        CheckNeverWritten(bytes);
        ContentStore store(content);
        if (LoadAndSave(store, host))
            Fail("the lock was read from settings that cannot be read");
        return 0;
    }

    const IniContent again = ParseIniText(FormatIniText(content));
    if (!again.problem.empty())
        Fail("the formatted text is refused", again.problem);
    if (again.values != content.values || again.otherSections != content.otherSections)
        Fail("the formatted text parses to other content");

    // What the program saves reads back to the same settings and lock.
    ContentStore store(content);
    const bool locked = LoadAndSave(store, host);
    const auto first = Settings();
    ContentStore reread(ParseIniText(FormatIniText(store.Content())));
    if (!reread.Content().problem.empty())
        Fail("the saved settings are refused", reread.Content().problem);
    if (LoadAndSave(reread, host) != locked || Settings() != first)
        Fail("the saved settings read back as other settings");
    return 0;
}
