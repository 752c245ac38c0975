// Test fixture with the real main window offscreen.
#include "support/qt/main_window_fixture.h"

#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "model/clocks.h"

#include <cstdlib>
#include <filesystem>

namespace kardo::test {

namespace fs = std::filesystem;

MainWindowFixture::MainWindowFixture() {
    std::string tmpl = (fs::temp_directory_path() / "kardo-win-XXXXXX").string();
    home = mkdtemp(tmpl.data());
    const char* oldHome = std::getenv("HOME");
    m_oldHome = oldHome != nullptr ? oldHome : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    m_hadConfig = oldConfig != nullptr;
    m_oldConfig = m_hadConfig ? oldConfig : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    MakeFolder("Documents");

    window = std::make_unique<frmKardo>(picture);
    window->SetDialogStandIns(
        [this](std::string_view text, MsgButtons buttons, MsgIcon icon, std::string_view title) {
            boxes.push_back({std::string(text), buttons, icon, std::string(title)});
            if (answers.empty())
                return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
            const MsgResult r = answers.front();
            answers.pop_front();
            return r;
        },
        [this](const FileDialogRequest& r) -> std::optional<std::string> {
            dialogs.push_back(r);
            if (paths.empty())
                return std::nullopt;
            auto p = paths.front();
            paths.pop_front();
            return p;
        },
        [this](const FileDialogRequest& r) -> std::optional<std::string> {
            dialogs.push_back(r);
            if (paths.empty())
                return std::nullopt;
            auto p = paths.front();
            paths.pop_front();
            return p;
        });
    platform.screen = &picture;
    platform.timers = &clock;
    platform.pump = &pump;
    platform.host = window.get();
    platform.settings = &settings;
    scope = std::make_unique<PlatformScope>(platform);
    gRegRoot = SettingsRoot::User;
    LadeDatei.clear();
    ResetPermissions();
    settings.Set(SettingsRoot::User, "Permissions", "B:11111111111111;F:1111111;P:");
}

MainWindowFixture::~MainWindowFixture() {
    // The clock timers were made by this test's virtual clock.
    ResetClockTimers();
    window.reset();
    scope.reset();
    setenv("HOME", m_oldHome.c_str(), 1);
    if (m_hadConfig)
        setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ec;
    fs::remove_all(home, ec);
}

bool MainWindowFixture::LoadWindow() {
    const bool ok = window->Form_Load([this](std::string_view s) { stages.emplace_back(s); });
    if (ok)
        window->Form_Activate();
    return ok;
}

std::string MainWindowFixture::MakeFolder(const std::string& relative) {
    const std::string path = home + "/" + relative;
    fs::create_directories(path);
    return path;
}

} // namespace kardo::test
