// Test fixture for the start-up and settings code.
#include "support/app_fixture.h"

#include "app/main_state.h"

#include <cstdlib>
#include <filesystem>

namespace kardo::test {

namespace fs = std::filesystem;

AppFixture::AppFixture() {
    platform.settings = &settings;
    std::string tmpl = (fs::temp_directory_path() / "kardo-home-XXXXXX").string();
    home = mkdtemp(tmpl.data());
    const char* oldHome = std::getenv("HOME");
    m_oldHome = oldHome != nullptr ? oldHome : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    m_hadConfigHome = oldConfig != nullptr;
    m_oldConfigHome = m_hadConfigHome ? oldConfig : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    LadeDatei.clear();
}

AppFixture::~AppFixture() {
    setenv("HOME", m_oldHome.c_str(), 1);
    if (m_hadConfigHome)
        setenv("XDG_CONFIG_HOME", m_oldConfigHome.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ec;
    fs::remove_all(home, ec);
}

std::string AppFixture::MakeFolder(const std::string& relative) {
    const std::string path = home + "/" + relative;
    fs::create_directories(path);
    return path;
}

} // namespace kardo::test
